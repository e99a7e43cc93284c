// Installing screens, the first-run backup, the restore, the autostart option and the uninstall
// under Wine: the prefix's real C:\ and Windows directory, its real registry, real message boxes
// answered through the responder.
#include "system/RegistryNames.h"
#include "system/SystemOperations.h"
#include "tests/support/RealMessageBoxes.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/ScreenFiles.h"
#include "tests/support/BrowserInput.h"
#include "tests/support/TestPictures.h"
#include "platform/Files.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestFiles.h"

#include <algorithm>

namespace {

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

class SystemScreens : public MainWindowFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        windowsDir = TFormSelect::GetWindowsDir();
        RemoveScreenFiles();
        root = MakeTestFolder("vss") + "\\";
        for (const auto& [name, bytes] : pictures)
            WriteFileBytes(root + name, bytes);
    }

    void TearDown() override {
        ResetApplication();
        RemoveScreenFiles();
        for (const auto& entry : pictures)
            DeleteFileA((root + entry.first).c_str());
        RemoveDirectoryA(root.c_str());
        WineFixture::TearDown();
    }

    static void RemoveFile(const std::string& path) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }

    static std::string Screen(Category screen) { return ScreenFilePath(screen); }
    std::string Backup(Category screen, int attempt = 0) const { return BackupPath(ProgramFolder(), screen, attempt); }

    // The main window as the program starts it, in a category, with a file chosen in its browser.
    void OpenMainWindow() {
        Start();
        form->ApplyBrowserPath(root.substr(0, root.size() - 1));
    }

    void Preview(Category category, const std::string& name) {
        ChooseCategory(category);
        ASSERT_EQ(form->Model.activeCategory, category);
        ChooseInBrowser(*form, name);
        ASSERT_EQ(form->PnlPreviewName.Caption(), root + name);
    }

    // F4 as the user presses it in the main window; a drop-down list with the focus would drop
    // with it, but the menu's short-cut comes first.
    void PressF4(TControl* focused = nullptr) {
        SetFocus((focused ? focused : &form->FileListBox1)->Handle());
        PressKey(VK_F4);
        EXPECT_EQ(SendMessageA(form->DriveComboBox1.Handle(), CB_GETDROPPEDSTATE, 0, 0), FALSE);
    }

    std::string windowsDir;
    std::string root;
    const std::vector<std::pair<std::string, std::string>> pictures = {
        {"screen.bmp", BitmapFile(320, 400, 8)},
        {"wide.bmp", BitmapFile(640, 480, 8)},
        {"deep.bmp", BitmapFile(320, 400, 24)},
        {"wide24.bmp", BitmapFile(640, 480, 24)},
        {"other.bmp", BitmapFile(320, 400, 4)},
        {"text.bmp", "This is no picture."},
        // A PNG named as the browser lists wallpapers: the picture library goes by the content.
        {"photo.jpg", ReadFileBytes(JPEG_PICTURE)},
        {"png.jpg", ReadFileBytes(DataFile("picture.png"))},
    };
    static std::string DataFile(const char* name) {
        const std::string jpeg = JPEG_PICTURE;
        return jpeg.substr(0, jpeg.find_last_of("/\\") + 1) + name;
    }
};

const char* const kSizeQuestion = "This screen has an invallid size\n\rSize is : 640 x 480,\n\rSize must be 320 x "
                                  "400.\n\rDo you want to cancel copying?";
const char* const kNotBitmap = "\n\ris not a bitmap: Windows cannot show it as a screen.\n\rMake Screen from "
                               "Picture (Ctrl+N) makes a screen of it.";
const char* const kDepthQuestion = "This screens has a incorrect bitmap color depth!\n\rColor depth : 24 bits per "
                                   "pixel. This should be 8 bpp.\n\rDo you want to cancel copying?";

} // namespace

