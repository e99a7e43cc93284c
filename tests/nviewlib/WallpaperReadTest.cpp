// The wallpaper read from a picture's rows only as far as the screen shows it, against the one
// composed from the whole decoded picture (as F4 composes the picture on view): the same size and
// place, the same pixels where the style keeps the picture's scale, at least 38 dB where it scales.
#include "nviewlib/GifRows.h"
#include "nviewlib/JpegDecode.h"
#include "nviewlib/JpegRows.h"
#include "nviewlib/Orientation.h"
#include "nviewlib/GifDecode.h"
#include "nviewlib/PngDecode.h"
#include "nviewlib/PngRows.h"
#include "nviewlib/WallpaperRead.h"
#include "tests/support/EncodedPictures.h"
#include "tests/support/PictureQuality.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>

namespace {
constexpr PixelSize kScreen{1024, 768};
constexpr std::uint32_t kBackground = 0x3A6EA5;
enum class Format { Jpeg, Png, Gif };

// The bytes as a file open for reading, closed with the pointer; the bytes must outlive it.
using OpenBytes = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
OpenBytes FileOf(const std::string& bytes) {
    return {fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"), std::fclose};
}

PixelView ViewOf(DecodedPicture& picture) { // bottom-up rows
    auto* pixels = reinterpret_cast<std::uint32_t*>(picture.pixels.data());
    return {pixels + std::ptrdiff_t(picture.height - 1) * picture.width, picture.width, picture.height,
            -std::ptrdiff_t(picture.width)};
}

// The whole picture decoded, its transparent parts laid over the background, and composed.
Pixels32 FromWholePicture(const std::string& file, Format format, WallpaperStyle style, PixelSize screen) {
    DecodedPicture whole;
    const auto* data = reinterpret_cast<const std::uint8_t*>(file.data());
    const bool read = format == Format::Jpeg  ? DecodeJpeg(data, file.size(), whole)
                      : format == Format::Png ? DecodePng(data, file.size(), whole)
                                              : DecodeGif(data, file.size(), whole);
    if (!read) return {};
    if (format != Format::Jpeg) LayOverColour(ViewOf(whole), kBackground);
    return ComposeWallpaper(ViewOf(whole), style, screen);
}

template <typename Rows> Pixels32 ReadRows(std::FILE* file, WallpaperStyle style, PixelSize screen) {
    Rows rows(file);
    return rows.Open() == RowsOpened::Rows ? ReadWallpaperRows(rows, style, screen, kBackground) : Pixels32();
}

template <typename Rows> Pixels32 ReadCovering(const std::string& file, PixelSize cover) {
    const OpenBytes open = FileOf(file);
    Rows rows(open.get());
    return rows.Open() == RowsOpened::Rows ? ReadCoveringRows(rows, cover, kBackground) : Pixels32();
}

Pixels32 FromRows(const std::string& file, Format format, WallpaperStyle style, PixelSize screen) {
    const OpenBytes open = FileOf(file);
    return format == Format::Jpeg  ? ReadRows<JpegRows>(open.get(), style, screen)
           : format == Format::Png ? ReadRows<PngRows>(open.get(), style, screen)
                                   : ReadRows<GifRows>(open.get(), style, screen);
}

::testing::AssertionResult SameWallpaper(const Pixels32& rows, const Pixels32& whole, WallpaperStyle style) {
    if (whole.data.empty()) return ::testing::AssertionFailure() << "no wallpaper from the whole picture";
    if (rows.width != whole.width || rows.height != whole.height)
        return ::testing::AssertionFailure() << "size " << rows.width << " x " << rows.height << ", expected "
                                             << whole.width << " x " << whole.height;
    if (ScalesPicture(style)) {
        const double psnr = Psnr(rows.View(), whole.View());
        if (psnr < 38) return ::testing::AssertionFailure() << "PSNR " << psnr << " dB";
        return ::testing::AssertionSuccess() << psnr;
    }
    for (std::size_t i = 0; i < rows.data.size(); ++i)
        if (rows.data[i] != whole.data[i])
            return ::testing::AssertionFailure()
                   << "pixel " << i % std::size_t(rows.width) << ", " << i / std::size_t(rows.width) << " is "
                   << std::hex << rows.data[i] << ", expected " << whole.data[i];
    return ::testing::AssertionSuccess();
}

std::string DataFile(const std::string& name) {
    std::ifstream file(std::string(NVIEWLIB_TEST_DATA) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Photo-like pictures take a while to make: each size is made once.
const Pixels32& Photo(int width, int height) {
    static std::map<std::pair<int, int>, Pixels32> made;
    Pixels32& photo = made[{width, height}];
    if (photo.data.empty()) photo = PhotoLike(width, height);
    return photo;
}

constexpr WallpaperStyle kStyles[] = {
    WallpaperStyle::Centred,          WallpaperStyle::Stretched, WallpaperStyle::Tiled,
    WallpaperStyle::Fit2Screen,       WallpaperStyle::Mirror,    WallpaperStyle::Fill,
    WallpaperStyle::StretchedToScreen};
} // namespace

TEST(WallpaperRead, EachStyleOfPicturesLargerAndSmallerThanTheScreenIsTheWholePicturesWallpaper) {
    const struct {
        const char* name;
        int width, height;
        Format format;
        PixelSize screen;
        bool progressive;
    } pictures[] = {
        {"4000 x 3000 JPEG", 4000, 3000, Format::Jpeg, kScreen, false},
        {"3840 x 2160 JPEG", 3840, 2160, Format::Jpeg, kScreen, false},
        {"300 x 200 JPEG", 300, 200, Format::Jpeg, kScreen, false},
        {"4000 x 3000 PNG", 4000, 3000, Format::Png, kScreen, false},
        {"odd sizes: 2001 x 1503 JPEG on 1023 x 767", 2001, 1503, Format::Jpeg, {1023, 767}, false},
        {"progressive 1600 x 1200 JPEG", 1600, 1200, Format::Jpeg, kScreen, true},
        {"1500 x 500 JPEG, wider than the screen only", 1500, 500, Format::Jpeg, kScreen, false},
    };
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        const Pixels32& pixels = Photo(picture.width, picture.height);
        JpegOptions options;
        options.progressive = picture.progressive;
        const std::string file = picture.format == Format::Png ? EncodePng(pixels, false) : EncodeJpeg(pixels, options);
        for (WallpaperStyle style : kStyles) {
            SCOPED_TRACE(StyleInfo(style).name);
            EXPECT_TRUE(SameWallpaper(FromRows(file, picture.format, style, picture.screen),
                                      FromWholePicture(file, picture.format, style, picture.screen), style));
        }
    }
}

TEST(WallpaperRead, TheOrientationTurnsThePictureBeforeItIsCut) {
    const Pixels32& pixels = Photo(1105, 1041); // larger than the screen either way up
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE("orientation " + std::to_string(orientation));
        JpegOptions options;
        options.orientation = orientation;
        const std::string file = EncodeJpeg(pixels, options);
        for (WallpaperStyle style : kStyles) {
            SCOPED_TRACE(StyleInfo(style).name);
            EXPECT_TRUE(SameWallpaper(FromRows(file, Format::Jpeg, style, kScreen),
                                      FromWholePicture(file, Format::Jpeg, style, kScreen), style));
        }
    }
}

TEST(WallpaperRead, JpegIsReducedToTheSmallestEighthsThatStillCoverTheSize) {
    const struct {
        int width, height;
        PixelSize atLeast, rows;
    } cases[] = {
        {4000, 3000, {1024, 768}, {1500, 1125}}, // 2/8 would be 1000 x 750
        {3840, 2160, {1024, 576}, {1440, 810}},  // 3/8
        {3840, 2160, {480, 540}, {960, 540}},    // 1/8 would cover the width only
        {4000, 3000, {500, 375}, {500, 375}},    // 1/8 exactly
        {300, 200, {1024, 683}, {300, 200}},     // never larger than stored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const std::string file = EncodeJpeg(Photo(c.width, c.height));
        const OpenBytes open = FileOf(file);
        JpegRows rows(open.get());
        ASSERT_EQ(rows.Open(), RowsOpened::Rows);
        const PixelSize reduced = rows.Reduce(c.atLeast);
        EXPECT_EQ(reduced.width, c.rows.width);
        EXPECT_EQ(reduced.height, c.rows.height);
    }
}

// A picture stored 2400 x 1100 and turned upright, stretched over the screen, needs 768 x 1024 of its
// stored rows: asked for 1024 x 768, a JPEG would be read at 6/8 and its height then enlarged.
TEST(WallpaperRead, ATurnedPictureIsReducedByItsSizeAsStored) {
    struct AskedRows : PictureRows {
        PixelSize Reduce(PixelSize atLeast) override { return asked = atLeast; }
        std::uint32_t* NextRow() override { return row.data(); }
        bool Finish() override { return true; }
        PixelSize asked;
        std::vector<std::uint32_t> row = std::vector<std::uint32_t>(2400);
    } rows;
    rows.stored = {2400, 1100};
    rows.orientation = 6;
    EXPECT_FALSE(ReadWallpaperRows(rows, WallpaperStyle::Stretched, kScreen, kBackground).data.empty());
    EXPECT_EQ(std::make_pair(rows.asked.width, rows.asked.height), std::make_pair(768, 1024));
}

TEST(WallpaperRead, ADamagedPictureIsRefusedInEveryStyleWhereverItIsCut) {
    const struct {
        const char* name;
        std::string file;
        Format format;
        double kept;
        PixelSize screen;
    } cases[] = {
        {"JPEG", EncodeJpeg(Photo(1600, 1200)), Format::Jpeg, 0.3, kScreen},
        {"JPEG", EncodeJpeg(Photo(1600, 1200)), Format::Jpeg, 0.97, kScreen},
        {"PNG", EncodePng(Photo(1600, 1200), false), Format::Png, 0.97, kScreen},
        {"GIF, in its first frame", DataFile("picture.gif"), Format::Gif, 0.55, {32, 24}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " cut at " + std::to_string(c.kept));
        const std::string cut = c.file.substr(0, std::size_t(double(c.file.size()) * c.kept));
        for (WallpaperStyle style : kStyles) {
            SCOPED_TRACE(StyleInfo(style).name);
            EXPECT_TRUE(FromRows(cut, c.format, style, c.screen).data.empty()) << "below the shown rows too";
        }
    }
}

TEST(WallpaperRead, TransparentPartsShowTheBackgroundAndOpaquePicturesAreUnchanged) {
    Pixels32 pixels = PhotoLike(1200, 900, 3);
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) // opacity from 0 on the left to 255 on the right
            pixels.data[std::size_t(y * pixels.width + x)] |= std::uint32_t(x * 255 / (pixels.width - 1)) << 24;
    const struct {
        const char* name;
        std::string file;
        Format format;
    } cases[] = {
        {"PNG with opacity", EncodePng(pixels, true), Format::Png},
        {"opaque PNG", EncodePng(pixels, false), Format::Png},
        {"GIF with a transparent colour", DataFile("transparent.gif"), Format::Gif},
        {"GIF", DataFile("picture.gif"), Format::Gif},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (WallpaperStyle style : kStyles) {
            SCOPED_TRACE(StyleInfo(style).name);
            EXPECT_TRUE(SameWallpaper(FromRows(c.file, c.format, style, kScreen),
                                      FromWholePicture(c.file, c.format, style, kScreen), style));
        }
    }
}

