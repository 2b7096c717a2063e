// The Windows names the program uses, declared for Linux hosts, with the platform's types and constant
// values. Behind them stands a simulated desktop (desktop.cpp) that tests steer through desktop_control.h.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY

typedef int BOOL;
typedef unsigned int UINT;
typedef std::uint32_t DWORD;
typedef std::uint16_t WORD;
typedef std::uint16_t ATOM;
typedef unsigned char BYTE;
typedef std::size_t SIZE_T;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef void* HANDLE;

// Distinct handle types, as STRICT makes them, so a handle passed in the wrong place does not compile.
struct HWND__;
struct HINSTANCE__;
struct HICON__;
struct HCURSOR__;
struct HBRUSH__;
struct HMENU__;
typedef HWND__* HWND;
typedef HINSTANCE__* HINSTANCE;
typedef HICON__* HICON;
typedef HCURSOR__* HCURSOR;
typedef HBRUSH__* HBRUSH;
typedef HMENU__* HMENU;
typedef void* HGDIOBJ;
typedef void* HGLOBAL;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};

struct POINT {
    long x;
    long y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
typedef MSG* LPMSG;

#define MAX_LEADBYTES 12
#define MAX_DEFAULTCHAR 2
struct CPINFO {
    UINT MaxCharSize;
    BYTE DefaultChar[MAX_DEFAULTCHAR];
    BYTE LeadByte[MAX_LEADBYTES];
};
typedef CPINFO* LPCPINFO;

#define TRUE 1
#define FALSE 0
#define CP_ACP 0
#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_UNICODETEXT 13
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define MB_OK 0x00000000L
#define MB_YESNO 0x00000004L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define IDOK 1
#define IDYES 6
#define IDNO 7
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define WS_VISIBLE 0x10000000L
#define CW_USEDEFAULT (static_cast<int>(0x80000000))
#define WHITE_BRUSH 0
#define MAKEINTRESOURCEA(id) (reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(id))))
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define IDC_ARROW MAKEINTRESOURCEA(32512)

// Clipboard
BOOL IsClipboardFormatAvailable(UINT format);
BOOL OpenClipboard(HWND owner);
HANDLE GetClipboardData(UINT format);
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE block);
BOOL CloseClipboard();

// Global memory
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
SIZE_T GlobalSize(HGLOBAL block);
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);

// The C runtime's heap, as the program uses it.
void* AllocateBuffer(SIZE_T size);
void FreeBuffer(void* buffer);

// Time and code pages
void Sleep(DWORD milliseconds);
BOOL GetCPInfo(UINT codePage, LPCPINFO info);

// Windows and messages
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HGDIOBJ GetStockObject(int object);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
