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

// The layout spelled out plainly, to hold the writer against.
std::string PlainLine(const ListEntry& e, bool withStyle) {
    std::string line = e.path;
    if (line.empty() || line.back() != '\\') line += '\\';
    line += e.fileName;
    if (withStyle) line += ", " + e.style;
    return line;
}

std::string PlainFile(const ListSet& lists) {
    std::string file;
    const std::pair<Category, const char*> sections[] = {{Category::Start, "[START]"},
                                                         {Category::Wait, "[WAIT]"},
                                                         {Category::Shut, "[SHUT]"},
                                                         {Category::Wall, "[WALLPAPER]"}};
    for (auto [category, header] : sections) {
        if (!file.empty()) file += "\r\n";
        file += std::string(header) + "\r\n";
        for (const ListEntry& entry : lists[category])
            file += PlainLine(entry, category == Category::Wall) + "\r\n";
    }
    return file;
}

// The file passed through a sink with chunks of the given size, joined again.
std::string Streamed(const ListSet& lists, std::size_t chunk) {
    std::string file;
    TextSink sink(
        [&](const char* bytes, std::size_t size) {
            EXPECT_GT(size, 0u);
            file.append(bytes, size);
            return true;
        },
        chunk);
    WriteListFile(lists, sink);
    EXPECT_TRUE(sink.Finish());
    return file;
}

// A text of `size` characters that differ from their neighbours.
std::string Text(std::size_t size, char first) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i)
        text += char(first + i % 23);
    return text;
}
} // namespace

TEST(ListFileFormat, EmptyListsGiveTheFortyFourByteFile) {
    std::string file = WriteListFile(ListSet{});
    EXPECT_EQ(file, "[START]\r\n\r\n[WAIT]\r\n\r\n[SHUT]\r\n\r\n[WALLPAPER]\r\n");
    EXPECT_EQ(file.size(), 44u);
    ListSet back = Read(file);
    for (const auto& list : back.lists)
        EXPECT_TRUE(list.empty());
}

TEST(ListFileFormat, WritesTheLayoutByteForByte) {
    ListSet lists;
    lists[Category::Start] = {{"clouds.bmp", "C:\\PICS", ""}, {"logo2.sys", "D:\\SCREENS\\", ""}};
    lists[Category::Shut] = {{"bye.bmp", "D:\\SCREENS", ""}};
    lists[Category::Wall] = {{"sea.jpg", "C:\\PICS", "Tiled"}};
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
        {"C:\\PICS\\sea.jpg, fill", "C:\\PICS\\", "sea.jpg", "Fill"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ListSet lists = Read(std::string("[WALLPAPER]\r\n") + c.line + "\r\n");
        ASSERT_EQ(lists[Category::Wall].size(), 1u);
        EXPECT_EQ(Describe(lists[Category::Wall][0]), std::string(c.path) + "|" + c.name + "|" + c.style);
    }
    ListSet filled;
    filled[Category::Wall].push_back({"sea.jpg", "C:\\PICS\\", "Fill"});
    const std::string file = WriteListFile(filled);
    EXPECT_NE(file.find("\r\nC:\\PICS\\sea.jpg, Fill\r\n"), std::string::npos) << file;
    EXPECT_EQ(Describe(Read(file)[Category::Wall][0]), "C:\\PICS\\|sea.jpg|Fill") << "the round trip";
    // In the other sections a comma is an ordinary character.
    ListSet lists = Read("[START]\r\nC:\\A,B\\sea.bmp, Tiled\r\n");
    EXPECT_EQ(Describe(lists[Category::Start][0]), "C:\\A,B\\|sea.bmp, Tiled|");
}

TEST(ListFileFormat, PathsAndNames) {
    ListSet lists = Read("[START]\r\nclouds.bmp\r\nC:clouds.bmp\r\n   \r\n");
    ASSERT_EQ(lists[Category::Start].size(), 3u);
    EXPECT_EQ(Describe(lists[Category::Start][0]), kProgramDir + "|clouds.bmp|");
    EXPECT_EQ(Describe(lists[Category::Start][1]), "C:|clouds.bmp|");
    EXPECT_EQ(EntryLine(lists[Category::Start][1], false), "C:\\clouds.bmp");
    EXPECT_EQ(Describe(lists[Category::Start][2]), kProgramDir + "|   |") << "a line of blanks is an entry";
}

