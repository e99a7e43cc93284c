// The wallpaper on a desk of two monitors, under Wine on an X display of two screens (the script
// beside this file starts it: 1280 x 1024 primary, 1024 x 768 to its right): F4 and the randomizer
// give each monitor what one monitor of its size shows, tiled into one bitmap where the shell has no
// per-monitor wallpapers (Wine has none), else through a stand-in for the shell's object.
#include "pictures/MonitorLayout.h"
#include "pictures/MonitorWallpapers.h"
#include "pictures/Transparency.h"
#include "platform/Monitors.h"
#include "tests/support/WallpaperFixture.h"

#include <functional>

namespace {
constexpr const char* kFakeClass = "{C2CF3110-460E-4FC1-B9D0-8A1C0C9CC4BD}";
const char* const kStyleNames[] = {"Centred", "Stretched", "Tiled", "Fit 2 Screen", "Mirror", "Fill"};

struct Entry {
    std::string file;
    int style;
};

class TwoMonitors : public WallpaperFixture {
protected:
    void SetUp() override {
        WallpaperFixture::SetUp();
        monitors = DisplayMonitors();
        ASSERT_EQ(monitors.size(), 2u) << "the two-monitor display";
        ASSERT_EQ(std::vector<int>({monitors[1].left, monitors[0].width, monitors[0].height, monitors[1].width}),
                  std::vector<int>({1280, 1280, 1024, 1024}));
        for (const char* file : {"QZRandom.exe", "NViewLib.dll"})
            ASSERT_TRUE(CopyFileA((ProgramFolder() + file).c_str(), (root + "\\" + file).c_str(), FALSE)) << file;
        TRegistryKey desktopKey = TRegistryKey::Create(HKEY_CURRENT_USER, kDesktopKey);
        desktopKey.WriteString("Wallpaper", "C:\\old.bmp");
        desktopKey.WriteString("TileWallpaper", "7");
        desktopKey.WriteString("WallpaperStyle", "9");
        Category(form->sbtnWall);
    }

    // What a single monitor of the size shows of the file in the style: the one-monitor bitmap,
    // centred on the desktop colour where it is smaller; "Stretched" is the program's own stretch.
    Pixels32 OneMonitor(const std::string& file, int style, PixelSize size) {
        const WallpaperStyle composed = style == 1 ? WallpaperStyle::StretchedToScreen : kWallpaperStyles[style].style;
        const WallpaperPicture one = ComposeWallpaperFile(root + "\\" + file, composed, size, form->Library());
        Pixels32 screen(size.width, size.height);
        std::fill(screen.data.begin(), screen.data.end(), PixelColour(DesktopBackground()));
        const int left = (size.width - one.view.width) / 2, top = (size.height - one.view.height) / 2;
        for (int y = 0; y < one.view.height; ++y)
            std::copy(one.view.Row(y), one.view.Row(y) + one.view.width, screen.View().Row(top + y) + left);
        return screen;
    }

    // F4 in the main window with the file and the style.
    void ApplyWithF4(const std::string& file, int style) {
        Choose(file);
        PickStyle(style);
        SetFocus(form->FileListBox1.Handle());
        PressKey(VK_F4);
    }

