// The simulated desktop behind the stand-in: one clipboard, global memory blocks with real sizes, windows
// with their procedures, a message queue and message boxes, all in this process and steered by tests.
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>

#include "standin/desktop_control.h"

namespace {

struct Block {
    std::unique_ptr<unsigned char[]> bytes; // exactly `size` bytes, so a sanitizer sees any overrun
    SIZE_T size;
    int locks;
};

struct Window {
    WindowRecord record;
    WNDPROC procedure;
};

struct Desktop {
    std::map<std::uintptr_t, Block> blocks;
    std::uintptr_t nextHandle = 0x1000;
    std::map<UINT, HGLOBAL> clipboard;
    bool open = false;
    bool emptiedSinceOpen = false;
    int holdAttempts = 0;
    int openAttempts = 0;
    std::map<FailingCall, bool> failNext;
    std::vector<std::string> calls;
    DWORD slept = 0;
    CPINFO codePage = {1, {'?', 0}, {0}};
    std::deque<int> answers;
    std::vector<ShownBox> boxes;
    std::map<std::uintptr_t, Window> windows;
    WNDCLASSEXA windowClass = {};
    std::string className;
    std::string menuName;
    std::deque<MSG> queue;
    bool loopWouldBlock = false;
    std::vector<void*> heap;
};

Desktop desktop;

std::uintptr_t NewHandle()
{
    return desktop.nextHandle += 0x10;
}

bool Fails(FailingCall call, const char* name)
{
    desktop.calls.push_back(name);
    const bool fails = desktop.failNext[call];
    desktop.failNext[call] = false;
    return fails;
}

Block* FindBlock(HGLOBAL handle)
{
    auto found = desktop.blocks.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == desktop.blocks.end() ? nullptr : &found->second;
}

HGLOBAL NewBlock(SIZE_T size, bool zeroed)
{
    const std::uintptr_t handle = NewHandle();
    Block& block = desktop.blocks[handle];
    block.bytes.reset(new unsigned char[size]);
    // Fresh memory that is not asked to be zeroed is not zero, so reliance on it shows.
    std::memset(block.bytes.get(), zeroed ? 0 : 0xCD, size);
    block.size = size;
    block.locks = 0;
    return reinterpret_cast<HGLOBAL>(handle);
}

void FreeClipboardBlocks()
{
    for (const auto& entry : desktop.clipboard)
        desktop.blocks.erase(reinterpret_cast<std::uintptr_t>(entry.second));
    desktop.clipboard.clear();
}

Window* FindWindow(HWND handle)
{
    auto found = desktop.windows.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == desktop.windows.end() || !found->second.record.alive ? nullptr : &found->second;
}

void DestroyWindow(HWND handle)
{
    Window* window = FindWindow(handle);
    if (window == nullptr)
        return;
    window->procedure(handle, WM_DESTROY, 0, 0);
    window->record.alive = false;
}

} // namespace

// Test controls

void ResetDesktop()
{
    for (void* buffer : desktop.heap)
        std::free(buffer);
    desktop.~Desktop();
    new (&desktop) Desktop();
}

void PutClipboardBlock(UINT format, const std::string& bytes)
{
    desktop.blocks.erase(reinterpret_cast<std::uintptr_t>(desktop.clipboard[format]));
    HGLOBAL handle = NewBlock(bytes.size(), true);
    std::memcpy(FindBlock(handle)->bytes.get(), bytes.data(), bytes.size());
    desktop.clipboard[format] = handle;
}

std::string ClipboardBlock(UINT format)
{
    auto found = desktop.clipboard.find(format);
    if (found == desktop.clipboard.end())
        return {};
    const Block* block = FindBlock(found->second);
    return std::string(reinterpret_cast<const char*>(block->bytes.get()), block->size);
}

std::vector<UINT> ClipboardFormats()
{
    std::vector<UINT> formats;
    for (const auto& entry : desktop.clipboard)
        formats.push_back(entry.first);
    return formats;
}

bool ClipboardIsOpen()
{
    return desktop.open;
}

