// Tests of the text rule: the lowercase count, the "mostly lowercase" judgement and the case swap, on every
// implementation the processor offers, with and without a double-byte code page.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/case_paths.h"
#include "core/case_rule.h"
#include "tests/case_names.h"

namespace {

// Code page 932 (Japanese): lead bytes 0x81-0x9F and 0xE0-0xFC, as GetCPInfo lists them.
std::vector<unsigned char> ShiftJisLeadBytes()
{
    const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
    std::vector<unsigned char> table(256);
    MarkLeadByteRanges(ranges, sizeof ranges, table.data());
    return table;
}

const std::vector<unsigned char> shiftJis = ShiftJisLeadBytes();

struct Path {
    const char* name;
    std::int32_t (*count)(const unsigned char*, std::int32_t, const unsigned char*);
    void (*invert)(unsigned char*, std::int32_t, const unsigned char*);
};

std::int32_t CountThroughApi(const unsigned char* text, std::int32_t length, const unsigned char* leadBytes)
{
    return CountLowercase(reinterpret_cast<const char*>(text), length, leadBytes);
}

void InvertThroughApi(unsigned char* text, std::int32_t length, const unsigned char* leadBytes)
{
    InvertCase(reinterpret_cast<char*>(text), length, leadBytes);
}

std::vector<Path> Paths()
{
    std::vector<Path> paths = {{"api", CountThroughApi, InvertThroughApi},
                               {"portable", CountLowercasePortable, InvertCasePortable}};
    if (HasSse2Path())
        paths.push_back({"sse2", CountLowercaseSse2, InvertCaseSse2});
    return paths;
}

// The rule stated the slow way, one character at a time, as the oracle for the fast paths.
std::string ReferenceInvert(std::string text, const unsigned char* leadBytes, std::int32_t* lowercase)
{
    *lowercase = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = text[i];
        if (leadBytes && leadBytes[byte] && i + 1 < text.size()) {
            ++i;
        } else if (byte >= 'a' && byte <= 'z') {
            ++*lowercase;
            text[i] = static_cast<char>(byte - 0x20);
        } else if (byte >= 'A' && byte <= 'Z') {
            text[i] = static_cast<char>(byte + 0x20);
        }
    }
    return text;
}

struct Case {
    const char* name;
    std::string text; // the bytes before the zero
    bool shiftJis;
    std::int32_t lowercase;
    bool mostlyLowercase;
    std::string inverted;
};

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    while (times-- > 0)
        text += piece;
    return text;
}

std::string AllHighBytes()
{
    std::string bytes;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        bytes += static_cast<char>(byte);
    return bytes;
}

