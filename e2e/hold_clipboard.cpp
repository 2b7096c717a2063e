// Holds the clipboard open with a window of its own: for a time, for a time after a window class appears, or until stdin closes.
#include "helper_io.h"

namespace {

void wait_for_stdin_to_close() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char chunk[256];
    DWORD got = 0;
    while (ReadFile(input, chunk, sizeof chunk, &got, nullptr) && got > 0) {
    }
}

// Bounded so that a test that never starts the program cannot leave this helper behind.
bool wait_for_window_class(const char *class_name) {
    for (int waited = 0; waited < 300000; ++waited) {
        if (FindWindowA(class_name, nullptr)) return true;
        Sleep(1);
    }
    return false;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::printf("usage: hold_clipboard stdin | MILLISECONDS [AFTER_WINDOW_CLASS]\n");
        return 2;
    }
    HWND window = create_helper_window("hold_clipboard");
    if (!open_clipboard_patiently(window)) return fail("OpenClipboard");
    std::printf("held\n");
    std::fflush(stdout);
    if (std::strcmp(argv[1], "stdin") == 0) {
        wait_for_stdin_to_close();
    } else {
        if (argc > 2 && !wait_for_window_class(argv[2])) {
            CloseClipboard();
            return fail("no window of that class appeared");
        }
        Sleep(static_cast<DWORD>(std::atoi(argv[1])));
    }
    CloseClipboard();
    std::printf("released\n");
    return 0;
}
