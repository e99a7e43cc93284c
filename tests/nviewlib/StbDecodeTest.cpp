#include "nviewlib/StbDecode.h"

#include "tests/support/PictureSentinel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadDataFile(const std::string& name) {
    std::ifstream file(std::string(NVIEWLIB_TEST_DATA) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Top-down RGB (channels 3) or RGBA (channels 4) bytes of a decoded 32-bit BGRA picture, as
// ImageMagick writes them.
Bytes TopDown(const DecodedPicture& picture, int channels) {
    Bytes bytes;
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::uint8_t* row = picture.pixels.data() + std::size_t(y) * picture.Stride();
        for (const std::uint8_t* pixel = row; pixel < row + 4 * picture.width; pixel += 4) {
            bytes.insert(bytes.end(), {pixel[2], pixel[1], pixel[0]});
            if (channels == 4) bytes.push_back(pixel[3]);
        }
    }
    return bytes;
}

// Each byte may differ by `tolerance`, all of them on average by `meanTolerance`.
::testing::AssertionResult CloseEnough(const Bytes& actual, const Bytes& expected, int tolerance = 0,
                                       double meanTolerance = 0) {
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.size() << ", expected " << expected.size();
    long total = 0;
    std::size_t worst = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        total += std::abs(int(actual[i]) - int(expected[i]));
        if (std::abs(int(actual[i]) - int(expected[i])) > std::abs(int(actual[worst]) - int(expected[worst])))
            worst = i;
    }
    const double mean = actual.empty() ? 0 : double(total) / double(actual.size());
    if (actual.empty() || (std::abs(int(actual[worst]) - int(expected[worst])) <= tolerance && mean <= meanTolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "byte " << worst << " is " << int(actual[worst]) << ", expected "
                                         << int(expected[worst]) << "; mean difference " << mean;
}

void Put16Le(Bytes& bytes, unsigned value) {
    bytes.insert(bytes.end(), {std::uint8_t(value), std::uint8_t(value >> 8)});
}
void Put16Be(Bytes& bytes, unsigned value) {
    bytes.insert(bytes.end(), {std::uint8_t(value >> 8), std::uint8_t(value)});
}
void Put32Be(Bytes& bytes, std::uint32_t value) {
    Put16Be(bytes, value >> 16), Put16Be(bytes, value & 0xFFFF);
}

void PutPngChunk(Bytes& png, const char* type, const Bytes& body) {
    Put32Be(png, std::uint32_t(body.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = start; i < png.size(); ++i) {
        crc ^= png[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    Put32Be(png, ~crc);
}

// An 8-bit RGBA PNG; with `rows` (each a filter byte 0 and the pixels) in one stored deflate block.
Bytes Png(std::uint32_t width, std::uint32_t height, const Bytes* rows = nullptr) {
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, header;
    Put32Be(header, width);
    Put32Be(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    PutPngChunk(png, "IHDR", header);
    if (rows == nullptr) return png;
    Bytes zlib = {0x78, 0x01, 0x01};
    Put16Le(zlib, unsigned(rows->size()));
    Put16Le(zlib, unsigned(~rows->size() & 0xFFFF));
    zlib.insert(zlib.end(), rows->begin(), rows->end());
    std::uint32_t a = 1, b = 0; // Adler-32
    for (std::uint8_t byte : *rows)
        a = (a + byte) % 65521, b = (b + a) % 65521;
    Put32Be(zlib, (b << 16) | a);
    PutPngChunk(png, "IDAT", zlib);
    PutPngChunk(png, "IEND", {});
    return png;
}

// Headers that declare a size and carry no pixel data.
Bytes JpegHeader(unsigned width, unsigned height) {
    Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xC0, 0, 17, 8};
    Put16Be(jpeg, height);
    Put16Be(jpeg, width);
    jpeg.insert(jpeg.end(), {3, 1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0});
    return jpeg;
}

Bytes GifHeader(unsigned width, unsigned height) {
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
    Put16Le(gif, width);
    Put16Le(gif, height);
    gif.insert(gif.end(), {0, 0, 0});
    return gif;
}

Bytes TgaHeader(unsigned width, unsigned height, std::uint8_t type = 2) {
    Bytes tga = {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Put16Le(tga, width);
    Put16Le(tga, height);
    tga.insert(tga.end(), {24, 0});
    return tga;
}

// A whole run-length encoded 24-bit TGA of one colour (blue, green, red), in packets of 128 pixels.
Bytes TgaOneColour(unsigned width, unsigned height, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
    Bytes tga = TgaHeader(width, height, 10);
    for (std::uint64_t left = std::uint64_t(width) * height, count; left > 0; left -= count) {
        count = left < 128 ? left : 128;
        tga.insert(tga.end(), {std::uint8_t(0x80 | (count - 1)), blue, green, red});
    }
    return tga;
}

} // namespace

TEST(StbDecode, PicturesMatchImageMagick) {
    const struct {
        const char *file, *expected;
        int width, height, channels; // channels compared: 3, or 4 with alpha
        int tolerance;               // lossy JPEG against ImageMagick's decode: measured 3, mean 0.09
        double meanTolerance;
    } cases[] = {
        {"picture.png", "picture.rgb", 64, 48, 3, 0, 0},     {"picture.tga", "picture.rgb", 64, 48, 3, 0, 0},
        {"picture-rle.tga", "picture.rgb", 64, 48, 3, 0, 0}, {"png-inside.jpg", "picture.rgb", 64, 48, 3, 0, 0},
        {"picture.gif", "picture-gif.rgb", 64, 48, 3, 0, 0}, // the first of its two frames
        {"alpha.png", "alpha.rgba", 16, 8, 4, 0, 0},         {"picture.jpg", "picture-jpg.rgb", 64, 48, 3, 6, 0.5},
        {"UPPER.JPG", "picture-jpg.rgb", 64, 48, 3, 6, 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes file = ReadDataFile(c.file);
        DecodedPicture picture;
        ASSERT_TRUE(DecodeWithStb(file.data(), file.size(), picture)) << file.size() << " bytes";
        EXPECT_EQ(picture.width, c.width);
        EXPECT_EQ(picture.height, c.height);
        EXPECT_EQ(picture.bitsPerPixel, 32);
        EXPECT_EQ(picture.format, PixelFormat::Bits32);
        EXPECT_FALSE(picture.hasMasks);
        EXPECT_TRUE(picture.palette.empty());
        ASSERT_EQ(picture.pixels.size(), std::size_t(c.width) * 4 * c.height);
        EXPECT_TRUE(CloseEnough(TopDown(picture, c.channels), ReadDataFile(c.expected), c.tolerance, c.meanTolerance));
        if (c.channels == 3)
            for (std::size_t i = 3; i < picture.pixels.size(); i += 4)
                ASSERT_EQ(picture.pixels[i], 255) << "alpha " << i;
    }
}

TEST(StbDecode, FailuresLeaveOutputAlone) {
    Bytes noise;
    for (int i = 0; i < 300; ++i)
        noise.push_back(std::uint8_t(i * 7 + 3));
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"text named .png", ReadDataFile("text.png")},
        {"JPEG cut in its headers", ReadDataFile("truncated-header.jpg")},
        {"JPEG cut in half", ReadDataFile("truncated.jpg")},
        {"PNG signature alone", Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}},
        {"PNG header without data", Png(4, 4)},
        {"GIF header without data", GifHeader(4, 4)},
        {"JPEG header without data", JpegHeader(4, 4)},
        {"BMP, not read here", Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}},
        {"noise", noise},
        {"one byte", Bytes{0xFF}},
        // Declared sizes beyond the limits, refused from the header alone.
        {"PNG wider than 16384", Png(16385, 1)},
        {"PNG of 16384 x 16384", Png(16384, 16384)},
        {"PNG of 8193 x 8192", Png(8193, 8192)},
        {"PNG of 0 x 4", Png(0, 4)},
        {"JPEG higher than 16384", JpegHeader(1, 16385)},
        {"JPEG of 16384 x 16384", JpegHeader(16384, 16384)},
        {"GIF of 65535 x 65535", GifHeader(65535, 65535)},
        {"GIF of 16384 x 4097", GifHeader(16384, 4097)},
        {"TGA of 16384 x 16384", TgaHeader(16384, 16384)},
        {"TGA of 0 x 0", TgaHeader(0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedPicture picture = Sentinel();
        EXPECT_FALSE(DecodeWithStb(c.bytes.data(), c.bytes.size(), picture));
        EXPECT_TRUE(IsSentinel(picture));
    }
    DecodedPicture picture = Sentinel();
    EXPECT_FALSE(DecodeWithStb(nullptr, 0, picture));
    const Bytes png = ReadDataFile("picture.png");
    EXPECT_FALSE(DecodeWithStb(png.data(), 0, picture));
    EXPECT_TRUE(IsSentinel(picture));
}

TEST(StbDecode, SizeLimits) {
    // A whole, valid picture one pixel over 64 Mi pixels is refused (stb alone would decode it).
    const Bytes tooMany = TgaOneColour(8193, 8192, 1, 2, 3);
    DecodedPicture picture = Sentinel();
    EXPECT_FALSE(DecodeWithStb(tooMany.data(), tooMany.size(), picture));
    EXPECT_TRUE(IsSentinel(picture));

    const struct {
        unsigned width, height;
        bool decodes;
    } cases[] = {{16384, 1, true}, {1, 16384, true}, {16385, 1, false}, {1, 16385, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const Bytes tga = TgaOneColour(c.width, c.height, 10, 20, 30);
        DecodedPicture decoded;
        ASSERT_EQ(DecodeWithStb(tga.data(), tga.size(), decoded), c.decodes);
        if (!c.decodes) continue;
        EXPECT_EQ(decoded.width, int(c.width));
        EXPECT_EQ(decoded.height, int(c.height));
        ASSERT_EQ(decoded.pixels.size(), std::size_t(c.width) * c.height * 4);
        EXPECT_EQ((Bytes(decoded.pixels.end() - 4, decoded.pixels.end())), (Bytes{10, 20, 30, 255}));
    }
}

TEST(StbDecode, CutFiles) {
    // Every cut either fails and leaves the output alone, or gives a whole picture. A JPEG needs
    // all its data, a PNG may only lose its IEND chunk; GIF and TGA show what arrived.
    const std::size_t any = ~std::size_t(0);
    const struct {
        const char* file;
        std::size_t acceptedFromEnd; // cuts this close to the end may decode
        std::size_t step;
    } cases[] = {{"picture.jpg", 0, 1},   {"picture.png", 12, 1},   {"alpha.png", 12, 1},
                 {"picture.gif", any, 3}, {"picture.tga", any, 11}, {"picture-rle.tga", any, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes file = ReadDataFile(c.file);
        ASSERT_FALSE(file.empty());
        for (std::size_t size = 0; size < file.size(); size += c.step) {
            const Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(size)); // exact size, so ASan sees overreads
            DecodedPicture picture = Sentinel();
            if (!DecodeWithStb(cut.data(), cut.size(), picture)) {
                EXPECT_TRUE(IsSentinel(picture)) << "cut at " << size;
                continue;
            }
            EXPECT_LE(file.size() - size, c.acceptedFromEnd) << "cut at " << size << " decoded";
            EXPECT_EQ(picture.pixels.size(), picture.Stride() * std::size_t(picture.height)) << "cut at " << size;
        }
    }

    // The bottom-up TGA cut after 20 of its 48 rows: those are the bottom rows; the rest is black
    // (stb leaves it unwritten; the library's memory is zeroed).
    const Bytes tga = ReadDataFile("picture.tga"), expected = ReadDataFile("picture.rgb");
    const std::size_t rowBytes = 64 * 3, missing = (48 - 20) * rowBytes;
    ASSERT_EQ(tga.size(), 18 + 48 * rowBytes);
    const Bytes cut(tga.begin(), tga.begin() + std::ptrdiff_t(18 + 20 * rowBytes + 50));
    DecodedPicture picture;
    ASSERT_TRUE(DecodeWithStb(cut.data(), cut.size(), picture));
    const Bytes rgb = TopDown(picture, 3);
    ASSERT_EQ(rgb.size(), expected.size());
    EXPECT_TRUE(
        CloseEnough(Bytes(rgb.begin() + missing, rgb.end()), Bytes(expected.begin() + missing, expected.end())));
    EXPECT_TRUE(CloseEnough(Bytes(rgb.begin(), rgb.begin() + missing), Bytes(missing, 0)));
}

TEST(StbDecode, SmallPicturesOfOddShapes) {
    // A 5 x 1 and a 3 x 3 RGBA picture, every pixel different; stored rows start with filter 0.
    Bytes row = {0}, square;
    for (std::uint8_t i = 0; i < 5; ++i)
        row.insert(row.end(), {std::uint8_t(10 * i), 1, 2, std::uint8_t(200 + i)});
    Bytes tga = TgaHeader(3, 3); // the same 3 x 3 pixels, bottom-up, blue, green, red
    for (std::uint8_t y = 0; y < 3; ++y) {
        square.push_back(0);
        for (std::uint8_t x = 0; x < 3; ++x)
            square.insert(square.end(), {std::uint8_t(16 * y + x), 7, 9, 255});
    }
    for (int y = 2; y >= 0; --y)
        for (int x = 0; x < 3; ++x)
            tga.insert(tga.end(), {9, 7, std::uint8_t(16 * y + x)});
    Bytes twoRows = row; // more data than a 5 x 1 picture needs
    for (std::size_t i = 0; i < row.size(); ++i)
        twoRows.push_back(std::uint8_t(row[i] ^ 0x55));
    auto pixelsOf = [](const Bytes& rows, std::size_t width, std::size_t count) {
        Bytes pixels;
        for (std::size_t i = 0; i < count; ++i)
            pixels.insert(pixels.end(), rows.begin() + std::ptrdiff_t(i * (1 + 4 * width) + 1),
                          rows.begin() + std::ptrdiff_t((i + 1) * (1 + 4 * width)));
        return pixels;
    };
    const struct {
        const char* name;
        Bytes file;
        int width, height;
        Bytes expectedRgba;
    } cases[] = {
        // stb 2.27 inflates a single row into a buffer of the picture's own size and makes the
        // picture in another: the library then copies stb's output rather than turning it in place.
        {"PNG 5 x 1", Png(5, 1, &row), 5, 1, pixelsOf(row, 5, 1)},
        // stb grows the buffer it inflates into, then ignores what is left over.
        {"PNG 5 x 1 with a second row", Png(5, 1, &twoRows), 5, 1, pixelsOf(row, 5, 1)},
        {"PNG 3 x 3", Png(3, 3, &square), 3, 3, pixelsOf(square, 3, 3)},
        {"TGA 3 x 3", tga, 3, 3, pixelsOf(square, 3, 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedPicture picture;
        ASSERT_TRUE(DecodeWithStb(c.file.data(), c.file.size(), picture));
        EXPECT_EQ(picture.width, c.width);
        EXPECT_EQ(picture.height, c.height);
        EXPECT_TRUE(CloseEnough(TopDown(picture, 4), c.expectedRgba));
    }
}

TEST(StbDecode, JpegHuffmanTablesOfMoreThan256CodesAreRefused) {
    // stb_image 2.27 would write past its table for these (found by fuzzing: the first case).
    const Bytes jpeg = ReadDataFile("picture.jpg");
    ASSERT_EQ(jpeg.size() > 4 ? jpeg[jpeg.size() - 1] : 0, 0xD9) << "picture.jpg must end with its EOI marker";
    auto segment = [](std::uint8_t marker, const Bytes& body) {
        Bytes bytes = {0xFF, marker};
        Put16Be(bytes, unsigned(body.size() + 2));
        bytes.insert(bytes.end(), body.begin(), body.end());
        return bytes;
    };
    auto huffman = [&](std::uint8_t lastCount) { // AC table 0 of 2 + lastCount codes
        Bytes body(17, 0);
        body[0] = 0x10, body[15] = 2, body[16] = lastCount;
        for (unsigned i = 0; i < 2u + lastCount; ++i)
            body.push_back(std::uint8_t(i));
        return segment(0xC4, body);
    };
    auto join = [](std::initializer_list<Bytes> parts) {
        Bytes all;
        for (const Bytes& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const Bytes tooMany = huffman(255), fits = huffman(254);
    const Bytes hidden = segment(0xEF, join({{0x12, 0x34}, tooMany})); // application data, only data
    const Bytes stray = {0x00, 0x12};                                  // stb skips these between segments
    auto splice = [&](const Bytes& afterStart, const Bytes& beforeEnd) {
        return join({Bytes(jpeg.begin(), jpeg.begin() + 2), afterStart, Bytes(jpeg.begin() + 2, jpeg.end() - 2),
                     beforeEnd, Bytes{0xFF, 0xD9}});
    };
    const struct {
        const char* name;
        Bytes file;
        bool decodes;
    } cases[] = {
        {"fuzzing find", ReadDataFile("fuzz-regressions/stb-jpeg-huffman-257-codes.jpg"), false},
        {"257 codes before the frame", splice(tooMany, {}), false},
        {"256 codes before the frame", splice(fits, {}), true}, // then replaced by the file's own table
        {"257 codes after stray bytes", splice(join({hidden, stray, tooMany}), {}), false},
        {"257 codes after the scan", splice({}, tooMany), false},
        {"256 codes after the scan", splice({}, fits), true},
        {"257 codes hidden in application data", splice(hidden, hidden), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.file.empty());
        DecodedPicture picture = Sentinel();
        EXPECT_EQ(DecodeWithStb(c.file.data(), c.file.size(), picture), c.decodes);
        if (!c.decodes) EXPECT_TRUE(IsSentinel(picture));
        int width = -1, height = -1;
        EXPECT_EQ(PeekStbPictureSize(c.file.data(), c.file.size(), width, height), c.decodes);
    }
}

TEST(StbDecode, PngWhoseFirstDataChunkIsEmptyIsRefused) {
    // stb_image 2.27 would copy it to a null pointer (found by fuzzing: the first case).
    Bytes rows = {0, 1, 2, 3, 4};
    const Bytes png = Png(1, 1, &rows);
    const std::size_t idat = 8 + 25; // signature, IHDR
    auto insertEmptyIdat = [&](std::size_t at) {
        Bytes file = png, empty;
        PutPngChunk(empty, "IDAT", {});
        file.insert(file.begin() + std::ptrdiff_t(at), empty.begin(), empty.end());
        return file;
    };
    const struct {
        const char* name;
        Bytes file;
        bool decodes;
    } cases[] = {
        {"fuzzing find", ReadDataFile("fuzz-regressions/stb-png-empty-first-idat.png"), false},
        {"empty IDAT first", insertEmptyIdat(idat), false},
        {"empty IDAT after the data", insertEmptyIdat(png.size() - 12), true},
        {"no empty IDAT", png, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.file.empty());
        DecodedPicture picture = Sentinel();
        EXPECT_EQ(DecodeWithStb(c.file.data(), c.file.size(), picture), c.decodes);
        if (c.decodes)
            EXPECT_EQ(TopDown(picture, 4), (Bytes{1, 2, 3, 4}));
        else
            EXPECT_TRUE(IsSentinel(picture));
    }
}

TEST(StbDecode, PeekPictureSize) {
    const struct {
        const char* name;
        Bytes bytes;
        bool known;
        int width, height;
    } cases[] = {
        {"JPEG", ReadDataFile("picture.jpg"), true, 64, 48},
        {"PNG", ReadDataFile("alpha.png"), true, 16, 8},
        {"GIF", ReadDataFile("picture.gif"), true, 64, 48},
        {"TGA", ReadDataFile("picture-rle.tga"), true, 64, 48},
        {"PNG over the pixel limit", Png(16384, 16384), true, 16384, 16384},
        {"GIF over the pixel limit", GifHeader(16384, 4097), true, 16384, 4097},
        {"GIF wider than stb reads", GifHeader(16385, 3), false, -1, -1},
        {"text", ReadDataFile("text.png"), false, -1, -1},
        {"empty", Bytes{}, false, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int width = -1, height = -1;
        EXPECT_EQ(PeekStbPictureSize(c.bytes.data(), c.bytes.size(), width, height), c.known);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
    }
}
