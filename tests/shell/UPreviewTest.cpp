// The full-screen preview window under Wine: the real windows on the 1024 x 768 virtual desktop,
// driven by keys and clicks through the system's input queue.
#include "pictures/PictureText.h"
#include "tests/support/EncodedPictures.h"
#include "tests/support/WallpaperFixture.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {
class FullScreen : public WallpaperFixture {
protected:
    // Five wallpaper entries, all "Centred"; the second and fourth selected.
    void FiveEntriesTwoSelected() {
        Category(form->sbtnWall);
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"})
            form->AddEntry(Category::Wall, {name, root, "Centred"});
        form->ListWall.SetSelected(1, true);
        form->ListWall.SetSelected(3, true);
        form->ListsChanged = false;
    }

    std::vector<std::string> Styles() const {
        std::vector<std::string> styles;
        for (int i = 0; i < form->ListWall.Count(); ++i)
            styles.push_back(form->Entries(Category::Wall).Cell(i, 2));
        return styles;
    }

    std::uint32_t ImagePixel(int x, int y) const {
        Pixels32 pixels = ReadPixels(preview->ImgPreview.Picture().Handle());
        return pixels.At(x, y) & 0xFFFFFF;
    }

    // The full-screen window's client area as it is painted now.
    Pixels32 WindowPixels() const {
        RECT client;
        GetClientRect(preview->Handle(), &client);
        PixelView view;
        UniqueBitmap shot = NewPixelBitmap({client.right, client.bottom}, view);
        WindowDc window(preview->Handle());
        UniqueMemoryDc memory(CreateCompatibleDC(window.Get()));
        {
            SelectObjectScope select(memory.Get(), shot.Get());
            BitBlt(memory.Get(), 0, 0, client.right, client.bottom, window.Get(), 0, 0, SRCCOPY);
        }
        return ReadPixels(shot.Get());
    }
};

const std::vector<std::string> kScreenMenu = {"Return to &main", "File &info", "-", "As &Windows Shows It",
                                              "Set as current &Screen"};
// The grey of a test screen's palette entry: BitmapFile's palette is grey, entry i = i * 0x010101.
bool GreyAtLeast(std::uint32_t colour, int level) {
    colour &= 0xFFFFFF;
    return colour % 0x010101 == 0 && int(colour / 0x010101) >= level;
}
const std::vector<std::string> kWallpaperMenu = {"Return to &main",
                                                 "File &info",
                                                 "-",
                                                 "&Centred",
                                                 "&Stretched",
                                                 "&Tiled",
                                                 "&Fit 2 Screen",
                                                 "&Mirror",
                                                 "Fi&ll",
                                                 "-",
                                                 "Set as current &Wallpaper"};
} // namespace

TEST_F(FullScreen, ScreenIsStretchedOverTheWholeScreen) {
    Choose("screen.bmp");
    ASSERT_TRUE(OpenFullScreen());
    EXPECT_TRUE(IsZoomed(preview->Handle())) << "maximized on activation";
    RECT client;
    GetClientRect(preview->Handle(), &client);
    const TBounds image = preview->ImgPreview.Bounds();
    EXPECT_EQ(image.width, client.right);
    EXPECT_EQ(image.height, client.bottom);
    EXPECT_TRUE(preview->ImgPreview.Stretch);
    EXPECT_EQ(preview->ImgPreview.Picture().Width(), 320) << "a copy of the preview picture";
    EXPECT_EQ(VisibleItems(), kScreenMenu);
    EXPECT_FALSE(preview->Centred1.Enabled()) << "the style keys do nothing outside the wallpapers";

    Type('C', true);
    PumpMessages();
    EXPECT_EQ(form->CBStyle.ItemIndex(), -1) << "Ctrl+C chose no style";
    answers = {mrOk};
    Type('I', true);
    ASSERT_TRUE(WaitFor([this] { return !boxes.empty(); })) << "Ctrl+I shows the file information";
    EXPECT_EQ(boxes[0].text, "Size : 320 X 400\n\rBits per pixel : 8\n\rNo animation\n\r");
    Type(VK_F3);
    EXPECT_TRUE(WaitFor([this] { return !preview->Showing(); })) << "F3 returns to the main window";
}

