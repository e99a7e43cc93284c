#include "pictures/BmpReader.h"
#include "pictures/ScreenMaker.h"
#include "pictures/ScreenRule.h"
#include "tests/support/PictureQuality.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <set>

namespace {
std::uint32_t Rgb(int r, int g, int b) {
    auto clamp = [](int v) { return std::uint32_t(std::clamp(v, 0, 255)); };
    return clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}

Pixels32 Paint(int width, int height, const std::function<std::uint32_t(int, int)>& colour) {
    Pixels32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.data[std::size_t(y) * std::size_t(width) + std::size_t(x)] = colour(x, y);
    return picture;
}

Pixels32 Filled(int width, int height, std::uint32_t colour) {
    return Paint(width, height, [colour](int, int) { return colour; });
}

DecodedPicture ReadBack(const std::string& file) {
    DecodedPicture decoded;
    EXPECT_EQ(ReadBmp(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), decoded), BmpStatus::Ok);
    return decoded;
}

// The index of a pixel of a decoded 8-bit bitmap, top row first.
int IndexAt(const DecodedPicture& picture, int x, int y) {
    return picture.pixels[std::size_t(picture.height - 1 - y) * picture.Stride() + std::size_t(x)];
}

// A photo-like test picture: ImageMagick's plasma fractal, smooth areas and fine detail.
Pixels32 Plasma(int width, int height, int seed) {
    const std::string path = testing::TempDir() + "vistrel-screen-plasma.ppm";
    const std::string make = "convert -seed " + std::to_string(seed) + " -size " + std::to_string(width) + "x" +
                             std::to_string(height) + " plasma:fractal -depth 8 ppm:" + path + " 2>/dev/null";
    Pixels32 picture;
    EXPECT_EQ(std::system(make.c_str()), 0) << "ImageMagick's convert is needed (scripts/install-deps.sh)";
    EXPECT_TRUE(ReadPpm(path, picture));
    std::remove(path.c_str());
    return picture;
}

// An evening sky over dark hills with a sun, the kind of gradients a palette bands easily.
Pixels32 Sunset() {
    return Paint(1280, 720, [](int x, int y) {
        const double t = y / 720.0;
        const double hill = 620 + 60 * std::sin(x / 170.0) + 25 * std::sin(x / 37.0 + 1);
        if (y > hill) return Rgb(int(20 + 10 * std::sin(x / 9.0)), int(30 + 20 * t), 25);
        const double sun = std::hypot(x - 1100, y - 520);
        if (sun < 70) return Rgb(255, 240, int(180 + sun));
        return Rgb(int(250 - 120 * t + 4000 / (sun + 40)), int(120 + 60 * t - 90 * t * t), int(90 + 120 * t));
    });
}

// A face: skin tones in soft shading on a noisy, out-of-focus background. Portrait orientation.
Pixels32 Portrait() {
    std::mt19937 random(5);
    return Paint(900, 1200, [&random](int x, int y) {
        const double dx = (x - 450) / 260.0, dy = (y - 560) / 360.0, r = dx * dx + dy * dy;
        const int grain = int(random() % 9) - 4;
        if (r < 1) {
            const double shade = 1 - 0.35 * r - 0.15 * dx;
            return Rgb(int(230 * shade) + grain, int(170 * shade) + grain, int(140 * shade) + grain);
        }
        return Rgb(40 + int(60 * std::sin(y / 300.0)) + grain, 80 + int(50 * std::cos(x / 250.0)) + grain, 110 + grain);
    });
}

// Flat colours with black outlines on white, as a drawing or a cartoon.
Pixels32 Drawing() {
    return Paint(1000, 1000, [](int x, int y) {
        const double a = std::hypot(x - 350, y - 400), b = std::hypot(x - 650, y - 600);
        if (std::fabs(a - 220) < 6 || std::fabs(b - 180) < 6 || std::abs(x - y) < 5) return Rgb(0, 0, 0);
        if (a < 220) return Rgb(230, 40, 50);
        if (b < 180) return Rgb(40, 90, 220);
        if (y > 850) return Rgb(60, 170, 60);
        return Rgb(250, 250, 245);
    });
}

