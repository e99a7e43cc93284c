// NViewLib.dll: the program's picture library. NViewLibLoad reads a picture file of any of the
// wallpaper formats into a new bitmap that the caller owns, or returns 0; NViewLibWallpaper makes
// the wallpaper of a picture in a style, reading only what the screen shows of it;
// NViewLibLoadCovering reads a picture at the smallest size that still covers a given one.
#include "nviewlib/DecodePicture.h"
#include "nviewlib/GifRows.h"
#include "nviewlib/JpegRows.h"
#include "nviewlib/Orientation.h"
#include "nviewlib/PictureKind.h"
#include "nviewlib/PngRows.h"
#include "nviewlib/WallpaperRead.h"
#include "pictures/NViewLibApi.h"
#include "platform/Bitmaps.h"
#include "platform/Files.h"
#include "platform/Locks.h"

#include <cstdio>
#include <cstdlib>
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

// What a reading of rows makes of them: true when it made a picture.
template <typename Read> int ReadOpened(PictureRows& rows, RowsOpened opened, Read& read) {
    switch (opened) {
    case RowsOpened::Interlaced:
        return kNViewLibReadWhole;
    case RowsOpened::Refused:
        return kNViewLibUnreadable;
    case RowsOpened::Rows:
        break;
    }
    return read(rows) ? kNViewLibMade : kNViewLibUnreadable;
}

// The file's rows handed to `read`, for the formats read row by row; ReadWhole for the others.
template <typename Read> int ReadRows(const char* path, Read read) {
    OpenFile file(path);
    if (!file.Get()) return kNViewLibUnreadable;
    std::uint8_t head[16] = {};
    const std::size_t got = std::fread(head, 1, sizeof(head), file.Get());
    if (got == 0 || std::fseek(file.Get(), 0, SEEK_SET) != 0) return kNViewLibUnreadable;
    switch (SniffPictureKind(head, got, path)) {
    case PictureKind::Jpeg: {
        JpegRows rows(file.Get());
        return ReadOpened(rows, rows.Open(), read);
    }
    case PictureKind::Png: {
        PngRows rows(file.Get());
        return ReadOpened(rows, rows.Open(), read);
    }
    case PictureKind::Gif: {
        GifRows rows(file.Get());
        return ReadOpened(rows, rows.Open(), read);
    }
    default:
        return kNViewLibReadWhole;
    }
}

std::uint32_t PixelColourOf(COLORREF colour) {
    return (std::uint32_t(GetRValue(colour)) << 16) | (std::uint32_t(GetGValue(colour)) << 8) | GetBValue(colour);
}

// A 32-bit DIB section of the pixels.
UniqueBitmap SectionOf(const Pixels32& pixels) {
    DecodedPicture shape;
    SetBgraShape(shape, pixels.width, pixels.height);
    std::uint8_t* bits = nullptr;
    UniqueBitmap bitmap = CreateDibSectionFor(shape, bits);
    if (!bitmap || !bits) throw std::bad_alloc();
    // The section is bottom-up.
    const std::size_t rowBytes = std::size_t(pixels.width) * 4;
    for (int y = 0; y < pixels.height; ++y)
        std::memcpy(bits + std::size_t(pixels.height - 1 - y) * rowBytes, pixels.View().Row(y), rowBytes);
    return bitmap;
}

HBITMAP LoadWhole(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return nullptr;
    DecodedPicture picture;
    BitmapMemory memory;
    if (!DecodePicture(bytes.data(), bytes.size(), path, picture, memory)) return nullptr;
    if (memory.bitmap) return memory.bitmap.Release();
    return CreateBitmapFromPicture(picture).Release();
}
} // namespace

extern "C" __declspec(dllexport) HBITMAP WINAPI NViewLibLoad(const char* path, BOOL /*flag*/) {
    try {
        if (!path) return nullptr;
        CriticalSectionScope oneAtATime(decoding);
        return LoadWhole(path);
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
            result = ReadRows(path, [&](PictureRows& rows) {
                wallpaper = ReadWallpaperRows(rows, *wanted, {screenWidth, screenHeight}, PixelColourOf(background));
                return !wallpaper.data.empty();
            });
            if (result == kNViewLibMade) made = SectionOf(wallpaper).Release();
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

extern "C" __declspec(dllexport) HBITMAP WINAPI NViewLibLoadCovering(const char* path, int coverWidth, int coverHeight,
                                                                     COLORREF background, int* width, int* height) {
    PixelSize own;
    HBITMAP made = nullptr;
    try {
        if (path && coverWidth > 0 && coverHeight > 0) {
            CriticalSectionScope oneAtATime(decoding);
            Pixels32 picture;
            const int result = ReadRows(path, [&](PictureRows& rows) {
                own = Turned(rows.stored, rows.orientation);
                picture = ReadCoveringRows(rows, {coverWidth, coverHeight}, PixelColourOf(background));
                return !picture.data.empty();
            });
            if (result == kNViewLibMade) {
                made = SectionOf(picture).Release();
            } else if (result == kNViewLibReadWhole) {
                made = LoadWhole(path);
                BITMAP facts = {};
                if (made && GetObjectA(made, sizeof(facts), &facts)) own = {facts.bmWidth, std::abs(facts.bmHeight)};
            }
        }
    } catch (...) {
        // No failure may cross into the caller.
        made = nullptr;
    }
    if (!made) own = {};
    if (width) *width = own.width;
    if (height) *height = own.height;
    return made;
}
