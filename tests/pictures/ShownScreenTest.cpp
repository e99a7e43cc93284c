#include "pictures/ShownScreen.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>
#include <string>

TEST(ShownScreen, LargestCentredFourByThreeRectangleOfTheDisplay) {
    const struct {
        PixelSize display;
        LayoutRect rect;
    } cases[] = {
        {{1024, 768}, {0, 0, 1024, 768}},
        {{1280, 1024}, {0, 32, 1280, 960}},
        {{1920, 1080}, {240, 0, 1440, 1080}},
        {{800, 600}, {0, 0, 800, 600}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.display.width) + " x " + std::to_string(c.display.height));
        const LayoutRect rect = ShownScreenRect(c.display);
        EXPECT_EQ(rect.left, c.rect.left);
        EXPECT_EQ(rect.top, c.rect.top);
        EXPECT_EQ(rect.width, c.rect.width);
        EXPECT_EQ(rect.height, c.rect.height);
    }
}

TEST(ShownScreen, OneStepTurnsTheEntriesFromTheStartUpOnePlace) {
    for (int start : {236, 1, 255}) {
        SCOPED_TRACE(start);
        std::uint32_t colours[256];
        std::iota(colours, colours + 256, 1000u);
        RotateColours(colours, start);
        for (int i = 0; i < start; ++i)
            ASSERT_EQ(colours[i], 1000u + i) << "entry " << i << " below the start moved";
        EXPECT_EQ(colours[start], 1255u) << "the last entry comes round to the start";
        for (int i = start + 1; i < 256; ++i)
            ASSERT_EQ(colours[i], 1000u + i - 1) << "entry " << i;
    }
}

TEST(ShownScreen, RotationByteIsReadOnlyFromAWindowsInformationHeader) {
    std::vector<std::uint8_t> file(0x40);
    file[0] = 'B';
    file[1] = 'M';
    file[0x32] = 236;
    auto start = [&file] { return RotationStartOf(file.data(), file.size()); };
    file[14] = 40;
    EXPECT_EQ(start(), 236);
    file[14] = 12; // an OS/2 header: a palette colour lies there
    EXPECT_EQ(start(), 0);
    file[14] = 40;
    file = std::vector<std::uint8_t>(file.begin(), file.begin() + 0x32); // nothing after it to read
    EXPECT_EQ(start(), 0) << "a file that ends before the byte";
}

// What a step repaints: the rows holding turning entries, where the stretched picture shows them.
TEST(ShownScreen, RowsOfTheBarAndWhereTheyAreShown) {
    std::uint8_t pixels[6][4] = {{1, 2, 3, 4}, {5, 236, 6, 7}, {1, 1, 1, 1}, {255, 0, 0, 0}, {0}, {0}};
    const RowSpan rows = RowsWithEntriesFrom(pixels[0], 4, 6, 4, 236);
    EXPECT_EQ(std::vector<int>({rows.begin, rows.end}), std::vector<int>({1, 4}));
    EXPECT_TRUE(RowsWithEntriesFrom(pixels[0], 4, 6, 4, 0x100).Empty());
    const RowSpan bar = ShownRows({390, 400}, 400, 768);
    EXPECT_EQ(std::vector<int>({bar.begin, bar.end}), std::vector<int>({747, 768}))
        << "rows 748.8 to 768, one more above";
    const RowSpan top = ShownRows({0, 1}, 400, 1000);
    EXPECT_EQ(std::vector<int>({top.begin, top.end}), std::vector<int>({0, 4})) << "rows 0 to 2.5, one more below";
}
