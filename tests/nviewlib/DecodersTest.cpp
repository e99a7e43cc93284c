// The picture library's decoders: JPEG (libjpeg-turbo), PNG (libpng), GIF (giflib), TGA (stb_image).
#include "nviewlib/GifDecode.h"
#include "nviewlib/JpegDecode.h"
#include "nviewlib/PngDecode.h"
#include "nviewlib/TgaDecode.h"

#include "tests/support/PictureSentinel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Decoder = bool (*)(const std::uint8_t*, std::size_t, DecodedPicture&);

// The decoders with the picture's own memory.
bool Jpeg(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    return DecodeJpeg(data, size, out);
}
bool Png(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    return DecodePng(data, size, out);
}
bool Gif(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    return DecodeGif(data, size, out);
}
bool Tga(const std::uint8_t* data, std::size_t size, DecodedPicture& out) {
    return DecodeTga(data, size, out);
}

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
Bytes PngFile(std::uint32_t width, std::uint32_t height, const Bytes* rows = nullptr) {
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

// A JPEG with an EXIF segment right after its start marker giving `orientation`, big-endian
// ("MM") or little-endian ("II").
Bytes WithExifOrientation(const Bytes& jpeg, unsigned orientation, bool bigEndian) {
    Bytes tiff = bigEndian ? Bytes{'M', 'M', 0, 42, 0, 0, 0, 8} : Bytes{'I', 'I', 42, 0, 8, 0, 0, 0};
    auto put16 = [&](unsigned v) { bigEndian ? Put16Be(tiff, v) : Put16Le(tiff, v); };
    put16(2); // two entries: a resolution unit, then the orientation
    put16(0x0128), put16(3), put16(1), put16(0), put16(2), put16(0);
    put16(0x0112), put16(3), put16(1), put16(0), put16(orientation), put16(0);
    tiff.insert(tiff.end(), {0, 0, 0, 0});
    Bytes segment = {0xFF, 0xE1};
    Put16Be(segment, unsigned(2 + 6 + tiff.size()));
    segment.insert(segment.end(), {'E', 'x', 'i', 'f', 0, 0});
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    Bytes file(jpeg.begin(), jpeg.begin() + 2);
    file.insert(file.end(), segment.begin(), segment.end());
    file.insert(file.end(), jpeg.begin() + 2, jpeg.end());
    return file;
}

} // namespace

