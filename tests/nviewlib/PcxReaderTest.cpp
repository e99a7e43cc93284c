#include "nviewlib/PcxReader.h"

#include "tests/support/PictureSentinel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadDataFile(const std::string& name) {
    std::ifstream file(std::string(NVIEWLIB_TEST_DATA) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Top-down RGB bytes of a decoded 1-, 8- or 24-bit picture, as ImageMagick writes them to .rgb.
Bytes ToRgb(const DecodedPicture& picture) {
    Bytes rgb;
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::uint8_t* row = picture.pixels.data() + std::size_t(y) * picture.Stride();
        for (int x = 0; x < picture.width; ++x) {
            std::uint32_t colour;
            if (picture.bitsPerPixel == 24) {
                colour = (std::uint32_t(row[3 * x + 2]) << 16) | (row[3 * x + 1] << 8) | row[3 * x];
            } else {
                const unsigned index = picture.bitsPerPixel == 8 ? row[x] : (row[x / 8] >> (7 - x % 8)) & 1;
                colour = index < picture.palette.size() ? picture.palette[index] : 0xDEADBE;
            }
            rgb.insert(rgb.end(), {std::uint8_t(colour >> 16), std::uint8_t(colour >> 8), std::uint8_t(colour)});
        }
    }
    return rgb;
}