TEST_F(FullScreen, WallpaperMenuMarksTheStyleOfTheBox) {
    Category(form->sbtnWall);
    Choose("tile.bmp");
    ASSERT_TRUE(OpenFullScreen());
    EXPECT_EQ(VisibleItems(), kWallpaperMenu);
    for (int style = 0; style < kWallpaperStyleCount; ++style) {
        SCOPED_TRACE(kWallpaperStyles[style].name);
        PickStyle(style);
        SendMessageA(preview->Handle(), WM_INITMENU, 0, 0); // as when the menu opens
        for (int item = 0; item < kWallpaperStyleCount; ++item)
            EXPECT_EQ(preview->StyleItem(item)->Checked(), item == style) << "item " << item;
    }
}

TEST_F(FullScreen, StyleKeyMovesTheMarkAndRestylesOnlyOnReturn) {
    FiveEntriesTwoSelected();
    Choose("tile.bmp"); // from the browser, none of the entries
    ASSERT_TRUE(OpenFullScreen());
    Type('T', true);
    ASSERT_TRUE(WaitFor([this] { return preview->Tiled1.Checked(); })) << "Ctrl+T moves the mark";
    EXPECT_FALSE(preview->Centred1.Checked());
    EXPECT_EQ(form->CBStyle.Text(), "Tiled") << "and the main window's box";
    EXPECT_EQ(Styles(), (std::vector<std::string>(5, "Centred"))) << "no entry restyled yet";
    EXPECT_FALSE(form->ListsChanged);
    EXPECT_EQ(preview->ImgPreview.Picture().Width(), 1024) << "laid out anew: a screen of tiles";

    Type(VK_ESCAPE); // as F3
    ASSERT_TRUE(WaitFor([this] { return !preview->Showing(); })) << "Escape returns to the main window";
    EXPECT_EQ(Styles(), (std::vector<std::string>{"Centred", "Tiled", "Centred", "Tiled", "Centred"}));
    EXPECT_TRUE(form->ListsChanged);
}

TEST_F(FullScreen, ClickOnThePictureReturnsAndRestyles) {
    FiveEntriesTwoSelected();
    Choose("wide.bmp");
    ASSERT_TRUE(OpenFullScreen());
    Type('M', true);
    ASSERT_TRUE(WaitFor([this] { return preview->Mirror1.Checked(); }));
    ASSERT_TRUE(WaitFor([this] {
        return WindowFromPoint({500, 400}) == preview->ImgPreview.Handle();
    })) << "the picture lies under the point clicked";
    ClickScreen(500, 400);
    ASSERT_TRUE(WaitUntil([this] { return !preview->Showing() && form->ListsChanged; })) << "the click returns";
    EXPECT_EQ(Styles(), (std::vector<std::string>{"Centred", "Mirror", "Centred", "Mirror", "Centred"}));
    EXPECT_TRUE(form->Showing());
}

