// libFuzzer target of the picture library's row readers (JPEG, PNG, GIF) and what is read from
// their rows: any bytes, in any style and at a covering size as the preview reads them, must give a
// clean refusal or a picture of the size asked whose every pixel was written.
#include "nviewlib/GifRows.h"
#include "nviewlib/JpegRows.h"
#include "nviewlib/Orientation.h"
#include "nviewlib/PictureKind.h"
#include "nviewlib/PngRows.h"
#include "nviewlib/WallpaperRead.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>

namespace {
constexpr PixelSize kScreen{64, 48};
// Sizes a preview pane covers: wider and taller than the picture, and a single pixel.
constexpr PixelSize kCovers[] = {{64, 48}, {30, 70}, {1, 1}};

void Touch(const Pixels32& picture) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(picture.data.data());
    TouchEveryByte(std::vector<std::uint8_t>(bytes, bytes + picture.data.size() * 4));
}

// Pictures beyond a million pixels read for long and teach the fuzzer nothing.
bool Small(const PictureRows& rows) {
    return std::uint64_t(rows.stored.width) * std::uint64_t(rows.stored.height) <= (std::uint64_t(1) << 20);
}

void CheckWallpaper(PictureRows& rows, WallpaperStyle style) {
    const Pixels32 wallpaper = ReadWallpaperRows(rows, style, kScreen, 0x123456);
    if (wallpaper.data.empty()) return;
    const PixelSize saved = SavedBitmapSize(style, Turned(rows.stored, rows.orientation), kScreen);
    if (wallpaper.width != saved.width || wallpaper.height != saved.height) std::abort();
    Touch(wallpaper);
}

// The covering read makes the upright picture at its covering size, every pixel opaque.
void CheckCovering(PictureRows& rows, PixelSize cover) {
    const Pixels32 picture = ReadCoveringRows(rows, cover, 0x123456);
    if (picture.data.empty()) return;
    const PixelSize made = CoveringSize(Turned(rows.stored, rows.orientation), cover);
    if (picture.width != made.width || picture.height != made.height) std::abort();
    for (std::uint32_t pixel : picture.data)
        if (pixel >> 24 != 0xFF) std::abort();
    Touch(picture);
}

// The row reader of the bytes' kind, opened; null for any other kind or a refusal.
std::unique_ptr<PictureRows> OpenRows(PictureKind kind, std::FILE* file) {
    std::unique_ptr<PictureRows> rows;
    RowsOpened opened = RowsOpened::Refused;
    if (kind == PictureKind::Jpeg) {
        auto jpeg = std::make_unique<JpegRows>(file);
        opened = jpeg->Open();
        rows = std::move(jpeg);
    } else if (kind == PictureKind::Png) {
        auto png = std::make_unique<PngRows>(file);
        opened = png->Open();
        rows = std::move(png);
    } else if (kind == PictureKind::Gif) {
        auto gif = std::make_unique<GifRows>(file);
        opened = gif->Open();
        rows = std::move(gif);
    }
    return opened == RowsOpened::Rows && Small(*rows) ? std::move(rows) : nullptr;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The last byte chooses the style and the covering size; the rest is the file.
    const std::uint8_t choice = data[size - 1];
    const WallpaperStyle style = kWallpaperStyles[choice % kWallpaperStyleCount].style;
    const PixelSize cover = kCovers[choice / kWallpaperStyleCount % std::size(kCovers)];
    --size;
    const PictureKind kind = SniffPictureKind(data, size, "");
    // Each read from the file's start, as the library reads a file anew for each.
    for (int read = 0; read < 2; ++read) {
        std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
        if (!file) return 0;
        if (std::unique_ptr<PictureRows> rows = OpenRows(kind, file)) {
            if (read == 0)
                CheckWallpaper(*rows, style);
            else
                CheckCovering(*rows, cover);
        }
        std::fclose(file);
    }
    return 0;
}
