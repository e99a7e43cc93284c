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

// Only a whole bitmap can be a screen, whatever its size or depth and whatever the file's name (the
// other kinds are tested with the program's F4).
TEST(ScreenRule, OnlyABitmapsBytesCanBeAScreen) {
    const std::string screen = BitmapFile(640, 480, 24);
    for (const auto& [bytes, bitmap] : {std::pair{screen, true},
                                        {screen.substr(0, screen.size() / 2), false},
                                        {"\xFF\xD8\xFF\xE0" + screen.substr(4), false},
                                        {std::string(), false}}) {
        SCOPED_TRACE(std::to_string(bytes.size()) + " bytes");
        EXPECT_EQ(IsWindowsBitmap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), bitmap);
    }
}
