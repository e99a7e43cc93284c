#include "pictures/ScreenRule.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

TEST(ScreenRule, TestsSizeBeforeDepth) {
    EXPECT_EQ(CheckScreenPicture(320, 400, PixelFormat::Bits8), ScreenCheck::Fits);
    EXPECT_EQ(CheckScreenPicture(320, 400, PixelFormat::Bits24), ScreenCheck::WrongDepth);
    EXPECT_EQ(CheckScreenPicture(320, 400, PixelFormat::Device), ScreenCheck::WrongDepth);
    EXPECT_EQ(CheckScreenPicture(400, 320, PixelFormat::Bits8), ScreenCheck::WrongSize);
    EXPECT_EQ(CheckScreenPicture(320, 401, PixelFormat::Bits24), ScreenCheck::WrongSize);
    EXPECT_EQ(CheckScreenPicture(0, 0, PixelFormat::Device), ScreenCheck::WrongSize);
}

// Only a bitmap can be a screen, whatever its size or depth and whatever the file's name.
TEST(ScreenRule, OnlyABitmapsBytesCanBeAScreen) {
    const std::string screen = BitmapFile(320, 400, 8);
    const struct {
        const char* name;
        std::string bytes;
        bool bitmap;
    } cases[] = {
        {"320 x 400 x 8", screen, true},
        {"640 x 480 x 24", BitmapFile(640, 480, 24), true},
        {"pixels cut short", screen.substr(0, screen.size() / 2), false},
        {"JPEG", "\xFF\xD8\xFF\xE0" + screen.substr(4), false},
        {"PNG", "\x89PNG\r\n\x1A\n" + screen.substr(8), false},
        {"empty", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsWindowsBitmap(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size()), c.bitmap);
    }
}
