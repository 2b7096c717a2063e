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

inline void InvertSingle(unsigned char* at)
{
    if (IsLetter(*at))
        *at ^= 0x20;
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

// Hands the single bytes from `i` up to `stop` to `single`, stepping over double-byte characters (the pair's
// second byte may lie at `stop`). A lead byte that is the text's last byte is a single byte. Returns where
// the walk ended.
template <typename Byte, typename Single>
std::int32_t WalkSingles(Byte* text, std::int32_t i, std::int32_t stop, std::int32_t length,
                         const unsigned char* leadBytes, Single single)
{
    while (i < stop) {
        if (leadBytes[text[i]] && i + 1 < length) {
            i += 2;
        } else {
            single(text + i);
            ++i;
        }
    }
    return i;
}
