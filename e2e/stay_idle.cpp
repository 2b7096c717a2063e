// Stays alive as a wine GUI process until stdin closes: wine drops the clipboard about a second after its last GUI process ends.
#include "helper_io.h"

namespace {

DWORD WINAPI quit_when_stdin_closes(void *main_thread) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char chunk[256];
    DWORD got = 0;
    while (ReadFile(input, chunk, sizeof chunk, &got, nullptr) && got > 0) {
    }
    PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(main_thread)), WM_QUIT, 0, 0);
    return 0;
}

}  // namespace

int main() {
    HWND window = create_helper_window("stay_idle");
    if (!window) return fail("CreateWindow");
    // The window keeps answering messages so that broadcasts from other programs never wait on it.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    void *main_thread = reinterpret_cast<void *>(static_cast<UINT_PTR>(GetCurrentThreadId()));
    HANDLE watcher = CreateThread(nullptr, 0, quit_when_stdin_closes, main_thread, 0, nullptr);
    if (!watcher) return fail("CreateThread");
    std::printf("idle\n");
    std::fflush(stdout);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(window);
    return 0;
}
