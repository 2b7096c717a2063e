// Prints the clipboard's formats and its CF_TEXT block as exact bytes (the whole block, zeros included).
#include "helper_io.h"

int main() {
    HWND window = create_helper_window("read_clipboard_text");
    if (!open_clipboard_patiently(window)) return fail("OpenClipboard");
    std::printf("formats:");
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        char name[256];
        // Registered formats get numbers that differ from run to run; their names do not.
        if (format >= 0xC000 && GetClipboardFormatNameA(format, name, sizeof name) > 0) std::printf(" '%s'", name);
        else std::printf(" %u", format);
    }
    std::printf("\ntext: ");
    HANDLE block = GetClipboardData(CF_TEXT);
    if (!block) {
        std::printf("none\n");
    } else {
        const unsigned char *bytes = static_cast<const unsigned char *>(GlobalLock(block));
        print_hex(bytes, GlobalSize(block));
        GlobalUnlock(block);
        std::printf("\n");
    }
    CloseClipboard();
    return 0;
}
