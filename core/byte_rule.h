// The rule for one byte, shared by every implementation, and the walk that keeps double-byte characters whole.
#pragma once

#include <cstdint>

inline bool IsSmallLetter(unsigned char byte)
{
    return static_cast<unsigned char>(byte - 0x61) < 26;
}

// OR 0x20 folds capitals onto small letters and moves 0x40 and 0x5B out of reach, so one range test covers both.
inline bool IsLetter(unsigned char byte)
{
    return static_cast<unsigned char>((byte | 0x20) - 0x61) < 26;
}

// True when some byte below 0x80 is a lead byte. Real code pages have none, which lets the fast paths treat
// any run of ASCII as single bytes; a table that has one falls back to the byte-by-byte walk.
inline bool HasAsciiLeadByte(const unsigned char* leadBytes)
{
    unsigned char any = 0;
    for (int byte = 0; byte < 0x80; ++byte)
        any |= leadBytes[byte];
    return any != 0;
}

// Walks a text with lead bytes. Blocks of `Width` bytes that hold no byte from 0x80 up go to `block` whole;
// elsewhere the walk steps one character at a time, skips double-byte characters and hands single bytes to
// `single`. A lead byte that is the text's last byte is a single byte.
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
        while (i < stop) {
            if (leadBytes[text[i]] && i + 1 < length) {
                i += 2;
            } else {
                single(text + i);
                ++i;
            }
        }
    }
}
