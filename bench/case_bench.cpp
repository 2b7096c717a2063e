// Speed of the text rule on a 64 MiB mixed text, against memcpy of the same bytes and a naive per-byte loop.
// Run: build/host/bench/case_bench --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/case_rule.h"

namespace {

constexpr std::int32_t textBytes = 64 << 20;

// Letters of both cases, digits, blanks, punctuation, line breaks and bytes from 0x80 up; no zero. With
// `doubleBytes`, about one character in twenty is a code page 932 double-byte character, and the other high
// bytes are single-byte katakana (0xA1-0xDF).
std::vector<char> MixedText(bool doubleBytes)
{
    const char ascii[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789     .,;:!?-()\r\n";
    std::mt19937 random(1998);
    std::vector<char> text(textBytes + 1);
    for (std::int32_t i = 0; i < textBytes; ++i) {
        const unsigned roll = random() % 100;
        if (roll < 90) {
            text[i] = ascii[random() % (sizeof ascii - 1)];
        } else if (doubleBytes && roll < 95 && i + 1 < textBytes) {
            text[i++] = static_cast<char>(0x81 + random() % 31);
            text[i] = static_cast<char>(0x40 + random() % 0xBC);
        } else {
            text[i] = static_cast<char>(doubleBytes ? 0xA1 + random() % 63 : 0x80 + random() % 128);
        }
    }
    return text;
}

const std::vector<unsigned char>& ShiftJisLeadBytes()
{
    static const std::vector<unsigned char> table = [] {
        const unsigned char ranges[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
        std::vector<unsigned char> leadBytes(256);
        MarkLeadByteRanges(ranges, sizeof ranges, leadBytes.data());
        return leadBytes;
    }();
    return table;
}

void BM_Memcpy(benchmark::State& state)
{
    const std::vector<char> text = MixedText(false);
    std::vector<char> copy(text.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), text.data(), textBytes);
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * textBytes);
}

void BM_NaiveInvert(benchmark::State& state)
{
    std::vector<char> text = MixedText(false);
    for (auto _ : state) {
        for (std::int32_t i = 0; i < textBytes; ++i) {
            const char byte = text[i];
            if (byte >= 'A' && byte <= 'Z')
                text[i] = static_cast<char>(byte + 0x20);
            else if (byte >= 'a' && byte <= 'z')
                text[i] = static_cast<char>(byte - 0x20);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * textBytes);
}

void InvertBench(benchmark::State& state, bool doubleBytes)
{
    std::vector<char> text = MixedText(doubleBytes);
    const unsigned char* leadBytes = doubleBytes ? ShiftJisLeadBytes().data() : nullptr;
    for (auto _ : state) {
        InvertCase(text.data(), textBytes, leadBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * textBytes);
}

void CountBench(benchmark::State& state, bool doubleBytes)
{
    const std::vector<char> text = MixedText(doubleBytes);
    const unsigned char* leadBytes = doubleBytes ? ShiftJisLeadBytes().data() : nullptr;
    for (auto _ : state)
        benchmark::DoNotOptimize(CountLowercase(text.data(), textBytes, leadBytes));
    state.SetBytesProcessed(state.iterations() * textBytes);
}

void BM_InvertCase(benchmark::State& state)
{
    InvertBench(state, false);
}

void BM_CountLowercase(benchmark::State& state)
{
    CountBench(state, false);
}

void BM_InvertCaseDbcs(benchmark::State& state)
{
    InvertBench(state, true);
}

void BM_CountLowercaseDbcs(benchmark::State& state)
{
    CountBench(state, true);
}

} // namespace

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_NaiveInvert);
BENCHMARK(BM_InvertCase);
BENCHMARK(BM_CountLowercase);
BENCHMARK(BM_InvertCaseDbcs);
BENCHMARK(BM_CountLowercaseDbcs);

BENCHMARK_MAIN();
