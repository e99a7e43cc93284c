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
