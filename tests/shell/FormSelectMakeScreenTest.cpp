// Making a screen from a photo under Wine: the real main window, the real Save As box driven from a
// second thread as a user drives it, the picture library beside the tests, real files.
#include "pictures/BmpReader.h"
#include "pictures/ScreenFromPicture.h"
#include "pictures/ScreenMaker.h"
#include "pictures/ScreenRule.h"
#include "platform/Files.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/TestFiles.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int kFileNameCombo = 0x47C; // cmb13 of the Explorer-style box
constexpr int kFileNameEdit = 0x480;  // edt1 of the older layout

BOOL CALLBACK AddDialog(HWND window, LPARAM list) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The enabled dialog windows (class #32770) of a thread.
std::vector<HWND> DialogsOf(DWORD thread) {
    std::vector<HWND> found;
    EnumThreadWindows(thread, AddDialog, LPARAM(&found));
    return found;
}

// The Save As box: the dialog with a file name field; the system's question has Yes and No.
HWND FindSaveBox(DWORD thread) {
    for (HWND dialog : DialogsOf(thread))
        if (GetDlgItem(dialog, kFileNameCombo) || GetDlgItem(dialog, kFileNameEdit)) return dialog;
    return nullptr;
}
HWND FindQuestion(DWORD thread) {
    for (HWND dialog : DialogsOf(thread))
        if (GetDlgItem(dialog, IDYES) && GetDlgItem(dialog, IDNO)) return dialog;
    return nullptr;
}

HWND FileNameField(HWND box) {
    if (HWND edit = GetDlgItem(box, kFileNameEdit)) return edit;
    HWND combo = GetDlgItem(box, kFileNameCombo);
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    return edit ? edit : combo;
}

std::string TextOf(HWND window) {
    char text[MAX_PATH] = {};
    SendMessageA(window, WM_GETTEXT, sizeof(text), LPARAM(text));
    return text;
}

// A click on a button of the box, sent without waiting: the box may open the next one (the
// question before replacing a file) while it handles the click.
void Press(HWND dialog, int button) {
    SendNotifyMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

class MakeScreen : public MainWindowFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        char temp[MAX_PATH] = {}, folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        GetTempFileNameA(temp, "vsm", 0, folder);
        DeleteFileA(folder);
        CreateDirectoryA(folder, nullptr);
        root = folder;
        photo = root + "\\photo.jpg";
        ASSERT_TRUE(CopyFileA(JPEG_PICTURE, photo.c_str(), FALSE)) << "the test photo " << JPEG_PICTURE;
        Start();
        form->PictureLibrary = std::make_unique<TPictureLibrary>(ProgramFolder());
        form->ProgramDir = root + "\\";
        form->ApplyBrowserPath(root);
        PumpMessages();
    }

    void TearDown() override {
        ResetApplication();
        RemoveTestFolder(root);
        WineFixture::TearDown();
    }

    // The photo as an entry of the active list, chosen there: the preview names it.
    void ChoosePhotoInList() {
        const int row = form->AddEntry(form->Model.activeCategory, {"photo.jpg", root});
        form->ActiveList().SetSelected(row, true);
        form->ViewSelected();
        ASSERT_EQ(form->PnlPreviewName.Caption(), photo);
    }

    // Runs the command while a second thread acts in the boxes it opens, as the user does.
    void MakeScreenWhile(std::function<void(DWORD gui)> user) {
        const DWORD gui = GetCurrentThreadId();
        OtherThread other([gui, user] { user(gui); });
        form->MakeScreenClick();
        EXPECT_TRUE(other.Join()) << "the second thread did not finish";
    }

    // The state of the screen item in the real menu of the window: -1 when it is not shown.
    int MenuState(const TMenuItem& item) const {
        return int(GetMenuState(GetMenu(form->Handle()), item.Command(), MF_BYCOMMAND));
    }

    std::string root, photo;
};

