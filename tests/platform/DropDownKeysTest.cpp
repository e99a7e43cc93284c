// Key movement in a drop-down list.
#include "platform/DropDownKeys.h"

#include <gtest/gtest.h>

TEST(DropDownKeys, ArrowsPagesAndEndsStayInTheList) {
    EXPECT_EQ(RowAfterKey(TDropDownKey::Down, 2, 5, 8), 3);
    EXPECT_EQ(RowAfterKey(TDropDownKey::Down, 4, 5, 8), 4) << "the last row stays";
    EXPECT_EQ(RowAfterKey(TDropDownKey::Up, 0, 5, 8), 0) << "the first row stays";
    EXPECT_EQ(RowAfterKey(TDropDownKey::Up, 3, 5, 8), 2);
    EXPECT_EQ(RowAfterKey(TDropDownKey::Down, -1, 5, 8), 0) << "no row yet: the first";
    EXPECT_EQ(RowAfterKey(TDropDownKey::Up, -1, 5, 8), 0);
    EXPECT_EQ(RowAfterKey(TDropDownKey::Home, 3, 5, 8), 0);
    EXPECT_EQ(RowAfterKey(TDropDownKey::End, 0, 5, 8), 4);
    // A page moves by one row less than a page shows, so one row stays in sight.
    EXPECT_EQ(RowAfterKey(TDropDownKey::PageDown, 0, 26, 8), 7);
    EXPECT_EQ(RowAfterKey(TDropDownKey::PageDown, 20, 26, 8), 25);
    EXPECT_EQ(RowAfterKey(TDropDownKey::PageUp, 10, 26, 8), 3);
    EXPECT_EQ(RowAfterKey(TDropDownKey::PageUp, 2, 26, 8), 0);
    EXPECT_EQ(RowAfterKey(TDropDownKey::PageDown, 0, 26, 1), 1) << "a page of one row still moves";
    EXPECT_EQ(RowAfterKey(TDropDownKey::Down, 0, 0, 8), -1) << "an empty list has no row";
}

TEST(DropDownKeys, ACharacterFindsTheNextRowStartingWithItGoingRound) {
    const std::vector<std::string> drives = {"a:", "c:", "d:", "Dvd", "", "z:"};
    EXPECT_EQ(RowOfCharacter(drives, 0, 'd'), 2);
    EXPECT_EQ(RowOfCharacter(drives, 2, 'D'), 3) << "without regard to case, after the current row";
    EXPECT_EQ(RowOfCharacter(drives, 3, 'd'), 2) << "going round";
    EXPECT_EQ(RowOfCharacter(drives, 1, 'c'), 1) << "the current row when no other starts with it";
    EXPECT_EQ(RowOfCharacter(drives, -1, 'a'), 0);
    EXPECT_EQ(RowOfCharacter(drives, 0, 'q'), -1);
    EXPECT_EQ(RowOfCharacter({}, -1, 'a'), -1);
}
