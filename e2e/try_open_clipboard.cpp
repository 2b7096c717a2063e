// Tries once to open the clipboard, now, and says whether it could.
#include "helper_io.h"

int main() {
    HWND window = create_helper_window("try_open_clipboard");
    if (OpenClipboard(window)) {
        CloseClipboard();
        std::printf("opened\n");
        return 0;
    }
    char owner_class[256] = "";
    HWND holder = GetOpenClipboardWindow();
    if (holder) GetClassNameA(holder, owner_class, sizeof owner_class);
    std::printf("busy, held by window of class '%s'\n", owner_class);
    return 0;
}
