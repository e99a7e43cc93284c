#include "pictures/ScreenRule.h"

#include <gtest/gtest.h>

TEST(ScreenRule, TestsSizeBeforeDepth) {
    EXPECT_EQ(CheckScreenPicture(320, 400, PixelFormat::Bits8), ScreenCheck::Fits);
    EXPECT_EQ(CheckScreenPicture(320, 400, PixelFormat::Bits24), ScreenCheck::WrongDepth);
    EXPECT_EQ(CheckScreenPicture(320, 400, PixelFormat::Device), ScreenCheck::WrongDepth);
    EXPECT_EQ(CheckScreenPicture(400, 320, PixelFormat::Bits8), ScreenCheck::WrongSize);
    EXPECT_EQ(CheckScreenPicture(320, 401, PixelFormat::Bits24), ScreenCheck::WrongSize);
    EXPECT_EQ(CheckScreenPicture(0, 0, PixelFormat::Device), ScreenCheck::WrongSize);
}
