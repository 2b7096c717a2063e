// libFuzzer target for the text rule: any bytes, any set of lead bytes. The first 32 input bytes pick the
// lead bytes (one bit each); the rest is the text. Every implementation must keep the rule's promises.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/case_paths.h"
#include "core/case_rule.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool InLetterRange(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

// Marks the bytes that belong to a double-byte character, walking from the start as the code page does.
std::vector<bool> DoubleByteParts(const unsigned char* text, std::size_t length, const unsigned char* leadBytes)
{
    std::vector<bool> parts(length);
    for (std::size_t i = 0; leadBytes && i < length; ++i) {
        if (leadBytes[text[i]] && i + 1 < length) {
            parts[i] = parts[i + 1] = true;
            ++i;
        }
    }
    return parts;
}

void CheckPaths(const std::vector<unsigned char>& original, const unsigned char* leadBytes)
{
    const auto length = static_cast<std::int32_t>(original.size());
    const std::vector<bool> parts = DoubleByteParts(original.data(), original.size(), leadBytes);
    std::int32_t recount = 0;
    for (std::size_t i = 0; i < original.size(); ++i)
        recount += !parts[i] && original[i] >= 'a' && original[i] <= 'z';

    std::vector<unsigned char> portable = original, sse2 = original;
    Check(CountLowercasePortable(original.data(), length, leadBytes) == recount);
    InvertCasePortable(portable.data(), length, leadBytes);
    Check(portable.size() == original.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        const bool changes = !parts[i] && InLetterRange(original[i]);
        Check(portable[i] == (changes ? (original[i] ^ 0x20) : original[i]));
    }
    if (HasSse2Path()) {
        Check(CountLowercaseSse2(original.data(), length, leadBytes) == recount);
        InvertCaseSse2(sse2.data(), length, leadBytes);
        Check(sse2 == portable);
    }
    // Inverting twice restores the text unless a letter is itself a lead byte (no real code page has one):
    // then the first inversion changes where characters begin.
    bool letterLeads = false;
    for (int byte = 0; leadBytes && byte < 256; ++byte)
        letterLeads |= leadBytes[byte] && InLetterRange(static_cast<unsigned char>(byte));
    InvertCasePortable(portable.data(), length, leadBytes);
    Check(letterLeads || portable == original);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 32)
        return 0;
    unsigned char leadBytes[256];
    for (int byte = 0; byte < 256; ++byte)
        leadBytes[byte] = (data[byte / 8] >> (byte % 8)) & 1;
    // An exact-size copy, so the sanitizer sees any read or write past the text.
    const std::vector<unsigned char> text(data + 32, data + size);
    CheckPaths(text, nullptr);
    CheckPaths(text, leadBytes);
    return 0;
}