// "" when equal, else where the first difference is.
std::string FirstDifference(const Bytes& actual, const Bytes& expected) {
    if (actual.size() != expected.size())
        return "size " + std::to_string(actual.size()) + ", expected " + std::to_string(expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (actual[i] != expected[i])
            return "byte " + std::to_string(i) + " is " + std::to_string(actual[i]) + ", expected " +
                   std::to_string(expected[i]);
    return "";
}

void SetWord(Bytes& file, std::size_t at, unsigned value) {
    file[at] = std::uint8_t(value);
    file[at + 1] = std::uint8_t(value >> 8);
}

// A version 5 PCX file of the given layout whose encoded data follows the header as given.
Bytes Pcx(int bitsPerPixel, int planes, unsigned width, unsigned height, unsigned bytesPerLine, const Bytes& data) {
    Bytes file(128, 0);
    file[0] = 0x0A, file[1] = 5, file[2] = 1, file[3] = std::uint8_t(bitsPerPixel), file[65] = std::uint8_t(planes);
    SetWord(file, 8, width - 1);
    SetWord(file, 10, height - 1);
    SetWord(file, 66, bytesPerLine);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// Row `y` of the picture counted from the top, `count` bytes of it.
Bytes TopRow(const DecodedPicture& picture, int y, std::size_t count) {
    const std::uint8_t* row = picture.pixels.data() + std::size_t(picture.height - 1 - y) * picture.Stride();
    return Bytes(row, row + count);
}

} // namespace

TEST(PcxReader, ReadsImageMagickPicturesExactly) {
    const struct {
        const char *file, *expected;
        int bitsPerPixel;
        PixelFormat format;
        std::size_t paletteSize;
    } cases[] = {
        {"picture24.pcx", "picture.rgb", 24, PixelFormat::Bits24, 0},
        {"picture8.pcx", "picture8.rgb", 8, PixelFormat::Bits8, 256},
        {"picture1.pcx", "picture1.rgb", 1, PixelFormat::Bits1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes file = ReadDataFile(c.file);
        DecodedPicture picture;
        ASSERT_TRUE(ReadPcx(file.data(), file.size(), picture)) << file.size() << " bytes";
        EXPECT_EQ(picture.width, 64);
        EXPECT_EQ(picture.height, 48);
        EXPECT_EQ(picture.bitsPerPixel, c.bitsPerPixel);
        EXPECT_EQ(picture.format, c.format);
        EXPECT_EQ(picture.palette.size(), c.paletteSize);
        EXPECT_EQ(picture.pixels.size(), picture.Stride() * 48);
        EXPECT_EQ(FirstDifference(ToRgb(picture), ReadDataFile(c.expected)), "");
    }
}

TEST(PcxReader, Palettes) {
    // 8 bits: the palette after the 0x0C marker, or a grey ramp. 0xFE has the top bits set, so it
    // is stored as a run of one.
    Bytes file = Pcx(8, 1, 4, 1, 4, {0, 1, 0xC1, 0xFE, 3});
    DecodedPicture picture;
    ASSERT_TRUE(ReadPcx(file.data(), file.size(), picture));
    EXPECT_EQ(TopRow(picture, 0, 4), (Bytes{0, 1, 0xFE, 3}));
    ASSERT_EQ(picture.palette.size(), 256u);
    for (std::uint32_t i = 0; i < 256; ++i)
        ASSERT_EQ(picture.palette[i], i * 0x010101u) << "grey " << i;
    file.push_back(0x0C);
    for (int i = 0; i < 256; ++i)
        file.insert(file.end(), {std::uint8_t(i), 0x20, std::uint8_t(255 - i)});
    ASSERT_TRUE(ReadPcx(file.data(), file.size(), picture));
    ASSERT_EQ(picture.palette.size(), 256u);
    EXPECT_EQ(picture.palette[0], 0x0020FFu);
    EXPECT_EQ(picture.palette[254], 0xFE2001u);
    EXPECT_EQ(TopRow(picture, 0, 4), (Bytes{0, 1, 0xFE, 3}));

    // 1 bit: the first two header colours, or black and white.
    const struct {
        const char* name;
        std::uint8_t version;
        Bytes header; // RGB bytes of the first header colours
        std::vector<std::uint32_t> expected;
    } cases[] = {
        {"header colours", 5, {255, 255, 255, 0, 0, 0}, {0xFFFFFF, 0x000000}},
        {"other header colours", 2, {0, 0, 0xAA, 0xAA, 0xAA, 0}, {0x0000AA, 0xAAAA00}},
        {"empty header palette", 5, {}, {0x000000, 0xFFFFFF}},
        {"equal header colours", 5, {1, 2, 3, 1, 2, 3}, {0x000000, 0xFFFFFF}},
        {"version 3 has no palette", 3, {255, 255, 255, 0, 0, 0}, {0x000000, 0xFFFFFF}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes mono = Pcx(1, 1, 8, 1, 2, {0xA5, 0x00});
        mono[1] = c.version;
        std::copy(c.header.begin(), c.header.end(), mono.begin() + 16);
        ASSERT_TRUE(ReadPcx(mono.data(), mono.size(), picture));
        EXPECT_EQ(picture.palette, c.expected);
        EXPECT_EQ(TopRow(picture, 0, 1), Bytes{0xA5});
    }
}

TEST(PcxReader, RunsAndLineLayout) {
    const struct {
        const char* name;
        Bytes file;
        int width, height, bitsPerPixel;
        std::vector<Bytes> rows; // top row first, only the bytes that carry pixels
    } cases[] = {
        // A run of six fills the first line of four and goes on into the second.
        {"run crosses a line", Pcx(8, 1, 4, 2, 4, {0xC6, 7, 1, 2}), 4, 2, 8, {{7, 7, 7, 7}, {7, 7, 1, 2}}},
        // Odd BytesPerLine: the fourth and fifth byte of each line are padding, never shown.
        {"odd BytesPerLine", Pcx(8, 1, 3, 2, 5, {1, 2, 3, 62, 62, 4, 5, 6, 0xC2, 62}), 3, 2, 8, {{1, 2, 3}, {4, 5, 6}}},
        {"run crosses padding", Pcx(8, 1, 3, 2, 5, {1, 2, 3, 0xC4, 9, 5, 6, 0, 0}), 3, 2, 8, {{1, 2, 3}, {9, 9, 5}}},
        {"zero-length runs", Pcx(8, 1, 2, 1, 2, {0xC0, 0x55, 4, 0xC0, 0x66, 5}), 2, 1, 8, {{4, 5}}},
        {"last run too long", Pcx(8, 1, 2, 2, 2, {1, 2, 0xFF, 3}), 2, 2, 8, {{1, 2}, {3, 3}}},
        // 24 bits: planes red, green, blue per line, stored as blue, green, red; a run crosses
        // from the red plane into the green one.
        {"24-bit planes", Pcx(8, 3, 2, 1, 3, {10, 0xC4, 11, 0, 30, 31, 0}), 2, 1, 24, {{30, 11, 10, 31, 11, 11}}},
        {"24-bit run across lines", Pcx(8, 3, 1, 2, 1, {1, 2, 0xC2, 3, 4, 5}), 1, 2, 24, {{3, 2, 1}, {5, 4, 3}}},
        // 10 pixels in lines of 3 bytes: bits past the edge are cleared.
        {"1-bit edge", Pcx(1, 1, 10, 2, 3, {0xC3, 0xFF, 0x81, 0x7F, 0xC1, 0xFF}), 10, 2, 1, {{0xFF, 0xC0}, {0x81, 64}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedPicture picture;
        ASSERT_TRUE(ReadPcx(c.file.data(), c.file.size(), picture));
        EXPECT_EQ(picture.width, c.width);
        EXPECT_EQ(picture.height, c.height);
        EXPECT_EQ(picture.bitsPerPixel, c.bitsPerPixel);
        ASSERT_EQ(picture.pixels.size(), picture.Stride() * std::size_t(c.height));
        for (int y = 0; y < c.height; ++y)
            EXPECT_EQ(TopRow(picture, y, c.rows[y].size()), c.rows[y]) << "row " << y;
    }
}

TEST(PcxReader, WindowAndVersions) {
    for (std::uint8_t version : {0, 2, 3, 4, 5}) {
        SCOPED_TRACE(int(version));
        Bytes file = Pcx(8, 1, 1, 1, 3, {1, 2, 3, 4, 5, 6});
        file[1] = version;
        SetWord(file, 4, 100); // Xmin .. Xmax: 3 pixels
        SetWord(file, 8, 102);
        SetWord(file, 6, 7); // Ymin .. Ymax: 2 rows
        SetWord(file, 10, 8);
        DecodedPicture picture;
        ASSERT_TRUE(ReadPcx(file.data(), file.size(), picture));
        EXPECT_EQ(picture.width, 3);
        EXPECT_EQ(picture.height, 2);
        EXPECT_EQ(TopRow(picture, 0, 3), (Bytes{1, 2, 3}));
        EXPECT_EQ(TopRow(picture, 1, 3), (Bytes{4, 5, 6}));
    }
}

TEST(PcxReader, SixteenColoursInFourBitPlanes) {
    // 10 x 2 pixels of indexes 0..9 (top) and 15..6 (bottom); each plane line holds bit p of every
    // index in 2 bytes (BytesPerLine 2, 6 bits past the edge). Runs of 0xC0 and above are encoded.
    const unsigned indexes[2][10] = {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {15, 14, 13, 12, 11, 10, 9, 8, 7, 6}};
    Bytes data;
    for (const auto& row : indexes)
        for (unsigned plane = 0; plane < 4; ++plane) {
            std::uint8_t bytes[2] = {0, 0};
            for (unsigned x = 0; x < 10; ++x)
                if ((row[x] >> plane) & 1) bytes[x / 8] = std::uint8_t(bytes[x / 8] | (0x80 >> (x % 8)));
            for (std::uint8_t b : bytes) {
                if (b >= 0xC0) data.push_back(0xC1);
                data.push_back(b);
            }
        }
    for (unsigned version : {5u, 3u}) {
        SCOPED_TRACE("version " + std::to_string(version));
        Bytes file = Pcx(1, 4, 10, 2, 2, data);
        file[1] = std::uint8_t(version);
        for (unsigned i = 0; i < 48; ++i)
            file[16 + i] = std::uint8_t(i * 5);
        DecodedPicture picture;
        ASSERT_TRUE(ReadPcx(file.data(), file.size(), picture));
        EXPECT_EQ(picture.bitsPerPixel, 4);
        EXPECT_EQ(picture.format, PixelFormat::Bits4);
        EXPECT_EQ(TopRow(picture, 0, 5), (Bytes{0x01, 0x23, 0x45, 0x67, 0x89}));
        EXPECT_EQ(TopRow(picture, 1, 5), (Bytes{0xFE, 0xDC, 0xBA, 0x98, 0x76}));
        EXPECT_EQ(picture.pixels.size(), 2 * picture.Stride());
        ASSERT_EQ(picture.palette.size(), 16u);
        EXPECT_EQ(picture.palette[1], version == 5 ? 0x0F1419u : 0x0000AAu) << "header palette or the standard one";
        EXPECT_EQ(picture.palette[15], version == 5 ? 0xE1E6EBu : 0xFFFFFFu);
    }
    Bytes cut = Pcx(1, 4, 10, 2, 2, data);
    cut.resize(cut.size() - 1);
    DecodedPicture picture = Sentinel();
    EXPECT_FALSE(ReadPcx(cut.data(), cut.size(), picture)) << "a cut file is refused";
    EXPECT_TRUE(IsSentinel(picture));
}

TEST(PcxReader, RefusesBadHeadersAndLeavesOutputAlone) {
    const Bytes good = Pcx(8, 1, 4, 1, 4, {1, 2, 3, 4});
    DecodedPicture read;
    ASSERT_TRUE(ReadPcx(good.data(), good.size(), read)) << "the unchanged file must be read";
    const struct {
        const char* name;
        std::function<void(Bytes&)> change;
    } cases[] = {
        {"manufacturer", [](Bytes& f) { f[0] = 0x0B; }},
        {"version 1", [](Bytes& f) { f[1] = 1; }},
        {"version 6", [](Bytes& f) { f[1] = 6; }},
        {"uncompressed", [](Bytes& f) { f[2] = 0; }},
        {"4 bits per pixel", [](Bytes& f) { f[3] = 4; }},
        {"1 bit, 2 planes", [](Bytes& f) { f[3] = 1, f[65] = 2; }},
        {"8 bits, 4 planes", [](Bytes& f) { f[65] = 4; }},
        {"no plane", [](Bytes& f) { f[65] = 0; }},
        {"Xmax before Xmin", [](Bytes& f) { SetWord(f, 4, 5); }},
        {"Ymax before Ymin", [](Bytes& f) { SetWord(f, 6, 1); }},
        {"BytesPerLine too small", [](Bytes& f) { SetWord(f, 66, 3); }},
        {"BytesPerLine zero", [](Bytes& f) { SetWord(f, 66, 0); }},
        {"1-bit BytesPerLine too small", [](Bytes& f) { f[3] = 1, SetWord(f, 8, 16), SetWord(f, 66, 2); }},
        {"too wide", [](Bytes& f) { SetWord(f, 8, 32768), SetWord(f, 66, 32769); }},
        {"too high", [](Bytes& f) { SetWord(f, 10, 32768); }},
        {"too many pixels", [](Bytes& f) { SetWord(f, 8, 16383), SetWord(f, 10, 16384), SetWord(f, 66, 16384); }},
        // Within the limits, but far too small a file for the picture: refused before allocating.
        {"32768 x 4096, tiny file",
         [](Bytes& f) { SetWord(f, 8, 32767), SetWord(f, 10, 4095), SetWord(f, 66, 32768); }},
        {"24-bit 10000 x 1, tiny file", [](Bytes& f) { f[65] = 3, SetWord(f, 8, 9999), SetWord(f, 66, 10000); }},
        {"header only", [](Bytes& f) { f.resize(128); }},
        {"header cut", [](Bytes& f) { f.resize(127); }},
        {"run marker without its value", [](Bytes& f) { f.back() = 0xC1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes file = good;
        c.change(file);
        DecodedPicture picture = Sentinel();
        EXPECT_FALSE(ReadPcx(file.data(), file.size(), picture));
        EXPECT_TRUE(IsSentinel(picture));
    }
    DecodedPicture picture = Sentinel();
    EXPECT_FALSE(ReadPcx(nullptr, 0, picture));
    EXPECT_TRUE(IsSentinel(picture));
}

TEST(PcxReader, EveryCutOfARealFileFails) {
    // Cuts inside the header, the pixel data or the palette all fail. The 8-bit file cut just
    // before its palette marker is a whole file without a palette (grey ramp). ImageMagick also
    // appends a palette to the 1-bit file, which the reader has no use for: cuts inside it do not
    // matter.
    const struct {
        const char* name;
        std::size_t trailer; // bytes after the pixel data
        bool trailerUsed;
    } cases[] = {{"picture24.pcx", 0, false}, {"picture8.pcx", 769, true}, {"picture1.pcx", 769, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = ReadDataFile(c.name);
        ASSERT_GT(file.size(), 128 + c.trailer);
        const std::size_t dataEnd = file.size() - c.trailer;
        std::vector<std::size_t> accepted, expected;
        for (std::size_t size = 0; size < file.size(); ++size) {
            if (size == dataEnd || (size > dataEnd && !c.trailerUsed)) expected.push_back(size);
            const Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(size)); // exact size, so ASan sees overreads
            DecodedPicture picture = Sentinel();
            if (ReadPcx(cut.data(), cut.size(), picture))
                accepted.push_back(size);
            else
                EXPECT_TRUE(IsSentinel(picture)) << "cut at " << size;
        }
        EXPECT_EQ(accepted, expected);
    }
}

TEST(PcxReader, WidestPictureDecodes) {
    Bytes data; // 32768 x 1 in runs of 63
    for (int left = 32768; left > 0; left -= 63)
        data.insert(data.end(), {std::uint8_t(0xC0 | std::min(left, 63)), 0x42});
    const Bytes file = Pcx(8, 1, 32768, 1, 32768, data);
    DecodedPicture picture;
    ASSERT_TRUE(ReadPcx(file.data(), file.size(), picture));
    EXPECT_EQ(picture.width, 32768);
    EXPECT_EQ(picture.pixels.size(), 32768u);
    EXPECT_EQ(picture.pixels.back(), 0x42);
}