// The preview's read: the smallest size, proportions kept, that covers the one asked for, upright and
// opaque, looking as the whole picture averaged down to it (which "Stretched" to that size is).
TEST(WallpaperRead, ACoveringReadIsTheWholePictureAveragedDownToTheSmallestSizeThatCovers) {
    const struct {
        const char* name;
        int width, height, orientation;
        Format format;
        PixelSize cover, size;
    } cases[] = {
        {"4000 x 3000 JPEG in a 160 x 100 pane", 4000, 3000, 1, Format::Jpeg, {160, 100}, {160, 120}},
        {"turned a quarter: upright 3000 x 4000", 4000, 3000, 6, Format::Jpeg, {160, 100}, {160, 214}},
        {"turned half: the height decides", 2001, 1503, 3, Format::Jpeg, {320, 400}, {533, 400}},
        {"wide: the height decides", 1500, 500, 1, Format::Jpeg, {160, 100}, {300, 100}},
        {"PNG, the same proportions", 1600, 1200, 1, Format::Png, {1024, 768}, {1024, 768}},
        {"no larger than its own size", 300, 200, 1, Format::Jpeg, {320, 400}, {300, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JpegOptions options;
        options.orientation = c.orientation;
        const Pixels32& pixels = Photo(c.width, c.height);
        const bool png = c.format == Format::Png;
        const std::string file = png ? EncodePng(pixels, false) : EncodeJpeg(pixels, options);
        const Pixels32 read = png ? ReadCovering<PngRows>(file, c.cover) : ReadCovering<JpegRows>(file, c.cover);
        const WallpaperStyle stretched = WallpaperStyle::Stretched;
        EXPECT_TRUE(SameWallpaper(read, FromWholePicture(file, c.format, stretched, c.size), stretched));
        for (std::uint32_t pixel : read.data)
            ASSERT_EQ(pixel >> 24, 255u) << "opaque";
    }
}

TEST(WallpaperRead, InterlacedPicturesAreLeftToAWholeDecode) {
    const std::string interlaced = DataFile("picture-interlaced.gif"), text = DataFile("text.png");
    const OpenBytes gif = FileOf(interlaced), notPng = FileOf(text);
    GifRows rows(gif.get());
    EXPECT_EQ(rows.Open(), RowsOpened::Interlaced);
    PngRows png(notPng.get());
    EXPECT_EQ(png.Open(), RowsOpened::Refused);
}

// The window of a turned picture that the screen shows, counted in the stored picture and turned
// upright, is that window of the upright picture, for a window cut unevenly on every side.
TEST(WallpaperRead, TheStoredWindowTurnsUprightIntoTheShownOne) {
    Pixels32 stored(5, 3);
    for (std::size_t i = 0; i < stored.data.size(); ++i)
        stored.data[i] = std::uint32_t(i);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE("orientation " + std::to_string(orientation));
        const PixelSize upright = Turned({5, 3}, orientation), shown{upright.width - 1, upright.height - 1};
        Pixels32 whole(upright.width, upright.height);
        OrientPixels(reinterpret_cast<const std::uint8_t*>(stored.data.data()), 5, 3, orientation, whole.View());
        const ScaledWindow window = StoredWindow({upright.width, upright.height, 1, 1}, shown, orientation);
        ASSERT_EQ(window.width, 5);
        ASSERT_EQ(window.height, 3);
        const PixelSize part = Turned(shown, orientation);
        Pixels32 cut(part.width, part.height), turned(shown.width, shown.height);
        for (int y = 0; y < part.height; ++y)
            for (int x = 0; x < part.width; ++x)
                cut.data[std::size_t(y * part.width + x)] = stored.At(int(window.left) + x, int(window.top) + y);
        OrientPixels(reinterpret_cast<const std::uint8_t*>(cut.data.data()), part.width, part.height, orientation,
                     turned.View());
        for (int y = 0; y < shown.height; ++y)
            for (int x = 0; x < shown.width; ++x)
                EXPECT_EQ(turned.At(x, y), whole.At(1 + x, 1 + y)) << x << ", " << y;
    }
}
