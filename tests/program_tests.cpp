// Tests of the whole program on the simulated desktop: WinMain runs once per case, from a clipboard set up
// by the test to the exit code, the boxes shown and what the clipboard holds afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "standin/desktop_control.h"
#include "tests/case_names.h"

namespace {

HINSTANCE const instance = reinterpret_cast<HINSTANCE>(0x400000);

const std::string caption = "qUENTAro v0.93\xDF";
const std::string noText = "Error:  Clipboard is either empty or does not contain text.\n"
                           "Select text, hit Ctrl-C & re-run program.";
const std::string question = "Clipboard contains mostly lowercase text, invert anyway?";
const std::string cannotWrite = "Error:  Could not set Clipboard.";
constexpr UINT infoStyle = 0x40, questionStyle = 0x24, warningStyle = 0x30;

std::string Block(const std::string& text)
{
    return text + '\0';
}

struct Box {
    std::string text;
    UINT style;
};

struct Outcome {
    const char* name;
    // What the clipboard holds before the run: CF_TEXT bytes, or nothing when `hasText` is false.
    bool hasText;
    std::string before;
    std::vector<int> answers;
    int hold; // OpenClipboard attempts that fail because another program holds the clipboard
    bool refuseWrite;
    bool shiftJis;
    std::vector<Box> boxes;
    std::string after; // CF_TEXT afterwards; empty when the clipboard is left without text
};

const Outcome outcomes[] = {
    {"typical text", true, Block("tHE qUICK bROWN fOX"), {}, 0, false, false, {}, Block("The Quick Brown Fox")},
    {"mostly lowercase, No", true, Block("Hello world"), {IDNO}, 0, false, false, {{question, questionStyle}},
     Block("Hello world")},
    {"mostly lowercase, Yes", true, Block("Hello world"), {IDYES}, 0, false, false, {{question, questionStyle}},
     Block("hELLO WORLD")},
    {"mostly lowercase, box fails", true, Block("Hello world"), {0}, 0, false, false, {{question, questionStyle}},
     Block("Hello world")},
    {"empty text", true, Block(""), {}, 0, false, false, {}, Block("")},
    {"no text", false, "", {}, 0, false, false, {{noText, infoStyle}}, ""},
    {"held throughout", true, Block("tHE"), {}, holdForever, false, false, {{noText, infoStyle}}, Block("tHE")},
    {"held briefly", true, Block("tHE"), {}, 4, false, false, {}, Block("The")},
    {"write refused", true, Block("tHE"), {}, 0, true, false, {{cannotWrite, warningStyle}}, ""},
    {"write refused after Yes", true, Block("Hello"), {IDYES}, 0, true, false,
     {{question, questionStyle}, {cannotWrite, warningStyle}}, ""},
    // Katakana a, i, u in code page 932 (0x83 0x41, 0x83 0x43, 0x83 0x45) stay whole.
    {"double-byte code page", true, Block("\x83\x41\x83\x43\x83\x45 aBC"), {}, 0, false, true, {},
     Block("\x83\x41\x83\x43\x83\x45 Abc")},
    {"double-byte text, single-byte code page", true, Block("\x83\x41\x83\x43\x83\x45 aBC"), {}, 0, false, false, {},
     Block("\x83\x61\x83\x63\x83\x65 Abc")},
};

void PrintTo(const Outcome& outcome, std::ostream* out)
{
    *out << outcome.name;
}

class Program : public ::testing::TestWithParam<Outcome> {
protected:
    void SetUp() override { ResetDesktop(); }
    void TearDown() override { ResetDesktop(); }
};

TEST_P(Program, RunsOnceAndEndsWithZero)
{
    const Outcome& run = GetParam();
    if (run.hasText)
        PutClipboardBlock(CF_TEXT, run.before);
    else
        PutClipboardBlock(CF_BITMAP, "picture");
    AnswerBoxes(run.answers);
    HoldClipboard(run.hold);
    if (run.refuseWrite)
        FailNext(FailingCall::SetClipboardData);
    if (run.shiftJis)
        SetAnsiCodePage(2, {0x81, 0x9F, 0xE0, 0xFC});

    char commandLine[] = "ignored arguments";
    EXPECT_EQ(WinMain(instance, nullptr, commandLine, 5), 0);

    const std::vector<ShownBox> shown = ShownBoxes();
    ASSERT_EQ(shown.size(), run.boxes.size());
    const std::vector<WindowRecord> windows = Windows();
    ASSERT_EQ(windows.size(), 1u);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].text, run.boxes[i].text);
        EXPECT_EQ(shown[i].caption, caption);
        EXPECT_EQ(shown[i].style, run.boxes[i].style);
        EXPECT_NE(shown[i].owner, nullptr);
        EXPECT_FALSE(shown[i].clipboardOpen) << "a box was shown while the clipboard was open";
    }
    EXPECT_EQ(ClipboardBlock(CF_TEXT), run.after);
    EXPECT_FALSE(ClipboardIsOpen());
    EXPECT_EQ(LockedBlocks(), 0);
    EXPECT_FALSE(MessageLoopWouldBlock()) << "the quit request never came";
    EXPECT_FALSE(windows[0].alive) << "the window was not destroyed";
}

INSTANTIATE_TEST_SUITE_P(Outcomes, Program, ::testing::ValuesIn(outcomes), RowName());

TEST(ProgramWindow, IsRegisteredAndCreatedHidden)
{
    ResetDesktop();
    PutClipboardBlock(CF_TEXT, Block("ABC"));
    char commandLine[] = "";
    WinMain(instance, nullptr, commandLine, 1);

    const WNDCLASSEXA registered = RegisteredClass();
    EXPECT_EQ(registered.cbSize, sizeof(WNDCLASSEXA));
    EXPECT_EQ(registered.style, UINT{CS_HREDRAW | CS_VREDRAW});
    EXPECT_EQ(registered.lpfnWndProc, &MainWindowProc);
    EXPECT_EQ(registered.cbClsExtra, 0);
    EXPECT_EQ(registered.cbWndExtra, 0);
    EXPECT_EQ(registered.hInstance, instance);
    EXPECT_EQ(registered.hIcon, LoadIconA(instance, IDI_APPLICATION));
    EXPECT_EQ(registered.hIconSm, LoadIconA(instance, IDI_APPLICATION));
    EXPECT_EQ(registered.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(registered.hbrBackground, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(registered.lpszMenuName, nullptr);
    EXPECT_EQ(RegisteredClassName(), "qUENTAro");

    const std::vector<WindowRecord> windows = Windows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].className, "qUENTAro");
    EXPECT_EQ(windows[0].windowName, "qUENTAro");
    EXPECT_EQ(windows[0].style, DWORD{WS_OVERLAPPEDWINDOW}) << "the window must never be visible";
    ResetDesktop();
}

} // namespace
