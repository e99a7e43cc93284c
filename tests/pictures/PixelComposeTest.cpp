#include "pictures/BmpReader.h"
#include "pictures/PixelCompose.h"
#include "tests/support/PictureQuality.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace {
// A picture whose every pixel tells where it came from: x in the low byte, y in the next.
Pixels32 Numbered(int width, int height) {
    Pixels32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.data[std::size_t(y * width + x)] = std::uint32_t(x | (y << 8));
    return picture;
}

std::string Where(std::uint32_t pixel) {
    return std::to_string(pixel & 0xFF) + "," + std::to_string((pixel >> 8) & 0xFF);
}

Pixels32 Random(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Pixels32 picture(width, height);
    for (std::uint32_t& pixel : picture.data)
        pixel = random() & 0xFFFFFF;
    return picture;
}

int Channel(std::uint32_t pixel, int c) {
    return int((pixel >> (8 * c)) & 0xFF);
}

// The exact area average of each target pixel, in real numbers.
double Reference(const Pixels32& source, int tw, int th, int x, int y, int c) {
    const double sx = double(source.width) / tw, sy = double(source.height) / th;
    double sum = 0;
    for (int v = 0; v < source.height; ++v) {
        double oy = std::min(v + 1.0, (y + 1) * sy) - std::max(double(v), y * sy);
        if (oy <= 0) continue;
        for (int u = 0; u < source.width; ++u) {
            double ox = std::min(u + 1.0, (x + 1) * sx) - std::max(double(u), x * sx);
            if (ox > 0) sum += ox * oy * Channel(source.At(u, v), c);
        }
    }
    return sum / (sx * sy);
}

} // namespace

