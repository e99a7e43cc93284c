// The settings in Wine's real registry: read at the first show, written on closing.
#include "platform/Registry.h"
#include "tests/support/MainWindowFixture.h"
#include "system/RegistryNames.h"
#include "tests/support/TestFiles.h"

namespace {
const std::string kSection = std::string(kSettingsKey) + "\\Vistrel Selector";

class Settings : public MainWindowFixture {
protected:
    void Plant(const std::string& name, const std::string& value, const std::string& section = kSection) {
        TRegistryKey::Create(HKEY_CURRENT_USER, section).WriteString(name, value);
    }

    std::optional<std::string> Stored(const std::string& name) {
        std::optional<TRegistryKey> key = TRegistryKey::Open(HKEY_CURRENT_USER, kSection);
        return key ? key->ReadString(name) : std::nullopt;
    }
};
} // namespace

TEST_F(Settings, AnEmptyKeyGivesTheDefaults) {
    TFormSelect& form = Start();
    EXPECT_EQ(int(form.Model.options.previewMode), 30);
    EXPECT_TRUE(form.PreviewBoth1.Checked());
    EXPECT_TRUE(form.ErrorReportOn1.Checked());
    EXPECT_FALSE(form.miPlusStretch.Checked());
    EXPECT_FALSE(form.miWallpaperPerMonitor.Checked());
    EXPECT_EQ(form.Model.activeCategory, Category::Start);
    EXPECT_TRUE(form.sbtnStart.Down());
    // No backup yet: this is the first run, so the folders default to the program's own.
    EXPECT_EQ(form.WaitDir, form.ProgramDir);
    EXPECT_EQ(form.DirectoryListBox1.Directory() + "\\", form.ProgramDir);
    EXPECT_TRUE(TRegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey)) << "the settings key is created";
}

TEST_F(Settings, OddStoredValues) {
    Plant("PreviewShow", "abc");
    Plant("Report Add Errors", "2");
    Plant("PlusStretch", "x");
    Plant("Selected Screen Button", "abc");
    TFormSelect& form = Start();
    EXPECT_EQ(int(form.Model.options.previewMode), 30);
    EXPECT_TRUE(form.ErrorReportOn1.Checked()) << "any whole number but 0 is on";
    EXPECT_FALSE(form.miPlusStretch.Checked()) << "no number: the default";
    EXPECT_EQ(form.Model.activeCategory, Category::Start)
        << "no number: the start-up category, and the reading goes on";
}

TEST_F(Settings, AModeWithoutAMenuEntryIsKeptAndChangesNoCheckMark) {
    Plant("PreviewShow", "15");
    Plant("Selected Screen Button", "40");
    TFormSelect& form = Start();
    EXPECT_EQ(int(form.Model.options.previewMode), 15);
    EXPECT_TRUE(form.PreviewBoth1.Checked());
    EXPECT_FALSE(form.PreviewNone1.Checked());
    EXPECT_EQ(form.Model.activeCategory, Category::Wall);
    EXPECT_TRUE(form.sbtnWall.Down());
    EXPECT_TRUE(Shown(form.ListWall));
    EXPECT_FALSE(Shown(form.ListStart)) << "only the active category's list is seen";
}

TEST_F(Settings, RememberedFolderGoneFallsBack) {
    Plant("FilesBackedUp", "1", std::string(kSettingsKey) + "\\Original Info"); // a later run
    Plant("StartDir", "C:\\no such folder");
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    TFormSelect& form = Start();
    EXPECT_EQ(form.WaitDir, "") << "on later runs the folder defaults are empty";
    EXPECT_EQ(form.DirectoryListBox1.Directory(), std::string(current)) << "the browser stays where it was";
}

TEST_F(Settings, WithoutARememberedFolderTheBrowserListsTheFolderItStartedIn) {
    Plant("FilesBackedUp", "1", std::string(kSettingsKey) + "\\Original Info"); // a later run
    const std::string folder = MakeTestFolder("StartedIn");
    WriteFileBytes(folder + "\\picture.bmp", "x");
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(folder.c_str());
    TFormSelect& form = Start();
    SetCurrentDirectoryA(current);
    EXPECT_EQ(form.DirectoryListBox1.Directory(), folder);
    ASSERT_EQ(form.FileListBox1.Count(), 1) << "the folder is listed";
    EXPECT_EQ(form.FileListBox1.Item(0), "picture.bmp");
    RemoveTestFolder(folder);
}

