// The portable implementation: whole machine words at a time (SWAR), plain C++ for any processor.
#include <cstddef>
#include <cstring>

#include "core/byte_rule.h"
#include "core/case_paths.h"

namespace {

using Word = std::size_t;
constexpr int wordBytes = sizeof(Word);
constexpr Word ones = ~Word{0} / 0xFF; // 0x0101...01
constexpr Word highBits = ones * 0x80;
constexpr Word lowBits = ones * 0x7F;

Word Load(const unsigned char* at)
{
    Word word;
    std::memcpy(&word, at, wordBytes);
    return word;
}

void Store(unsigned char* at, Word word)
{
    std::memcpy(at, &word, wordBytes);
}

// 0x80 in each byte of `word` that lies in [first, first + 25]; bytes from 0x80 up never match. Adding
// 0x80 - first to the low seven bits sets a byte's top bit from `first` on, adding 0x80 - (first + 26) from
// one past the range on; neither sum carries into the next byte.
Word InRange(Word word, unsigned first)
{
    const Word low = word & lowBits;
    const Word fromFirst = low + ones * (0x80 - first);
    const Word pastLast = low + ones * (0x80 - first - 26);
    return fromFirst & ~pastLast & ~word & highBits;
}

Word SmallLetters(Word word)
{
    return InRange(word, 0x61);
}

Word Letters(Word word)
{
    return InRange(word | ones * 0x20, 0x61);
}

void InvertWord(unsigned char* at)
{
    const Word word = Load(at);
    Store(at, word ^ (Letters(word) >> 2));
}

bool IsAsciiWord(const unsigned char* at)
{
    return (Load(at) & highBits) == 0;
}

std::int32_t SumBytes(Word counters)
{
    std::int32_t sum = 0;
    for (int i = 0; i < wordBytes; ++i, counters >>= 8)
        sum += static_cast<std::int32_t>(counters & 0xFF);
    return sum;
}

std::int32_t CountWholeWords(const unsigned char* text, std::int32_t words)
{
    std::int32_t count = 0;
    while (words > 0) {
        // Each byte of `counters` counts one lane; 255 words fill it at most.
        const std::int32_t batch = words < 255 ? words : 255;
        Word counters = 0;
        for (std::int32_t i = 0; i < batch; ++i, text += wordBytes)
            counters += SmallLetters(Load(text)) >> 7;
        count += SumBytes(counters);
        words -= batch;
    }
    return count;
}

// Walks a text with lead bytes. Blocks of `Width` bytes that hold no byte from 0x80 up go to `block` whole;
// elsewhere the walk steps one character at a time.
template <int Width, typename Byte, typename IsAsciiBlock, typename Block, typename Single>
void WalkCharacters(Byte* text, std::int32_t length, const unsigned char* leadBytes, IsAsciiBlock isAsciiBlock,
                    Block block, Single single)
{
    const bool blocksAllowed = !HasAsciiLeadByte(leadBytes);
    std::int32_t i = 0;
    while (i < length) {
        if (blocksAllowed && length - i >= Width && isAsciiBlock(text + i)) {
            block(text + i);
            i += Width;
            continue;
        }
        // At most one block check per `Width` bytes, however dense the double-byte characters are.
        const std::int32_t stop = length - i > Width ? i + Width : length;
        i = WalkSingles(text, i, stop, length, leadBytes, single);
    }
}

} // namespace

std::int32_t CountLowercasePortable(const unsigned char* text, std::int32_t length, const unsigned char* leadBytes)
{
    std::int32_t count = 0;
    if (leadBytes != nullptr) {
        WalkCharacters<wordBytes>(
            text, length, leadBytes, IsAsciiWord, [&](const unsigned char* at) { count += CountWholeWords(at, 1); },
            [&](const unsigned char* at) { count += IsSmallLetter(*at); });
        return count;
    }
    const std::int32_t words = length / wordBytes;
    count = CountWholeWords(text, words);
    for (std::int32_t i = words * wordBytes; i < length; ++i)
        count += IsSmallLetter(text[i]);
    return count;
}

void InvertCasePortable(unsigned char* text, std::int32_t length, const unsigned char* leadBytes)
{
    if (leadBytes != nullptr) {
        WalkCharacters<wordBytes>(text, length, leadBytes, IsAsciiWord, InvertWord, InvertSingle);
        return;
    }
    std::int32_t i = 0;
    for (; length - i >= wordBytes; i += wordBytes)
        InvertWord(text + i);
    for (; i < length; ++i)
        InvertSingle(text + i);
}