TEST(PixelCompose, MirrorTurnsOddColumnsAndRowsAndClipsAtTheEdge) {
    const Pixels32 picture = Numbered(4, 3);
    Pixels32 target(10, 7);
    ComposeTiles(picture.View(), target.View(), true);
    struct Case {
        const char* name;
        int x, y;
        const char* from; // the picture's pixel that must show there
    } cases[] = {
        {"top-left tile as it is", 1, 1, "1,1"},
        {"odd column turned left to right", 4, 0, "3,0"},
        {"odd column's far edge", 7, 1, "0,1"},
        {"odd row turned top to bottom", 1, 3, "1,2"},
        {"odd row's far edge", 2, 5, "2,0"},
        {"odd column and row turned both ways", 5, 4, "2,1"},
        {"even column again as it is, cut at the edge", 9, 0, "1,0"},
        {"even row again as it is, cut at the edge", 8, 6, "0,0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Where(target.At(c.x, c.y)), c.from);
    }
    // Neighbouring tiles meet as mirror images along every edge.
    for (int y = 0; y < 7; ++y)
        EXPECT_EQ(target.At(3, y), target.At(4, y)) << "row " << y;
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(target.At(x, 2), target.At(x, 3)) << "column " << x;
}

TEST(PixelCompose, TilesRepeatUnturnedAndAreCutAtEveryEdge) {
    const Pixels32 picture = Numbered(4, 3);
    struct Case {
        const char* name;
        int width, height;
    } cases[] = {{"several tiles", 10, 7},
                 {"smaller than one tile", 3, 2},
                 {"one row of tiles", 9, 3},
                 {"an exact number of tiles, none beyond the edge", 8, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pixels32 target(c.width, c.height);
        ComposeTiles(picture.View(), target.View(), false);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(Where(target.At(x, y)), Where(picture.At(x % 4, y % 3))) << "at " << x << "," << y;
    }
}

TEST(PixelCompose, TilesIntoABottomUpBitmap) {
    const Pixels32 picture = Numbered(4, 3);
    std::vector<std::uint32_t> memory(6 * 5);
    // Rows stored last first, as in a Windows bitmap.
    PixelView bottomUp{memory.data() + 4 * 6, 6, 5, -6};
    ComposeTiles(picture.View(), bottomUp, true);
    EXPECT_EQ(Where(memory[0]), "0,1") << "the stored first row is the screen's last (row 4: odd tile, row 1)";
    EXPECT_EQ(Where(memory[4 * 6 + 5]), "2,0") << "the stored last row is the screen's first";
}

TEST(PixelCompose, AreaScalingMatchesTheExactAverage) {
    const Pixels32 source = Random(37, 23, 7);
    struct Case {
        const char* name;
        int width, height;
    } cases[] = {{"down in both", 11, 7},
                 {"down by a whole factor", 37, 1},
                 {"up in both", 80, 50},
                 {"down across, up down", 5, 40},
                 {"one pixel", 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pixels32 target = DrawScaled(source.View(), {c.width, c.height});
        ASSERT_EQ(target.width, c.width);
        int worst = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                for (int ch = 0; ch < 3; ++ch) {
                    double expected = Reference(source, c.width, c.height, x, y, ch);
                    worst = std::max(worst, int(std::lround(std::fabs(Channel(target.At(x, y), ch) - expected))));
                }
        EXPECT_LE(worst, 1) << "largest difference from the exact average";
    }
    Pixels32 same = DrawScaled(source.View(), {37, 23});
    EXPECT_EQ(same.data, source.data) << "the same size is a copy";
}

TEST(PixelCompose, FineStripesAverageToGreyInsteadOfAliasing) {
    Pixels32 stripes(300, 200);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            stripes.data[std::size_t(y * 300 + x)] = x % 2 ? 0xFFFFFF : 0;
    Pixels32 half = DrawScaled(stripes.View(), {150, 100});
    for (std::uint32_t pixel : half.data)
        for (int c = 0; c < 3; ++c)
            ASSERT_NEAR(Channel(pixel, c), 128, 1) << "a nearest-pixel scaler shows black or white";
    // 3.09 stripes a pixel: two of one colour and a bit more than one of the other.
    Pixels32 uneven = DrawScaled(stripes.View(), {97, 61});
    for (std::uint32_t pixel : uneven.data)
        for (int c = 0; c < 3; ++c) {
            ASSERT_GE(Channel(pixel, c), 80);
            ASSERT_LE(Channel(pixel, c), 175);
        }
}

TEST(PixelCompose, ComposedWallpaperSizes) {
    const Pixels32 picture = Numbered(160, 60);
    const PixelSize screen{1024, 768};
    EXPECT_EQ(ComposeWallpaper(picture.View(), WallpaperStyle::Fit2Screen, screen).height, 384);
    Pixels32 mirror = ComposeWallpaper(picture.View(), WallpaperStyle::Mirror, screen);
    EXPECT_EQ(mirror.width, 1024);
    EXPECT_EQ(Where(mirror.At(160, 0)), "159,0");
    Pixels32 centred = ComposeWallpaper(picture.View(), WallpaperStyle::Centred, screen);
    EXPECT_EQ(centred.data, picture.data);
    EXPECT_TRUE(ComposeWallpaper(ConstPixelView(), WallpaperStyle::Tiled, screen).data.empty());
}

// "Fill" is the picture scaled to the covering size with the overflow cut: the screen's window of
// the whole scaled picture, pixel for pixel; the program's own stretch is the picture drawn over it.
TEST(PixelCompose, FillIsTheScreensWindowOfTheCoveringPicture) {
    const struct {
        const char* name;
        PixelSize picture, screen;
    } cases[] = {
        {"wide, reduced", {37, 23}, {20, 20}},        {"tall, reduced", {23, 61}, {20, 20}},
        {"enlarged, odd overflow", {3, 2}, {21, 19}}, {"1 x N", {1, 500}, {40, 30}},
        {"equal ratios", {40, 30}, {20, 15}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Pixels32 picture = Random(c.picture.width, c.picture.height, 9);
        const CoverRect fill = FillScreen(c.picture, c.screen);
        const Pixels32 whole = DrawScaled(picture.View(), {int(fill.width), int(fill.height)});
        const Pixels32 filled = ComposeWallpaper(picture.View(), WallpaperStyle::Fill, c.screen);
        ASSERT_EQ(filled.width, c.screen.width);
        ASSERT_EQ(filled.height, c.screen.height);
        for (int y = 0; y < c.screen.height; ++y)
            for (int x = 0; x < c.screen.width; ++x)
                ASSERT_EQ(filled.At(x, y), whole.At(x - int(fill.left), y - int(fill.top))) << x << ", " << y;
        EXPECT_EQ(ComposeWallpaper(picture.View(), WallpaperStyle::StretchedToScreen, c.screen).data,
                  DrawScaled(picture.View(), c.screen).data);
    }
}

// Rows handed out as a decoder makes them: the scaler must ask in order, going back only to the
// row it asked for last, and give what it gives from a whole picture.
TEST(PixelCompose, AreaScalingFromRowsAsksInOrderAndMatchesTheWholePicture) {
    class Rows : public RowSource {
    public:
        explicit Rows(const Pixels32& picture) : picture_(picture) {
            width = picture.width;
            height = picture.height;
        }
        const std::uint32_t* Row(int y) override {
            EXPECT_TRUE(y == last_ || y == last_ + 1) << "row " << y << " after " << last_;
            last_ = y;
            row_.assign(picture_.data.begin() + std::ptrdiff_t(y) * width,
                        picture_.data.begin() + std::ptrdiff_t(y + 1) * width); // only this row is held
            return row_.data();
        }
        int last_ = -1;

    private:
        const Pixels32& picture_;
        std::vector<std::uint32_t> row_;
    };
    const Pixels32 picture = Random(97, 61, 5);
    for (PixelSize size : {PixelSize{30, 20}, PixelSize{97, 61}, PixelSize{200, 150}, PixelSize{50, 150}}) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        Rows rows(picture);
        Pixels32 fromRows(size.width, size.height);
        ScaleByArea(rows, fromRows.View());
        EXPECT_EQ(rows.last_, picture.height - 1) << "every row read";
        EXPECT_EQ(fromRows.data, DrawScaled(picture.View(), size).data);
    }
}

TEST(PixelCompose, TransparentPixelsAreLaidOverTheColour) {
    const std::uint32_t colour = 0x102030;
    const struct {
        std::uint32_t pixel, shown;
    } cases[] = {
        {0x00FFFFFF, 0xFF102030}, // transparent: the colour
        {0x80FF0000, 0xFF881018}, // half: red (255 * 128 + 16 * 127 + 127) / 255 = 136
        {0xFF123456, 0xFF123456}, // opaque: the same bytes
        {0x00000000, 0xFF102030},
    };
    for (const auto& c : cases) {
        std::uint32_t pixel = c.pixel;
        LayOverColour(&pixel, 1, colour);
        EXPECT_EQ(pixel, c.shown) << std::hex << c.pixel;
    }
}

TEST(PixelCompose, Bmp24ReadsBackWithThePicturesPixels) {
    const Pixels32 picture = Random(7, 5, 3); // 21 bytes a row: padded to 24
    std::string file = EncodeBmp24(picture.View());
    EXPECT_EQ(file.size(), 54u + 24u * 5u);
    DecodedPicture decoded;
    ASSERT_EQ(ReadBmp(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), decoded), BmpStatus::Ok);
    EXPECT_EQ(decoded.width, 7);
    EXPECT_EQ(decoded.height, 5);
    EXPECT_EQ(decoded.bitsPerPixel, 24);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            // Stored bottom-up, blue, green, red.
            const std::uint8_t* stored = decoded.pixels.data() + std::size_t(4 - y) * decoded.Stride() + 3 * x;
            std::uint32_t pixel = stored[0] | (stored[1] << 8) | (stored[2] << 16);
            ASSERT_EQ(pixel, picture.At(x, y)) << "at " << x << "," << y;
        }
}

// ImageMagick's box-filter resize of the same picture is the outside reference for the averaging.
TEST(PixelCompose, AreaScalingAgreesWithImageMagicksBoxFilter) {
    const std::string folder = testing::TempDir();
    const std::string source = folder + "vistrel-plasma.ppm", resized = folder + "vistrel-plasma-box.ppm";
    // A plasma fractal looks like a photograph: smooth areas and fine detail. 2.08 : 1, as a
    // 4000 x 3000 photo fitted to 1920 x 1440.
    std::string make = "convert -seed 8 -size 1000x750 plasma:fractal -depth 8 ppm:" + source + " 2>/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0) << "ImageMagick's convert is needed (scripts/install-deps.sh)";
    std::string resize = "convert " + source + " -filter box -resize 480x360! -depth 8 ppm:" + resized;
    ASSERT_EQ(std::system(resize.c_str()), 0);
    Pixels32 picture, theirs;
    ASSERT_TRUE(ReadPpm(source, picture));
    ASSERT_TRUE(ReadPpm(resized, theirs));
    Pixels32 ours = DrawScaled(picture.View(), {480, 360});
    ASSERT_EQ(theirs.width, 480);
    ASSERT_EQ(theirs.height, 360);
    const double psnr = Psnr(ours.View(), theirs.View());
    RecordProperty("psnr_db", std::to_string(psnr));
    std::printf("PSNR against ImageMagick's box filter: %.1f dB\n", psnr);
    EXPECT_GE(psnr, 35.0);
    std::remove(source.c_str());
    std::remove(resized.c_str());
}
