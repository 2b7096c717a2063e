// The one-shot run: read the clipboard text, ask when it is mostly lowercase, invert it, write it back, and
// close the window so the program ends. Message boxes are the program's only user interface.
#include "app/main_window.h"

#include "app/messages.h"
#include "clipboard/clipboard_text.h"
#include "core/case_rule.h"

const char mainWindowClass[] = "qUENTAro";

namespace {

// In a double-byte ANSI code page (932, 936, 949, 950) a lead byte and the byte after it are one character
// that must stay whole; single-byte code pages report no ranges and get the plain byte rule.
bool ReadAnsiLeadBytes(unsigned char leadBytes[256])
{
    CPINFO info;
    if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2)
        return false;
    MarkLeadByteRanges(info.LeadByte, MAX_LEADBYTES, leadBytes);
    return true;
}

bool UserAgreesToInvert(HWND window)
{
    return MessageBoxA(window, mostlyLowercaseQuestion, boxCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void InvertClipboardText(HWND window)
{
    char* text = ReadClipboardText(window);
    if (text == nullptr) {
        MessageBoxA(window, noTextMessage, boxCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    unsigned char table[256];
    const unsigned char* leadBytes = ReadAnsiLeadBytes(table) ? table : nullptr;
    const std::int32_t length = TextLength(text);
    if (IsMostlyLowercase(length, CountLowercase(text, length, leadBytes)) && !UserAgreesToInvert(window))
        return;
    InvertCase(text, length, leadBytes);
    if (!WriteClipboardText(text, length, window))
        MessageBoxA(window, cannotWriteMessage, boxCaption, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        InvertClipboardText(window);
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
