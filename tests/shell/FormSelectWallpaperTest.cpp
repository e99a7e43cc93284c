// Applying wallpapers under Wine: the real bitmap file, the prefix's registry and the system's
// wallpaper, through F4 in the main window and the style box.
#include "pictures/Transparency.h"
#include "platform/Guard.h"
#include "platform/WaitCursor.h"
#include "tests/support/WallpaperFixture.h"

#include <functional>

namespace {
class Wallpaper : public WallpaperFixture {
protected:
    // The desktop key as a system with (or without) a WallpaperStyle value has it.
    void DesktopKey(bool withStyleValue) {
        TRegistryKey key = TRegistryKey::Create(HKEY_CURRENT_USER, kDesktopKey);
        key.WriteString("Wallpaper", "C:\\old.bmp");
        key.WriteString("TileWallpaper", "7");
        if (withStyleValue)
            key.WriteString("WallpaperStyle", "9");
        else
            key.DeleteValue("WallpaperStyle");
    }

    // F4 as the user presses it in the main window.
    void PressF4() {
        SetFocus(form->FileListBox1.Handle());
        PressKey(VK_F4);
    }
};
} // namespace

TEST_F(Wallpaper, EachStyleWritesItsValuesAndBitmap) {
    struct Case {
        int style;
        const char* tile;
        const char* wallpaperStyle;
        const char* picture;
        int width, height;
    } cases[] = {
        {0, "0", "0", "wide.bmp", 1024, 600},   {1, "0", "2", "wide.bmp", 1024, 600},
        {2, "1", "0", "tile.bmp", 1024, 768},   {3, "0", "0", "wide.bmp", 1024, 384},
        {4, "0", "0", "square.bmp", 1024, 768}, {3, "0", "0", "square.bmp", 768, 768},
    };
    Category(form->sbtnWall);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(kWallpaperStyles[c.style].name) + " of " + c.picture);
        DesktopKey(true);
        Choose(c.picture);
        PickStyle(c.style);
        PressF4();
        EXPECT_EQ(DesktopValue("Wallpaper"), WallpaperPath());
        EXPECT_EQ(DesktopValue("TileWallpaper"), c.tile);
        EXPECT_EQ(DesktopValue("WallpaperStyle"), c.wallpaperStyle) << "written where the value exists";
        PixelSize size = SavedSize();
        EXPECT_EQ(size.width, c.width);
        EXPECT_EQ(size.height, c.height);
        EXPECT_EQ(CurrentWallpaper(), WallpaperPath()) << "the system shows it";
        EXPECT_FALSE(preview->Showing()) << "composed without showing the full-screen window";
        DeleteFileA(WallpaperPath().c_str());
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Wallpaper, StyleValueIsNeverCreated) {
    DesktopKey(false);
    Category(form->sbtnWall);
    Choose("wide.bmp");
    PickStyle(1); // Stretched
    PressF4();
    EXPECT_EQ(DesktopValue("Wallpaper"), WallpaperPath());
    EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
    auto key = TRegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->HasValue("WallpaperStyle"));
    // Such a system shows the bitmap centred at its own size: the program stretches it to the screen.
    const std::string saved = Read(WallpaperPath());
    ASSERT_EQ(saved.size(), 54u + 1024u * 3u * 768u);
    const BitmapPixels whole = PixelsOfBitmap(form->ImgPreview.Picture().Handle());
    EXPECT_TRUE(saved == EncodeBmp24(DrawScaled(whole.view, {1024, 768}).View())) << "the whole picture, stretched";
}

TEST_F(Wallpaper, MissingDesktopKeyStillShowsTheWallpaper) {
    TRegistryKey::Open(HKEY_CURRENT_USER, "Control Panel")->DeleteKeyTree("desktop");
    Category(form->sbtnWall);
    Choose("tile.bmp");
    PickStyle(2);
    PressF4();
    EXPECT_FALSE(TRegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey)) << "the key is not created";
    EXPECT_EQ(SavedSize().width, 1024);
    EXPECT_EQ(CurrentWallpaper(), WallpaperPath());
}

TEST_F(Wallpaper, JpegIsAppliedAsABitmap) {
    std::string jpeg = Read(JPEG_PICTURE);
    ASSERT_FALSE(jpeg.empty());
    Write("photo.jpg", jpeg);
    DesktopKey(true);
    Category(form->sbtnWall);
    Choose("photo.jpg");
    PickStyle(0);
    // F4 typed on the keyboard while the main window is in front.
    SetForegroundWindow(form->Handle());
    SetFocus(form->FileListBox1.Handle());
    Type(VK_F4);
    ASSERT_TRUE(WaitFor([this] { return SavedSize().width != 0; }));
    std::string saved = Read(WallpaperPath());
    ASSERT_GE(saved.size(), 54u);
    EXPECT_EQ(saved.substr(0, 2), "BM");
    EXPECT_EQ(saved[28], 24) << "24 bits per pixel";
    EXPECT_EQ(SavedSize().width, form->Model.preview.width) << "the file's own size";
}