// A picture previewed as a wallpaper stays on view in a screen category: one that is not a bitmap is
// refused before any question, as the system could not show it.
TEST_F(SystemScreens, QuestionsDecideWhetherTheScreenIsCopied) {
    struct Case {
        const char* file;
        std::vector<TModalResult> answers;
        std::vector<std::string> questions;
        bool copied;
        Category previewedIn = Category::Start;
    } cases[] = {
        {"screen.bmp", {}, {}, true},
        {"wide.bmp", {mrNo}, {kSizeQuestion}, true},
        {"wide24.bmp", {mrNo, mrNo}, {kSizeQuestion, kDepthQuestion}, true},
        {"wide24.bmp", {mrYes}, {kSizeQuestion}, false},
        {"wide.bmp", {mrCancel}, {kSizeQuestion}, false}, // the box closed by its title bar
        {"deep.bmp", {mrYes}, {kDepthQuestion}, false},
        {"photo.jpg", {mrOk}, {kNotBitmap}, false, Category::Wall},
        {"png.jpg", {mrOk}, {kNotBitmap}, false, Category::Wall},
    };
    OpenMainWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + std::string(" answered ") + std::to_string(c.answers.size()) + " time(s)");
        WriteFileBytes(Screen(Category::Start), "old screen");
        Preview(c.previewedIn, c.file);
        ChooseCategory(Category::Start);
        boxes.clear();
        answers.assign(c.answers.begin(), c.answers.end());
        PressF4();
        ASSERT_EQ(boxes.size(), c.questions.size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const bool refused = c.questions[i] == kNotBitmap;
            EXPECT_EQ(boxes[i].text, refused ? "The file " + root + c.file + kNotBitmap : c.questions[i]);
            EXPECT_EQ(boxes[i].type, refused ? TMsgDlgType::Information : TMsgDlgType::Warning);
        }
        EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), c.copied ? ReadFileBytes(root + c.file) : "old screen");
    }
}

