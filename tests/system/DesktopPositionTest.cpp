#include "system/DesktopPosition.h"

#include <gtest/gtest.h>

// The original wallpaper goes back to every monitor placed as its recorded desktop values say.
TEST(DesktopPosition, DesktopValuesGiveTheShellsPosition) {
    const struct {
        const char *tile, *style;
        int position;
    } cases[] = {{"0", "0", 0}, {"1", "0", 1},  {"1", "(none)", 1}, {"", "", 0},  {"0", "2", 2},
                 {"0", "6", 3}, {"0", "10", 4}, {"1", "22", 5},     {"7", "9", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(DesktopPositionOf(c.tile, c.style), c.position) << c.tile << " " << c.style;
}