const Case cases[] = {
    {"empty", "", false, 0, false, ""},
    {"lone small letter", "q", false, 1, true, "Q"},
    {"lone capital", "Q", false, 0, false, "q"},
    {"lone digit", "7", false, 0, false, "7"},
    {"four bytes, two small: exactly half", "abCD", false, 2, false, "ABcd"},
    {"four bytes, three small", "abcD", false, 3, true, "ABCd"},
    {"hELLO wORLD", "hELLO wORLD", false, 2, false, "Hello World"},
    {"Hello world", "Hello world", false, 9, true, "hELLO WORLD"},
    {"typical text", "tHE qUICK bROWN fOX", false, 4, false, "The Quick Brown Fox"},
    {"no letters", "0123 456,.;:!?-\r\n\t", false, 0, false, "0123 456,.;:!?-\r\n\t"},
    // Long enough to pass through the block paths, not only the byte-by-byte tail.
    {"neighbours of the letter ranges", Repeat("@[`{", 10), false, 0, false, Repeat("@[`{", 10)},
    {"letters and their neighbours", Repeat("@AZ[`az{", 5), false, 10, false, Repeat("@az[`AZ{", 5)},
    {"range ends", "AZaz", false, 2, false, "azAZ"},
    {"accented letters stay", "\xC9t\xE9", false, 1, false, "\xC9T\xE9"},
    {"every byte from 0x80 up", AllHighBytes(), false, 0, false, AllHighBytes()},
    {"mostly non-letters weigh against", "ab\xE9\xE9", false, 2, false, "AB\xE9\xE9"},
    // Code page 932: katakana a, i, u are 0x83 0x41, 0x83 0x43, 0x83 0x45.
    {"double-byte characters stay whole", "\x83\x41\x83\x43\x83\x45", true, 0, false, "\x83\x41\x83\x43\x83\x45"},
    {"same bytes without a code page", "\x83\x41\x83\x43\x83\x45", false, 0, false, "\x83\x61\x83\x63\x83\x65"},
    {"small-letter trail byte is not counted", "\x83\x61x", true, 1, false, "\x83\x61X"},
    {"letters beside double-byte characters", "a\x83\x41" "b", true, 2, false, "A\x83\x41" "B"},
    {"lead byte at the end stands alone", "ab\x83", true, 2, true, "AB\x83"},
    {"lead byte as trail byte", "\x83\x83" "a", true, 1, false, "\x83\x83" "A"},
    {"high bytes that are not lead bytes", "\xA0" "a\xA1" "b", true, 2, false, "\xA0" "A\xA1" "B"},
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class TextRule : public ::testing::TestWithParam<Case> {};

TEST_P(TextRule, CountsJudgesAndInvertsOnEveryPath)
{
    const Case& c = GetParam();
    const unsigned char* leadBytes = c.shiftJis ? shiftJis.data() : nullptr;
    const auto length = static_cast<std::int32_t>(c.text.size());
    for (const Path& path : Paths()) {
        SCOPED_TRACE(path.name);
        // The zero and the guard byte after it must survive untouched.
        std::string buffer = c.text + '\0' + 'g';
        auto* bytes = reinterpret_cast<unsigned char*>(&buffer[0]);
        EXPECT_EQ(path.count(bytes, length, leadBytes), c.lowercase);
        path.invert(bytes, length, leadBytes);
        EXPECT_EQ(buffer, c.inverted + '\0' + 'g');
        path.invert(bytes, length, leadBytes);
        EXPECT_EQ(buffer.substr(0, c.text.size()), c.text) << "inverting twice restores";
    }
    EXPECT_EQ(IsMostlyLowercase(length, c.lowercase), c.mostlyLowercase);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextRule, ::testing::ValuesIn(cases), RowName());

TEST(TextLength, StopsAtTheFirstZero)
{
    EXPECT_EQ(TextLength(""), 0);
    EXPECT_EQ(TextLength("abc"), 3);
    EXPECT_EQ(TextLength("ab\0cd"), 2);
}

TEST(IsMostlyLowercase, MoreThanHalfRoundedDown)
{
    const struct {
        std::int32_t length, lowercase;
        bool mostly;
    } table[] = {{0, 0, false}, {1, 0, false}, {1, 1, true}, {4, 2, false}, {4, 3, true},
                 {7, 3, false}, {7, 4, true},  {8, 4, false}, {8, 5, true}};
    for (const auto& row : table)
        EXPECT_EQ(IsMostlyLowercase(row.length, row.lowercase), row.mostly) << row.length << " " << row.lowercase;
}

TEST(MarkLeadByteRanges, MarksEachRangeAndStopsAtTheZeroPair)
{
    const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0x20, 0x30};
    unsigned char table[256];
    MarkLeadByteRanges(ranges, sizeof ranges, table);
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(table[byte] != 0, (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) << byte;
}

// Every length and starting offset around the block sizes, so every mix of whole blocks and tail bytes is
// met, with double-byte characters straddling block edges.
TEST(FastPaths, AgreeWithTheRuleAtEveryLengthAndAlignment)
{
    // Every byte value but zero, so the edges of the letter ranges and the lead bytes all turn up.
    std::mt19937 random(932);
    std::string pool(200, ' ');
    for (char& byte : pool)
        byte = static_cast<char>(1 + random() % 255);
    for (const unsigned char* leadBytes : {static_cast<const unsigned char*>(nullptr), shiftJis.data()}) {
        for (std::size_t offset = 0; offset < 16; ++offset) {
            for (std::size_t length = 0; length <= 70; ++length) {
                const std::string text = pool.substr(offset, length);
                std::int32_t lowercase;
                const std::string expected = ReferenceInvert(text, leadBytes, &lowercase);
                for (const Path& path : Paths()) {
                    std::string buffer = pool;
                    auto* bytes = reinterpret_cast<unsigned char*>(&buffer[offset]);
                    const auto n = static_cast<std::int32_t>(length);
                    ASSERT_EQ(path.count(bytes, n, leadBytes), lowercase) << path.name << " " << offset << "+" << length;
                    path.invert(bytes, n, leadBytes);
                    ASSERT_EQ(buffer.substr(offset, length), expected) << path.name << " " << offset << "+" << length;
                    ASSERT_EQ(buffer.substr(offset + length), pool.substr(offset + length)) << "wrote past the text";
                }
            }
        }
    }
}

// A table with a lead byte below 0x80 is not a real code page, but the rule must still hold for it.
TEST(FastPaths, HandleLeadBytesBelow0x80)
{
    std::vector<unsigned char> table(256);
    table['a'] = 1;
    std::string text = "xaaBaQ" + std::string(40, 'k') + "a";
    std::int32_t lowercase;
    const std::string expected = ReferenceInvert(text, table.data(), &lowercase);
    for (const Path& path : Paths()) {
        std::string buffer = text;
        auto* bytes = reinterpret_cast<unsigned char*>(&buffer[0]);
        EXPECT_EQ(path.count(bytes, static_cast<std::int32_t>(text.size()), table.data()), lowercase) << path.name;
        path.invert(bytes, static_cast<std::int32_t>(text.size()), table.data());
        EXPECT_EQ(buffer, expected) << path.name;
    }
}

} // namespace
