// The text rule's entry points: measuring, judging, and handing the work to the fastest path this processor has.
#include "core/case_rule.h"

#include <cstring>

#include "core/case_paths.h"

namespace {

// Decided once, before WinMain or main runs.
const bool useSse2 = HasSse2Path();

} // namespace

std::int32_t TextLength(const char* text)
{
    return static_cast<std::int32_t>(std::strlen(text));
}

std::int32_t CountLowercase(const char* text, std::int32_t length, const unsigned char* leadBytes)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    return useSse2 ? CountLowercaseSse2(bytes, length, leadBytes) : CountLowercasePortable(bytes, length, leadBytes);
}

bool IsMostlyLowercase(std::int32_t length, std::int32_t lowercase)
{
    return lowercase > length / 2;
}

void InvertCase(char* text, std::int32_t length, const unsigned char* leadBytes)
{
    auto* bytes = reinterpret_cast<unsigned char*>(text);
    if (useSse2)
        InvertCaseSse2(bytes, length, leadBytes);
    else
        InvertCasePortable(bytes, length, leadBytes);
}

void MarkLeadByteRanges(const unsigned char* ranges, int rangeBytes, unsigned char leadBytes[256])
{
    std::memset(leadBytes, 0, 256);
    for (int i = 0; i + 1 < rangeBytes && (ranges[i] != 0 || ranges[i + 1] != 0); i += 2) {
        for (int byte = ranges[i]; byte <= ranges[i + 1]; ++byte)
            leadBytes[byte] = 1;
    }
}
