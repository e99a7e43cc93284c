#include "pictures/PictureText.h"

#include <gtest/gtest.h>

TEST(PictureText, SizeAndFileInformation) {
    EXPECT_EQ(SizeText(320, 400), "Size : 320 X 400");
    EXPECT_EQ(SizeText(0, 0), "Size : 0 X 0");
    EXPECT_EQ(FileInfoText(320, 400, PixelFormat::Bits8), "Size : 320 X 400\x0A\x0D"
                                                          "Bits per pixel : 8\x0A\x0D");
    EXPECT_EQ(FileInfoText(640, 480, PixelFormat::Bits24), "Size : 640 X 480\n\rBits per pixel : 24\n\r");
    EXPECT_EQ(ScreenInfoText(320, 400, PixelFormat::Bits8, 236),
              "Size : 320 X 400\n\rBits per pixel : 8\n\rAnimated bar: entries 236-255\n\r");
    EXPECT_EQ(ScreenInfoText(320, 400, PixelFormat::Bits8, 0),
              FileInfoText(320, 400, PixelFormat::Bits8) + "No animation\n\r");
    EXPECT_EQ(std::string(kNoPreviewMessage), "No Preview Available.\x0A\x0D"
                                              "Select a file first.");
}