TEST_F(SystemScreens, EachCategoryHasItsTargetAndAProtectedScreenIsReplaced) {
    OpenMainWindow();
    for (Category screen : kScreenCategories) {
        SCOPED_TRACE(Screen(screen));
        WriteFileBytes(Screen(screen), "old screen");
        SetFileAttributesA(Screen(screen).c_str(), kProtected);
        Preview(screen, "screen.bmp");
        PressF4();
        EXPECT_EQ(ReadFileBytes(Screen(screen)), ReadFileBytes(root + "screen.bmp"));
        EXPECT_EQ(GetFileAttributesA(Screen(screen).c_str()) & kProtected, 0u);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SystemScreens, NothingHappensWithoutAFile) {
    OpenMainWindow();
    ChooseCategory(Category::Start);
    PressF4();
    EXPECT_FALSE(FileExists(Screen(Category::Start))) << "no file previewed: no copy, no question";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SystemScreens, AFileThatWasNotReadIsNotInstalledUnderTheOldPicture) {
    OpenMainWindow();
    WriteFileBytes(Screen(Category::Wait), "old screen");
    Preview(Category::Wait, "screen.bmp");
    Preview(Category::Wait, "text.bmp"); // the name changes, the picture on view stays screen.bmp's
    answers = {mrOk};
    PressF4(&form->DriveComboBox1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(boxes[0].text, "The file " + root +
                                 "text.bmp\n\rcould not be read as a picture.\n\rThe screen was not "
                                 "changed.");
    EXPECT_EQ(ReadFileBytes(Screen(Category::Wait)), "old screen");
}

TEST_F(SystemScreens, AFailedCopyIsReportedAndTheOldScreenStays) {
    OpenMainWindow();
    WriteFileBytes(Screen(Category::Shut), "old screen");
    Preview(Category::Shut, "screen.bmp");
    DeleteFileA((root + "screen.bmp").c_str()); // gone after it was previewed
    answers = {mrOk};
    PressF4();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(boxes[0].text.rfind("Cannot copy " + root + "screen.bmp\n\rto " + Screen(Category::Shut) + ":\n\r", 0),
              0u)
        << boxes[0].text;
    EXPECT_EQ(ReadFileBytes(Screen(Category::Shut)), "old screen");
}

TEST_F(SystemScreens, FirstRunBackupRecordsScreensWallpaperAndAutostart) {
    RegistrySnapshot desktopKept(HKEY_CURRENT_USER, kDesktopKey);
    TRegistryKey desktop = TRegistryKey::Create(HKEY_CURRENT_USER, kDesktopKey);
    desktop.WriteString("WallPaper", "C:\\old.bmp");
    desktop.WriteString("TileWallpaper", "1");
    desktop.DeleteValue("WallpaperStyle");
    WriteFileBytes(Screen(Category::Start), "start original");
    WriteFileBytes(Screen(Category::Shut), "shut original");
    WriteFileBytes(Backup(Category::Start), "an earlier installation's backup");

    OpenMainWindow(); // the first show reads the settings, which makes the backup
    EXPECT_TRUE(boxes.empty());

    TIniSections settings(HKEY_CURRENT_USER, kSettingsKey);
    EXPECT_EQ(settings.ReadString(kOriginalInfo, "FilesBackedUp", ""), "1");
    EXPECT_EQ(settings.ReadString(kOriginalInfo, "StartScreen", ""), Backup(Category::Start, 1))
        << "a taken name gives the next free one";
    EXPECT_EQ(settings.ReadString(kOriginalInfo, "WaitScreen", ""), "(none)");
    EXPECT_EQ(settings.ReadString(kOriginalInfo, "ShutScreen", ""), Backup(Category::Shut));
    EXPECT_EQ(settings.ReadString(kOriginalInfo, "WallPaper", ""), "C:\\old.bmp");
    EXPECT_EQ(settings.ReadString(kOriginalInfo, "TileWallpaper", ""), "1");
    EXPECT_EQ(settings.ReadString(kOriginalInfo, "WallpaperStyle", ""), "(none)");
    EXPECT_EQ(settings.ReadString(kMainSection, "PlusStretch", ""), "0");
    EXPECT_EQ(ReadFileBytes(Backup(Category::Start)), "an earlier installation's backup");
    EXPECT_EQ(ReadFileBytes(Backup(Category::Start, 1)), "start original");
    EXPECT_EQ(ReadFileBytes(Backup(Category::Shut)), "shut original");
    EXPECT_FALSE(FileExists(Backup(Category::Wait)));
    EXPECT_EQ(TRegistryKey::Open(HKEY_CURRENT_USER, kRunKey)->ReadString(kRunValue).value_or(""),
              ProgramFolder() + "QZRandom.exe");
    EXPECT_TRUE(form->chkbStartUpRun.Checked());
    EXPECT_TRUE(form->Runrandomizeratstartup1.Checked());

    // With no style recorded, a restore leaves the one the system has now.
    desktop.WriteString("WallpaperStyle", "2");
    EXPECT_TRUE(RestoreOriginals(windowsDir).Complete());
    EXPECT_EQ(desktop.ReadString("WallpaperStyle").value_or(""), "2");

    ClearProgramSettings();
    MakeOriginalsBackup(ProgramFolder(), windowsDir);
    EXPECT_EQ(TIniSections(HKEY_CURRENT_USER, kSettingsKey).ReadString(kOriginalInfo, "WallpaperStyle", ""), "2");
}

TEST_F(SystemScreens, RestorePutsTheOriginalsBackEveryTimeAndRemovesScreensThatWereNotThere) {
    RegistrySnapshot desktopKept(HKEY_CURRENT_USER, kDesktopKey);
    TRegistryKey desktop = TRegistryKey::Create(HKEY_CURRENT_USER, kDesktopKey);
    desktop.WriteString("WallPaper", "C:\\old.bmp");
    desktop.WriteString("TileWallpaper", "0");
    desktop.WriteString("WallpaperStyle", "0");
    WriteFileBytes(Screen(Category::Start), "start original");
    WriteFileBytes(Screen(Category::Shut), "shut original");
    MakeOriginalsBackup(ProgramFolder(), windowsDir);

    for (Category screen : kScreenCategories)
        WriteFileBytes(Screen(screen), "installed later");
    SetFileAttributesA(Screen(Category::Start).c_str(), kProtected);
    desktop.WriteString("WallPaper", "C:\\new.bmp");
    desktop.WriteString("WallpaperStyle", "2");

    OpenMainWindow();
    form->OriginalScreens1Click();
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "start original") << "a protected screen is restored too";
    EXPECT_FALSE(FileExists(Screen(Category::Wait))) << "there was no waiting screen";
    EXPECT_EQ(ReadFileBytes(Screen(Category::Shut)), "shut original");
    EXPECT_EQ(desktop.ReadString("WallPaper").value_or(""), "C:\\old.bmp");
    EXPECT_EQ(desktop.ReadString("WallpaperStyle").value_or(""), "0");

    // A second restore: the backups are still there and give the originals again.
    WriteFileBytes(Screen(Category::Start), "installed again");
    WriteFileBytes(Screen(Category::Wait), "installed again");
    desktop.WriteString("WallPaper", "C:\\newer.bmp");
    form->OriginalScreens1Click();
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "start original");
    EXPECT_FALSE(FileExists(Screen(Category::Wait)));
    EXPECT_EQ(desktop.ReadString("WallPaper").value_or(""), "C:\\old.bmp");
    EXPECT_TRUE(boxes.empty()) << "everything that could be done was done: nothing to say";
}

