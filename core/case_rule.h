// The text rule: measuring a clipboard text, judging whether it is mostly lowercase, and swapping its case.
#pragma once

#include <cstdint>

// A lead-byte table has 256 entries, nonzero for each byte that starts a double-byte character in the
// text's code page. Passing none (nullptr) treats every byte by itself.

// Number of bytes before the first zero byte.
std::int32_t TextLength(const char* text);

// Bytes among the first `length` that are ASCII small letters (0x61-0x7A). Second bytes of double-byte
// characters are not letters.
std::int32_t CountLowercase(const char* text, std::int32_t length, const unsigned char* leadBytes = nullptr);

// True when more than half of the text's bytes (half rounded down) are small letters.
bool IsMostlyLowercase(std::int32_t length, std::int32_t lowercase);

// Swaps the case of every ASCII letter among the first `length` bytes, in place. Double-byte characters
// stay whole; a lead byte that ends the text stands alone.
void InvertCase(char* text, std::int32_t length, const unsigned char* leadBytes = nullptr);

// Fills a lead-byte table from inclusive (first, last) pairs as code-page information lists them; the list
// ends at a zero pair or after `rangeBytes` bytes.
void MarkLeadByteRanges(const unsigned char* ranges, int rangeBytes, unsigned char leadBytes[256]);
