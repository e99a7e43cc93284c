#include "platform/PixelFormat.h"

#include <gtest/gtest.h>

TEST(PixelFormat, Names) {
    const char* names[] = {"Device", "1", "4", "8", "15", "16", "24", "32", "Custom"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(PixelFormatName(i), names[i]) << i;
    EXPECT_EQ(PixelFormatName(9), "");
    EXPECT_EQ(PixelFormatName(-1), "");
    EXPECT_EQ(PixelFormatName(PixelFormat::Bits15), "15");
}

TEST(PixelFormat, ClassifiedFromDepthAndMasks) {
    struct Case {
        int bits;
        bool masks;
        unsigned green;
        PixelFormat format;
    } cases[] = {
        {1, false, 0, PixelFormat::Bits1},       {4, false, 0, PixelFormat::Bits4},
        {8, false, 0, PixelFormat::Bits8},       {16, false, 0, PixelFormat::Bits15},
        {16, true, 0x07E0, PixelFormat::Bits16}, {16, true, 0x03E0, PixelFormat::Custom},
        {24, false, 0, PixelFormat::Bits24},     {32, false, 0, PixelFormat::Bits32},
        {32, true, 0xFF00, PixelFormat::Custom}, {2, false, 0, PixelFormat::Custom},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.bits) + (c.masks ? " with masks" : ""));
        EXPECT_EQ(ClassifyBits(c.bits, c.masks, c.green), c.format);
    }
}
