// Reading a 3840 x 2160 x 24-bit bitmap held in memory, against one memcpy of its pixel bytes.
// scripts/bench.d/bmp.sh prints the ratio (target: at most 3).
#include "pictures/BmpReader.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;
constexpr std::size_t kStride = (kWidth * 3 + 3) / 4 * 4;
constexpr std::size_t kPixelBytes = kStride * kHeight;
constexpr std::size_t kOffset = 54;

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

// A 24-bit bitmap file with a 40-byte header; height negative for rows stored top-down.
std::vector<std::uint8_t> MakeFile(bool topDown) {
    std::vector<std::uint8_t> file(kOffset + kPixelBytes);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, std::uint32_t(file.size()));
    Put32(file, 10, std::uint32_t(kOffset));
    Put32(file, 14, 40);
    Put32(file, 18, kWidth);
    Put32(file, 22, std::uint32_t(topDown ? -kHeight : kHeight));
    Put32(file, 26, 1 | (24 << 16));
    Put32(file, 34, std::uint32_t(kPixelBytes));
    for (std::size_t i = kOffset; i < file.size(); ++i)
        file[i] = std::uint8_t(i * 131 >> 3);
    return file;
}

void ReadBmpBench(benchmark::State& state, bool topDown) {
    const std::vector<std::uint8_t> file = MakeFile(topDown);
    for (auto _ : state) {
        DecodedPicture picture;
        if (ReadBmp(file.data(), file.size(), picture) != BmpStatus::Ok) state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(picture.pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kPixelBytes));
}

void BM_ReadBmp24(benchmark::State& state) {
    ReadBmpBench(state, false);
}
void BM_ReadBmp24TopDown(benchmark::State& state) {
    ReadBmpBench(state, true);
}

void BM_MemcpyPixels(benchmark::State& state) {
    const std::vector<std::uint8_t> file = MakeFile(false);
    std::vector<std::uint8_t> target(kPixelBytes);
    for (auto _ : state) {
        std::memcpy(target.data(), file.data() + kOffset, kPixelBytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kPixelBytes));
}

} // namespace

BENCHMARK(BM_MemcpyPixels)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadBmp24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadBmp24TopDown)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