int LockedBlocks()
{
    int locked = 0;
    for (const auto& entry : desktop.blocks)
        locked += entry.second.locks > 0;
    return locked;
}

void HoldClipboard(int attempts)
{
    desktop.holdAttempts = attempts;
}

int OpenClipboardAttempts()
{
    return desktop.openAttempts;
}

void FailNext(FailingCall call)
{
    desktop.failNext[call] = true;
}

std::vector<std::string> CallLog()
{
    return desktop.calls;
}

DWORD SleptMilliseconds()
{
    return desktop.slept;
}

void SetAnsiCodePage(UINT maxCharSize, const std::vector<BYTE>& leadByteRanges)
{
    desktop.codePage = CPINFO{maxCharSize, {'?', 0}, {0}};
    for (std::size_t i = 0; i < leadByteRanges.size() && i < MAX_LEADBYTES; ++i)
        desktop.codePage.LeadByte[i] = leadByteRanges[i];
}

void AnswerBoxes(const std::vector<int>& answers)
{
    desktop.answers.assign(answers.begin(), answers.end());
}

std::vector<ShownBox> ShownBoxes()
{
    return desktop.boxes;
}

std::vector<WindowRecord> Windows()
{
    std::vector<WindowRecord> records;
    for (const auto& entry : desktop.windows)
        records.push_back(entry.second.record);
    return records;
}

WNDCLASSEXA RegisteredClass()
{
    return desktop.windowClass;
}

std::string RegisteredClassName()
{
    return desktop.className;
}

bool MessageLoopWouldBlock()
{
    return desktop.loopWouldBlock;
}

// Clipboard

BOOL IsClipboardFormatAvailable(UINT format)
{
    desktop.calls.push_back("IsClipboardFormatAvailable");
    return desktop.clipboard.count(format) != 0;
}

BOOL OpenClipboard(HWND)
{
    ++desktop.openAttempts;
    if (Fails(FailingCall::OpenClipboard, "OpenClipboard") || desktop.open)
        return FALSE;
    if (desktop.holdAttempts != 0) {
        if (desktop.holdAttempts > 0)
            --desktop.holdAttempts;
        return FALSE;
    }
    desktop.open = true;
    desktop.emptiedSinceOpen = false;
    return TRUE;
}

HANDLE GetClipboardData(UINT format)
{
    if (Fails(FailingCall::GetClipboardData, "GetClipboardData") || !desktop.open)
        return nullptr;
    auto found = desktop.clipboard.find(format);
    return found == desktop.clipboard.end() ? nullptr : found->second;
}

BOOL EmptyClipboard()
{
    desktop.calls.push_back("EmptyClipboard");
    if (!desktop.open)
        return FALSE;
    FreeClipboardBlocks();
    desktop.emptiedSinceOpen = true;
    return TRUE;
}

// As on Windows, only the window that emptied the clipboard owns it and may place data.
HANDLE SetClipboardData(UINT format, HANDLE block)
{
    if (Fails(FailingCall::SetClipboardData, "SetClipboardData") || !desktop.open || !desktop.emptiedSinceOpen ||
        FindBlock(block) == nullptr)
        return nullptr;
    desktop.clipboard[format] = block;
    return block;
}

BOOL CloseClipboard()
{
    desktop.calls.push_back("CloseClipboard");
    const bool wasOpen = desktop.open;
    desktop.open = false;
    return wasOpen;
}

// Global memory

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes)
{
    if (Fails(FailingCall::GlobalAlloc, "GlobalAlloc"))
        return nullptr;
    return NewBlock(bytes, (flags & GMEM_ZEROINIT) != 0);
}

SIZE_T GlobalSize(HGLOBAL handle)
{
    desktop.calls.push_back("GlobalSize");
    const Block* block = FindBlock(handle);
    return block == nullptr ? 0 : block->size;
}

// A block of size zero is a discarded one, which Windows refuses to lock.
LPVOID GlobalLock(HGLOBAL handle)
{
    Block* block = FindBlock(handle);
    if (Fails(FailingCall::GlobalLock, "GlobalLock") || block == nullptr || block->size == 0)
        return nullptr;
    ++block->locks;
    return block->bytes.get();
}