DecodedPicture ReadScreen(const std::string& path, std::vector<std::uint8_t>& bytes) {
    DecodedPicture screen;
    EXPECT_TRUE(ReadWholeFile(path, bytes)) << path;
    EXPECT_EQ(ReadBmp(bytes.data(), bytes.size(), screen), BmpStatus::Ok);
    return screen;
}
} // namespace

TEST_F(MakeScreen, ItemsFollowTheCategoryAndThePreview) {
    struct Step {
        const char* name;
        TSpeedButton* button;
        bool screenShown, barShown;
    };
    const Step steps[] = {
        {"start-up", &form->sbtnStart, true, true},
        {"waiting", &form->sbtnWait, true, false},
        {"shut-down", &form->sbtnShut, true, false},
        {"wallpaper", &form->sbtnWall, false, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ClickAt(*step.button, 5, 5);
        form->ResetPreview();
        const int shown = MenuState(form->MakeScreen1);
        EXPECT_EQ(shown != -1, step.screenShown) << "in the Edit menu";
        EXPECT_EQ(form->MakeScreen2.Visible(), step.screenShown) << "in the preview's menu";
        EXPECT_EQ(form->N8.Visible(), step.screenShown) << "the separator goes with the item";
        EXPECT_EQ(MenuState(form->AnimatedBar1) != -1, step.barShown);
        EXPECT_EQ(form->AnimatedBar2.Visible(), step.barShown);
        if (!step.screenShown) continue;
        EXPECT_TRUE(shown & MF_GRAYED) << "disabled while the preview names no file";
        form->PopMFileInfoPopup();
        EXPECT_FALSE(form->MakeScreen2.Enabled());
        ChoosePhotoInList();
        EXPECT_FALSE(MenuState(form->MakeScreen1) & MF_GRAYED) << "enabled once the preview names the photo";
        EXPECT_TRUE(form->MakeScreen2.Enabled());
        form->SetEntries(form->Model.activeCategory, {});
    }
    EXPECT_FALSE(form->AnimatedBar1.Checked()) << "the bar is off by default";
}

// Cancel in the box changes nothing; Save writes the screen, lists it and previews it.
TEST_F(MakeScreen, SaveAsBoxCancelThenSave) {
    ChoosePhotoInList();
    const int entries = form->ActiveList().Count();
    std::string proposed;
    MakeScreenWhile([&proposed](DWORD gui) {
        HWND box = nullptr;
        if (!OtherThread::WaitFor([&] { return (box = FindSaveBox(gui)) != nullptr; })) return;
        proposed = TextOf(FileNameField(box));
        Press(box, IDCANCEL);
    });
    EXPECT_EQ(proposed, "photo screen.bmp") << "the picture's name with \" screen.bmp\"";
    const std::string screenPath = root + "\\photo screen.bmp";
    EXPECT_EQ(GetFileAttributesA(screenPath.c_str()), INVALID_FILE_ATTRIBUTES) << "Cancel wrote a file";
    EXPECT_EQ(form->ActiveList().Count(), entries);
    EXPECT_EQ(form->PnlPreviewName.Caption(), photo);

    form->ListsChanged = false;
    MakeScreenWhile([](DWORD gui) {
        HWND box = nullptr;
        if (OtherThread::WaitFor([&] { return (box = FindSaveBox(gui)) != nullptr; })) Press(box, IDOK);
    });
    std::vector<std::uint8_t> bytes;
    const DecodedPicture screen = ReadScreen(screenPath, bytes);
    EXPECT_EQ(screen.width, 320);
    EXPECT_EQ(screen.height, 400);
    EXPECT_EQ(CheckScreenPicture(screen.width, screen.height, screen.format), ScreenCheck::Fits);
    ASSERT_GT(bytes.size(), 0x32u);
    EXPECT_EQ(bytes[0x32], 0) << "nothing rotates without the bar";
    EXPECT_EQ(screen.palette[0], 0u);

    TListView& list = form->ActiveList();
    EXPECT_EQ(list.Count(), entries + 1);
    ASSERT_EQ(list.SelCount(), 1);
    EXPECT_EQ(form->ActiveEntries().Cell(list.FirstSelected(), 0), "photo screen.bmp");
    EXPECT_EQ(form->ActiveEntries().Cell(list.FirstSelected(), 1), root);
    EXPECT_TRUE(form->ListsChanged);
    EXPECT_EQ(form->PnlPreviewName.Caption(), screenPath) << "the new screen is previewed";
    EXPECT_EQ(form->ImgPreview.Picture().Width(), 320);
    EXPECT_EQ(PixelFormatName(form->ImgPreview.Picture().Format()), "8");
    EXPECT_TRUE(boxes.empty());
}

// An existing file: No in the system's question goes back to the box; Yes replaces the file once;
// the picture itself is never replaced, whatever name is typed.
TEST_F(MakeScreen, OverwritePromptThenAnimatedBar) {
    ChoosePhotoInList();
    const std::string screenPath = root + "\\older.bmp";
    const std::string old = "an older file";
    ASSERT_TRUE(ReplaceFileContents(screenPath, old).Ok());
    // Types a name into the box and presses OK, then answers the question before replacing a file.
    auto saveAs = [](const std::string& name, int answer, bool* asked = nullptr) {
        return [name, answer, asked](DWORD gui) {
            HWND box = nullptr, question = nullptr;
            if (!OtherThread::WaitFor([&] { return (box = FindSaveBox(gui)) != nullptr; })) return;
            SendMessageA(FileNameField(box), WM_SETTEXT, 0, LPARAM(name.c_str()));
            Press(box, IDOK);
            const bool shown = OtherThread::WaitFor([&] { return (question = FindQuestion(gui)) != nullptr; });
            if (asked) *asked = shown;
            if (shown) Press(question, answer);
            if (answer == IDNO && OtherThread::WaitFor([&] { return (box = FindSaveBox(gui)) != nullptr; }))
                Press(box, IDCANCEL);
        };
    };

    bool asked = false;
    MakeScreenWhile(saveAs(screenPath, IDNO, &asked));
    EXPECT_TRUE(asked) << "no question before replacing the file";
    EXPECT_EQ(ReadFileBytes(screenPath), old) << "No replaced the file";

    // The picture by its own name, and a picture of a long name by its 8.3 name.
    const std::string longPhoto = root + "\\a photo of long name.jpg";
    ASSERT_TRUE(CopyFileA(JPEG_PICTURE, longPhoto.c_str(), FALSE));
    char shortName[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameA(longPhoto.c_str(), shortName, MAX_PATH), 0u);
    for (const auto& [picture, typed] : {std::pair{photo, photo}, std::pair{longPhoto, std::string(shortName)}}) {
        SCOPED_TRACE(typed);
        form->ShowPreview(picture, false);
        answers.push_back(mrOk);
        MakeScreenWhile(saveAs(typed, IDYES));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "The screen cannot be written over the picture it is made of:\n\r" + picture +
                                     "\n\rNo screen was made.");
        EXPECT_EQ(ReadFileBytes(picture), ReadFileBytes(JPEG_PICTURE));
        boxes.clear();
    }

    form->AnimatedBar2.Click();
    EXPECT_TRUE(form->AnimatedBar1.Checked());
    EXPECT_TRUE(form->AnimatedBar2.Checked());
    std::vector<std::uint8_t> bytes;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        form->ShowPreview(photo, false); // the photo again: the screen made last is on view
        MakeScreenWhile(saveAs(screenPath, IDYES));
        const DecodedPicture screen = ReadScreen(screenPath, bytes);
        EXPECT_EQ(CheckScreenPicture(screen.width, screen.height, screen.format), ScreenCheck::Fits);
        ASSERT_GT(bytes.size(), 0x32u);
        EXPECT_EQ(bytes[0x32], 236) << "the bar rotates from entry 236";
        int above = 0;
        for (int y = kBarRows; y < screen.height; ++y) // rows bottom-up: the bar is stored first
            for (int x = 0; x < screen.width; ++x)
                above += screen.pixels[std::size_t(y) * screen.Stride() + std::size_t(x)] >= kBarFirstEntry;
        EXPECT_EQ(above, 0) << "pixels above the bar with rotating entries";
        int named = 0;
        for (int i = 0; i < form->ActiveList().Count(); ++i)
            named += form->ActiveEntries().Cell(i, 0) == "older.bmp";
        EXPECT_EQ(named, 1) << "the screen is listed once";
    }
    EXPECT_TRUE(boxes.empty());
}

