// Decoding a 3840 x 2160 JPEG through the picture library (DecodeJpeg: libjpeg-turbo's own
// decoder into the bottom-up BGRA picture) next to libjpeg-turbo's tjDecompress2 making the same
// bottom-up BGRX picture from the same bytes.
// Two JPEGs, made at start-up by libjpeg-turbo (quality 90, 4:2:0): "detailed", a photo-like
// picture with fine noise (about 1.9 bits per pixel), and "smooth", the same without the noise, as
// drawn wallpapers are.
#include "nviewlib/JpegDecode.h"
#include "tests/bench/SyntheticPicture.h"

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

std::vector<unsigned char> MakeJpeg(bool noisy) {
    const std::vector<unsigned char> rgb = SyntheticPicture(kWidth, kHeight, 3, noisy);
    tjhandle compressor = tjInitCompress();
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    if (!compressor ||
        tjCompress2(compressor, rgb.data(), kWidth, 0, kHeight, TJPF_RGB, &bytes, &size, TJSAMP_420, 90, 0) != 0) {
        std::fprintf(stderr, "tjCompress2 failed\n");
        std::exit(1);
    }
    std::vector<unsigned char> result(bytes, bytes + size);
    tjFree(bytes);
    tjDestroy(compressor);
    return result;
}

void DecodeJpegBench(benchmark::State& state, const std::vector<unsigned char>* bytes) {
    const std::vector<unsigned char>& jpeg = *bytes;
    for (auto _ : state) {
        DecodedPicture picture;
        if (!DecodeJpeg(jpeg.data(), jpeg.size(), picture) || picture.width != kWidth) {
            state.SkipWithError("DecodeJpeg failed");
            break;
        }
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}

void TurboJpegBench(benchmark::State& state, const std::vector<unsigned char>* bytes) {
    const std::vector<unsigned char>& jpeg = *bytes;
    tjhandle decompressor = tjInitDecompress();
    for (auto _ : state) {
        // The same output as the library's: a fresh bottom-up 32-bit picture.
        DecodedPicture picture;
        picture.width = kWidth;
        picture.height = kHeight;
        picture.bitsPerPixel = 32;
        picture.format = PixelFormat::Bits32;
        picture.pixels.resize(picture.Stride() * kHeight);
        if (tjDecompress2(decompressor, jpeg.data(), (unsigned long)jpeg.size(), picture.pixels.data(), kWidth, 0,
                          kHeight, TJPF_BGRX, TJFLAG_BOTTOMUP) != 0) {
            state.SkipWithError("tjDecompress2 failed");
            break;
        }
        benchmark::DoNotOptimize(picture.pixels.data());
    }
    tjDestroy(decompressor);
}

} // namespace

int main(int argc, char** argv) {
    static const std::vector<unsigned char> detailed = MakeJpeg(true), smooth = MakeJpeg(false);
    for (const auto& [name, jpeg] : {std::pair{"detailed", &detailed}, std::pair{"smooth", &smooth}}) {
        const std::string suffix = std::string("/") + name;
        for (benchmark::internal::Benchmark* bench :
             {benchmark::RegisterBenchmark(("DecodeJpeg" + suffix).c_str(), DecodeJpegBench, jpeg),
              benchmark::RegisterBenchmark(("tjDecompress2" + suffix).c_str(), TurboJpegBench, jpeg)})
            bench->Unit(benchmark::kMillisecond)->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
