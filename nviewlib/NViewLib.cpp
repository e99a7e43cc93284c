// NViewLib.dll: the program's picture library. NViewLibLoad reads a picture file of any of the
// wallpaper formats into a new bitmap that the caller owns, or returns 0; NViewLibWallpaper makes
// the wallpaper of a picture in a style, reading only what the screen shows of it.
#include "nviewlib/DecodePicture.h"
#include "nviewlib/GifRows.h"
#include "nviewlib/JpegRows.h"
#include "nviewlib/PictureKind.h"
#include "nviewlib/PngRows.h"
#include "nviewlib/WallpaperRead.h"
#include "pictures/NViewLibApi.h"
#include "platform/Bitmaps.h"
#include "platform/Files.h"
#include "platform/Locks.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace {
// The decoders keep a little state of their own per decode, so calls from several threads of the
// caller take turns.
CriticalSection decoding;

// JPEG, PNG, GIF and TGA decoders write straight into the memory of the bitmap they return.
class BitmapMemory : public PictureMemory {
public:
    std::uint8_t* Provide(DecodedPicture& picture) override {
        std::uint8_t* bits = nullptr;
        bitmap = CreateDibSectionFor(picture, bits);
        return bits;
    }
    UniqueBitmap bitmap;
};

class OpenFile {
public:
    explicit OpenFile(const char* path) : file_(std::fopen(path, "rb")) {}
    ~OpenFile() {
        if (file_) std::fclose(file_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    std::FILE* Get() const { return file_; }

private:
    std::FILE* file_;
};

template <typename Rows>
int WallpaperOfRows(std::FILE* file, WallpaperStyle style, PixelSize screen, std::uint32_t background,
                    Pixels32& wallpaper) {
    Rows rows(file);
    switch (rows.Open()) {
    case RowsOpened::Interlaced:
        return kNViewLibReadWhole;
    case RowsOpened::Refused:
        return kNViewLibUnreadable;
    case RowsOpened::Rows:
        break;
    }
    wallpaper = ReadWallpaperRows(rows, style, screen, background);
    return wallpaper.data.empty() ? kNViewLibUnreadable : kNViewLibMade;
}

// The wallpaper from the file's rows, for the formats read row by row; ReadWhole for the others.
int ReadWallpaper(const char* path, WallpaperStyle style, PixelSize screen, std::uint32_t background,
                  Pixels32& wallpaper) {
    OpenFile file(path);
    if (!file.Get()) return kNViewLibUnreadable;
    std::uint8_t head[16] = {};
    const std::size_t got = std::fread(head, 1, sizeof(head), file.Get());
    if (got == 0 || std::fseek(file.Get(), 0, SEEK_SET) != 0) return kNViewLibUnreadable;
    switch (SniffPictureKind(head, got, path)) {
    case PictureKind::Jpeg:
        return WallpaperOfRows<JpegRows>(file.Get(), style, screen, background, wallpaper);
    case PictureKind::Png:
        return WallpaperOfRows<PngRows>(file.Get(), style, screen, background, wallpaper);
    case PictureKind::Gif:
        return WallpaperOfRows<GifRows>(file.Get(), style, screen, background, wallpaper);
    default:
        return kNViewLibReadWhole;
    }
}
} // namespace

extern "C" __declspec(dllexport) HBITMAP WINAPI NViewLibLoad(const char* path, BOOL /*flag*/) {
    try {
        if (!path) return nullptr;
        CriticalSectionScope oneAtATime(decoding);
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(path, bytes)) return nullptr;
        DecodedPicture picture;
        BitmapMemory memory;
        if (!DecodePicture(bytes.data(), bytes.size(), path, picture, memory)) return nullptr;
        if (memory.bitmap) return memory.bitmap.Release();
        return CreateBitmapFromPicture(picture).Release();
    } catch (...) {
        // No failure may cross into the caller.
        return nullptr;
    }
}

extern "C" __declspec(dllexport) HBITMAP WINAPI NViewLibWallpaper(const char* path, int style, int screenWidth,
                                                                  int screenHeight, COLORREF background, int* outcome) {
    int result = kNViewLibUnreadable;
    HBITMAP made = nullptr;
    try {
        const std::optional<WallpaperStyle> wanted = WallpaperStyleOfValue(style);
        if (path && wanted && screenWidth > 0 && screenHeight > 0) {
            CriticalSectionScope oneAtATime(decoding);
            Pixels32 wallpaper;
            const std::uint32_t colour = (std::uint32_t(GetRValue(background)) << 16) |
                                         (std::uint32_t(GetGValue(background)) << 8) | GetBValue(background);
            result = ReadWallpaper(path, *wanted, {screenWidth, screenHeight}, colour, wallpaper);
            if (result == kNViewLibMade) {
                DecodedPicture shape;
                SetBgraShape(shape, wallpaper.width, wallpaper.height);
                std::uint8_t* bits = nullptr;
                UniqueBitmap bitmap = CreateDibSectionFor(shape, bits);
                if (!bitmap || !bits) throw std::bad_alloc();
                // The section is bottom-up.
                const std::size_t rowBytes = std::size_t(wallpaper.width) * 4;
                for (int y = 0; y < wallpaper.height; ++y)
                    std::memcpy(bits + std::size_t(wallpaper.height - 1 - y) * rowBytes, wallpaper.View().Row(y),
                                rowBytes);
                made = bitmap.Release();
            }
        }
    } catch (const std::bad_alloc&) {
        result = kNViewLibNoMemory;
    } catch (...) {
        // No failure may cross into the caller.
        result = kNViewLibUnreadable;
    }
    if (outcome) *outcome = made ? kNViewLibMade : result;
    return made;
}