TEST_F(SystemScreens, WhatCouldNotBeBackedUpOrPutBackIsReported) {
    // A start-up "screen" that cannot be copied (a folder of that name), no waiting screen.
    RemoveDirectoryA(Screen(Category::Start).c_str());
    ASSERT_TRUE(CreateDirectoryA(Screen(Category::Start).c_str(), nullptr));
    answers = {mrOk};
    OpenMainWindow();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Warning);
    EXPECT_EQ(
        boxes[0].text.rfind("These original screens could not be backed up:\n\r" + Screen(Category::Start) + ": ", 0),
        0u)
        << boxes[0].text;
    TIniSections settings(HKEY_CURRENT_USER, kSettingsKey);
    EXPECT_EQ(settings.ReadString(kOriginalInfo, "StartScreen", ""), Backup(Category::Start))
        << "the path that was meant, so that a restore leaves the screen alone";

    // The waiting screen was not there; a folder in its place cannot be removed by the restore.
    ASSERT_TRUE(CreateDirectoryA(Screen(Category::Wait).c_str(), nullptr));
    WriteFileBytes(Screen(Category::Wait) + "\\inside.txt", "x");
    boxes.clear();
    answers = {mrOk};
    form->OriginalScreens1Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(
        boxes[0].text.rfind("These original screens could not be put back:\n\r" + Screen(Category::Wait) + ": ", 0), 0u)
        << boxes[0].text;
    EXPECT_EQ(boxes[0].text.find(Screen(Category::Start)), std::string::npos) << "the start-up screen was left alone";
    DeleteFileA((Screen(Category::Wait) + "\\inside.txt").c_str());
    RemoveDirectoryA(Screen(Category::Wait).c_str());
    RemoveDirectoryA(Screen(Category::Start).c_str());
}

TEST_F(SystemScreens, RestoreWithoutABackupOrWithoutTheDesktopKey) {
    RegistrySnapshot desktopKept(HKEY_CURRENT_USER, kDesktopKey);
    WriteFileBytes(Screen(Category::Start), "start now");
    RestoreResult nothing = RestoreOriginals(windowsDir);
    EXPECT_FALSE(nothing.backedUp);
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "start now");

    MakeOriginalsBackup(ProgramFolder(), windowsDir);
    WriteFileBytes(Screen(Category::Start), "installed later");
    TRegistryKey::Open(HKEY_CURRENT_USER, "Control Panel")->DeleteKeyTree("desktop");
    RestoreResult restored = RestoreOriginals(windowsDir);
    EXPECT_TRUE(restored.backedUp);
    EXPECT_TRUE(restored.failures.empty());
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "start now");
    EXPECT_FALSE(TRegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey)) << "no desktop key is made";
}

TEST_F(SystemScreens, AutostartFollowsTheBoxAndTheMenuItem) {
    OpenMainWindow();
    auto runValue = [] { return TRegistryKey::Open(HKEY_CURRENT_USER, kRunKey)->ReadString(kRunValue); };
    ClickAt(form->chkbStartUpRun, 5, 8);
    EXPECT_FALSE(form->chkbStartUpRun.Checked());
    EXPECT_FALSE(form->Runrandomizeratstartup1.Checked());
    EXPECT_EQ(runValue(), std::string()) << "off leaves the value, empty";

    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Runrandomizeratstartup1.Command(), 0), 0);
    EXPECT_TRUE(form->chkbStartUpRun.Checked());
    EXPECT_TRUE(form->Runrandomizeratstartup1.Checked());
    EXPECT_EQ(runValue(), ProgramFolder() + "QZRandom.exe");

    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Runrandomizeratstartup1.Command(), 0), 0);
    EXPECT_FALSE(form->chkbStartUpRun.Checked());
    EXPECT_EQ(runValue(), std::string());
    ClickAt(form->chkbStartUpRun, 5, 8);
    EXPECT_TRUE(form->Runrandomizeratstartup1.Checked());
    EXPECT_EQ(runValue(), ProgramFolder() + "QZRandom.exe");
}