    // F4 with "A Different Wallpaper on Each Monitor" checked and the main window on the monitor, in
    // the main window or in the full-screen window, which opens there; then the option is off again.
    void ApplyToMonitor(const std::string& file, int style, const MonitorRect& monitor, bool fullScreen = false) {
        form->miWallpaperPerMonitor.Click();
        SetWindowPos(form->Handle(), nullptr, monitor.left + 50, monitor.top + 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        if (fullScreen) {
            Choose(file);
            PickStyle(style);
            ASSERT_TRUE(OpenFullScreen());
            PressKey(VK_F4);
            preview->Returntomain1Click();
        } else {
            ApplyWithF4(file, style);
        }
        form->miWallpaperPerMonitor.Click();
    }

    // The randomizer's run at log-on with these wallpaper entries.
    void ApplyWithRandomizer(const std::vector<Entry>& entries, const std::string& parameters = "") {
        std::string list = "[START]\r\n\r\n[WAIT]\r\n\r\n[SHUT]\r\n\r\n[WALLPAPER]\r\n";
        for (const Entry& entry : entries)
            list += root + "\\" + entry.file + ", " + kStyleNames[entry.style] + "\r\n";
        WriteFileBytes(root + "\\QZDATA.QZD", list);
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        std::string line = "\"" + root + "\\QZRandom.exe\" " + parameters;
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup, &process));
        UniqueKernelHandle processHandle(process.hProcess), thread(process.hThread);
        ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), DWORD(WAIT_OBJECT_0));
    }

    // The pixel (x, y), top row 0, of a 24-bit BMP file as written.
    static std::uint32_t PixelOf(const std::string& file, int width, int height, int x, int y) {
        const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
        const auto* p = reinterpret_cast<const std::uint8_t*>(file.data()) + 54 + std::size_t(height - 1 - y) * stride +
                        std::size_t(x) * 3;
        return p[0] | (p[1] << 8) | (p[2] << 16);
    }

    // The monitor's part, read back where the tiling shows it, is the screen of its own size.
    ::testing::AssertionResult MonitorShows(const std::string& bitmap, const MonitorRect& monitor, const Entry& entry) {
        const MonitorRect all = VirtualScreenOf(monitors);
        const Pixels32 screen = OneMonitor(entry.file, entry.style, monitor.Size());
        for (int y = 0; y < monitor.height; ++y)
            for (int x = 0; x < monitor.width; ++x) {
                const int bx = WrapInto(monitor.left + x, all.width), by = WrapInto(monitor.top + y, all.height);
                if (PixelOf(bitmap, all.width, all.height, bx, by) != screen.At(x, y))
                    return ::testing::AssertionFailure() << "monitor at " << monitor.left << ", " << monitor.top
                                                         << " shows no " << entry.file << ": pixel " << x << ", " << y;
            }
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult EachMonitorShowsItsScreen(const std::string& bitmap, const std::string& file,
                                                         int style) {
        for (const MonitorRect& monitor : monitors)
            if (::testing::AssertionResult shows = MonitorShows(bitmap, monitor, {file, style}); !shows) return shows;
        return ::testing::AssertionSuccess();
    }

    std::vector<MonitorRect> monitors;
};
} // namespace

