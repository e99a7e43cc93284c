#include "pictures/PixelFormat.h"

#include <gtest/gtest.h>

TEST(PixelFormat, Names) {
    const char* names[] = {"Device", "1", "4", "8", "15", "16", "24", "32", "Custom"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(PixelFormatName(i), names[i]) << i;
    EXPECT_EQ(PixelFormatName(9), "");
    EXPECT_EQ(PixelFormatName(-1), "");
    EXPECT_EQ(PixelFormatName(PixelFormat::Bits15), "15");
}

TEST(PixelFormat, ScreenRuleTestsSizeBeforeDepth) {
    EXPECT_EQ(CheckScreenPicture(320, 400, PixelFormat::Bits8), ScreenCheck::Fits);
    EXPECT_EQ(CheckScreenPicture(320, 400, PixelFormat::Bits24), ScreenCheck::WrongDepth);
    EXPECT_EQ(CheckScreenPicture(320, 400, PixelFormat::Device), ScreenCheck::WrongDepth);
    EXPECT_EQ(CheckScreenPicture(400, 320, PixelFormat::Bits8), ScreenCheck::WrongSize);
    EXPECT_EQ(CheckScreenPicture(320, 401, PixelFormat::Bits24), ScreenCheck::WrongSize);
    EXPECT_EQ(CheckScreenPicture(0, 0, PixelFormat::Device), ScreenCheck::WrongSize);
}
