// Empties the clipboard.
#include "helper_io.h"

int main() {
    HWND window = create_helper_window("empty_clipboard");
    if (!open_clipboard_patiently(window)) return fail("OpenClipboard");
    if (!EmptyClipboard()) return fail("EmptyClipboard");
    CloseClipboard();
    std::printf("emptied\n");
    return 0;
}