TEST_F(Wallpaper, FailedWriteLeavesTheOldBitmapAndTheRegistry) {
    DesktopKey(true);
    Write(kWallpaperFileName, "the old wallpaper");
    const std::string before = CurrentWallpaper();
    // Another program holds the old bitmap open without sharing: it cannot be replaced.
    UniqueFile held(CreateFileA(WallpaperPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    Category(form->sbtnWall);
    Choose("tile.bmp");
    answers = {mrOk};
    PressF4();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(boxes[0].text.rfind("Cannot create file " + WallpaperPath(), 0), 0u) << boxes[0].text;
    held.Reset();
    EXPECT_EQ(Read(WallpaperPath()), "the old wallpaper");
    EXPECT_EQ(DesktopValue("Wallpaper"), "C:\\old.bmp") << "no value written";
    EXPECT_EQ(DesktopValue("TileWallpaper"), "7");
    EXPECT_EQ(CurrentWallpaper(), before) << "the system was not called";
    WIN32_FIND_DATAA found;
    HANDLE left = FindFirstFileA((root + "\\*.tmp").c_str(), &found);
    EXPECT_EQ(left, INVALID_HANDLE_VALUE) << "no temporary file left: " << found.cFileName;
    if (left != INVALID_HANDLE_VALUE) FindClose(left);
}

TEST_F(Wallpaper, OverlongPathIsRefusedBeforeAnythingIsWritten) {
    DesktopKey(true);
    const std::string before = CurrentWallpaper();
    Category(form->sbtnWall);
    Choose("tile.bmp");
    form->ProgramDir = "C:\\" + std::string(250, 'x') + "\\";
    answers = {mrOk};
    PressF4();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string path = form->ProgramDir + kWallpaperFileName;
    EXPECT_EQ(boxes[0].text, "Cannot create file " + path +
                                 "\n\rThe path is longer than 255 characters.\n\rThe wallpaper was not changed.");
    EXPECT_EQ(DesktopValue("Wallpaper"), "C:\\old.bmp");
    EXPECT_EQ(CurrentWallpaper(), before);
}

TEST_F(Wallpaper, StalePictureIsRefused) {
    DesktopKey(true);
    const std::string before = CurrentWallpaper();
    Choose("screen.bmp"); // read as a bitmap in the start-up category
    Choose("text.bmp");   // fails: the name changes, the picture stays
    ASSERT_EQ(form->PnlPreviewName.Caption(), root + "\\text.bmp");
    ASSERT_EQ(form->ImgPreview.Picture().Width(), 320);
    Category(form->sbtnWall); // the pane keeps what it shows
    answers = {mrOk};
    PressF4();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(boxes[0].text, UnreadablePictureText(root + "\\text.bmp"));
    EXPECT_EQ(GetFileAttributesA(WallpaperPath().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(DesktopValue("Wallpaper"), "C:\\old.bmp");
    EXPECT_EQ(CurrentWallpaper(), before);

    Choose("tile.bmp"); // a good load makes the preview the named file's again
    PressF4();
    EXPECT_EQ(DesktopValue("Wallpaper"), WallpaperPath());
}

// F4 reads the file again: one gone since it was previewed, or any without the picture library, is
// refused with the reason where there is one, and nothing is written.
TEST_F(Wallpaper, AFileThatCannotBeReadAgainIsRefused) {
    DesktopKey(true);
    Category(form->sbtnWall);
    for (const std::string reason : {"", "\n\rCannot load NViewLib.dll"}) {
        const std::string path = root + (reason.empty() ? "\\tile.bmp" : "\\square.bmp");
        SCOPED_TRACE(path);
        Choose(path.substr(root.size() + 1));
        if (reason.empty())
            DeleteFileA(path.c_str());
        else
            form->PictureLibrary = std::make_unique<TPictureLibrary>(root + "\\"); // no library there
        answers = {mrOk};
        PressF4();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "The file " + path + "\n\rcould not be read as a picture." + reason +
                                     "\n\rThe wallpaper was not changed.");
        EXPECT_EQ(GetFileAttributesA(WallpaperPath().c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(DesktopValue("Wallpaper"), "C:\\old.bmp");
        boxes.clear();
    }
}

TEST_F(Wallpaper, NothingPreviewedDoesNothing) {
    DesktopKey(true);
    Category(form->sbtnWall);
    PressF4();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(GetFileAttributesA(WallpaperPath().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(DesktopValue("Wallpaper"), "C:\\old.bmp");
}

TEST_F(Wallpaper, StyleBoxRestylesExactlyTheSelectedEntries) {
    Category(form->sbtnWall);
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"})
        form->AddEntry(Category::Wall, {name, root, "Centred"});
    form->ListsChanged = false;
    PickStyle(2);
    EXPECT_FALSE(form->ListsChanged) << "no entry selected: nothing changes";
    form->ListWall.SetSelected(0, true);
    form->ListWall.SetSelected(4, true);
    form->SelectionTracking = false; // selecting entries shows their style in the box
    PickStyle(0);                    // the style they have already
    EXPECT_TRUE(form->ListsChanged) << "counts as a change all the same";
    form->ListsChanged = false;
    PickStyle(4);
    std::vector<std::string> styles;
    for (int i = 0; i < 5; ++i)
        styles.push_back(form->Entries(Category::Wall).Cell(i, 2));
    EXPECT_EQ(styles, (std::vector<std::string>{"Mirror", "Centred", "Centred", "Centred", "Mirror"}));
    EXPECT_TRUE(form->ListsChanged);
}

// Transparent parts of PNG and GIF pictures show the desktop's colour in the preview, hence in the
// full-screen window and the wallpaper; a bitmap's fourth byte, often unused, changes nothing.
TEST_F(Wallpaper, TransparentPartsShowTheDesktopColour) {
    RegistrySnapshot colours(HKEY_CURRENT_USER, "Control Panel\\Colors");
    TRegistryKey::Create(HKEY_CURRENT_USER, "Control Panel\\Colors").WriteString("Background", "10 20 30");
    std::string data = JPEG_PICTURE;
    data.resize(data.find_last_of("/\\") + 1);
    // A PNG (opaque left, half-transparent top right, transparent bottom right), named as the browser
    // lists wallpapers: the library goes by the content.
    Write("alpha.jpg", Read(data + "alpha.png"));
    Write("deep.bmp", BitmapFile(16, 8, 32));
    Category(form->sbtnWall);
    auto shown = [this](int x, int y) {
        const BitmapPixels pixels = PixelsOfBitmap(form->ImgPreview.Picture().Handle());
        return pixels.view.height > y ? pixels.view.Row(y)[x] & 0xFFFFFFu : 0xDEADu;
    };
    Choose("alpha.jpg");
    EXPECT_EQ(shown(15, 7), 0x0A141Eu) << "transparent: the desktop's colour";
    EXPECT_EQ(shown(15, 0), 0x850A0Fu) << "half transparent: a mix";
    EXPECT_EQ(shown(0, 0), 0x3080C0u) << "opaque: unchanged";
    PickStyle(0);
    form->SetasCurrentClick();
    const std::string saved = Read(WallpaperPath());
    ASSERT_EQ(saved.size(), 54u + 48u * 8u);
    EXPECT_EQ(saved.substr(54 + 15 * 3, 3), std::string("\x1E\x14\x0A", 3)) << "the wallpaper's bottom right";

    TRegistryKey::Open(HKEY_CURRENT_USER, "Control Panel\\Colors")->DeleteValue("Background");
    Choose("deep.bmp");
    Choose("alpha.jpg");
    EXPECT_EQ(shown(15, 7), PixelColour(GetSysColor(COLOR_DESKTOP))) << "without the value: the system colour";

    Choose("deep.bmp");
    const std::string file = BitmapFile(16, 8, 32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            const std::size_t at = 54 + std::size_t(7 - y) * 64 + std::size_t(x) * 4;
            const std::uint32_t expected = std::uint8_t(file[at]) | std::uint8_t(file[at + 1]) << 8 |
                                           std::uint32_t(std::uint8_t(file[at + 2])) << 16;
            ASSERT_EQ(shown(x, y), expected) << x << ", " << y;
        }
}

// The wait cursor while the selector works, put back when the work ends, a failed one too.
TEST_F(Wallpaper, LongWorkShowsTheWaitCursorUntilItEnds) {
    Category(form->sbtnWall);
    struct Work {
        const char* name;
        std::function<void()> run;
    } works[] = {
        {"reading a picture into the preview", [this] { Choose("tile.bmp"); }},
        {"applying a wallpaper", [this] { form->SetasCurrentClick(); }},
        {"reading a folder", [this] { form->ApplyBrowserPath(root); }},
        {"adding files",
         [this] {
             form->btnAllFilesClick();
             form->BtnAddClick();
         }},
        {"purging missing entries",
         [this] {
             answers = {mrOk}; // the count of entries removed
             form->Removenonexistingfiles1Click();
         }},
        {"a wallpaper that cannot be written",
         [this] {
             // Another program holds the old bitmap open without sharing: F4 fails with an error.
             UniqueFile held(CreateFileA(WallpaperPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
             ASSERT_TRUE(held);
             const std::size_t shown = boxes.size();
             answers = {mrOk};
             Guard([this] { form->SetasCurrentClick(); });
             EXPECT_EQ(boxes.size(), shown + 1) << "the failure was shown";
         }},
    };
    const HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    for (const Work& work : works) {
        SCOPED_TRACE(work.name);
        const int before = TWaitCursor::TimesShown();
        work.run();
        EXPECT_GT(TWaitCursor::TimesShown(), before) << "shown";
        EXPECT_FALSE(TWaitCursor::Held());
        EXPECT_NE(GetCursor(), wait) << "put back";
    }
}
