// ScreenBench: a JPEG photo to a finished screen file in the 32-bit program, next to the picture
// library's decode of the same file alone. The two alternate, A B A B; the target is the time beyond
// the decode. The parts of the screen are timed apart as well: frame, palette and dithering, file.
// Usage: ScreenBench <folder of the picture> <file name> <folder of NViewLib.dll> <runs>
#include "pictures/ScreenFromPicture.h"
#include "pictures/ScreenMaker.h"
#include "pictures/Wallpaper.h"
#include "platform/Files.h"
#include "tests/bench/BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::printf("usage: ScreenBench <picture folder> <file name> <NViewLib folder> <runs>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\", source = folder + argv[2];
    const std::string target = folder + "screen-bench.bmp";
    const int runs = std::max(1, std::atoi(argv[4]));
    TPictureLibrary library(std::string(argv[3]) + "\\");

    std::vector<double> decode, whole, frame, quantize, write;
    int width = 0, height = 0;
    for (int run = 0; run < runs + 1; ++run) {
        // A: the decode alone.
        double start = NowMs();
        UniqueBitmap bitmap(library.Load(source));
        const double decoded = NowMs() - start;
        if (!bitmap) {
            std::printf("no picture made of %s\n", source.c_str());
            return 1;
        }
        // The parts, on the decoded picture.
        ConstPixelView view;
        Pixels32 copy;
        if (!ViewPixelBitmap(bitmap.Get(), view)) {
            copy = ReadPixels(bitmap.Get());
            view = copy.View();
        }
        width = view.width;
        height = view.height;
        start = NowMs();
        const Pixels32 screenFrame = FrameScreen(view);
        const double framed = NowMs() - start;
        start = NowMs();
        const IndexedPicture screen = QuantizeScreen(screenFrame, ScreenPictureRect(view.Size()), false);
        const double quantized = NowMs() - start;
        start = NowMs();
        const bool written = ReplaceFileContents(target, EncodeBmp8(screen)).Ok();
        const double wrote = NowMs() - start;
        bitmap.Reset();
        // B: the whole command's work, from the file to the screen file.
        start = NowMs();
        const ScreenResult result = MakeScreenFromPicture(library, source, target, false);
        const double made = NowMs() - start;
        if (!result.Ok() || !written) {
            std::printf("the screen was not made: %s\n", ScreenFailureText(result).c_str());
            return 1;
        }
        if (run == 0) continue; // the first run loads the library and warms the file cache
        decode.push_back(decoded);
        frame.push_back(framed);
        quantize.push_back(quantized);
        write.push_back(wrote);
        whole.push_back(made);
    }
    DeleteFileA(target.c_str());
    std::printf("picture=%dx%d\ndecode_ms=%.1f\nwhole_ms=%.1f\nbeyond_decode_ms=%.1f\n", width, height,
                MedianOf(decode), MedianOf(whole), MedianOf(whole) - MedianOf(decode));
    std::printf("frame_ms=%.1f\nquantize_ms=%.1f\nwrite_ms=%.1f\n", MedianOf(frame), MedianOf(quantize),
                MedianOf(write));
    return 0;
}
