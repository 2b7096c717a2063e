// The program's entry: register the window class, create the hidden window (which runs the job), and pump
// messages until the window procedure asks to quit.
#include "app/main_window.h"

namespace {

void RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = mainWindowClass;
    windowClass.hIconSm = LoadIconA(instance, IDI_APPLICATION);
    RegisterClassExA(&windowClass);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    RegisterMainWindowClass(instance);
    // Never shown: the window exists to own the clipboard and the message boxes, and the whole job runs
    // while it is being created.
    CreateWindowExA(0, mainWindowClass, mainWindowClass, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    // The loop stops at the quit request and also at an error (-1), which would otherwise spin forever.
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
