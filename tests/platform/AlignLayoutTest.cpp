#include "platform/AlignLayout.h"

#include <gtest/gtest.h>

// The main window's lower area: a top bevel, a bottom extend panel, two splitters and the lists.
TEST(AlignLayout, MainWindowListArea) {
    std::vector<AlignItem> items = {
        {TAlign::Top, {0, 0, 10, 291}, true},  {TAlign::Left, {0, 0, 4, 10}, true},
        {TAlign::Right, {0, 0, 4, 10}, true},  {TAlign::Bottom, {0, 0, 10, 5}, true},
        {TAlign::Client, {0, 0, 1, 1}, true},  {TAlign::None, {276, 180, 165, 25}, true},
        {TAlign::Client, {0, 0, 1, 1}, false},
    };
    AlignControls({0, 0, 444, 414}, items);
    EXPECT_EQ(items[0].bounds, (TBounds{0, 0, 444, 291}));
    EXPECT_EQ(items[1].bounds, (TBounds{0, 291, 4, 118}));
    EXPECT_EQ(items[2].bounds, (TBounds{440, 291, 4, 118}));
    EXPECT_EQ(items[3].bounds, (TBounds{0, 409, 444, 5}));
    EXPECT_EQ(items[4].bounds, (TBounds{4, 291, 436, 118}));
    EXPECT_EQ(items[5].bounds, (TBounds{276, 180, 165, 25})); // unaligned: unchanged
    EXPECT_EQ(items[6].bounds, (TBounds{0, 0, 1, 1}));        // hidden: unchanged
}

TEST(AlignLayout, BottomItemsStackUpwardsInOrder) {
    // The splash screen's two labels: the status line at the very bottom, the version above it.
    std::vector<AlignItem> items = {{TAlign::Bottom, {0, 0, 0, 23}, true}, {TAlign::Bottom, {0, 0, 0, 13}, true}};
    AlignControls({0, 0, 209, 129}, items);
    EXPECT_EQ(items[0].bounds, (TBounds{0, 106, 209, 23}));
    EXPECT_EQ(items[1].bounds, (TBounds{0, 93, 209, 13}));
}

TEST(AlignLayout, TooSmallAreaNeverGivesNegativeSizes) {
    std::vector<AlignItem> items = {{TAlign::Top, {0, 0, 0, 50}, true}, {TAlign::Client, {}, true}};
    AlignControls({0, 0, 30, 20}, items);
    EXPECT_EQ(items[1].bounds.height, 0);
    EXPECT_EQ(InsetBounds({0, 0, 3, 3}, 2), (TBounds{2, 2, 0, 0}));
    EXPECT_EQ(InsetBounds({0, 0, 221, 141}, 2), (TBounds{2, 2, 217, 137}));
}