BOOL GlobalUnlock(HGLOBAL handle)
{
    desktop.calls.push_back("GlobalUnlock");
    Block* block = FindBlock(handle);
    if (block == nullptr || block->locks == 0)
        return FALSE;
    return --block->locks > 0;
}

void* AllocateBuffer(SIZE_T size)
{
    if (Fails(FailingCall::AllocateBuffer, "AllocateBuffer"))
        return nullptr;
    void* buffer = std::malloc(size);
    desktop.heap.push_back(buffer);
    return buffer;
}

void FreeBuffer(void* buffer)
{
    desktop.calls.push_back("FreeBuffer");
    for (void*& owned : desktop.heap) {
        if (owned == buffer) {
            std::free(buffer);
            owned = nullptr;
        }
    }
}

// Time and code pages

void Sleep(DWORD milliseconds)
{
    desktop.calls.push_back("Sleep");
    desktop.slept += milliseconds;
}

BOOL GetCPInfo(UINT codePage, LPCPINFO info)
{
    if (codePage != CP_ACP)
        return FALSE;
    *info = desktop.codePage;
    return TRUE;
}

// Windows and messages

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass)
{
    if (windowClass->cbSize != sizeof(WNDCLASSEXA))
        return 0;
    desktop.windowClass = *windowClass;
    desktop.className = windowClass->lpszClassName;
    desktop.menuName = windowClass->lpszMenuName ? windowClass->lpszMenuName : "";
    desktop.windowClass.lpszClassName = desktop.className.c_str();
    desktop.windowClass.lpszMenuName = windowClass->lpszMenuName ? desktop.menuName.c_str() : nullptr;
    return 1;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int, int, int, int, HWND, HMENU,
                     HINSTANCE, LPVOID)
{
    if (desktop.windowClass.cbSize == 0 || desktop.className != className)
        return nullptr;
    const std::uintptr_t id = NewHandle();
    HWND handle = reinterpret_cast<HWND>(id);
    desktop.windows[id] = Window{{className, windowName, style, true}, desktop.windowClass.lpfnWndProc};
    // Like Windows, the procedure sees WM_CREATE before this returns; a window gone by then yields no handle.
    if (desktop.windows[id].procedure(handle, WM_CREATE, 0, 0) == -1)
        DestroyWindow(handle);
    return FindWindow(handle) ? handle : nullptr;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE)
        DestroyWindow(window);
    return 0;
}

LRESULT SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = FindWindow(handle);
    return window == nullptr ? 0 : window->procedure(handle, message, wParam, lParam);
}

void PostQuitMessage(int exitCode)
{
    MSG quit = {};
    quit.message = WM_QUIT;
    quit.wParam = static_cast<WPARAM>(exitCode);
    desktop.queue.push_back(quit);
}

// Returns -1, the platform's error result, instead of waiting for a message that would never come.
BOOL GetMessageA(LPMSG message, HWND, UINT, UINT)
{
    if (desktop.queue.empty()) {
        desktop.loopWouldBlock = true;
        return -1;
    }
    *message = desktop.queue.front();
    desktop.queue.pop_front();
    return message->message != WM_QUIT;
}

BOOL TranslateMessage(const MSG*)
{
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* message)
{
    return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name)
{
    return reinterpret_cast<HICON>(reinterpret_cast<std::uintptr_t>(instance) + reinterpret_cast<std::uintptr_t>(name));
}

// Icons and cursors get distinct handles, so a test can tell which call gave which.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    return reinterpret_cast<HCURSOR>(0x40000000 + reinterpret_cast<std::uintptr_t>(instance) +
                                     reinterpret_cast<std::uintptr_t>(name));
}

HGDIOBJ GetStockObject(int object)
{
    return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(0x8000 + object));
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    desktop.boxes.push_back(ShownBox{owner, text, caption, type, desktop.open});
    if (desktop.answers.empty())
        return (type & 0xF) == MB_OK ? IDOK : 0;
    const int answer = desktop.answers.front();
    desktop.answers.pop_front();
    return answer;
}
