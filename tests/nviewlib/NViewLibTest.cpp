// NViewLib.dll under Wine: the decoders cross-built for the 32-bit target (libjpeg-turbo with its
// SIMD code, libpng, zlib, giflib, stb's TGA reader), called through the exported NViewLibLoad as the
// program calls it, writing into the bitmap they return.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using LoadFunction = HBITMAP(WINAPI*)(const char*, BOOL);

std::string DataPath(const std::string& name) {
    return std::string(NVIEWLIB_TEST_DATA) + "\\" + name;
}

Bytes ReadDataFile(const std::string& name) {
    std::ifstream file(DataPath(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class NViewLib : public testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryA("NViewLib.dll");
        ASSERT_NE(module, nullptr);
        load = reinterpret_cast<LoadFunction>(reinterpret_cast<void*>(GetProcAddress(module, "NViewLibLoad")));
        ASSERT_NE(load, nullptr);
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
    }
    HMODULE module = nullptr;
    LoadFunction load = nullptr;
};

} // namespace

TEST_F(NViewLib, EveryDecoderMatchesImageMagick) {
    const struct {
        const char *file, *expected;
        int width, height;
        int tolerance; // lossy JPEG against ImageMagick's decode by libjpeg-turbo of another build
    } cases[] = {
        {"picture.jpg", "picture-jpg.rgb", 64, 48, 2},
        {"progressive.jpg", "progressive.rgb", 64, 48, 2},
        {"odd-width-422.jpg", "odd-width-422.rgb", 33, 16, 2},
        {"picture.png", "picture.rgb", 64, 48, 0},
        {"picture.gif", "picture-gif.rgb", 64, 48, 0},
        {"picture-interlaced.gif", "picture-gif.rgb", 64, 48, 0},
        {"picture.tga", "picture.rgb", 64, 48, 0},
        {"picture-rle.tga", "picture.rgb", 64, 48, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        HBITMAP bitmap = load(DataPath(c.file).c_str(), FALSE);
        ASSERT_NE(bitmap, nullptr);
        DIBSECTION section = {};
        ASSERT_EQ(GetObjectA(bitmap, sizeof(section), &section), int(sizeof(section)));
        EXPECT_EQ(section.dsBmih.biWidth, c.width);
        EXPECT_EQ(section.dsBmih.biHeight, c.height) << "bottom-up";
        EXPECT_EQ(section.dsBmih.biBitCount, 32);
        const Bytes expected = ReadDataFile(c.expected);
        ASSERT_EQ(expected.size(), std::size_t(c.width) * c.height * 3);
        const auto* bits = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
        int worst = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                for (int channel = 0; channel < 3; ++channel) {
                    const std::uint8_t got = bits[(std::size_t(c.height - 1 - y) * c.width + x) * 4 + 2 - channel];
                    const std::uint8_t want = expected[(std::size_t(y) * c.width + x) * 3 + channel];
                    worst = std::max(worst, std::abs(int(got) - int(want)));
                }
        EXPECT_LE(worst, c.tolerance);
        DeleteObject(bitmap);
    }
}

TEST_F(NViewLib, DamagedAndUnknownFilesGiveNoBitmap) {
    for (const char* file : {"truncated.jpg", "truncated-header.jpg", "text.png", "no-such-file.jpg",
                             "fuzz-regressions\\stb-jpeg-huffman-257-codes.jpg"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(load(DataPath(file).c_str(), FALSE), nullptr);
    }
    EXPECT_EQ(load(nullptr, FALSE), nullptr);
}

// The second entry: the wallpaper of a picture in a style, for the formats read row by row; the
// caller is sent to NViewLibLoad for the others.
TEST_F(NViewLib, WallpaperEntryMakesTheStylesBitmapOrSaysWhy) {
    using WallpaperFunction = HBITMAP(WINAPI*)(const char*, int, int, int, COLORREF, int*);
    auto wallpaper =
        reinterpret_cast<WallpaperFunction>(reinterpret_cast<void*>(GetProcAddress(module, "NViewLibWallpaper")));
    ASSERT_NE(wallpaper, nullptr);
    const struct {
        const char* file;
        int style;
        int outcome; // made 0, unreadable 1, read whole 3
        int width, height;
    } cases[] = {
        {"picture.jpg", 0, 0, 64, 48},   {"picture.jpg", 2, 0, 200, 150},  {"picture.jpg", 3, 0, 200, 150},
        {"picture.png", 4, 0, 200, 150}, {"picture.gif", 1, 0, 64, 48},    {"picture-interlaced.gif", 0, 3, 0, 0},
        {"picture.tga", 0, 3, 0, 0},     {"picture8.pcx", 0, 3, 0, 0},     {"truncated.jpg", 0, 1, 0, 0},
        {"text.png", 0, 1, 0, 0},        {"no such file.jpg", 0, 1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " in style " + std::to_string(c.style));
        int outcome = -1;
        HBITMAP made = wallpaper(DataPath(c.file).c_str(), c.style, 200, 150, RGB(1, 2, 3), &outcome);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(made != nullptr, c.outcome == 0);
        if (!made) continue;
        DIBSECTION section = {};
        ASSERT_EQ(GetObjectA(made, sizeof(section), &section), int(sizeof(section))) << "a DIB section";
        EXPECT_EQ(section.dsBm.bmWidth, c.width);
        EXPECT_EQ(std::abs(section.dsBm.bmHeight), c.height);
        EXPECT_EQ(section.dsBmih.biBitCount, 32);
        DeleteObject(made);
    }

    // alpha.png: opaque on the left, half-transparent red top right, transparent green bottom right.
    int outcome = -1;
    HBITMAP made = wallpaper(DataPath("alpha.png").c_str(), 0, 200, 150, RGB(10, 20, 30), &outcome);
    ASSERT_NE(made, nullptr);
    DIBSECTION section = {};
    GetObjectA(made, sizeof(section), &section);
    ASSERT_EQ(section.dsBm.bmHeight, 8);
    const auto* bits = static_cast<const std::uint8_t*>(section.dsBm.bmBits); // bottom row first
    auto pixel = [&](int x, int y) {
        const std::uint8_t* p = bits + std::size_t(7 - y) * std::size_t(section.dsBm.bmWidthBytes) + 4 * x;
        return std::vector<int>{p[2], p[1], p[0], p[3]};
    };
    EXPECT_EQ(pixel(15, 7), (std::vector<int>{10, 20, 30, 255})) << "transparent: the colour";
    EXPECT_EQ(pixel(15, 0), (std::vector<int>{133, 10, 15, 255})) << "half transparent: a mix";
    EXPECT_EQ(pixel(0, 0), (std::vector<int>{0x30, 0x80, 0xC0, 255})) << "opaque: unchanged";
    DeleteObject(made);
}