// A folder the program cannot write to: the box accepts the name, the program says which path failed.
TEST_F(MakeScreen, UnwritableFolderNamesThePath) {
    std::string locked = LOCKED_FOLDER;
    std::replace(locked.begin(), locked.end(), '/', '\\');
    {
        const std::string probe = locked + "\\probe.tmp";
        UniqueFile file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        if (file) {
            file.Reset();
            DeleteFileA(probe.c_str());
            GTEST_SKIP() << "the build could not lock " << locked << " (chattr +i needs CAP_LINUX_IMMUTABLE)";
        }
    }
    ChoosePhotoInList();
    const int entries = form->ActiveList().Count();
    const std::string target = locked + "\\screen.bmp";
    answers.push_back(mrOk);
    MakeScreenWhile([target](DWORD gui) {
        HWND box = nullptr;
        if (!OtherThread::WaitFor([&] { return (box = FindSaveBox(gui)) != nullptr; })) return;
        SendMessageA(FileNameField(box), WM_SETTEXT, 0, LPARAM(target.c_str()));
        Press(box, IDOK);
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(boxes[0].text.rfind("Cannot create file " + target + "\n\r", 0), 0u) << boxes[0].text;
    EXPECT_EQ(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(form->ActiveList().Count(), entries) << "nothing listed";
    EXPECT_EQ(form->PnlPreviewName.Caption(), photo);
}

// Ctrl+N from the keyboard, through the system's input queue, opens the box like the menu item.
TEST_F(MakeScreen, ShortCutFromTheKeyboardOpensTheBox) {
    ChoosePhotoInList();
    BringToFront(*form);
    const DWORD gui = GetCurrentThreadId();
    bool opened = false;
    OtherThread other([gui, &opened] {
        HWND box = nullptr;
        opened = OtherThread::WaitFor([&] { return (box = FindSaveBox(gui)) != nullptr; });
        if (opened) Press(box, IDCANCEL);
    });
    TypeKeys({VK_CONTROL, 'N'});
    HandleQueuedInput();
    EXPECT_TRUE(other.Join());
    EXPECT_TRUE(opened) << "Ctrl+N did not open the Save As box";
    EXPECT_EQ(GetFileAttributesA((root + "\\photo.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Transparent parts of a PNG or GIF go black in its screen, as the bands around the picture do,
// whatever colour the desktop has.
TEST_F(MakeScreen, TransparentPartsGoBlackWhateverTheDesktopsColour) {
    RegistrySnapshot colours(HKEY_CURRENT_USER, "Control Panel\\Colors");
    TRegistryKey::Create(HKEY_CURRENT_USER, "Control Panel\\Colors").WriteString("Background", "255 0 255");
    std::string data = JPEG_PICTURE;
    data.resize(data.find_last_of("/\\") + 1);
    const std::string target = root + "\\screen.bmp";
    for (const char* picture : {"alpha.png", "transparent.gif"}) {
        SCOPED_TRACE(picture);
        ASSERT_TRUE(MakeScreenFromPicture(form->Library(), data + picture, target, false).Ok());
        std::vector<std::uint8_t> bytes;
        const DecodedPicture screen = ReadScreen(target, bytes);
        int desktop = 0;
        for (std::size_t i = 0; i < screen.pixels.size(); ++i) {
            const std::uint32_t colour = screen.palette[screen.pixels[i]];
            desktop += (colour >> 16 & 0xFF) > 128 && (colour & 0xFF) > 128 && (colour >> 8 & 0xFF) < 100;
        }
        EXPECT_EQ(desktop, 0) << "pixels of the desktop's colour";
    }
}
