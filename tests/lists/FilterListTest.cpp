#include "lists/FilterList.h"

#include <gtest/gtest.h>

TEST(FilterList, ParsesDescriptionAndMaskPairs) {
    auto rows = ParseFilter("All usable files (*.bmp, *.sys)|*.bmp;*.sys;|Windows Bitmaps (*.bmp)|*.bmp|"
                            "System Files (*.sys)|*.sys|All files (*.*)|*.*");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].description, "All usable files (*.bmp, *.sys)");
    EXPECT_EQ(rows[0].mask, "*.bmp;*.sys;");
    EXPECT_EQ(rows[3].description, "All files (*.*)");
    EXPECT_EQ(rows[3].mask, "*.*");
    EXPECT_TRUE(ParseFilter("").empty());
    auto odd = ParseFilter("Only a description");
    ASSERT_EQ(odd.size(), 1u);
    EXPECT_EQ(odd[0].mask, "");
}

TEST(FilterList, ComparesWithoutCaseAndKeepsEmptyPatterns) {
    EXPECT_TRUE(SameFilter("All files|*.*", "ALL FILES|*.*"));
    EXPECT_FALSE(SameFilter("All files|*.*", "All files|*.*;"));
    EXPECT_EQ(SplitMask("*.bmp;*.sys;"), (std::vector<std::string>{"*.bmp", "*.sys", ""}));
    EXPECT_EQ(SplitMask("*.*"), (std::vector<std::string>{"*.*"}));
}
