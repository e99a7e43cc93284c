// The library's choice of decoder: content first, the name only where the content has no signature.
#include "nviewlib/DecodePicture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {
std::vector<std::uint8_t> ReadData(const std::string& name) {
    std::ifstream file(std::string(NVIEWLIB_TEST_DATA) + "/" + name, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
} // namespace

TEST(DecodePicture, EveryWallpaperFormatDecodes) {
    struct Case {
        const char* file;
        int bits;
    } cases[] = {
        {"picture.jpg", 32}, {"UPPER.JPG", 32},     {"picture.png", 32},
        {"picture.gif", 32}, {"picture.tga", 32},   {"picture-rle.tga", 32},
        {"picture8.pcx", 8}, {"picture24.pcx", 24}, {"png-inside.jpg", 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::vector<std::uint8_t> bytes = ReadData(c.file);
        ASSERT_FALSE(bytes.empty());
        DecodedPicture picture;
        ASSERT_TRUE(DecodePicture(bytes.data(), bytes.size(), c.file, picture));
        EXPECT_GT(picture.width, 0);
        EXPECT_GT(picture.height, 0);
        EXPECT_EQ(picture.bitsPerPixel, c.bits);
    }
}

TEST(DecodePicture, BitmapsGoThroughTheProgramsOwnReader) {
    // A 2 x 1 bitmap of 24 bits per pixel, named as a screen file.
    std::vector<std::uint8_t> bmp = {'B', 'M', 62, 0, 0, 0, 0, 0,  0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0,
                                     0,   1,   0,  0, 0, 1, 0, 24, 0, 0, 0,  0, 0, 8, 0,  0, 0, 0, 0, 0, 0,
                                     0,   0,   0,  0, 0, 0, 0, 0,  0, 0, 0,  0, 1, 2, 3,  4, 5, 6, 0, 0};
    DecodedPicture picture;
    ASSERT_TRUE(DecodePicture(bmp.data(), bmp.size(), "logo.SYS", picture));
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.format, PixelFormat::Bits24);
}

TEST(DecodePicture, NothingToDecodeFailsCleanly) {
    DecodedPicture picture;
    std::vector<std::uint8_t> text = ReadData("text.png");
    EXPECT_FALSE(DecodePicture(text.data(), text.size(), "text.png", picture));
    EXPECT_FALSE(DecodePicture(nullptr, 0, "empty.jpg", picture));
    const std::uint8_t unknown[] = {1, 2, 3, 4};
    EXPECT_FALSE(DecodePicture(unknown, sizeof(unknown), "notes.txt", picture));
    EXPECT_TRUE(picture.Empty()) << "a failed decode leaves the picture alone";
}