TEST_F(FullScreen, LayoutOfEachStyleOnTheScreen) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the prefix's virtual desktop";
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    Category(form->sbtnWall);
    Choose("wide.bmp");
    ASSERT_TRUE(OpenFullScreen());
    preview->StyleClick(WallpaperStyle::Fit2Screen);
    TBounds b = preview->ImgPreview.Bounds();
    EXPECT_EQ(std::vector<int>({b.left, b.top, b.width, b.height}), std::vector<int>({0, 192, 1024, 384}));
    EXPECT_TRUE(preview->ImgPreview.Stretch);

    preview->StyleClick(WallpaperStyle::Centred);
    b = preview->ImgPreview.Bounds();
    EXPECT_LT(b.left, 0) << "a picture wider than the screen is cut on both sides";
    EXPECT_EQ(b.width, 1600);
    EXPECT_FALSE(preview->ImgPreview.Stretch);

    Choose("tile.bmp");
    const Pixels32 picture = ReadPixels(form->ImgPreview.Picture().Handle());
    preview->StyleClick(WallpaperStyle::Tiled);
    EXPECT_EQ(preview->ImgPreview.Picture().Width(), 1024);
    EXPECT_EQ(preview->ImgPreview.Picture().Height(), 768);
    EXPECT_EQ(ImagePixel(300, 0), picture.At(0, 0) & 0xFFFFFF) << "the second column starts the picture again";
    EXPECT_EQ(ImagePixel(1023, 767), picture.At(123, 167) & 0xFFFFFF) << "the last tile cut at the edge";
    preview->StyleClick(WallpaperStyle::Mirror);
    EXPECT_EQ(ImagePixel(300, 0), picture.At(299, 0) & 0xFFFFFF) << "the second column turned left to right";
    EXPECT_EQ(ImagePixel(0, 200), picture.At(0, 199) & 0xFFFFFF) << "the second row turned top to bottom";
    EXPECT_EQ(ImagePixel(300, 200), picture.At(299, 199) & 0xFFFFFF) << "turned both ways";
    EXPECT_EQ(ImagePixel(600, 400), picture.At(0, 0) & 0xFFFFFF) << "the third column and row unturned";

    Choose("tall.bmp"); // taller than the screen: only its top rows are shown
    const Pixels32 tall = ReadPixels(form->ImgPreview.Picture().Handle());
    preview->StyleClick(WallpaperStyle::Mirror);
    EXPECT_EQ(ImagePixel(0, 0), tall.At(0, 0) & 0xFFFFFF);
    EXPECT_EQ(ImagePixel(200, 767), tall.At(199, 767) & 0xFFFFFF) << "the screen's last row is the picture's row 767";

    preview->StyleClick(WallpaperStyle::Fill); // 200 x 1000 covers 1024 x 768 at 1024 x 5120, cut 2176 rows above
    EXPECT_EQ(preview->ImgPreview.Picture().Width(), 1024);
    EXPECT_EQ(preview->ImgPreview.Picture().Height(), 768);
    EXPECT_TRUE(preview->ImgPreview.Stretch);
    const Pixels32 filled = ComposeWallpaper(tall.View(), WallpaperStyle::Fill, {1024, 768});
    for (auto [x, y] : {std::pair{0, 0}, std::pair{1023, 767}, std::pair{512, 384}})
        EXPECT_EQ(ImagePixel(x, y), filled.At(x, y) & 0xFFFFFF) << x << ", " << y;
    EXPECT_EQ(ImagePixel(0, 0), tall.At(0, 425) & 0xFFFFFF) << "the rows the screen shows of the covering picture";
}

// Of a picture larger than the screen "Centred" shows the middle, whatever the kind of file: a JPEG
// or PNG is read only as far as the screen shows it, and that part lies where the bitmap's does.
TEST_F(FullScreen, CentredShowsTheMiddleOfALargePictureOfEveryKind) {
    const Pixels32 photo = PhotoLike(1600, 1200);
    Write("large.bmp", EncodeBmp24(photo.View()));
    Write("large.jpg", EncodeJpeg(photo, {95}));
    Write("png.jpg", EncodePng(photo, false)); // named as the browser lists wallpapers
    Category(form->sbtnWall);
    const struct {
        const char* file;
        int tolerance; // of each channel: a JPEG is lossy
    } cases[] = {{"large.bmp", 0}, {"large.jpg", 40}, {"png.jpg", 0}};
    Pixels32 bitmap;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Choose(c.file);
        ASSERT_TRUE(OpenFullScreen());
        preview->StyleClick(WallpaperStyle::Centred);
        PumpMessages();
        const Pixels32 shot = WindowPixels();
        if (bitmap.data.empty()) bitmap = shot;
        ASSERT_EQ(shot.data.size(), bitmap.data.size());
        int unlike = 0;
        for (std::size_t i = 0; i < shot.data.size(); ++i)
            for (int channel = 0; channel < 24; channel += 8)
                if (std::abs(int(shot.data[i] >> channel & 0xFF) - int(bitmap.data[i] >> channel & 0xFF)) >
                    c.tolerance) {
                    ++unlike;
                    break;
                }
        EXPECT_LE(unlike, int(shot.data.size() / 100)) << "pixels unlike the bitmap's";
        preview->Close();
    }
}