// Every hue at every saturation: more colours than any palette has.
Pixels32 ColourWheel() {
    return Paint(1024, 768, [](int x, int y) {
        const double dx = x - 512, dy = y - 384, radius = std::min(1.0, std::hypot(dx, dy) / 380);
        const double hue = (std::atan2(dy, dx) / (2 * 3.14159265358979) + 0.5) * 6;
        const double f = hue - std::floor(hue);
        const int sector = int(hue) % 6;
        const double rgb[6][3] = {{1, f, 0}, {1 - f, 1, 0}, {0, 1, f}, {0, 1 - f, 1}, {f, 0, 1}, {1, 0, 1 - f}};
        auto channel = [&](int c) { return int(255 * (1 - radius + radius * rgb[sector][c])); };
        return Rgb(channel(0), channel(1), channel(2));
    });
}

struct Band {
    const char* name;
    int width, height;
    LayoutRect rect;
};
} // namespace

// The screen is shown over a 4:3 display, so the picture keeps its proportions in a 4:3 frame.
TEST(ScreenMaker, PictureSitsInAFourByThreeFrameWithBlackBands) {
    const Band cases[] = {
        {"16:9 photo", 1600, 900, {0, 50, 320, 300}},
        {"4:3 photo", 4000, 3000, {0, 0, 320, 400}},
        {"3:4 portrait", 600, 800, {70, 0, 180, 400}},
        {"1:1 square", 500, 500, {40, 0, 240, 400}},
    };
    for (const Band& c : cases) {
        SCOPED_TRACE(c.name);
        const LayoutRect rect = ScreenPictureRect({c.width, c.height});
        EXPECT_EQ(rect.left, c.rect.left);
        EXPECT_EQ(rect.top, c.rect.top);
        EXPECT_EQ(rect.width, c.rect.width);
        EXPECT_EQ(rect.height, c.rect.height);

        const Pixels32 white = Filled(c.width / 4, c.height / 4, 0xFFFFFF);
        const std::string file = MakeScreenFile(white.View(), false);
        const DecodedPicture screen = ReadBack(file);
        ASSERT_EQ(screen.width, 320);
        ASSERT_EQ(screen.height, 400);
        EXPECT_EQ(screen.palette[0], 0u) << "entry 0 is black";
        int wrong = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 320; ++x) {
                const bool inside =
                    x >= rect.left && x < rect.left + rect.width && y >= rect.top && y < rect.top + rect.height;
                const std::uint32_t colour = screen.palette[std::size_t(IndexAt(screen, x, y))];
                if (inside ? colour != 0xFFFFFF : IndexAt(screen, x, y) != 0) ++wrong;
            }
        EXPECT_EQ(wrong, 0) << "pixels not white inside the picture or not entry 0 in the bands";
    }
}

