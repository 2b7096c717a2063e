// The SSE2 implementation, sixteen bytes at a time. The program is built for any i686, so this file is
// compiled for SSE2 function by function and only called once the processor has shown it has SSE2.
#include "core/case_paths.h"

#if defined(__i386__) || defined(__x86_64__)

#include <emmintrin.h>

#if defined(__i386__)
#include <cpuid.h>
#endif

#include "core/byte_rule.h"

// 32-bit Windows keeps the stack only 4-byte aligned; SSE2 spills need 16.
#if defined(__i386__)
#define SSE2_FUNCTION __attribute__((target("sse2"), force_align_arg_pointer))
#else
#define SSE2_FUNCTION
#endif

namespace {

// Signed compares only: shifting [first, first + 25] to [-128, -103] makes "below -102" the range test.
SSE2_FUNCTION inline __m128i InRange(__m128i bytes, char first)
{
    const __m128i shifted = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(0x80 - first)));
    return _mm_cmplt_epi8(shifted, _mm_set1_epi8(-128 + 26));
}

SSE2_FUNCTION inline __m128i Load(const unsigned char* at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

SSE2_FUNCTION inline void Store(unsigned char* at, __m128i bytes)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), bytes);
}

SSE2_FUNCTION inline __m128i Letters(__m128i bytes)
{
    return InRange(_mm_or_si128(bytes, _mm_set1_epi8(0x20)), 0x61);
}

// Flips bit 0x20 of the bytes that `selected` marks with 0xFF.
SSE2_FUNCTION inline __m128i SwapCase(__m128i bytes, __m128i selected)
{
    return _mm_xor_si128(bytes, _mm_and_si128(selected, _mm_set1_epi8(0x20)));
}

SSE2_FUNCTION inline void InvertBlock(unsigned char* at)
{
    const __m128i bytes = Load(at);
    Store(at, SwapCase(bytes, Letters(bytes)));
}

SSE2_FUNCTION std::int32_t CountWholeBlocks(const unsigned char* text, std::int32_t blocks)
{
    std::int32_t count = 0;
    while (blocks > 0) {
        // Each byte lane counts down from zero by one per small letter; 255 blocks fill it at most.
        const std::int32_t batch = blocks < 255 ? blocks : 255;
        __m128i counters = _mm_setzero_si128();
        for (std::int32_t i = 0; i < batch; ++i, text += 16)
            counters = _mm_sub_epi8(counters, InRange(Load(text), 0x61));
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
        blocks -= batch;
    }
    return count;
}

// Bit k is set for each byte k of the block that belongs to a double-byte character. Only bytes from 0x80 up
// can start one here, so the search visits those alone. `carry` (0 or 1) comes in as bit 0 when the block's
// first byte ends a character begun in the block before, and goes out the same way for the next block.
SSE2_FUNCTION inline unsigned DoubleByteBits(const unsigned char* block, __m128i bytes, const unsigned char* leadBytes,
                                             unsigned& carry)
{
    unsigned candidates = static_cast<unsigned>(_mm_movemask_epi8(bytes)) & ~carry;
    unsigned parts = carry;
    while (candidates != 0) {
        const unsigned at = static_cast<unsigned>(__builtin_ctz(candidates));
        candidates &= candidates - 1;
        if (leadBytes[block[at]]) {
            parts |= 3u << at;
            candidates &= ~(2u << at);
        }
    }
    carry = parts >> 16;
    return parts & 0xFFFF;
}

// 0xFF in each byte whose bit is set in `bits`.
SSE2_FUNCTION inline __m128i BitsToBytes(unsigned bits)
{
    const __m128i spread = _mm_unpacklo_epi64(_mm_set1_epi8(static_cast<char>(bits & 0xFF)),
                                              _mm_set1_epi8(static_cast<char>(bits >> 8)));
    const __m128i select = _mm_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
    return _mm_cmpeq_epi8(_mm_and_si128(spread, select), select);
}

SSE2_FUNCTION std::int32_t CountDoubleByteText(const unsigned char* text, std::int32_t length,
                                               const unsigned char* leadBytes)
{
    std::int32_t count = 0, i = 0;
    unsigned carry = 0;
    for (; length - i >= 16; i += 16) {
        const __m128i bytes = Load(text + i);
        const unsigned parts = DoubleByteBits(text + i, bytes, leadBytes, carry);
        count += __builtin_popcount(static_cast<unsigned>(_mm_movemask_epi8(InRange(bytes, 0x61))) & ~parts);
    }
    WalkSingles(text, i + static_cast<std::int32_t>(carry), length, length, leadBytes,
                [&](const unsigned char* at) { count += IsSmallLetter(*at); });
    return count;
}

SSE2_FUNCTION void InvertDoubleByteText(unsigned char* text, std::int32_t length, const unsigned char* leadBytes)
{
    std::int32_t i = 0;
    unsigned carry = 0;
    for (; length - i >= 16; i += 16) {
        const __m128i bytes = Load(text + i);
        const unsigned parts = DoubleByteBits(text + i, bytes, leadBytes, carry);
        Store(text + i, SwapCase(bytes, _mm_andnot_si128(BitsToBytes(parts), Letters(bytes))));
    }
    WalkSingles(text, i + static_cast<std::int32_t>(carry), length, length, leadBytes, InvertSingle);
}

} // namespace

bool HasSse2Path()
{
#if defined(__i386__)
    unsigned eax, ebx, ecx, edx;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (edx & bit_SSE2) != 0;
#else
    return true;
#endif
}

SSE2_FUNCTION std::int32_t CountLowercaseSse2(const unsigned char* text, std::int32_t length, const unsigned char* leadBytes)
{
    if (leadBytes != nullptr)
        return HasAsciiLeadByte(leadBytes) ? CountLowercasePortable(text, length, leadBytes)
                                           : CountDoubleByteText(text, length, leadBytes);
    const std::int32_t blocks = length / 16;
    std::int32_t count = CountWholeBlocks(text, blocks);
    for (std::int32_t i = blocks * 16; i < length; ++i)
        count += IsSmallLetter(text[i]);
    return count;
}

SSE2_FUNCTION void InvertCaseSse2(unsigned char* text, std::int32_t length, const unsigned char* leadBytes)
{
    if (leadBytes != nullptr) {
        if (HasAsciiLeadByte(leadBytes))
            InvertCasePortable(text, length, leadBytes);
        else
            InvertDoubleByteText(text, length, leadBytes);
        return;
    }
    std::int32_t i = 0;
    for (; length - i >= 16; i += 16)
        InvertBlock(text + i);
    for (; i < length; ++i)
        InvertSingle(text + i);
}

#else

bool HasSse2Path()
{
    return false;
}

std::int32_t CountLowercaseSse2(const unsigned char*, std::int32_t, const unsigned char*)
{
    return 0;
}

void InvertCaseSse2(unsigned char*, std::int32_t, const unsigned char*) {}

#endif