TEST(Decoders, PicturesMatchImageMagick) {
    const struct {
        const char *file, *expected;
        Decoder decode;
        int width, height, channels; // channels compared: 3, or 4 with alpha
        int tolerance;               // lossy JPEG against ImageMagick's decode
        double meanTolerance;
    } cases[] = {
        {"picture.png", "picture.rgb", Png, 64, 48, 3, 0, 0},
        {"picture.tga", "picture.rgb", Tga, 64, 48, 3, 0, 0},
        {"picture-rle.tga", "picture.rgb", Tga, 64, 48, 3, 0, 0},
        {"png-inside.jpg", "picture.rgb", Png, 64, 48, 3, 0, 0},
        {"picture.gif", "picture-gif.rgb", Gif, 64, 48, 3, 0, 0}, // the first of its two frames
        {"picture-interlaced.gif", "picture-gif.rgb", Gif, 64, 48, 3, 0, 0},
        {"alpha.png", "alpha.rgba", Png, 16, 8, 4, 0, 0},
        {"picture.jpg", "picture-jpg.rgb", Jpeg, 64, 48, 3, 2, 0.1},
        {"UPPER.JPG", "picture-jpg.rgb", Jpeg, 64, 48, 3, 2, 0.1},
        {"progressive.jpg", "progressive.rgb", Jpeg, 64, 48, 3, 2, 0.1},
        {"cmyk.jpg", "cmyk.rgb", Jpeg, 64, 48, 3, 2, 0.5}, // ImageMagick rounds the inks otherwise
        {"grey.jpg", "grey.rgb", Jpeg, 64, 48, 3, 2, 0.1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes file = ReadDataFile(c.file);
        DecodedPicture picture;
        ASSERT_TRUE(c.decode(file.data(), file.size(), picture)) << file.size() << " bytes";
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

TEST(Decoders, FailuresLeaveOutputAlone) {
    Bytes noise;
    for (int i = 0; i < 300; ++i)
        noise.push_back(std::uint8_t(i * 7 + 3));
    const Bytes bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
    const struct {
        const char* name;
        Decoder decode;
        Bytes bytes;
    } cases[] = {
        {"text named .png", Png, ReadDataFile("text.png")},
        {"JPEG cut in its headers", Jpeg, ReadDataFile("truncated-header.jpg")},
        {"JPEG cut in half", Jpeg, ReadDataFile("truncated.jpg")},
        {"PNG signature alone", Png, Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}},
        {"PNG header without data", Png, PngFile(4, 4)},
        {"GIF header without data", Gif, GifHeader(4, 4)},
        {"JPEG header without data", Jpeg, JpegHeader(4, 4)},
        {"PNG as a JPEG", Jpeg, ReadDataFile("png-inside.jpg")},
        {"JPEG as a PNG", Png, ReadDataFile("picture.jpg")},
        {"JPEG as a GIF", Gif, ReadDataFile("picture.jpg")},
        {"BMP as a JPEG", Jpeg, bmp},
        {"BMP as a PNG", Png, bmp},
        {"BMP as a GIF", Gif, bmp},
        {"noise as a JPEG", Jpeg, noise},
        {"noise as a PNG", Png, noise},
        {"noise as a GIF", Gif, noise},
        {"noise as a TGA", Tga, noise},
        {"one byte", Jpeg, Bytes{0xFF}},
        // Declared sizes beyond the limits, refused from the header alone.
        {"PNG wider than 16384", Png, PngFile(16385, 1)},
        {"PNG of 16384 x 16384", Png, PngFile(16384, 16384)},
        {"PNG of 8193 x 8192", Png, PngFile(8193, 8192)},
        {"PNG of 0 x 4", Png, PngFile(0, 4)},
        {"JPEG higher than 16384", Jpeg, JpegHeader(1, 16385)},
        {"JPEG of 16384 x 16384", Jpeg, JpegHeader(16384, 16384)},
        {"GIF of 65535 x 65535", Gif, GifHeader(65535, 65535)},
        {"GIF of 16384 x 4097", Gif, GifHeader(16384, 4097)},
        {"GIF of 0 x 0", Gif, GifHeader(0, 0)},
        {"TGA of 16384 x 16384", Tga, TgaHeader(16384, 16384)},
        {"TGA of 0 x 0", Tga, TgaHeader(0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedPicture picture = Sentinel();
        EXPECT_FALSE(c.decode(c.bytes.data(), c.bytes.size(), picture));
        EXPECT_TRUE(IsSentinel(picture));
    }
    const Bytes png = ReadDataFile("picture.png");
    for (Decoder decode : {Jpeg, Png, Gif, Tga}) {
        DecodedPicture picture = Sentinel();
        EXPECT_FALSE(decode(nullptr, 0, picture));
        EXPECT_FALSE(decode(png.data(), 0, picture));
        EXPECT_TRUE(IsSentinel(picture));
    }
}

TEST(Decoders, SizeLimits) {
    // A whole, valid picture one pixel over 64 Mi pixels is refused.
    const Bytes tooMany = TgaOneColour(8193, 8192, 1, 2, 3);
    DecodedPicture picture = Sentinel();
    EXPECT_FALSE(DecodeTga(tooMany.data(), tooMany.size(), picture));
    EXPECT_TRUE(IsSentinel(picture));

    const struct {
        unsigned width, height;
        bool decodes;
    } cases[] = {{16384, 1, true}, {1, 16384, true}, {16385, 1, false}, {1, 16385, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const Bytes tga = TgaOneColour(c.width, c.height, 10, 20, 30);
        DecodedPicture decoded;
        ASSERT_EQ(DecodeTga(tga.data(), tga.size(), decoded), c.decodes);
        if (!c.decodes) continue;
        EXPECT_EQ(decoded.width, int(c.width));
        EXPECT_EQ(decoded.height, int(c.height));
        ASSERT_EQ(decoded.pixels.size(), std::size_t(c.width) * c.height * 4);
        EXPECT_EQ((Bytes(decoded.pixels.end() - 4, decoded.pixels.end())), (Bytes{10, 20, 30, 255}));
    }
}

TEST(Decoders, CutFilesAreRefusedUnlessThePixelsAreWhole) {
    // Every cut either fails and leaves the output alone, or gives a whole picture. A JPEG needs
    // all its data; a PNG may lose what follows its pixel data; a GIF what follows its first frame
    // (the first frame of picture.gif ends before byte 1500); a TGA shows what arrived.
    const std::size_t any = ~std::size_t(0);
    const struct {
        const char* file;
        Decoder decode;
        std::size_t acceptedFromEnd; // cuts this close to the end may decode
        std::size_t step;
    } cases[] = {
        {"picture.jpg", Jpeg, 0, 1},   {"progressive.jpg", Jpeg, 0, 1},  {"picture.png", Png, 12, 1},
        {"alpha.png", Png, 12, 1},     {"picture.gif", Gif, any, 1},     {"picture-interlaced.gif", Gif, 1, 1},
        {"picture.tga", Tga, any, 11}, {"picture-rle.tga", Tga, any, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes file = ReadDataFile(c.file);
        ASSERT_FALSE(file.empty());
        for (std::size_t size = 0; size < file.size(); size += c.step) {
            const Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(size)); // exact size, so ASan sees overreads
            DecodedPicture picture = Sentinel();
            if (!c.decode(cut.data(), cut.size(), picture)) {
                EXPECT_TRUE(IsSentinel(picture)) << "cut at " << size;
                continue;
            }
            EXPECT_LE(file.size() - size, c.acceptedFromEnd) << "cut at " << size << " decoded";
            if (c.decode == Gif) EXPECT_GE(size, 1500u) << "cut in the first frame decoded";
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
    ASSERT_TRUE(DecodeTga(cut.data(), cut.size(), picture));
    const Bytes rgb = TopDown(picture, 3);
    ASSERT_EQ(rgb.size(), expected.size());
    EXPECT_TRUE(
        CloseEnough(Bytes(rgb.begin() + missing, rgb.end()), Bytes(expected.begin() + missing, expected.end())));
    EXPECT_TRUE(CloseEnough(Bytes(rgb.begin(), rgb.begin() + missing), Bytes(missing, 0)));
}

TEST(Decoders, SmallPicturesOfOddShapes) {
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
        Decoder decode;
        Bytes file;
        int width, height;
        Bytes expectedRgba;
    } cases[] = {
        {"PNG 5 x 1", Png, PngFile(5, 1, &row), 5, 1, pixelsOf(row, 5, 1)},
        {"PNG 5 x 1 with a second row", Png, PngFile(5, 1, &twoRows), 5, 1, pixelsOf(row, 5, 1)},
        {"PNG 3 x 3", Png, PngFile(3, 3, &square), 3, 3, pixelsOf(square, 3, 3)},
        {"TGA 3 x 3", Tga, tga, 3, 3, pixelsOf(square, 3, 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedPicture picture;
        ASSERT_TRUE(c.decode(c.file.data(), c.file.size(), picture));
        EXPECT_EQ(picture.width, c.width);
        EXPECT_EQ(picture.height, c.height);
        EXPECT_TRUE(CloseEnough(TopDown(picture, 4), c.expectedRgba));
    }
}

TEST(Decoders, JpegHuffmanTablesOfMoreThan256CodesAreRefused) {
    // Inputs that once made stb_image write past its table (the first found by fuzzing).
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
        {"257 codes after the scan", splice({}, tooMany), false},
        {"256 codes after the scan", splice({}, fits), true},
        {"257 codes hidden in application data", splice(hidden, hidden), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.file.empty());
        DecodedPicture picture = Sentinel();
        EXPECT_EQ(DecodeJpeg(c.file.data(), c.file.size(), picture), c.decodes);
        if (!c.decodes) EXPECT_TRUE(IsSentinel(picture));
    }
}

TEST(Decoders, PngWhoseFirstDataChunkIsEmptyDecodes) {
    // Once refused because stb_image copied it to a null pointer (the fuzzing find); libpng reads
    // an empty IDAT chunk like any other.
    Bytes rows = {0, 1, 2, 3, 4};
    const Bytes png = PngFile(1, 1, &rows);
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
    } cases[] = {
        {"empty IDAT first", insertEmptyIdat(idat)},
        {"empty IDAT after the data", insertEmptyIdat(png.size() - 12)},
        {"no empty IDAT", png},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedPicture picture;
        ASSERT_TRUE(DecodePng(c.file.data(), c.file.size(), picture));
        EXPECT_EQ(TopDown(picture, 4), (Bytes{1, 2, 3, 4}));
    }
    const Bytes find = ReadDataFile("fuzz-regressions/stb-png-empty-first-idat.png");
    ASSERT_FALSE(find.empty());
    DecodedPicture picture = Sentinel();
    if (!DecodePng(find.data(), find.size(), picture))
        EXPECT_TRUE(IsSentinel(picture));
    else
        EXPECT_EQ(picture.pixels.size(), picture.Stride() * std::size_t(picture.height));
}

TEST(Decoders, JpegOf422WithOddWidthIsRightInTheLastColumn) {
    // 33 x 16, blue with a red last column: the last column takes its colour from a chroma sample
    // of its own (blended a quarter with its neighbour's), as libjpeg-turbo's reference decode gives.
    const Bytes file = ReadDataFile("odd-width-422.jpg");
    DecodedPicture picture;
    ASSERT_TRUE(DecodeJpeg(file.data(), file.size(), picture));
    ASSERT_EQ(picture.width, 33);
    ASSERT_EQ(picture.height, 16);
    EXPECT_TRUE(CloseEnough(TopDown(picture, 3), ReadDataFile("odd-width-422.rgb"), 2, 0.1));
    for (int y = 0; y < 16; ++y) {
        SCOPED_TRACE("row " + std::to_string(y));
        const std::uint8_t* row = picture.pixels.data() + std::size_t(y) * picture.Stride();
        EXPECT_GT(row[4 * 32 + 2], 180) << "red of the last column";
        EXPECT_LT(row[4 * 32], 100) << "blue of the last column";
        EXPECT_GT(row[4 * 31], 150) << "blue of its neighbour";
    }
}

TEST(Decoders, ExifOrientationIsRead) {
    const Bytes jpeg = ReadDataFile("picture.jpg");
    auto app1 = [](const Bytes& file) { // the body of the segment WithExifOrientation puts first
        return Bytes(file.begin() + 6, file.begin() + 4 + ((file[4] << 8) | file[5]));
    };
    const Bytes six = app1(WithExifOrientation(jpeg, 6, true));
    const struct {
        const char* name;
        Bytes body;
        int orientation;
    } cases[] = {
        {"big-endian 6", six, 6},
        {"little-endian 8", app1(WithExifOrientation(jpeg, 8, false)), 8},
        {"little-endian 3", app1(WithExifOrientation(jpeg, 3, false)), 3},
        {"out of range 9", app1(WithExifOrientation(jpeg, 9, true)), 1},
        {"cut in the entries", Bytes(six.begin(), six.begin() + 30), 1},
        {"not EXIF", Bytes{'X', 'M', 'P', 0, 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8}, 1},
        {"empty", Bytes{}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExifOrientation(c.body.data(), c.body.size()), c.orientation);
    }
}

TEST(Decoders, JpegIsTurnedUprightByItsOrientation) {
    // A 3 x 2 picture: pixel value = 10 * row + column; each orientation as EXIF shows it, top row first.
    Bytes source;
    for (std::uint8_t y = 0; y < 2; ++y)
        for (std::uint8_t x = 0; x < 3; ++x)
            source.insert(source.end(), {std::uint8_t(10 * y + x), 0, 0, 0});
    const struct {
        int orientation, width, height;
        std::vector<int> shown;
    } cases[] = {
        {1, 3, 2, {0, 1, 2, 10, 11, 12}}, {2, 3, 2, {2, 1, 0, 12, 11, 10}}, {3, 3, 2, {12, 11, 10, 2, 1, 0}},
        {4, 3, 2, {10, 11, 12, 0, 1, 2}}, {5, 2, 3, {0, 10, 1, 11, 2, 12}}, {6, 2, 3, {10, 0, 11, 1, 12, 2}},
        {7, 2, 3, {12, 2, 11, 1, 10, 0}}, {8, 2, 3, {2, 12, 1, 11, 0, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("orientation " + std::to_string(c.orientation));
        Bytes target(source.size(), 0xEE);
        OrientPixels(source.data(), 3, 2, c.orientation, target.data());
        std::vector<int> shown;
        for (int y = c.height - 1; y >= 0; --y) // bottom-up rows
            for (int x = 0; x < c.width; ++x)
                shown.push_back(target[4 * (std::size_t(y) * c.width + x)]);
        EXPECT_EQ(shown, c.shown);
    }

    // The whole decoder: orientation 6 (turned a quarter clockwise) gives a 48 x 64 picture whose
    // top row is the stored left column, bottom to top.
    const Bytes plain = ReadDataFile("picture.jpg");
    DecodedPicture stored, upright;
    ASSERT_TRUE(DecodeJpeg(plain.data(), plain.size(), stored));
    for (bool bigEndian : {true, false}) {
        SCOPED_TRACE(bigEndian ? "MM" : "II");
        const Bytes turned = WithExifOrientation(plain, 6, bigEndian);
        ASSERT_TRUE(DecodeJpeg(turned.data(), turned.size(), upright));
        ASSERT_EQ(upright.width, 48);
        ASSERT_EQ(upright.height, 64);
        const std::size_t uprightTop = std::size_t(63) * upright.Stride();
        for (int x = 0; x < 48; ++x) // shown (x, 0) is stored (0, 47 - x); stored row 47 - x lies at x bottom-up
            ASSERT_EQ(0, std::memcmp(&upright.pixels[uprightTop + 4 * std::size_t(x)],
                                     &stored.pixels[std::size_t(x) * stored.Stride()], 4))
                << "column " << x;
    }
}

TEST(Decoders, GifTransparencyAndFramePosition) {
    // A 4 x 2 screen with one 3 x 1 frame at (1, 1): red, the transparent colour, red.
    const Bytes gif = ReadDataFile("transparent.gif");
    DecodedPicture picture;
    ASSERT_TRUE(DecodeGif(gif.data(), gif.size(), picture));
    ASSERT_EQ(picture.width, 4);
    ASSERT_EQ(picture.height, 2);
    // The bottom row comes first: outside the frame, red, transparent, red; the top row is outside.
    EXPECT_EQ(Bytes(picture.pixels.begin(), picture.pixels.begin() + 16),
              (Bytes{0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0, 0, 0, 255, 255}));
    EXPECT_EQ(Bytes(picture.pixels.begin() + 16, picture.pixels.end()), Bytes(16, 0));
}

TEST(Decoders, GifFramesWiderThanTheScreenAreCutOrBeyondTheLimitsRefused) {
    // A 4 x 2 screen of 256 grey colours and one frame of `width` x 1 pixels of colour 7 at (0, 1),
    // its data coded with 9-bit codes and a clear code before every 250 pixels.
    auto gifOfFrame = [](unsigned width) {
        Bytes gif = GifHeader(4, 2);
        gif[10] = 0xF7; // a global colour table of 256 entries
        for (unsigned i = 0; i < 256; ++i)
            gif.insert(gif.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
        gif.push_back(0x2C);
        Put16Le(gif, 0), Put16Le(gif, 1), Put16Le(gif, width), Put16Le(gif, 1);
        gif.insert(gif.end(), {0, 8}); // no local table; codes of 8-bit colours
        Bytes data;
        std::uint32_t bits = 0;
        int count = 0;
        auto put = [&](unsigned code) {
            bits |= code << count;
            for (count += 9; count >= 8; count -= 8, bits >>= 8)
                data.push_back(std::uint8_t(bits));
        };
        for (unsigned i = 0; i < width; ++i) {
            if (i % 250 == 0) put(256);
            put(7);
        }
        put(257);
        if (count > 0) data.push_back(std::uint8_t(bits));
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - at);
            gif.push_back(std::uint8_t(n));
            gif.insert(gif.end(), data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(at + n));
        }
        gif.insert(gif.end(), {0, 0x3B});
        return gif;
    };
    for (unsigned width : {5u, 16384u, 16385u}) {
        SCOPED_TRACE(width);
        const Bytes gif = gifOfFrame(width);
        DecodedPicture picture = Sentinel();
        const bool decodes = width <= 16384; // the frame is held to the limits of the picture
        ASSERT_EQ(DecodeGif(gif.data(), gif.size(), picture), decodes);
        if (!decodes) {
            EXPECT_TRUE(IsSentinel(picture));
            continue;
        }
        ASSERT_EQ(picture.width, 4);
        const Bytes grey7 = {7, 7, 7, 255};
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Bytes(picture.pixels.begin() + 4 * x, picture.pixels.begin() + 4 * x + 4), grey7) << x;
        EXPECT_EQ(Bytes(picture.pixels.begin() + 16, picture.pixels.end()), Bytes(16, 0)) << "the top row";
    }
}