TEST(ListFileFormat, ReaderTolerances) {
    // Headers are exact: lower case or a trailing blank close the section until the next header.
    ListSet lists = Read("[start]\r\na.bmp\r\n[START] \r\nb.bmp\r\n[WAIT]\r\nc.bmp\r\n");
    EXPECT_TRUE(lists[Category::Start].empty());
    ASSERT_EQ(lists[Category::Wait].size(), 1u);

    // Sections in any order and repeated; CR alone ends a line; the last line needs no line end.
    lists = Read("[SHUT]\rx.bmp\r[START]\r\na.bmp\r\n[SHUT]\r\ny.bmp");
    EXPECT_EQ(lists[Category::Shut].size(), 2u);
    EXPECT_EQ(lists[Category::Start].size(), 1u);

    // LF alone is an ordinary character: the whole file is one line beginning with "[".
    lists = Read("[START]\na.bmp\nb.bmp\n");
    EXPECT_TRUE(lists[Category::Start].empty());

    // 1A ends the file; lines before any header are skipped.
    lists = Read("stray.bmp\r\n[START]\r\na.bmp\r\n\x1A"
                 "b.bmp\r\n");
    ASSERT_EQ(lists[Category::Start].size(), 1u);
    EXPECT_EQ(lists[Category::Start][0].fileName, "a.bmp");

    // No line length limit.
    std::string longName(100000, 'x');
    lists = Read("[START]\r\nC:\\" + longName + "\r\n");
    ASSERT_EQ(lists[Category::Start].size(), 1u);
    EXPECT_EQ(lists[Category::Start][0].fileName.size(), longName.size());
}

TEST(ListFileFormat, RoundTripKeepsEveryEntry) {
    ListSet lists;
    lists[Category::Start] = {{"a.bmp", "C:\\PICS\\", ""}};
    lists[Category::Wait] = {{"w.sys", "C:\\", ""}};
    lists[Category::Wall] = {{"sea.jpg", "C:\\A,B\\", "Fit 2 Screen"}, {"b.jpg", "C:\\X\\", "Stretched"}};
    std::string file = WriteListFile(lists);
    ListSet back = Read(file);
    EXPECT_EQ(WriteListFile(back), file);
    EXPECT_EQ(Describe(back[Category::Wall][0]), "C:\\A,B\\|sea.jpg|Fit 2 Screen");
}

TEST(ListFileFormat, EntriesOfEveryLengthAreWrittenWhole) {
    for (std::size_t pathSize = 0; pathSize <= 20; ++pathSize)
        for (std::size_t nameSize = 0; nameSize <= 20; ++nameSize)
            for (bool endsInBackslash : {false, true}) {
                ListEntry entry{Text(nameSize, 'a'), Text(pathSize, 'A'), Text((pathSize + nameSize) % 13, '0')};
                if (endsInBackslash && !entry.path.empty()) entry.path.back() = '\\';
                SCOPED_TRACE(PlainLine(entry, true));
                for (bool withStyle : {false, true}) {
                    EXPECT_EQ(EntryLine(entry, withStyle), PlainLine(entry, withStyle));
                    std::string file;
                    TextSink sink([&](const char* bytes, std::size_t size) {
                        file.append(bytes, size);
                        return true;
                    });
                    AppendEntry(sink, entry.fileName, entry.path, entry.style, withStyle);
                    sink.Finish();
                    EXPECT_EQ(file, PlainLine(entry, withStyle) + "\r\n");
                }
            }
}

TEST(ListFileFormat, TheFileStreamedInChunksIsTheFileComposedWhole) {
    ListSet lists;
    const char* styles[] = {"Centred", "Tiled", "Fit 2 Screen"};
    for (Category category : kCategories)
        for (int i = 0; i < 300; ++i)
            lists[category].push_back({Text(std::size_t(1 + i % 17), 'a') + ".bmp",
                                       "C:\\" + Text(std::size_t(i % 29), 'A') + (i % 3 ? "\\" : ""),
                                       category == Category::Wall ? styles[i % 3] : ""});
    const std::string whole = PlainFile(lists);
    ASSERT_GT(whole.size(), 4 * 300 * 10u);
    EXPECT_EQ(WriteListFile(lists), whole);
    for (std::size_t chunk : {1u, 2u, 5u, 64u, 4096u, 65536u, unsigned(TextSink::kChunkBytes)}) {
        SCOPED_TRACE(chunk);
        EXPECT_EQ(Streamed(lists, chunk), whole);
        EXPECT_EQ(Streamed(ListSet{}, chunk), "[START]\r\n\r\n[WAIT]\r\n\r\n[SHUT]\r\n\r\n[WALLPAPER]\r\n");
    }
}