TEST_F(FullScreen, EmptyPictureShowsTheDesktopColourAndIsNoWallpaper) {
    Category(form->sbtnWall);
    Choose("text.bmp"); // the library makes no picture of it
    ASSERT_EQ(form->ImgPreview.Picture().Width(), 0);
    ASSERT_TRUE(OpenFullScreen());
    for (WallpaperStyle style : {WallpaperStyle::Tiled, WallpaperStyle::Mirror, WallpaperStyle::Fit2Screen,
                                 WallpaperStyle::Centred, WallpaperStyle::Fill}) {
        SCOPED_TRACE(StyleInfo(style).name);
        preview->StyleClick(style);
        EXPECT_EQ(preview->ImgPreview.Picture().Handle(), nullptr) << "nothing but the desktop colour";
    }
    answers = {mrOk};
    Type(VK_F4);
    ASSERT_TRUE(WaitFor([this] { return !boxes.empty(); }));
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(boxes[0].text, NoPictureText(root + "\\text.bmp"));
    EXPECT_EQ(GetFileAttributesA(WallpaperPath().c_str()), INVALID_FILE_ATTRIBUTES) << "nothing written";
    EXPECT_TRUE(preview->Showing()) << "the window stays open";
}

TEST_F(FullScreen, F4AppliesTheWallpaperAsLaidOut) {
    Category(form->sbtnWall);
    Choose("wide.bmp");
    ASSERT_TRUE(OpenFullScreen());
    Type('F', true);
    ASSERT_TRUE(WaitFor([this] { return preview->Fit2Screen1.Checked(); }));
    Type(VK_F4);
    ASSERT_TRUE(WaitFor([this] { return SavedSize().width != 0; }));
    EXPECT_EQ(SavedSize().height, 384) << "the fitted size";
    EXPECT_EQ(CurrentWallpaper(), WallpaperPath());
    EXPECT_TRUE(preview->Showing()) << "the window stays open";
}

TEST_F(FullScreen, AsWindowsShowsItIsKeptInTheSettings) {
    Choose("screen.bmp");
    ASSERT_TRUE(OpenFullScreen());
    EXPECT_FALSE(preview->AsWindowsShowsIt1.Checked());
    Type('W', true);
    ASSERT_TRUE(WaitFor([this] { return preview->AsWindowsShowsIt1.Checked(); })) << "Ctrl+W checks it";
    EXPECT_EQ(preview->Color(), clBlack) << "the screen is shown on black";
    form->Close();

    ResetApplication();
    preview = Start().FormPreview;
    form->ApplyBrowserPath(root);
    Choose("screen.bmp");
    ASSERT_TRUE(OpenFullScreen());
    EXPECT_TRUE(preview->AsWindowsShowsIt1.Checked()) << "checked again after a new start";
    preview->AsWindowsShowsIt1Click();
    EXPECT_FALSE(preview->AsWindowsShowsIt1.Checked());
    EXPECT_TRUE(preview->ImgPreview.Align() == TAlign::Client) << "unchecked, the screen fills the window again";
}

// The file's 320 x 400 pixels in the largest 4:3 rectangle of the window, black around, each file
// pixel a sharp block: measured on the window's pixels, maximized and at a wider size.
TEST_F(FullScreen, AsWindowsShowsItScalesTheScreenToTheLargestFourByThreeRectangle) {
    std::string file = BitmapFile(320, 400, 8);
    for (std::size_t i = 1078; i < file.size(); ++i) // columns of entries 100 and 150 in turn
        file[i] = char(i % 2 ? 150 : 100);
    Write("columns.bmp", file);
    form->ApplyBrowserPath(root);
    form->Model.options.asWindowsShowsIt = true;
    Choose("columns.bmp");
    ASSERT_TRUE(OpenFullScreen());
    const struct {
        int width, height;
        LayoutRect rect;
    } sizes[] = {{1024, 768, {0, 0, 1024, 768}}, {1000, 500, {166, 0, 667, 500}}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        SetWindowPos(preview->Handle(), nullptr, 0, 0, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpMessages();
        const Pixels32 shot = WindowPixels();
        ASSERT_EQ(shot.width, size.width);
        int left = shot.width, top = shot.height, right = -1, bottom = -1, blended = 0;
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x) {
                const std::uint32_t colour = shot.At(x, y) & 0xFFFFFF;
                if (colour == 0) continue;
                left = std::min(left, x), top = std::min(top, y), right = std::max(right, x),
                bottom = std::max(bottom, y);
                blended += colour != 100 * 0x010101u && colour != 150 * 0x010101u;
            }
        EXPECT_EQ(std::vector<int>({left, top, right - left + 1, bottom - top + 1}),
                  std::vector<int>({size.rect.left, size.rect.top, size.rect.width, size.rect.height}));
        EXPECT_EQ(blended, 0) << "pixels of neither grey of the file: not nearest-neighbour";
    }
}

