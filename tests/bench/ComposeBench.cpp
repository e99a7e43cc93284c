// Composing wallpapers in memory: tiles and mirrored tiles of a 300 x 200 and a 256 x 256 picture
// over a 3840 x 2160 x 32 bitmap, against one memcpy of that frame; and the averaging scaler fitting
// a 4000 x 3000 picture to 1920 x 1440. scripts/bench.d/wallpaper.sh prints the ratios and times
// ImageMagick's box-filter resize of the same picture next to it.
#include "pictures/PixelCompose.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {
constexpr int kFrameWidth = 3840;
constexpr int kFrameHeight = 2160;

Pixels32 Picture(int width, int height) {
    Pixels32 picture(width, height);
    for (std::size_t i = 0; i < picture.data.size(); ++i)
        picture.data[i] = std::uint32_t(i * 2654435761u) & 0xFFFFFF;
    return picture;
}

// The picture ImageMagick resizes too, when the script names it (a binary PPM); else a made one.
Pixels32 Photo() {
    const char* path = std::getenv("VISTREL_BENCH_PPM");
    std::ifstream in(path ? path : "", std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    if (in >> magic >> width >> height >> maximum && magic == "P6" && maximum == 255) {
        in.get();
        std::vector<unsigned char> bytes(std::size_t(width) * std::size_t(height) * 3);
        in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
        Pixels32 picture(width, height);
        for (std::size_t i = 0; i < picture.data.size(); ++i)
            picture.data[i] = bytes[3 * i + 2] | (bytes[3 * i + 1] << 8) | (bytes[3 * i] << 16);
        return picture;
    }
    return Picture(4000, 3000);
}

void BM_MemcpyFrame(benchmark::State& state) {
    std::vector<std::uint32_t> from(std::size_t(kFrameWidth) * kFrameHeight, 1), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Compose(benchmark::State& state, bool mirror) {
    const Pixels32 picture = Picture(int(state.range(0)), int(state.range(1)));
    Pixels32 frame(kFrameWidth, kFrameHeight);
    for (auto _ : state) {
        ComposeTiles(picture.View(), frame.View(), mirror);
        benchmark::DoNotOptimize(frame.data.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_Compose, Tiled, false)
    ->Args({300, 200})
    ->Args({256, 256})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Compose, Mirror, true)
    ->Args({300, 200})
    ->Args({256, 256})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_FitScale(benchmark::State& state) {
    const Pixels32 photo = Photo();
    Pixels32 fitted(1920, 1440);
    for (auto _ : state) {
        ScaleByArea(photo.View(), fitted.View());
        benchmark::DoNotOptimize(fitted.data.data());
    }
}
BENCHMARK(BM_FitScale)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
