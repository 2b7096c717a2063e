// Shared plumbing of the end-to-end helper programs: bytes as hex on the command line and stdout, a window of our own.
#pragma once

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// The C runtime would turn each "\n" into "\r\n" on stdout; the suite compares what the helpers say byte for byte.
inline const int stdout_is_binary = _setmode(_fileno(stdout), _O_BINARY);

// Bytes travel as hex so that zeros, 0x0A and code page 932 lead bytes survive wine's argument and pipe handling.
inline void print_hex(const unsigned char *bytes, size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string line;
    line.reserve(count * 2 + 1);
    for (size_t i = 0; i < count; ++i) {
        line.push_back(digits[bytes[i] >> 4]);
        line.push_back(digits[bytes[i] & 15]);
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
}

inline void print_hex(const char *text) {
    print_hex(reinterpret_cast<const unsigned char *>(text), std::strlen(text));
}

inline int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

inline bool parse_hex(const char *hex, std::string &bytes) {
    size_t length = std::strlen(hex);
    if (length % 2 != 0) return false;
    bytes.clear();
    bytes.reserve(length / 2);
    for (size_t i = 0; i < length; i += 2) {
        int high = hex_digit(hex[i]);
        int low = hex_digit(hex[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return true;
}

// Several MiB do not fit on a command line (32 KiB on Windows), so "@path" names a file holding the raw bytes.
inline bool read_bytes_argument(const char *argument, std::string &bytes) {
    if (argument[0] != '@') return parse_hex(argument, bytes);
    FILE *file = std::fopen(argument + 1, "rb");
    if (!file) return false;
    bytes.clear();
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    std::fclose(file);
    return true;
}

// The clipboard is held against other programs only when opened with a window; a NULL owner does not lock it in wine.
inline HWND create_helper_window(const char *class_name) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = class_name;
    RegisterClassA(&window_class);
    return CreateWindowA(class_name, class_name, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         window_class.hInstance, nullptr);
}

// Another helper may still be closing the clipboard when this one starts; a second is plenty under wine.
inline bool open_clipboard_patiently(HWND window) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(window)) return true;
        Sleep(10);
    }
    return false;
}

inline int fail(const char *what) {
    std::printf("error: %s (GetLastError %lu)\n", what, GetLastError());
    std::fflush(stdout);
    return 2;
}
