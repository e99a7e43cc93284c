// Decoded pictures become DIB sections that keep their depth, size, masks and pixels.
#include "platform/Bitmaps.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
DecodedPicture MakePicture(int width, int height, int bits, PixelFormat format, bool masks = false,
                           std::array<std::uint32_t, 3> maskValues = {}) {
    DecodedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = bits;
    picture.format = format;
    picture.hasMasks = masks;
    picture.masks = maskValues;
    if (bits <= 8)
        for (int i = 0; i < (1 << bits); ++i)
            picture.palette.push_back(std::uint32_t(i * 0x010101));
    picture.pixels.resize(picture.Stride() * std::size_t(height));
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = std::uint8_t(i * 7);
    return picture;
}
} // namespace

TEST(Bitmaps, DibSectionsKeepTheirPixelFormat) {
    struct Case {
        const char* name;
        DecodedPicture picture;
    } cases[] = {
        {"8", MakePicture(320, 400, 8, PixelFormat::Bits8)},
        {"1", MakePicture(17, 3, 1, PixelFormat::Bits1)},
        {"4", MakePicture(9, 5, 4, PixelFormat::Bits4)},
        {"15", MakePicture(7, 3, 16, PixelFormat::Bits15, true, {0x7C00, 0x03E0, 0x001F})},
        {"16", MakePicture(7, 3, 16, PixelFormat::Bits16, true, {0xF800, 0x07E0, 0x001F})},
        {"Custom", MakePicture(7, 3, 16, PixelFormat::Custom, true, {0x7C00, 0x03E0, 0x0010})},
        {"24", MakePicture(320, 400, 24, PixelFormat::Bits24)},
        {"32", MakePicture(5, 5, 32, PixelFormat::Bits32, true, {0xFF0000, 0xFF00, 0xFF})},
        {"Custom", MakePicture(5, 5, 32, PixelFormat::Custom, true, {0xFF, 0xFF00, 0xFF0000})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UniqueBitmap bitmap = CreateBitmapFromPicture(c.picture);
        ASSERT_TRUE(bitmap);
        BitmapFacts facts = QueryBitmap(bitmap.Get());
        EXPECT_EQ(facts.width, c.picture.width);
        EXPECT_EQ(facts.height, c.picture.height);
        EXPECT_EQ(PixelFormatName(facts.format), c.name);
        DIBSECTION section = {};
        ASSERT_EQ(GetObjectA(bitmap.Get(), sizeof(section), &section), int(sizeof(section)));
        EXPECT_EQ(std::memcmp(section.dsBm.bmBits, c.picture.pixels.data(), c.picture.pixels.size()), 0)
            << "the pixels are those of the picture";
    }
}

TEST(Bitmaps, EmptyPictureAndDeviceBitmaps) {
    EXPECT_FALSE(CreateBitmapFromPicture(DecodedPicture{}));
    BitmapFacts none = QueryBitmap(nullptr);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(PixelFormatName(none.format), "Device");
    WindowDc screen(nullptr);
    UniqueBitmap device(CreateCompatibleBitmap(screen.Get(), 12, 8));
    BitmapFacts facts = QueryBitmap(device.Get());
    EXPECT_EQ(facts.width, 12);
    EXPECT_EQ(facts.height, 8);
    EXPECT_EQ(facts.format, PixelFormat::Device);
}