TEST_F(TwoMonitors, EveryStyleGivesEachMonitorItsOwnScreenInOneTiledBitmap) {
    const MonitorRect all = VirtualScreenOf(monitors);
    ASSERT_EQ(all.width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    ASSERT_EQ(all.height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    for (const char* file : {"wide.bmp", "tall.bmp", "tile.bmp"})
        for (int style = 0; style < kWallpaperStyleCount; ++style) {
            SCOPED_TRACE(std::string(file) + " " + kStyleNames[style]);
            ApplyWithF4(file, style);
            const std::string byProgram = Read(WallpaperPath());
            ASSERT_EQ(SavedSize().width, all.width);
            ASSERT_EQ(SavedSize().height, all.height);
            EXPECT_EQ(byProgram[28], 24) << "24 bits per pixel";
            EXPECT_TRUE(EachMonitorShowsItsScreen(byProgram, file, style));
            EXPECT_EQ(PixelOf(byProgram, all.width, all.height, all.width - 1, all.height - 1),
                      PixelColour(DesktopBackground()))
                << "no monitor shows the corner";
            EXPECT_EQ(DesktopValue("Wallpaper"), WallpaperPath());
            EXPECT_EQ(DesktopValue("TileWallpaper"), "1") << "repeated from the primary's corner";
            EXPECT_EQ(DesktopValue("WallpaperStyle"), "0");
            EXPECT_EQ(CurrentWallpaper(), WallpaperPath());

            DeleteFileA(WallpaperPath().c_str());
            ApplyWithRandomizer({{file, style}});
            EXPECT_TRUE(Read(WallpaperPath()) == byProgram) << "the randomizer makes the same bitmap";
        }
    EXPECT_TRUE(boxes.empty());
}

// With "Wallpaper Per Monitor" on, each monitor takes an entry of its own while the list has enough,
// each composed in its style for that monitor; a dry run logs the same picks. Off, one for all.
TEST_F(TwoMonitors, TheRandomizerGivesEachMonitorAnEntryOfItsOwnWithTheOptionOn) {
    const struct {
        const char* option;
        std::vector<Entry> entries;
        bool different;
    } rows[] = {{"1", {{"wide.bmp", 3}, {"tile.bmp", 2}, {"tall.bmp", 5}}, true},
                {"1", {{"tile.bmp", 1}}, false},
                {"0", {{"wide.bmp", 3}, {"tile.bmp", 2}}, false}};
    for (const auto& row : rows)
        for (const char* seed : {"/seed=5", "/seed=6"}) {
            SCOPED_TRACE(std::string(row.option) + " " + std::to_string(row.entries.size()) + " " + seed);
            TIniSections(HKEY_CURRENT_USER, kSettingsKey).WriteString(kMainSection, kWallpaperPerMonitor, row.option);
            DeleteFileA(WallpaperPath().c_str());
            DeleteFileA((root + "\\QZRandom.log").c_str());
            ApplyWithRandomizer(row.entries, std::string("/dry ") + seed);
            EXPECT_EQ(GetFileAttributesA(WallpaperPath().c_str()), INVALID_FILE_ATTRIBUTES)
                << "a dry run changes nothing";
            ApplyWithRandomizer(row.entries, seed);
            const std::string bitmap = Read(WallpaperPath()), log = Read(root + "\\QZRandom.log");
            std::vector<Entry> shown;
            for (std::size_t m = 0; m < monitors.size(); ++m) {
                const MonitorRect& monitor = monitors[m];
                for (const Entry& entry : row.entries)
                    if (MonitorShows(bitmap, monitor, entry)) shown.push_back(entry);
                ASSERT_EQ(shown.size(), m + 1) << "each monitor shows one entry";
                const std::string line = "monitor " + std::to_string(m + 1) + " (" + std::to_string(monitor.width) +
                                         " x " + std::to_string(monitor.height) + " at " +
                                         std::to_string(monitor.left) + ", 0): " + root + "\\" + shown[m].file + " (" +
                                         kStyleNames[shown[m].style] + ")";
                EXPECT_EQ(log.find(line + " would become its wallpaper") != std::string::npos, row.option[0] == '1');
                EXPECT_EQ(log.find(line + " is now its wallpaper") != std::string::npos, row.option[0] == '1') << log;
            }
            EXPECT_EQ(shown[0].file != shown[1].file, row.different) << log;
        }
}

// F4 with the option on changes only the part of the monitor that holds the main window, where the
// present bitmap is the program's own tiled one; otherwise every monitor gets the picture.
TEST_F(TwoMonitors, WithTheOptionF4ChangesOnlyTheMainWindowsMonitor) {
    const struct {
        const char* name;
        std::function<void()> change;
        bool primaryKept;
    } rows[] = {
        {"the program's own bitmap", [] {}, true},
        {"the desktop names another file",
         [] { TRegistryKey::Create(HKEY_CURRENT_USER, kDesktopKey).WriteString("Wallpaper", "C:\\a.bmp"); }, false},
        {"not tiled", [] { TRegistryKey::Create(HKEY_CURRENT_USER, kDesktopKey).WriteString("TileWallpaper", "0"); },
         false},
        {"another size", [this] { Write(kWallpaperFileName, BitmapFile(2304, 1023, 24)); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ApplyWithF4("wide.bmp", 3);
        row.change();
        ApplyToMonitor("tile.bmp", 2, monitors[1]);
        const std::string bitmap = Read(WallpaperPath());
        EXPECT_TRUE(MonitorShows(bitmap, monitors[1], {"tile.bmp", 2}));
        EXPECT_TRUE(MonitorShows(bitmap, monitors[0], row.primaryKept ? Entry{"wide.bmp", 3} : Entry{"tile.bmp", 2}));
        EXPECT_EQ(DesktopValue("Wallpaper"), WallpaperPath());
        EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
    }
    EXPECT_TRUE(boxes.empty());
}

// The full-screen window opens on the monitor that holds the main window, at that monitor's size.
TEST_F(TwoMonitors, TheFullScreenWindowOpensOnTheMainWindowsMonitor) {
    Choose("wide.bmp");
    PickStyle(3); // Fit 2 Screen of 1600 x 600
    for (const MonitorRect& monitor : {monitors[1], monitors[0]}) {
        SCOPED_TRACE("monitor at " + std::to_string(monitor.left));
        SetWindowPos(form->Handle(), nullptr, monitor.left + 50, monitor.top + 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ASSERT_TRUE(OpenFullScreen());
        RECT shown;
        GetWindowRect(preview->Handle(), &shown);
        EXPECT_EQ(MonitorFromRect(shown, false), monitor);
        const LayoutRect b = preview->Layout().bounds;
        const LayoutRect fitted = FitToScreen({1600, 600}, monitor.Size());
        EXPECT_EQ(std::vector<int>({b.left, b.top, b.width, b.height}),
                  std::vector<int>({fitted.left, fitted.top, fitted.width, fitted.height}));
        preview->Returntomain1Click();
    }
}

namespace {
// The shell's per-monitor wallpapers, as Windows 8 and later have them, through the stand-in.
class ShellWallpapers : public TwoMonitors {
protected:
    void SetUp() override {
        TwoMonitors::SetUp();
        TRegistryKey server =
            TRegistryKey::Create(HKEY_CLASSES_ROOT, std::string("CLSID\\") + kFakeClass + "\\InprocServer32");
        server.WriteString("", ProgramFolder() + "FakeDesktopWallpaper.dll");
        server.WriteString("ThreadingModel", "Both");
        DeleteFileA(CallLog().c_str());
    }
    void TearDown() override {
        if (auto classes = TRegistryKey::Open(HKEY_CLASSES_ROOT, "CLSID")) classes->DeleteKeyTree(kFakeClass);
        DeleteFileA(CallLog().c_str());
        TwoMonitors::TearDown();
    }
    static std::string CallLog() { return ProgramFolder() + "FakeDesktopWallpaper.log"; }
    // The calls made since the last look.
    static std::string Calls() {
        const std::string calls = ReadFileBytes(CallLog());
        DeleteFileA(CallLog().c_str());
        return calls;
    }
};
} // namespace

TEST_F(ShellWallpapers, EachMonitorGetsAFileOfItsOwnInOneCallEach) {
    // The stand-in lists the second monitor first.
    const std::string primary = root + "\\@QZ!BACK.BMP", second = root + "\\@QZ!BK02.BMP";
    const std::string calls = "SetPosition 0\nSetWallpaper \\\\?\\DISPLAY#FAKE#1 " + primary +
                              "\nSetWallpaper \\\\?\\DISPLAY#FAKE#2 " + second + "\n";
    for (int style = 0; style < kWallpaperStyleCount; ++style) {
        SCOPED_TRACE(kStyleNames[style]);
        ApplyWithF4("wide.bmp", style);
        EXPECT_EQ(Calls(), calls) << "the position, then one picture a monitor";
        const std::string files = Read(primary) + Read(second);
        EXPECT_TRUE(Read(primary) == EncodeBmp24(OneMonitor("wide.bmp", style, {1280, 1024}).View()));
        EXPECT_TRUE(Read(second) == EncodeBmp24(OneMonitor("wide.bmp", style, {1024, 768}).View()));
        EXPECT_EQ(DesktopValue("Wallpaper"), "C:\\old.bmp") << "the shell, not the desktop values";

        DeleteFileA(primary.c_str());
        DeleteFileA(second.c_str());
        ApplyWithRandomizer({{"wide.bmp", style}});
        EXPECT_EQ(Calls(), calls);
        EXPECT_TRUE(Read(primary) + Read(second) == files) << "the randomizer makes the same files";
    }
    EXPECT_TRUE(boxes.empty());
}

// F4 with the option on gives the shell the picture of the main window's monitor alone, and keeps
// the position the other monitors show theirs in.
TEST_F(ShellWallpapers, WithTheOptionF4GivesTheMainWindowsMonitorAlone) {
    const std::string primary = root + "\\@QZ!BACK.BMP", second = root + "\\@QZ!BK02.BMP";
    for (bool fullScreen : {false, true}) {
        SCOPED_TRACE(fullScreen ? "the full-screen window" : "the main window");
        ApplyToMonitor("tile.bmp", 2, monitors[1], fullScreen);
        EXPECT_EQ(Calls(), "SetWallpaper \\\\?\\DISPLAY#FAKE#2 " + second + "\n");
        EXPECT_TRUE(Read(second) == EncodeBmp24(OneMonitor("tile.bmp", 2, {1024, 768}).View()));
        EXPECT_EQ(GetFileAttributesA(primary.c_str()), INVALID_FILE_ATTRIBUTES) << "the primary's file stays as it was";
    }
}

// Set Original Screens Back gives the original to every monitor through the shell once the program
// has given the shell a picture per monitor, placed as the recorded values say; never before.
TEST_F(ShellWallpapers, TheRestoreGivesEveryMonitorTheOriginal) {
    TIniSections settings(HKEY_CURRENT_USER, kSettingsKey);
    settings.WriteString(kOriginalInfo, "WallPaper", "C:\\original.bmp");
    settings.WriteString(kOriginalInfo, "TileWallpaper", "0");
    settings.WriteString(kOriginalInfo, "WallpaperStyle", "10");
    form->OriginalScreens1Click();
    EXPECT_EQ(Calls(), "") << "the program never used the shell";
    ApplyWithF4("tile.bmp", 0);
    Calls();
    form->OriginalScreens1Click();
    EXPECT_EQ(Calls(), "SetPosition 4\nSetWallpaper (every monitor) C:\\original.bmp\n") << "Fill, on every monitor";
    EXPECT_EQ(DesktopValue("Wallpaper"), "C:\\original.bmp");
}
