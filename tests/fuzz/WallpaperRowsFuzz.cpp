// libFuzzer target of the picture library's row readers (JPEG, PNG, GIF) and the wallpaper read
// from their rows: any bytes, in any style, must give a clean refusal or a wallpaper of the saved
// size whose every pixel was written.
#include "nviewlib/GifRows.h"
#include "nviewlib/JpegRows.h"
#include "nviewlib/Orientation.h"
#include "nviewlib/PictureKind.h"
#include "nviewlib/PngRows.h"
#include "nviewlib/WallpaperRead.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

namespace {
constexpr PixelSize kScreen{64, 48};

void Check(PictureRows& rows, WallpaperStyle style) {
    // Pictures beyond a million pixels read for long and teach the fuzzer nothing.
    if (std::uint64_t(rows.stored.width) * std::uint64_t(rows.stored.height) > (std::uint64_t(1) << 20)) return;
    const Pixels32 wallpaper = ReadWallpaperRows(rows, style, kScreen, 0x123456);
    if (wallpaper.data.empty()) return;
    const PixelSize saved = SavedBitmapSize(style, Turned(rows.stored, rows.orientation), kScreen);
    if (wallpaper.width != saved.width || wallpaper.height != saved.height) std::abort();
    TouchEveryByte(std::vector<std::uint8_t>(reinterpret_cast<const std::uint8_t*>(wallpaper.data.data()),
                                             reinterpret_cast<const std::uint8_t*>(wallpaper.data.data()) +
                                                 wallpaper.data.size() * 4));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The last byte chooses the style; the rest is the file.
    const WallpaperStyle style = kWallpaperStyles[data[size - 1] % kWallpaperStyleCount].style;
    --size;
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!file) return 0;
    switch (SniffPictureKind(data, size, "")) {
    case PictureKind::Jpeg: {
        JpegRows rows(file);
        if (rows.Open() == RowsOpened::Rows) Check(rows, style);
        break;
    }
    case PictureKind::Png: {
        PngRows rows(file);
        if (rows.Open() == RowsOpened::Rows) Check(rows, style);
        break;
    }
    case PictureKind::Gif: {
        GifRows rows(file);
        if (rows.Open() == RowsOpened::Rows) Check(rows, style);
        break;
    }
    default:
        break;
    }
    std::fclose(file);
    return 0;
}
