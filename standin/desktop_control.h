// How tests steer the simulated desktop behind the stand-in and read what the program did to it.
#pragma once

#include <string>
#include <vector>

#include "standin/windows_standin.h"

// The calls a test can make fail.
enum class FailingCall { OpenClipboard, GetClipboardData, GlobalAlloc, GlobalLock, SetClipboardData, AllocateBuffer };

// An answer to give when a hold should never end.
constexpr int holdForever = -1;

struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
    bool clipboardOpen; // whether the program had the clipboard open while the box was up
};

struct WindowRecord {
    std::string className;
    std::string windowName;
    DWORD style;
    bool alive;
};

// Back to a fresh desktop: empty clipboard, no windows, no failures, no records; frees what the program left.
void ResetDesktop();

// Places a block of exactly these bytes (no terminator added) on the clipboard under `format`.
void PutClipboardBlock(UINT format, const std::string& bytes);
// The whole block under `format`, all GlobalSize bytes; empty when the format is absent.
std::string ClipboardBlock(UINT format);
std::vector<UINT> ClipboardFormats();
bool ClipboardIsOpen();
// Global blocks the program has locked and not unlocked.
int LockedBlocks();

// Another program holds the clipboard: the next `attempts` OpenClipboard calls fail (holdForever: all).
void HoldClipboard(int attempts);
int OpenClipboardAttempts();
// The next call of this kind fails, as the platform reports such a failure.
void FailNext(FailingCall call);
// The clipboard and memory calls made so far, by name, in order.
std::vector<std::string> CallLog();
DWORD SleptMilliseconds();

// The ANSI code page: its largest character size and its lead-byte ranges as GetCPInfo reports them.
void SetAnsiCodePage(UINT maxCharSize, const std::vector<BYTE>& leadByteRanges);

// Answers for the coming message boxes, in order; a box with no answer left gets IDOK when it is an OK box
// and 0 (as if it failed) otherwise.
void AnswerBoxes(const std::vector<int>& answers);
std::vector<ShownBox> ShownBoxes();

std::vector<WindowRecord> Windows();
// The registered window class, with its strings copied; cbSize is 0 when nothing was registered.
WNDCLASSEXA RegisteredClass();
std::string RegisteredClassName();
// Whether the message loop asked for a message when none was queued: a real one would have waited forever.
bool MessageLoopWouldBlock();
