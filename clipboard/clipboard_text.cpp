// Reading the clipboard's text into a private buffer, and replacing the clipboard's content with one text.
#include "clipboard/clipboard_text.h"

#include <cstring>

namespace {

// Clipboard managers and remote-desktop agents hold the clipboard for a few milliseconds at a time. Ten
// retries 20 ms apart ride that out and give up after 200 ms, before a failed run feels slow.
constexpr int openRetries = 10;
constexpr DWORD retryPauseMs = 20;

bool OpenClipboardPatiently(HWND owner)
{
    for (int retry = 0;; ++retry) {
        if (OpenClipboard(owner))
            return true;
        if (retry == openRetries)
            return false;
        Sleep(retryPauseMs);
    }
}

// Copies the block's text up to its first zero, or all of it when it has none, and always ends the copy
// with a zero: the buffer is one byte larger than the block.
char* CopyBlockText(HGLOBAL block)
{
    const SIZE_T size = GlobalSize(block);
    if (size == static_cast<SIZE_T>(-1))
        return nullptr;
    char* text = static_cast<char*>(AllocateBuffer(size + 1));
    if (text == nullptr)
        return nullptr;
    SIZE_T length = 0;
    // A zero-sized block is an empty text; Windows would refuse to lock it.
    if (size != 0) {
        const void* bytes = GlobalLock(block);
        if (bytes == nullptr) {
            FreeBuffer(text);
            return nullptr;
        }
        const void* zero = std::memchr(bytes, 0, size);
        length = zero ? static_cast<SIZE_T>(static_cast<const char*>(zero) - static_cast<const char*>(bytes)) : size;
        std::memcpy(text, bytes, length);
        GlobalUnlock(block);
    }
    text[length] = 0;
    return text;
}

// A moveable, zero-filled block holding the text and, from the zero fill, its terminator.
HGLOBAL MakeTextBlock(const char* text, std::int32_t length)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(length) + 1);
    if (block == nullptr)
        return nullptr;
    void* bytes = GlobalLock(block);
    if (bytes == nullptr)
        return nullptr;
    std::memcpy(bytes, text, static_cast<std::size_t>(length));
    GlobalUnlock(block);
    return block;
}

} // namespace

char* ReadClipboardText(HWND owner)
{
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboardPatiently(owner))
        return nullptr;
    HGLOBAL block = GetClipboardData(CF_TEXT);
    char* text = block ? CopyBlockText(block) : nullptr;
    CloseClipboard();
    return text;
}

int WriteClipboardText(const char* text, std::int32_t length, HWND owner)
{
    HGLOBAL block = MakeTextBlock(text, length);
    if (block == nullptr || !OpenClipboardPatiently(owner))
        return 0;
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    return placed ? 1 : 0;
}
