// Places exact CF_TEXT bytes on the clipboard, with or without a terminating zero, alone or beside a format of ours.
#include "helper_io.h"

namespace {

const char marker_format[] = "qUENTAro e2e marker";
const char marker_bytes[] = "marker";

HGLOBAL global_copy(const void *bytes, size_t count) {
    // A zero-sized block cannot be allocated movable, and the empty text without a zero is still one byte of nothing.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, count ? count : 1);
    if (!block) return nullptr;
    void *target = GlobalLock(block);
    if (count) std::memcpy(target, bytes, count);
    GlobalUnlock(block);
    return block;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::printf("usage: put_clipboard_text HEX|@FILE [no-zero] [beside-marker]\n");
        return 2;
    }
    std::string text;
    if (!read_bytes_argument(argv[1], text)) return fail("bad text argument");
    bool with_zero = true;
    bool beside_marker = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "no-zero") == 0) with_zero = false;
        else if (std::strcmp(argv[i], "beside-marker") == 0) beside_marker = true;
        else return fail("unknown option");
    }
    if (with_zero) text.push_back('\0');

    HWND window = create_helper_window("put_clipboard_text");
    if (!open_clipboard_patiently(window)) return fail("OpenClipboard");
    EmptyClipboard();
    HGLOBAL block = global_copy(text.data(), text.size());
    if (!block || !SetClipboardData(CF_TEXT, block)) return fail("SetClipboardData CF_TEXT");
    if (beside_marker) {
        UINT format = RegisterClipboardFormatA(marker_format);
        HGLOBAL marker = global_copy(marker_bytes, sizeof marker_bytes);
        if (!marker || !SetClipboardData(format, marker)) return fail("SetClipboardData marker");
    }
    CloseClipboard();
    std::printf("placed %u bytes\n", static_cast<unsigned>(text.size()));
    return 0;
}