// Whatever the picture and the bar, the result is a screen the program itself accepts.
TEST(ScreenMaker, ScreenFileIsAnUncompressedEightBitBitmapTheScreenCheckAccepts) {
    const Pixels32 photo = Sunset();
    for (bool bar : {false, true}) {
        SCOPED_TRACE(bar ? "with the animated bar" : "without the bar");
        const std::string file = MakeScreenFile(photo.View(), bar);
        BmpHeader header;
        ASSERT_EQ(ReadBmpHeader(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), header),
                  BmpStatus::Ok);
        EXPECT_EQ(header.compression, kBmpRgb);
        EXPECT_EQ(header.bitCount, 8);
        EXPECT_GT(header.height, 0) << "rows bottom-up, as the system's loader of screens expects";
        EXPECT_EQ(CheckScreenPicture(header.width, header.height, ClassifyPixelFormat(header)), ScreenCheck::Fits);
        EXPECT_EQ(std::uint8_t(file[0x32]), bar ? 236 : 0) << "the palette-rotation byte";
        EXPECT_EQ(file.size(), 14u + 40 + 1024 + 320 * 400);

        const DecodedPicture screen = ReadBack(file);
        ASSERT_EQ(screen.bitsPerPixel, 8);
        ASSERT_EQ(screen.palette.size(), 256u);
        EXPECT_EQ(screen.palette[0], 0u);
        int barEntriesAbove = 0, otherEntriesInBar = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 320; ++x) {
                const int index = IndexAt(screen, x, y);
                if (y < 400 - kBarRows && index >= kBarFirstEntry) ++barEntriesAbove;
                if (y >= 400 - kBarRows && index < kBarFirstEntry) ++otherEntriesInBar;
            }
        if (bar) {
            EXPECT_EQ(barEntriesAbove, 0) << "pixels above the bar using the rotating entries";
            EXPECT_EQ(otherEntriesInBar, 0) << "pixels of the bar that would not move";
            std::set<int> used;
            for (int x = 0; x < 320; ++x)
                used.insert(IndexAt(screen, x, 399));
            EXPECT_EQ(used.size(), std::size_t(kBarEntries)) << "the bar shows every rotating entry";
        } else {
            EXPECT_GT(barEntriesAbove, 0) << "without the bar the whole palette serves the picture";
        }
    }
}

// A picture with few colours is reproduced exactly, with black added at entry 0 and no other waste.
TEST(ScreenMaker, PaletteHoldsFewColoursExactlyWithBlackFirst) {
    const std::uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x808080};
    const Pixels32 picture = Paint(320, 400, [&colours](int x, int y) { return colours[(x / 7 + y / 11) % 5]; });
    const LayoutRect all{0, 0, 320, 400};
    const std::vector<std::uint32_t> palette = MakePalette(picture.View(), all, 256);
    ASSERT_FALSE(palette.empty());
    EXPECT_EQ(palette[0], 0u);
    EXPECT_EQ(palette.size(), 6u) << "black and the five colours";
    for (std::uint32_t colour : colours)
        EXPECT_NE(std::find(palette.begin(), palette.end(), colour), palette.end()) << std::hex << colour;
    const IndexedPicture screen = QuantizeScreen(picture, all, false);
    EXPECT_EQ(Psnr(ExpandIndexed(screen).View(), picture.View()), 99.0) << "no dithering noise on exact colours";

    std::vector<std::uint32_t> few = MakePalette(ColourWheel().View(), {0, 0, 1024, 768}, 16);
    EXPECT_EQ(few.size(), 16u) << "never more entries than asked for";
}

// A grey picture gets its greys exactly, beyond the 64 levels of the colour histogram.
TEST(ScreenMaker, GreyRampKeepsItsGreys) {
    const Pixels32 ramp = Paint(800, 600, [](int x, int) { return Rgb(x * 256 / 800, x * 256 / 800, x * 256 / 800); });
    for (bool bar : {false, true}) {
        SCOPED_TRACE(bar ? "with the animated bar" : "without the bar");
        const DecodedPicture screen = ReadBack(MakeScreenFile(ramp.View(), bar));
        std::set<std::uint32_t> greys;
        for (int y = 0; y < 400 - kBarRows; ++y)
            for (int x = 0; x < 320; ++x)
                greys.insert(screen.palette[std::size_t(IndexAt(screen, x, y))]);
        EXPECT_GT(greys.size(), 200u);
        EXPECT_EQ(std::count_if(greys.begin(), greys.end(), [](std::uint32_t c) { return c % 0x010101 != 0; }), 0)
            << "colours that are no grey";
    }
}

