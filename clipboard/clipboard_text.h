// Moving text between the system clipboard (CF_TEXT) and the program.
#pragma once

#include <cstdint>

#include "platform/win.h"

// A private, zero-terminated copy of the clipboard's text, or null when no text could be read. The caller
// owns the copy.
char* ReadClipboardText(HWND owner);

// Replaces everything on the clipboard with the first `length` bytes of `text`. 1 on success, 0 on failure;
// a failure found before the clipboard was emptied leaves it as it was.
int WriteClipboardText(const char* text, std::int32_t length, HWND owner);