// Only the start-up screen turns, from the entry its byte 0x32 names; between two moments only the
// pixels of the turning colours change. The file information says so.
TEST_F(FullScreen, AsWindowsShowsItTurnsTheStartUpScreensBarOnly) {
    std::string bar = BitmapFile(320, 400, 8); // entries below 236, and a bar of 236-255 in the bottom rows
    for (std::size_t i = 1078; i < bar.size(); ++i)
        bar[i] = char(i < 1078 + 320 * 10 ? 236 + i % 20 : std::uint8_t(bar[i]) % 236);
    bar[0x32] = char(236);
    Write("bar.bmp", bar);
    form->ApplyBrowserPath(root);
    const struct {
        const char* name;
        TSpeedButton* button;
        const char* file;
        bool turns;
    } cases[] = {
        {"start-up screen turning from 236", &form->sbtnStart, "bar.bmp", true},
        {"start-up screen with 0 at 0x32", &form->sbtnStart, "screen.bmp", false},
        {"waiting screen turning from 236", &form->sbtnWait, "bar.bmp", false},
    };
    form->Model.options.asWindowsShowsIt = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Category(*c.button);
        Choose(c.file);
        ASSERT_TRUE(OpenFullScreen());
        PumpMessages();
        const Pixels32 before = WindowPixels();
        Pixels32 after;
        const bool changed = WaitFor(
            [&] {
                after = WindowPixels();
                return after.data != before.data;
            },
            c.turns ? 2000 : 300);
        EXPECT_EQ(changed, c.turns);
        int moved = 0, wrong = 0, still = 0;
        for (std::size_t i = 0; i < before.data.size(); ++i) {
            const bool turning = GreyAtLeast(before.data[i], 236);
            if (before.data[i] != after.data[i]) {
                ++moved;
                wrong += !turning || !GreyAtLeast(after.data[i], 236);
            }
            still += c.turns && turning && before.data[i] == after.data[i];
        }
        EXPECT_EQ(wrong, 0) << "of " << moved << " changed pixels, those of colours that do not turn";
        EXPECT_EQ(still, 0) << "pixels of turning colours that kept their colour";
        answers = {mrOk};
        Type('I', true);
        ASSERT_TRUE(WaitFor([this] { return !boxes.empty(); }));
        EXPECT_EQ(boxes[0].text, FileInfoText(320, 400, PixelFormat::Bits8) +
                                     (c.turns ? "Animated bar: entries 236-255\n\r" : "No animation\n\r"));
        boxes.clear();
        Type(VK_F3);
        ASSERT_TRUE(WaitFor([this] { return !preview->Showing(); }));
        MSG tick;
        EXPECT_FALSE(
            WaitFor([&] { return PeekMessageA(&tick, preview->Handle(), WM_TIMER, WM_TIMER, PM_NOREMOVE); }, 300))
            << "the timer runs on while the window is hidden";
    }
}

// The main window's tip of the preview, up as F3 opens the window, and the pointer then moved over
// the picture: neither window shows a tip there.
TEST_F(FullScreen, NoToolTipShowsOverThePicture) {
    auto tipUp = [](const TForm* window) { return window->HintWindow() && IsWindowVisible(window->HintWindow()); };
    Choose("screen.bmp");
    SendMouse({{ScreenPoint(form->ImgPreview, 20, 20), 0}});
    ASSERT_TRUE(WaitFor([&] { return tipUp(form); }, 3000));
    Type(VK_F3);
    ASSERT_TRUE(WaitFor([this] { return preview->Showing() && GetForegroundWindow() == preview->Handle(); }));
    SendMouse({{{512, 384}, 0}});
    EXPECT_FALSE(WaitFor([&] { return tipUp(form) || tipUp(preview); }, 1500)) << "main " << tipUp(form);
}

