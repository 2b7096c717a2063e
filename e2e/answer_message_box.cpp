// Finds a message box by its caption bytes, prints its text, icon, buttons and owner, and presses one of its buttons
// (or, for a picture of it, brings it to the front).
#include "helper_io.h"

#include <vector>

namespace {

struct Search {
    std::string caption;
    HWND found;
};

std::string window_text(HWND window) {
    char text[4096];
    int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

std::string class_of(HWND window) {
    char name[256];
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

BOOL CALLBACK match_caption(HWND window, LPARAM search_address) {
    Search *search = reinterpret_cast<Search *>(search_address);
    if (class_of(window) == "#32770" && IsWindowVisible(window) && window_text(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK list_visible(HWND window, LPARAM) {
    if (!IsWindowVisible(window)) return TRUE;
    std::printf("  window class '%s' caption ", class_of(window).c_str());
    print_hex(window_text(window).c_str());
    std::printf("\n");
    return TRUE;
}

struct Controls {
    HWND text;
    HWND icon;
    std::vector<HWND> buttons;
};

BOOL CALLBACK collect_control(HWND control, LPARAM controls_address) {
    Controls *controls = reinterpret_cast<Controls *>(controls_address);
    std::string name = class_of(control);
    if (name == "Button") {
        controls->buttons.push_back(control);
    } else if (name == "Static") {
        if ((GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) controls->icon = control;
        else if (!controls->text || !window_text(control).empty()) controls->text = control;
    }
    return TRUE;
}

// The icon's handle lives in the program's process, so its kind is told by its pixels: what the screen shows in the
// icon control is compared with each standard icon drawn here on the same background, and the nearest one named.
std::vector<DWORD> capture(HDC source, int x, int y, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD *>(bits), static_cast<const DWORD *>(bits) + width * height);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

std::vector<DWORD> draw_standard_icon(const char *which, DWORD background, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 255, (background >> 8) & 255, background & 255));
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, which), width, height, 0, nullptr, DI_NORMAL);
    std::vector<DWORD> pixels = capture(memory, 0, 0, width, height);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

unsigned long distance(const std::vector<DWORD> &a, const std::vector<DWORD> &b) {
    unsigned long total = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            int difference = static_cast<int>((a[i] >> shift) & 255) - static_cast<int>((b[i] >> shift) & 255);
            total += difference < 0 ? -difference : difference;
        }
    return total;
}

const char *icon_kind(HWND icon) {
    if (!icon || !IsWindowVisible(icon)) return "none";
    RECT place;
    GetWindowRect(icon, &place);
    int width = place.right - place.left, height = place.bottom - place.top;
    if (width <= 0 || height <= 0) return "none";
    static const struct {
        const char *name;
        const char *id;
    } kinds[] = {{"information", IDI_ASTERISK}, {"question", IDI_QUESTION},
                 {"exclamation", IDI_EXCLAMATION}, {"stop", IDI_HAND}};
    // The box may still be painting when it is found; a clear winner settles it.
    const char *best_name = "unrecognised";
    for (int attempt = 0; attempt < 40; ++attempt) {
        HDC screen = GetDC(nullptr);
        std::vector<DWORD> shown = capture(screen, place.left, place.top, width, height);
        ReleaseDC(nullptr, screen);
        unsigned long best = ~0ul, second = ~0ul;
        for (const auto &kind : kinds) {
            unsigned long d = distance(shown, draw_standard_icon(kind.id, shown[0], width, height));
            if (d < best) {
                second = best;
                best = d;
                best_name = kind.name;
            } else if (d < second) {
                second = d;
            }
        }
        if (best * 4 < second) return best_name;
        best_name = "unrecognised";
        Sleep(50);
    }
    return best_name;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        std::printf("usage: answer_message_box CAPTION_HEX show|front|BUTTON_ID TIMEOUT_MS\n");
        return 2;
    }
    Search search = {};
    if (!parse_hex(argv[1], search.caption)) return fail("bad caption");
    int timeout = std::atoi(argv[3]);
    for (int waited = 0; !search.found && waited < timeout; waited += 10) {
        EnumWindows(match_caption, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(10);
    }
    if (!search.found) {
        std::printf("no box with that caption; visible windows:\n");
        EnumWindows(list_visible, 0);
        return 1;
    }
    HWND box = search.found;
    Controls controls = {};
    EnumChildWindows(box, collect_control, reinterpret_cast<LPARAM>(&controls));

    std::printf("caption: ");
    print_hex(window_text(box).c_str());
    std::printf("\ntext: ");
    print_hex(controls.text ? window_text(controls.text).c_str() : "");
    std::printf("\nicon: %s\nbuttons:", icon_kind(controls.icon));
    HWND pressed = nullptr;
    int wanted = std::atoi(argv[2]) > 0 ? std::atoi(argv[2]) : -1;
    for (HWND button : controls.buttons) {
        int id = GetDlgCtrlID(button);
        std::printf(" %d:", id);
        print_hex(window_text(button).c_str());
        if (id == wanted) pressed = button;
    }
    HWND owner = GetWindow(box, GW_OWNER);
    std::printf("\nowner: class '%s' visible %d style %08lx\n", owner ? class_of(owner).c_str() : "",
                owner ? (IsWindowVisible(owner) ? 1 : 0) : 0,
                owner ? static_cast<unsigned long>(GetWindowLongA(owner, GWL_STYLE)) : 0ul);
    // Without a window manager wine never sees the X focus arrive, so the box keeps a grey caption even in front;
    // telling it that it is active paints the caption as a person at a desktop sees it.
    if (std::strcmp(argv[2], "front") == 0) {
        SetForegroundWindow(box);
        SendMessageA(box, WM_NCACTIVATE, TRUE, 0);
        return 0;
    }
    if (wanted < 0) return 0;
    if (!pressed) {
        std::printf("no button %d\n", wanted);
        return 1;
    }
    PostMessageA(pressed, BM_CLICK, 0, 0);
    for (int waited = 0; IsWindow(box) && waited < timeout; waited += 10) Sleep(10);
    std::printf(IsWindow(box) ? "still up after pressing %d\n" : "pressed %d\n", wanted);
    std::fflush(stdout);
    return IsWindow(box) ? 1 : 0;
}