TEST_F(SystemScreens, StartUpReadingTurnsAForeignValueOffAndReadsAQuotedOneAsOn) {
    TIniSections(HKEY_CURRENT_USER, kSettingsKey).WriteString(kOriginalInfo, "FilesBackedUp", "1");
    TRegistryKey::Create(HKEY_CURRENT_USER, kRunKey).WriteString(kRunValue, "C:\\Other\\Other.exe");
    OpenMainWindow();
    EXPECT_FALSE(form->chkbStartUpRun.Checked());
    EXPECT_FALSE(form->Runrandomizeratstartup1.Checked());
    EXPECT_EQ(TRegistryKey::Open(HKEY_CURRENT_USER, kRunKey)->ReadString(kRunValue), std::string());
    ResetApplication();

    WriteAutostart("C:\\Program Files\\Vistrel\\", true);
    EXPECT_EQ(TRegistryKey::Open(HKEY_CURRENT_USER, kRunKey)->ReadString(kRunValue),
              std::string("\"C:\\Program Files\\Vistrel\\QZRandom.exe\""));
    EXPECT_TRUE(AutostartIsOn());
    OpenMainWindow();
    EXPECT_TRUE(form->chkbStartUpRun.Checked());
    EXPECT_TRUE(form->Runrandomizeratstartup1.Checked());
}

TEST_F(SystemScreens, UninstallRestoresAndRemovesTheRegistryEntriesOnlyOnYes) {
    WriteFileBytes(Screen(Category::Start), "start original");
    OpenMainWindow();
    WriteFileBytes(Screen(Category::Start), "installed later");

    answers = {mrNo};
    form->Uninstall2Click();
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "installed later");
    EXPECT_TRUE(TRegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey));
    EXPECT_FALSE(form->Uninstalled);

    TRegistryKey::Create(HKEY_CURRENT_USER, std::string(kCompanyKey) + "\\Other");
    answers = {mrYes, mrOk};
    boxes.clear();
    form->Uninstall2Click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].type, TMsgDlgType::Information);
    EXPECT_EQ(boxes[1].text, "TANU was uninstalled succesfully.\n\r\n\rYou can now safely remove the remaning \n\rTANU "
                             "files and direcotries.");
    EXPECT_TRUE(form->Uninstalled);
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "start original");
    EXPECT_FALSE(TRegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey));
    EXPECT_TRUE(TRegistryKey::Open(HKEY_CURRENT_USER, kCompanyKey)) << "another key of the maker's keeps it";
    EXPECT_FALSE(TRegistryKey::Open(HKEY_CURRENT_USER, kRunKey)->ReadString(kRunValue));

    // Everything already gone: still a success. A value of the maker's keeps its key as well; the
    // key, empty at last, goes too.
    TRegistryKey::Open(HKEY_CURRENT_USER, kCompanyKey)->DeleteKeyTree("Other");
    TRegistryKey::Open(HKEY_CURRENT_USER, kCompanyKey)->WriteString("Other", "another product's");
    answers = {mrYes, mrOk};
    form->Uninstall2Click();
    ASSERT_TRUE(TRegistryKey::Open(HKEY_CURRENT_USER, kCompanyKey)) << "a value of the maker's keeps it";
    TRegistryKey::Open(HKEY_CURRENT_USER, kCompanyKey)->DeleteValue("Other");
    answers = {mrYes, mrOk};
    form->Uninstall2Click();
    EXPECT_EQ(boxes.back().type, TMsgDlgType::Information);
    EXPECT_TRUE(form->Uninstalled);
    EXPECT_FALSE(TRegistryKey::Open(HKEY_CURRENT_USER, kCompanyKey));

    // Closing after the uninstall stores nothing; the next start makes a new backup.
    form->Close();
    PumpMessages();
    EXPECT_FALSE(TRegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey));
    ResetApplication();
    OpenMainWindow();
    EXPECT_EQ(TIniSections(HKEY_CURRENT_USER, kSettingsKey).ReadString(kOriginalInfo, "FilesBackedUp", ""), "1");
    EXPECT_TRUE(AutostartIsOn());
}