// The options changed where the user changes them are written as strings on closing, and after a
// new start every place that shows one shows it (the animated bar is not kept).
TEST_F(Settings, ClosingWritesTheValuesAsStringsAndANewStartShowsThem) {
    TFormSelect& form = Start();
    form.PreviewSelectedOnly1.Click();
    form.ErrorReportOn1.Click();
    form.miPlusStretch.Click();
    form.miWallpaperPerMonitor.Click();
    form.AnimatedBar2.Click();
    SendMessageA(form.chkbStartUpRun.Handle(), BM_CLICK, 0, 0);
    form.Model.options.asWindowsShowsIt = true;
    ClickAt(form.sbtnShut, 5, 5);
    form.Close();
    EXPECT_EQ(Stored("PreviewShow"), "20");
    EXPECT_EQ(Stored("Selected Screen Button"), "30");
    EXPECT_EQ(Stored("Report Add Errors"), "0");
    EXPECT_EQ(Stored("PlusStretch"), "1");
    EXPECT_EQ(Stored("Wallpaper Per Monitor"), "1");
    EXPECT_EQ(Stored("As Windows Shows It"), "1");
    EXPECT_EQ(Stored("StartDir"), form.StartDir);
    EXPECT_EQ(Stored("WallDir"), form.WallDir);
    std::optional<TRegistryKey> key = TRegistryKey::Open(HKEY_CURRENT_USER, kSection);
    ASSERT_TRUE(key);
    for (const char* name : {"PreviewShow", "StartDir", "WaitDir", "ShutDir", "WallDir", "Selected Screen Button",
                             "Report Add Errors", "PlusStretch", "Wallpaper Per Monitor", "As Windows Shows It"}) {
        DWORD type = 0;
        EXPECT_EQ(RegQueryValueExA(key->Handle(), name, nullptr, &type, nullptr, nullptr), ERROR_SUCCESS) << name;
        EXPECT_EQ(type, DWORD(REG_SZ)) << name;
    }

    ResetApplication();
    TFormSelect& again = Start();
    for (TMenuItem* item : {&again.PreviewNone1, &again.PreviewChooseOnly1, &again.PreviewBoth1, &again.ErrorReportOn1,
                            &again.Runrandomizeratstartup1, &again.AnimatedBar1, &again.AnimatedBar2})
        EXPECT_FALSE(item->Checked()) << item->Caption();
    for (TMenuItem* item : {&again.PreviewSelectedOnly1, &again.miPlusStretch, &again.miWallpaperPerMonitor})
        EXPECT_TRUE(item->Checked()) << item->Caption();
    EXPECT_FALSE(again.chkbStartUpRun.Checked());
}

TEST_F(Settings, AfterAnUninstallClosingWritesNothing) {
    TFormSelect& form = Start();
    ClearProgramSettings();
    form.Uninstalled = true;
    form.Close();
    EXPECT_FALSE(TRegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey));
}

TEST_F(Settings, TheRememberedFolderIsListedInEveryCategory) {
    const std::string folder = MakeTestFolder("vsr");
    WriteFileBytes(folder + "\\screen.bmp", "BM");
    WriteFileBytes(folder + "\\photo.jpg", "x");
    Plant("FilesBackedUp", "1", std::string(kSettingsKey) + "\\Original Info");
    Plant("StartDir", folder);
    Plant("WallDir", folder);
    for (const char* category : {"10", "40"}) {
        SCOPED_TRACE(category);
        Plant("Selected Screen Button", category);
        TFormSelect& form = Start();
        PumpMessages();
        ASSERT_GE(form.FileListBox1.Count(), 1) << "the browser shows the remembered folder's pictures";
        EXPECT_EQ(form.FileListBox1.Item(0), std::string(category) == "10" ? "screen.bmp" : "photo.jpg");
        ResetApplication();
    }
    DeleteFileA((folder + "\\screen.bmp").c_str());
    DeleteFileA((folder + "\\photo.jpg").c_str());
    RemoveDirectoryA(folder.c_str());
}
