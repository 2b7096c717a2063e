// The interchangeable implementations behind the text rule: a portable one for any processor and an SSE2
// one picked at run time. Tests and the fuzzer call both to prove they agree.
#pragma once

#include <cstdint>

std::int32_t CountLowercasePortable(const unsigned char* text, std::int32_t length, const unsigned char* leadBytes);
void InvertCasePortable(unsigned char* text, std::int32_t length, const unsigned char* leadBytes);

// False where the processor (or this build's target) has no SSE2; the SSE2 functions must not be called then.
bool HasSse2Path();
std::int32_t CountLowercaseSse2(const unsigned char* text, std::int32_t length, const unsigned char* leadBytes);
void InvertCaseSse2(unsigned char* text, std::int32_t length, const unsigned char* leadBytes);
