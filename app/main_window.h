// The hidden main window's procedure, which does the program's whole job while the window is being created.
#pragma once

#include "platform/win.h"

// Registered as the class name and used as the window's title.
extern const char mainWindowClass[];

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
