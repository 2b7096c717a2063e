// Places a picture and nothing else on the clipboard: a 2x2 CF_DIB.
#include "helper_io.h"

int main() {
    const LONG side = 2;
    const DWORD row_bytes = 8;  // 2 pixels of 3 bytes, padded to 4-byte rows
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + row_bytes * side);
    if (!block) return fail("GlobalAlloc");
    BITMAPINFOHEADER *header = static_cast<BITMAPINFOHEADER *>(GlobalLock(block));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = side;
    header->biHeight = side;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = row_bytes * side;
    unsigned char *pixels = reinterpret_cast<unsigned char *>(header + 1);
    pixels[0] = 0xFF;                 // one blue pixel, so the picture is not blank
    pixels[row_bytes + 5] = 0xFF;     // and one red
    GlobalUnlock(block);

    HWND window = create_helper_window("put_clipboard_picture");
    if (!open_clipboard_patiently(window)) return fail("OpenClipboard");
    EmptyClipboard();
    if (!SetClipboardData(CF_DIB, block)) return fail("SetClipboardData CF_DIB");
    CloseClipboard();
    std::printf("placed picture\n");
    return 0;
}