namespace {
// Adds the menu's visible entries as the menus show them, "Entry\tKey" without the underline marks;
// the entries of a submenu after its caption and a comma ("File, Save\tCtrl+S").
void AddShownEntries(const TMenuItem& menu, const std::string& path, std::set<std::string>& shown) {
    for (const TMenuItem* item : menu.Items()) {
        std::string caption = item->Caption();
        caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
        if (!item->Visible() || item->IsSeparator()) continue;
        if (!item->Items().empty())
            AddShownEntries(*item, path + caption + ", ", shown);
        else
            shown.insert(path + caption + "\t" + ShortCutToText(item->ShortCut()));
    }
}
} // namespace

// Every "\c KEY ENTRY" line of the help's short-cut chapter names an entry that the menu of its
// heading shows, in the start-up or the wallpaper category, with that key; every "\b KEY:" line of
// the keys without an entry names the key of one of the window's hidden commands (or the system's).
TEST_F(FullScreen, TheHelpsShortCutsAreEntriesTheMenusShow) {
    const std::pair<std::string, const TMenuItem*> menus[] = {
        {"Menus of the main window:", &form->MainMenu1.Items},
        {"File list (its right-click menu):", &form->PopMFile.Items},
        {"List of the active category (its right-click menu):", &form->PopMSelected.Items},
        {"Preview picture (its right-click menu):", &form->PopMFileInfo.Items},
        {"Full-screen window (its right-click menu):", &preview->PopMPreview.Items},
        {"These keys act anywhere in the main window without a menu entry of their own:", &form->NietZichtbaar1}};
    std::map<std::string, std::set<std::string>> shown;
    const std::pair<TSpeedButton*, const char*> visits[] = {{&form->sbtnStart, "screen.bmp"},
                                                            {&form->sbtnWall, "tile.bmp"}};
    for (auto [button, file] : visits) {
        Category(*button);
        Choose(file);
        form->PopMFileInfoPopup();
        SendMessageA(form->Handle(), WM_INITMENU, 0, 0); // as when a menu opens
        ASSERT_TRUE(OpenFullScreen());
        for (const auto& [heading, menu] : menus)
            AddShownEntries(*menu, "", shown[heading]);
        preview->Returntomain1Click();
    }
    std::ifstream help(HELP_SOURCE);
    ASSERT_TRUE(help) << HELP_SOURCE;
    std::string line, heading;
    bool keys = false;
    int named = 0;
    while (std::getline(help, line)) {
        if (line.rfind("\\C{", 0) == 0) keys = line.rfind("\\C{keys}", 0) == 0;
        if (!keys || line.empty()) continue;
        if (line.back() == ':') heading = line;
        if (line.rfind("\\b ", 0) == 0 && shown.count(heading)) { // a key of the window's hidden commands
            const std::string key = line.substr(3, line.find(':') - 3);
            EXPECT_TRUE(key == "Alt+F4" ||
                        std::any_of(shown[heading].begin(), shown[heading].end(),
                                    [&](auto& entry) { return entry.substr(entry.find('\t') + 1) == key; }))
                << line;
        }
        if (line.rfind("\\c ", 0) != 0) continue;
        std::istringstream words(line.substr(3));
        std::string key, entry;
        std::getline(words >> key >> std::ws, entry);
        SCOPED_TRACE(heading + " " + line);
        ASSERT_EQ(shown.count(heading), 1u) << "no menu stands for the heading";
        EXPECT_EQ(shown[heading].count(entry + "\t" + key), 1u) << "the menu shows no such entry";
        ++named;
    }
    EXPECT_GE(named, 20) << "the short-cut chapter was not found";
}

// Last in the file: under Wine a closed menu leaves its mark on the windows of later tests in the
// same process (ctest runs each test in a process of its own).
namespace {
bool menuSeen = false;
// Runs inside the menu's own message loop: notes the open menu and closes it.
void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
        menuSeen = true;
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }
}
} // namespace

TEST_F(FullScreen, RightClickOnThePictureOpensItsMenu) {
    Category(form->sbtnWall);
    Choose("tile.bmp");
    ASSERT_TRUE(OpenFullScreen());
    bool popped = false;
    preview->PopMPreview.OnPopup = [&popped] { popped = true; };
    menuSeen = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseOpenMenu);
    ClickScreen(512, 384, true);
    EXPECT_TRUE(WaitFor([] { return menuSeen; })) << "the system's right click reaches the windowless picture";
    KillTimer(nullptr, timer);
    EXPECT_TRUE(popped);
    EXPECT_TRUE(preview->Showing()) << "closing the menu leaves the window open";
}
