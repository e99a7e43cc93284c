#include "platform/TabOrder.h"

#include <gtest/gtest.h>

TEST(TabOrder, SkipsControlsThatCannotTakeTheFocus) {
    std::vector<bool> canFocus = {true, false, true, true, false};
    EXPECT_EQ(NextTabStop(canFocus, 0, true), 2);
    EXPECT_EQ(NextTabStop(canFocus, 3, true), 0);  // wraps round past the hidden last one
    EXPECT_EQ(NextTabStop(canFocus, 2, false), 0); // Shift+Tab
    EXPECT_EQ(NextTabStop(canFocus, 0, false), 3);
    EXPECT_EQ(NextTabStop(canFocus, -1, true), 0); // focus outside the tab order
    EXPECT_EQ(NextTabStop(canFocus, -1, false), 3);
}

TEST(TabOrder, NoneFocusable) {
    EXPECT_EQ(NextTabStop({false, false}, 0, true), -1);
    EXPECT_EQ(NextTabStop({}, -1, true), -1);
    EXPECT_EQ(NextTabStop({true}, 0, true), 0);
}
