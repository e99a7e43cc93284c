#include "lists/ListFileFormat.h"

#include <gtest/gtest.h>

namespace {
const std::string kProgramDir = "D:\\PROGRAMS\\SELECT\\";

ListSet Read(const std::string& bytes) {
    ListSet lists;
    ReadListFile(bytes, kProgramDir, lists);
    return lists;
}

std::string Describe(const ListEntry& e) {
    return e.path + "|" + e.fileName + "|" + e.style;
}
} // namespace

TEST(ListFileFormat, EmptyListsGiveTheFortyFourByteFile) {
    std::string file = WriteListFile(ListSet{});
    EXPECT_EQ(file, "[START]\r\n\r\n[WAIT]\r\n\r\n[SHUT]\r\n\r\n[WALLPAPER]\r\n");
    EXPECT_EQ(file.size(), 44u);
    ListSet back = Read(file);
    for (const auto& list : back)
        EXPECT_TRUE(list.empty());
}

TEST(ListFileFormat, WritesTheLayoutByteForByte) {
    ListSet lists;
    lists[kStartSection] = {{"clouds.bmp", "C:\\PICS", ""}, {"logo2.sys", "D:\\SCREENS\\", ""}};
    lists[kShutSection] = {{"bye.bmp", "D:\\SCREENS", ""}};
    lists[kWallSection] = {{"sea.jpg", "C:\\PICS", "Tiled"}};
    EXPECT_EQ(WriteListFile(lists), "[START]\r\nC:\\PICS\\clouds.bmp\r\nD:\\SCREENS\\logo2.sys\r\n\r\n"
                                    "[WAIT]\r\n\r\n[SHUT]\r\nD:\\SCREENS\\bye.bmp\r\n\r\n"
                                    "[WALLPAPER]\r\nC:\\PICS\\sea.jpg, Tiled\r\n");
    EXPECT_EQ(EntryLine({"sea.jpg", "C:\\PICS", "Fit 2 Screen"}, true), "C:\\PICS\\sea.jpg, Fit 2 Screen");
    EXPECT_EQ(EntryLine({"sea.jpg", "C:\\PICS\\", "Fit 2 Screen"}, true), "C:\\PICS\\sea.jpg, Fit 2 Screen");
}

TEST(ListFileFormat, WallpaperStyles) {
    struct Case {
        const char* line;
        const char* path;
        const char* name;
        const char* style;
    } cases[] = {
        {"C:\\PICS\\sea.jpg,fit 2 screen ", "C:\\PICS\\", "sea.jpg", "Fit 2 Screen"},
        {"C:\\PICS\\sea.jpg", "C:\\PICS\\", "sea.jpg", "Centred"},
        {"C:\\PICS\\sea.jpg, Zoom", "C:\\PICS\\", "sea.jpg", "Centred"},
        {"C:\\PICS\\sea.jpg , Tiled", "C:\\PICS\\", "sea.jpg ", "Tiled"},
        // A comma in the folder survives: the line is split at its last comma.
        {"C:\\A,B\\sea.jpg, Tiled", "C:\\A,B\\", "sea.jpg", "Tiled"},
        {"C:\\PICS\\sea.jpg,\tMIRROR\t", "C:\\PICS\\", "sea.jpg", "Mirror"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ListSet lists = Read(std::string("[WALLPAPER]\r\n") + c.line + "\r\n");
        ASSERT_EQ(lists[kWallSection].size(), 1u);
        EXPECT_EQ(Describe(lists[kWallSection][0]), std::string(c.path) + "|" + c.name + "|" + c.style);
    }
    // In the other sections a comma is an ordinary character.
    ListSet lists = Read("[START]\r\nC:\\A,B\\sea.bmp, Tiled\r\n");
    EXPECT_EQ(Describe(lists[kStartSection][0]), "C:\\A,B\\|sea.bmp, Tiled|");
}

TEST(ListFileFormat, PathsAndNames) {
    ListSet lists = Read("[START]\r\nclouds.bmp\r\nC:clouds.bmp\r\n   \r\n");
    ASSERT_EQ(lists[kStartSection].size(), 3u);
    EXPECT_EQ(Describe(lists[kStartSection][0]), kProgramDir + "|clouds.bmp|");
    EXPECT_EQ(Describe(lists[kStartSection][1]), "C:|clouds.bmp|");
    EXPECT_EQ(EntryLine(lists[kStartSection][1], false), "C:\\clouds.bmp");
    EXPECT_EQ(Describe(lists[kStartSection][2]), kProgramDir + "|   |") << "a line of blanks is an entry";
}

TEST(ListFileFormat, ReaderTolerances) {
    // Headers are exact: lower case or a trailing blank close the section until the next header.
    ListSet lists = Read("[start]\r\na.bmp\r\n[START] \r\nb.bmp\r\n[WAIT]\r\nc.bmp\r\n");
    EXPECT_TRUE(lists[kStartSection].empty());
    ASSERT_EQ(lists[kWaitSection].size(), 1u);

    // Sections in any order and repeated; CR alone ends a line; the last line needs no line end.
    lists = Read("[SHUT]\rx.bmp\r[START]\r\na.bmp\r\n[SHUT]\r\ny.bmp");
    EXPECT_EQ(lists[kShutSection].size(), 2u);
    EXPECT_EQ(lists[kStartSection].size(), 1u);

    // LF alone is an ordinary character: the whole file is one line beginning with "[".
    lists = Read("[START]\na.bmp\nb.bmp\n");
    EXPECT_TRUE(lists[kStartSection].empty());

    // 1A ends the file; lines before any header are skipped.
    lists = Read("stray.bmp\r\n[START]\r\na.bmp\r\n\x1A"
                 "b.bmp\r\n");
    ASSERT_EQ(lists[kStartSection].size(), 1u);
    EXPECT_EQ(lists[kStartSection][0].fileName, "a.bmp");

    // No line length limit.
    std::string longName(100000, 'x');
    lists = Read("[START]\r\nC:\\" + longName + "\r\n");
    ASSERT_EQ(lists[kStartSection].size(), 1u);
    EXPECT_EQ(lists[kStartSection][0].fileName.size(), longName.size());
}

TEST(ListFileFormat, RoundTripKeepsEveryEntry) {
    ListSet lists;
    lists[kStartSection] = {{"a.bmp", "C:\\PICS\\", ""}};
    lists[kWaitSection] = {{"w.sys", "C:\\", ""}};
    lists[kWallSection] = {{"sea.jpg", "C:\\A,B\\", "Fit 2 Screen"}, {"b.jpg", "C:\\X\\", "Stretched"}};
    std::string file = WriteListFile(lists);
    ListSet back = Read(file);
    EXPECT_EQ(WriteListFile(back), file);
    EXPECT_EQ(Describe(back[kWallSection][0]), "C:\\A,B\\|sea.jpg|Fit 2 Screen");
}