// Real boxes: a question closed by its title bar's close box stops, Escape answers No.
TEST_F(SystemScreens, AQuestionClosedByItsCloseBoxStopsTheCopy) {
    const struct {
        const char* file;
        BoxAnswer answer;
        bool copied;
    } cases[] = {
        {"deep.bmp", BoxAnswer::CloseMessage, false},
        {"deep.bmp", BoxAnswer::SystemMenuClose, false},
        {"wide.bmp", BoxAnswer::SystemMenuClose, false},
        {"deep.bmp", BoxAnswer::Escape, true},
    };
    OpenMainWindow();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + std::string(c.copied ? ", Escape" : ", closed"));
        WriteFileBytes(Screen(Category::Start), "old screen");
        Preview(Category::Start, c.file);
        RealMessageBoxes real({c.answer});
        PressF4();
        EXPECT_EQ(real.seen.size(), 1u) << "one question, and no other after it";
        EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), c.copied ? ReadFileBytes(root + c.file) : "old screen");
    }
}

TEST_F(SystemScreens, BackupsArePlainFilesAndTheRestorePutsTheAttributesBack) {
    WriteFileBytes(Screen(Category::Start), "start original");
    SetFileAttributesA(Screen(Category::Start).c_str(), kProtected);
    MakeOriginalsBackup(ProgramFolder(), windowsDir);
    EXPECT_EQ(GetFileAttributesA(Backup(Category::Start).c_str()) & kProtected, 0u);

    RemoveFile(Screen(Category::Start));
    WriteFileBytes(Screen(Category::Start), "installed later");
    EXPECT_TRUE(RestoreOriginals(windowsDir).Complete());
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "start original");
    EXPECT_EQ(GetFileAttributesA(Screen(Category::Start).c_str()) & kProtected, kProtected);
}

// The backups outlive a restore: what F4 installs after it, the uninstall still undoes.
TEST_F(SystemScreens, AfterARestoreTheUninstallStillGivesTheOriginalsBack) {
    WriteFileBytes(Screen(Category::Start), "start original");
    WriteFileBytes(Screen(Category::Wait), "wait original");
    OpenMainWindow();
    form->OriginalScreens1Click();
    for (Category screen : {Category::Start, Category::Wait}) {
        Preview(screen, "screen.bmp");
        PressF4();
        ASSERT_EQ(ReadFileBytes(Screen(screen)), ReadFileBytes(root + "screen.bmp"));
    }
    answers = {mrYes, mrOk};
    form->Uninstall2Click();
    EXPECT_TRUE(form->Uninstalled);
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "start original");
    EXPECT_EQ(ReadFileBytes(Screen(Category::Wait)), "wait original");
}

