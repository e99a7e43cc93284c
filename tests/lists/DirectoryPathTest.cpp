#include "lists/DirectoryPath.h"

#include <gtest/gtest.h>

TEST(DirectoryPath, OnlyARootKeepsItsBackslash) {
    EXPECT_EQ(BrowserPath("C:\\"), "C:\\");
    EXPECT_EQ(BrowserPath("C:"), "C:\\");
    EXPECT_EQ(BrowserPath("C:\\PICS\\"), "C:\\PICS");
    EXPECT_EQ(BrowserPath("C:\\PICS"), "C:\\PICS");
}

TEST(DirectoryPath, LevelsFromTheRootDown) {
    using V = std::vector<std::string>;
    EXPECT_EQ(PathLevels("C:\\PICS\\SUN"), (V{"C:\\", "PICS", "SUN"}));
    EXPECT_EQ(PathLevels("D:\\"), (V{"D:\\"}));
    EXPECT_EQ(PathLevels("\\\\server\\share\\pics"), (V{"\\\\server\\share", "pics"}));
    EXPECT_EQ(PathLevels(""), V{});
    V levels = PathLevels("C:\\PICS\\SUN");
    EXPECT_EQ(PathOfLevels(levels, 1), "C:\\");
    EXPECT_EQ(PathOfLevels(levels, 2), "C:\\PICS");
    EXPECT_EQ(PathOfLevels(levels, 3), "C:\\PICS\\SUN");
    EXPECT_EQ(PathOfLevels(levels, 9), "C:\\PICS\\SUN");
}

TEST(DirectoryPath, JoinsWithOneBackslash) {
    EXPECT_EQ(JoinPath("C:\\", "a.bmp"), "C:\\a.bmp");
    EXPECT_EQ(JoinPath("C:\\PICS", "a.bmp"), "C:\\PICS\\a.bmp");
    EXPECT_EQ(JoinPath("", "a.bmp"), "a.bmp");
}
