// Tests of reading and writing the clipboard text against the simulated desktop: what ends up on the
// clipboard, that it is always closed again, and how each platform failure is answered.
#include <gtest/gtest.h>

#include <string>

#include "clipboard/clipboard_text.h"
#include "standin/desktop_control.h"

namespace {

HWND const owner = reinterpret_cast<HWND>(0x77);

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override { ResetDesktop(); }
    void TearDown() override
    {
        EXPECT_FALSE(ClipboardIsOpen()) << "the clipboard was left open";
        EXPECT_EQ(LockedBlocks(), 0) << "a block was left locked";
        ResetDesktop();
    }
};

std::string Read()
{
    const char* text = ReadClipboardText(owner);
    return text ? std::string(text) : std::string("(null)");
}

std::string Calls()
{
    std::string joined;
    for (const std::string& call : CallLog())
        joined += call + " ";
    return joined;
}

TEST_F(Clipboard, ReadsTextUpToItsFirstZero)
{
    const struct {
        const char* name;
        std::string block;
        std::string text;
    } table[] = {
        {"plain", std::string("tHE qUICK\0", 10), "tHE qUICK"},
        {"empty text", std::string("\0", 1), ""},
        {"zero inside", std::string("ab\0cd\0", 6), "ab"},
        {"block larger than its text", std::string("xy\0\0\0\0\0\0", 8), "xy"},
        {"no zero within the block", "unterminated", "unterminated"},
        {"block of size zero", "", ""},
        {"bytes from 0x80 up", std::string("\x80\xDF\xFF\0", 4), "\x80\xDF\xFF"},
    };
    for (const auto& row : table) {
        ResetDesktop();
        PutClipboardBlock(CF_TEXT, row.block);
        EXPECT_EQ(Read(), row.text) << row.name;
        EXPECT_FALSE(ClipboardIsOpen()) << row.name;
        EXPECT_EQ(ClipboardBlock(CF_TEXT), row.block) << row.name << ": reading changed the clipboard";
    }
}

TEST_F(Clipboard, ReaderDoesNotOpenAClipboardWithoutText)
{
    PutClipboardBlock(CF_BITMAP, "picture");
    EXPECT_EQ(Read(), "(null)");
    EXPECT_EQ(OpenClipboardAttempts(), 0);
}

TEST_F(Clipboard, ReaderAnswersEveryFailureWithNullAndClosesTheClipboard)
{
    for (FailingCall call : {FailingCall::GetClipboardData, FailingCall::GlobalLock, FailingCall::AllocateBuffer}) {
        ResetDesktop();
        PutClipboardBlock(CF_TEXT, std::string("text\0", 5));
        FailNext(call);
        EXPECT_EQ(Read(), "(null)") << Calls();
        EXPECT_FALSE(ClipboardIsOpen()) << Calls();
        EXPECT_EQ(ClipboardBlock(CF_TEXT), std::string("text\0", 5));
    }
}

TEST_F(Clipboard, WritesOneTerminatedBlockInPlaceOfEverything)
{
    const struct {
        const char* name;
        std::string text;
        std::int32_t length;
        std::string block;
    } table[] = {
        {"plain", "The Quick", 9, std::string("The Quick\0", 10)},
        {"empty", "", 0, std::string("\0", 1)},
        {"only the first length bytes", "keep-drop", 4, std::string("keep\0", 5)},
    };
    for (const auto& row : table) {
        ResetDesktop();
        PutClipboardBlock(CF_TEXT, "old");
        PutClipboardBlock(CF_UNICODETEXT, std::string("o\0l\0d\0\0\0", 8));
        PutClipboardBlock(CF_BITMAP, "picture");
        EXPECT_EQ(WriteClipboardText(row.text.c_str(), row.length, owner), 1) << row.name;
        EXPECT_EQ(ClipboardFormats(), std::vector<UINT>{CF_TEXT}) << row.name;
        EXPECT_EQ(ClipboardBlock(CF_TEXT), row.block) << row.name;
        EXPECT_FALSE(ClipboardIsOpen()) << row.name;
    }
}

// The block is ready before the clipboard is opened, so the clipboard is held for as short a time as can be.
TEST_F(Clipboard, WriterPreparesItsBlockBeforeOpening)
{
    EXPECT_EQ(WriteClipboardText("x", 1, owner), 1);
    EXPECT_EQ(Calls(), "GlobalAlloc GlobalLock GlobalUnlock OpenClipboard EmptyClipboard SetClipboardData CloseClipboard ");
}

TEST_F(Clipboard, WriterFailuresBeforeEmptyingKeepTheClipboard)
{
    for (FailingCall call : {FailingCall::GlobalAlloc, FailingCall::GlobalLock, FailingCall::OpenClipboard}) {
        ResetDesktop();
        PutClipboardBlock(CF_TEXT, std::string("old\0", 4));
        FailNext(call);
        if (call == FailingCall::OpenClipboard)
            HoldClipboard(holdForever);
        EXPECT_EQ(WriteClipboardText("new", 3, owner), 0) << Calls();
        EXPECT_EQ(ClipboardBlock(CF_TEXT), std::string("old\0", 4)) << Calls();
        EXPECT_FALSE(ClipboardIsOpen()) << Calls();
    }
}

// Once emptied, the clipboard cannot get its old content back; the text lives on only in the caller's buffer.
TEST_F(Clipboard, RefusedBlockLeavesTheClipboardEmptyAndClosed)
{
    PutClipboardBlock(CF_TEXT, std::string("old\0", 4));
    FailNext(FailingCall::SetClipboardData);
    EXPECT_EQ(WriteClipboardText("new", 3, owner), 0);
    EXPECT_TRUE(ClipboardFormats().empty());
}

TEST_F(Clipboard, BriefHoldByAnotherProgramIsWaitedOut)
{
    PutClipboardBlock(CF_TEXT, std::string("abc\0", 4));
    HoldClipboard(3);
    EXPECT_EQ(Read(), "abc");
    HoldClipboard(10);
    EXPECT_EQ(WriteClipboardText("ABC", 3, owner), 1);
    EXPECT_EQ(ClipboardBlock(CF_TEXT), std::string("ABC\0", 4));
}

TEST_F(Clipboard, HoldThatNeverEndsGivesUpAfterAboutAFifthOfASecond)
{
    PutClipboardBlock(CF_TEXT, std::string("abc\0", 4));
    HoldClipboard(holdForever);
    EXPECT_EQ(Read(), "(null)");
    EXPECT_EQ(OpenClipboardAttempts(), 11);
    EXPECT_EQ(SleptMilliseconds(), 200u);
    EXPECT_EQ(WriteClipboardText("ABC", 3, owner), 0);
    EXPECT_EQ(SleptMilliseconds(), 400u);
    EXPECT_EQ(ClipboardBlock(CF_TEXT), std::string("abc\0", 4));
}

} // namespace