// An uninstall that cannot put every screen back, or remove one there was none of, removes nothing;
// a read-only screen is no hindrance (the copy unprotects it). After a completed uninstall nothing
// changes the screens or the wallpaper until the program starts again.
TEST_F(SystemScreens, UninstallOnlyWhenEveryScreenIsBackAndNothingChangesThemAfterwards) {
    OpenMainWindow();
    const struct {
        Category screen;
        bool original, held; // held open by another program, else read-only
    } cases[] = {
        {Category::Start, true, true},  {Category::Wait, true, true},  {Category::Shut, true, true},
        {Category::Start, false, true}, {Category::Wait, false, true}, {Category::Shut, false, true},
        {Category::Shut, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Screen(c.screen) + (c.original ? ", an original" : ", none at first") +
                     (c.held ? ", held" : ", read-only"));
        ClearProgramSettings();
        RemoveScreenFiles();
        for (Category screen : kScreenCategories)
            if (screen != c.screen || c.original) WriteFileBytes(Screen(screen), "original");
        MakeOriginalsBackup(ProgramFolder(), windowsDir);
        for (Category screen : kScreenCategories)
            WriteFileBytes(Screen(screen), "installed later");
        boxes.clear();
        answers = {mrYes, mrOk};
        if (!c.held) {
            SetFileAttributesA(Screen(c.screen).c_str(), kProtected);
            // Wine lets root write a read-only file; Windows refuses the write the check must not ask.
            EXPECT_EQ(ReplaceCheckAccess(GetFileAttributesA(Screen(c.screen).c_str())) & GENERIC_WRITE, 0u);
            form->Uninstall2Click();
            EXPECT_TRUE(form->Uninstalled);
            continue;
        }
        {
            UniqueFile held(CreateFileA(Screen(c.screen).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held);
            form->Uninstall2Click();
        }
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].type, TMsgDlgType::Error);
        const std::string failed = "These original screens could not be put back:\n\r" + Screen(c.screen) +
                                   (c.original ? " (its original stays in " + Backup(c.screen) + ")" : std::string()) +
                                   ": ";
        EXPECT_EQ(boxes[1].text.rfind(failed, 0), 0u) << boxes[1].text;
        const std::string ending = "\n\r\n\rVistrel is NOT succesfully cleared from the registry";
        EXPECT_EQ(boxes[1].text.substr(boxes[1].text.size() - std::min(boxes[1].text.size(), ending.size())), ending);
        EXPECT_FALSE(form->Uninstalled);
        for (Category screen : kScreenCategories)
            EXPECT_EQ(ReadFileBytes(Screen(screen)), "installed later") << "no screen is put back before all can be";
        EXPECT_TRUE(TRegistryKey::Open(HKEY_CURRENT_USER, kRunKey)->ReadString(kRunValue));
    }
    EXPECT_EQ(ReadFileBytes(Screen(Category::Shut)), "original") << "the read-only screen was put back";
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "original");
    EXPECT_FALSE(form->chkbStartUpRun.Checked()) << "the autostart value is gone";

    const std::string wallpaper = ProgramFolder() + "@QZ!BACK.BMP";
    DeleteFileA(wallpaper.c_str());
    boxes.clear();
    answers = {mrOk, mrOk, mrOk, mrOk, mrOk};
    Preview(Category::Start, "screen.bmp");
    PressF4();
    form->OriginalScreens1Click();
    ClickAt(form->chkbStartUpRun, 5, 8);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Runrandomizeratstartup1.Command(), 0), 0);
    EXPECT_FALSE(form->chkbStartUpRun.Checked() || form->Runrandomizeratstartup1.Checked());
    EXPECT_FALSE(TRegistryKey::Open(HKEY_CURRENT_USER, kRunKey)->ReadString(kRunValue)) << "nothing is written";
    Preview(Category::Wall, "screen.bmp");
    PressF4();
    ASSERT_EQ(boxes.size(), 5u);
    for (const MessageBoxCall& box : boxes) {
        EXPECT_EQ(box.type, TMsgDlgType::Information);
        EXPECT_EQ(box.text, "TANU was uninstalled.\n\rStart the program again to change the screens or the wallpaper.");
    }
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "original");
    EXPECT_FALSE(FileExists(wallpaper));
}

// A first start in a program folder that cannot be written: the copy there failed, not the screen.
TEST_F(SystemScreens, ABackupThatCannotBeWrittenNamesTheProgramFolderSide) {
    std::string locked = std::string(LOCKED_FOLDER) + "\\";
    std::replace(locked.begin(), locked.end(), '/', '\\');
    if (FolderWriteError(locked) == 0) GTEST_SKIP() << "this file system cannot make a folder unwritable";
    WriteFileBytes(Screen(Category::Start), "start original");
    const BackupResult backup = MakeOriginalsBackup(locked, windowsDir);
    ASSERT_EQ(backup.failures.size(), 1u);
    EXPECT_TRUE(backup.failures[0].backupSide);
    EXPECT_EQ(backup.failures[0].screen, Screen(Category::Start));
    EXPECT_EQ(backup.failures[0].backup, locked + "logo.bck");
}