// Error diffusion keeps the average colour of an area the palette cannot show.
TEST(ScreenMaker, DitheringKeepsTheMeanOfColoursBetweenEntries) {
    const struct {
        const char* name;
        int grey;
    } cases[] = {{"quarter", 64}, {"half", 128}, {"three quarters", 192}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Pixels32 grey = Filled(64, 64, Rgb(c.grey, c.grey, c.grey));
        IndexedPicture target;
        target.width = 64;
        target.height = 64;
        target.indexes.assign(64 * 64, 7);
        DitherInto(grey.View(), {8, 8, 48, 48}, {0x000000, 0xFFFFFF}, target);
        int white = 0, outside = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool inside = x >= 8 && x < 56 && y >= 8 && y < 56;
                if (!inside) outside += target.At(x, y) != 7;
                white += inside && target.At(x, y) == 1;
            }
        EXPECT_EQ(outside, 0) << "pixels outside the area were changed";
        EXPECT_NEAR(255.0 * white / (48 * 48), c.grey, 3.0) << white << " white pixels";
    }
}

TEST(ScreenMaker, EightBitBitmapReadsBackIndexForIndex) {
    std::mt19937 random(3);
    IndexedPicture picture;
    picture.width = 13; // rows padded to 16 bytes
    picture.height = 5;
    for (int i = 0; i < 13 * 5; ++i)
        picture.indexes.push_back(std::uint8_t(random()));
    for (std::uint32_t& entry : picture.palette)
        entry = random() & 0xFFFFFF;
    picture.rotationStart = 200;
    const std::string file = EncodeBmp8(picture);
    EXPECT_EQ(std::uint8_t(file[0x32]), 200);
    const DecodedPicture decoded = ReadBack(file);
    ASSERT_EQ(decoded.width, 13);
    ASSERT_EQ(decoded.height, 5);
    ASSERT_EQ(decoded.format, PixelFormat::Bits8);
    EXPECT_TRUE(std::equal(picture.palette.begin(), picture.palette.end(), decoded.palette.begin()));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(IndexAt(decoded, x, y), picture.At(x, y)) << "at " << x << "," << y;
}

// The outside reference: ImageMagick's 256 colours with its default dithering, on the same frame.
TEST(ScreenMaker, ErrorAgainstTheFrameIsNoWorseThanImageMagicks) {
    const struct {
        const char* name;
        std::function<Pixels32()> make;
    } cases[] = {
        {"plasma photo 4:3", [] { return Plasma(1200, 900, 8); }},
        {"plasma photo 16:9", [] { return Plasma(1600, 900, 21); }},
        {"sunset 16:9", Sunset},
        {"portrait 3:4", Portrait},
        {"drawing 1:1", Drawing},
        {"colour wheel 4:3", ColourWheel},
    };
    const std::string frameFile = testing::TempDir() + "vistrel-screen-frame.ppm";
    const std::string theirFile = testing::TempDir() + "vistrel-screen-im.ppm";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Pixels32 picture = c.make();
        ASSERT_GT(picture.width, 0);
        const Pixels32 frame = FrameScreen(picture.View());
        const IndexedPicture screen = QuantizeScreen(frame, ScreenPictureRect(picture.View().Size()), false);
        const double ours = Psnr(ExpandIndexed(screen).View(), frame.View());
        {
            std::ofstream out(frameFile, std::ios::binary);
            out << "P6\n320 400\n255\n";
            for (std::uint32_t pixel : frame.data)
                out << char(pixel >> 16) << char(pixel >> 8) << char(pixel);
        }
        const std::string reduce = "convert " + frameFile + " -colors 256 -depth 8 ppm:" + theirFile;
        ASSERT_EQ(std::system(reduce.c_str()), 0);
        Pixels32 theirs;
        ASSERT_TRUE(ReadPpm(theirFile, theirs));
        ASSERT_EQ(theirs.width, 320);
        ASSERT_EQ(theirs.height, 400);
        const double imagemagick = Psnr(theirs.View(), frame.View());
        std::printf("PSNR %-18s ours %.2f dB, ImageMagick -colors 256 %.2f dB\n", c.name, ours, imagemagick);
        RecordProperty(std::string("psnr_") + c.name, std::to_string(ours) + " / " + std::to_string(imagemagick));
        EXPECT_GE(ours, imagemagick);
    }
    std::remove(frameFile.c_str());
    std::remove(theirFile.c_str());
}
