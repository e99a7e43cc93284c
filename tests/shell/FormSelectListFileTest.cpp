// The list file under Wine: read at start-up, saved with Ctrl+S and on closing, never damaged.
#include "tests/support/MainWindowFixture.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {
const std::string kEmptyFile = "[START]\r\n\r\n[WAIT]\r\n\r\n[SHUT]\r\n\r\n[WALLPAPER]\r\n";

class ListFile : public MainWindowFixture {
protected:
    std::string Path() const { return ProgramFolder() + "QZDATA.QZD"; }
    void WriteFile(const std::string& bytes) { std::ofstream(Path(), std::ios::binary) << bytes; }
    std::string ReadFile() const {
        std::ifstream file(Path(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
};
} // namespace

TEST_F(ListFile, MissingFileGivesEmptyListsAndSaveMakesTheFortyFourBytes) {
    TFormSelect& form = Start();
    for (Category category : kCategories)
        EXPECT_EQ(form.ListOfCategory(category).Count(), 0);
    EXPECT_TRUE(boxes.empty()) << "a missing file is no error";
    form.ListsChanged = true;
    form.SaveToFile();
    EXPECT_EQ(ReadFile(), kEmptyFile);
    EXPECT_FALSE(form.ListsChanged);
}

TEST_F(ListFile, ALongSaveIsTheComposedFileByteForByte) {
    TFormSelect& form = Start();
    ListSet lists;
    for (Category section : kCategories) {
        std::vector<std::vector<std::string>> rows;
        for (int i = 0; i < 6000; ++i) {
            char name[16];
            std::snprintf(name, sizeof(name), "p%05d.bmp", i);
            // Folders with and without their closing backslash, of many lengths.
            std::string path =
                "C:\\PICTURES\\SET" + std::to_string(int(section)) + std::string(std::size_t(i % 7), 'X');
            if (i % 2) path += "\\";
            lists[section].push_back({name, path, section == Category::Wall ? kWallpaperStyles[i % 5].name : ""});
            rows.push_back({name, path});
            if (section == Category::Wall) rows.back().push_back(kWallpaperStyles[i % 5].name);
        }
        form.SetEntries(section, std::move(rows));
    }
    form.ListsChanged = true;
    form.SaveToFile();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(form.ListsChanged);
    const std::string saved = ReadFile();
    ASSERT_GT(saved.size(), 3 * TextSink::kChunkBytes) << "the save spans several chunks";
    EXPECT_TRUE(saved == WriteListFile(lists)) << "the save is the file composed whole";
}

TEST_F(ListFile, LoadsAtStartUpSortedAndSavesInTheNormalForm) {
    WriteFile("[WALLPAPER]\r\nC:\\A,B\\sea.jpg, fit 2 screen \r\nC:\\PICS\\dune.jpg\r\n"
              "[START]\r\nC:\\PICS\\zebra.bmp\r\nclouds.bmp\r\n[nothing]\r\nskipped.bmp\r\n");
    TFormSelect& form = Start();
    EXPECT_FALSE(form.ListsChanged) << "reading the file is no change";
    ASSERT_EQ(form.ListStart.Count(), 2);
    EXPECT_EQ(form.Entries(Category::Start).Cell(0, 0), "clouds.bmp");
    EXPECT_EQ(form.Entries(Category::Start).Cell(0, 1), form.ProgramDir);
    EXPECT_EQ(form.Entries(Category::Start).Cell(1, 0), "zebra.bmp");
    ASSERT_EQ(form.ListWall.Count(), 2);
    EXPECT_EQ(form.Entries(Category::Wall).Cell(1, 2), "Fit 2 Screen");
    EXPECT_EQ(form.Entries(Category::Wall).Cell(1, 1), "C:\\A,B\\") << "a comma in a folder survives";

    form.SaveToFile();
    EXPECT_EQ(ReadFile(), "[START]\r\n" + form.ProgramDir +
                              "clouds.bmp\r\nC:\\PICS\\zebra.bmp\r\n\r\n"
                              "[WAIT]\r\n\r\n[SHUT]\r\n\r\n[WALLPAPER]\r\nC:\\PICS\\dune.jpg, Centred\r\n"
                              "C:\\A,B\\sea.jpg, Fit 2 Screen\r\n");
}

TEST_F(ListFile, SavedWithCtrlSTheCloseAsksNothing) {
    TFormSelect& form = Start();
    form.ListsChanged = true;
    form.FileListBox1.SetFocus();
    PressKey('S', true);
    EXPECT_EQ(ReadFile(), kEmptyFile);
    form.Close();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(TForm::Ending());
}

TEST_F(ListFile, AFailedSaveKeepsTheOldFileAndTheWindowOpen) {
    WriteFile(kEmptyFile);
    TFormSelect& form = Start();
    form.AddEntry(Category::Start, {"new.bmp", "C:\\PICS"});
    form.ListsChanged = true;
    std::string folder = ProgramFolder() + "no such folder\\";
    std::string programDir = form.ProgramDir;
    form.ProgramDir = folder;
    answers = {mrOk};
    form.SaveToFile();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(boxes[0].text.substr(0, 6), "Error ");
    EXPECT_EQ(boxes[0].text.substr(boxes[0].text.size() - 14), " creating file");
    EXPECT_TRUE(form.ListsChanged);

    // On closing: Yes, the save fails, the window stays open; then No closes without saving.
    answers = {mrYes, mrOk, mrNo};
    form.Close();
    EXPECT_FALSE(TForm::Ending()) << "the unsaved lists are not lost";
    EXPECT_TRUE(form.ListsChanged);
    form.Close();
    EXPECT_TRUE(TForm::Ending());
    form.ProgramDir = programDir;
    EXPECT_EQ(ReadFile(), kEmptyFile) << "the old file is untouched";
}

TEST_F(ListFile, SavingOverAProtectedFileReportsTheCreationErrorAndKeepsIt) {
    WriteFile(kEmptyFile);
    TFormSelect& form = Start();
    form.AddEntry(Category::Start, {"new.bmp", "C:\\PICS"});
    form.ListsChanged = true;
    BringToFront(form);

    SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_READONLY);
    answers = {mrOk};
    TypeKeys({VK_CONTROL, 'S'});
    ASSERT_TRUE(WaitUntil([&] { return boxes.size() == 1; }));
    EXPECT_EQ(boxes[0].text, "Error 5 creating file");
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(ReadFile(), kEmptyFile);
    EXPECT_TRUE(GetFileAttributesA(Path().c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(form.ListsChanged);
    SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_HIDDEN);

    {
        UniqueFile held(CreateFileA(Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        answers = {mrOk};
        TypeKeys({VK_CONTROL, 'S'});
        ASSERT_TRUE(WaitUntil([&] { return boxes.size() == 2; }));
        EXPECT_EQ(boxes[1].text, "Error 32 creating file");
    }
    EXPECT_EQ(ReadFile(), kEmptyFile);

    // Once free, the hidden file is replaced and stays hidden.
    TypeKeys({VK_CONTROL, 'S'});
    ASSERT_TRUE(WaitUntil([&] { return !form.ListsChanged; }));
    EXPECT_NE(ReadFile().find("C:\\PICS\\new.bmp"), std::string::npos);
    EXPECT_TRUE(GetFileAttributesA(Path().c_str()) & FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ListFile, AnUnreadableFileIsReportedAndKeptAsOldWhenASaveFollows) {
    const std::string lists = "[START]\r\nC:\\PICS\\kept.bmp\r\n";
    WriteFile(lists);
    std::ofstream(ProgramFolder() + "QZDATA.OLD", std::ios::binary) << "an older unread file";
    form = nullptr;
    {
        // Held by another program that shares nothing while the program starts.
        UniqueFile held(CreateFileA(Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        answers = {mrOk};
        form = &Start();
    }
    ASSERT_EQ(boxes.size(), 1u) << "the failed read is reported";
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(boxes[0].text.rfind("Error Reading file " + Path() + ",\n\r", 0), 0u) << boxes[0].text;
    EXPECT_GT(boxes[0].text.size(), ("Error Reading file " + Path() + ",\n\r").size() + 10) << "with the reason";
    EXPECT_EQ(form->ListStart.Count(), 0);

    form->AddEntry(Category::Wait, {"new.bmp", "C:\\PICS"});
    form->ListsChanged = true;
    BringToFront(*form);
    TypeKeys({VK_CONTROL, 'S'});
    ASSERT_TRUE(WaitUntil([&] { return !form->ListsChanged; }));
    std::ifstream old(ProgramFolder() + "QZDATA.OLD", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), std::istreambuf_iterator<char>()), lists)
        << "the unread lists are kept beside the new file";
    EXPECT_NE(ReadFile().find("[WAIT]\r\nC:\\PICS\\new.bmp\r\n"), std::string::npos);
    EXPECT_EQ(boxes.size(), 1u);
}
