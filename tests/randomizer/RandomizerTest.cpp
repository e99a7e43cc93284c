// The real QZRandom.exe under Wine, started as Windows starts it: in a program folder of its own
// with a list file, from another current folder, changing the prefix's real screens.
#include "lists/ListFileFormat.h"
#include "pictures/WallpaperText.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "randomizer/RandomizerRun.h"
#include "system/RegistryNames.h"
#include "system/SystemPaths.h"
#include "tests/support/BrowserInput.h"
#include "tests/support/EncodedPictures.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/ScreenFiles.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <algorithm>
#include <set>

namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A screen bitmap whose bytes tell it apart: the palette's first entry carries a mark.
std::string MarkedScreen(int mark, int width = 320, int height = 400, int bits = 8) {
    std::string bytes = BitmapFile(width, height, bits);
    if (bits <= 8) bytes[54] = char(mark);
    return bytes;
}

class Randomizer : public MainWindowFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        windowsDir = TFormSelect::GetWindowsDir();
        for (Category screen : kScreenCategories)
            WriteFileBytes(Screen(screen), "old screen");
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        // A blank in the folder's name, as in "Program Files".
        folder = std::string(temp) + "vsr run " + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const char* file : {"QZRandom.exe", "NViewLib.dll"})
            ASSERT_TRUE(CopyFileA((ProgramFolder() + file).c_str(), (folder + file).c_str(), FALSE)) << file;
    }

    void TearDown() override {
        ResetApplication(); // the main window of a test lets go of the folder's picture library
        RemoveScreenFiles();
        RemoveTestFolder(folder);
        WineFixture::TearDown();
    }

    static std::string Screen(Category screen) { return ScreenFilePath(screen); }

    void Lists(const std::string& start, const std::string& wait, const std::string& shut,
               const std::string& wall = "") {
        WriteFileBytes(folder + kListFileName, "[START]\r\n" + start + "\r\n[WAIT]\r\n" + wait + "\r\n[SHUT]\r\n" +
                                                   shut + "\r\n[WALLPAPER]\r\n" + wall + "\r\n");
    }

    // Starts the randomizer with this command line from C:\ and waits for its end.
    DWORD Run(const std::string& command) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        std::string line = command;
        EXPECT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup, &process))
            << command;
        UniqueKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), DWORD(WAIT_OBJECT_0));
        DWORD exitCode = 12345;
        GetExitCodeProcess(process.hProcess, &exitCode);
        return exitCode;
    }

    DWORD RunAsAtLogOn(const std::string& parameters = "") {
        return Run(AutostartCommand(folder) + (parameters.empty() ? "" : " " + parameters));
    }

    std::string Log() const { return ReadFileBytes(folder + kLogFileName); }

    std::string windowsDir;
    std::string folder;
    RegistrySnapshot desktopKept{HKEY_CURRENT_USER, kDesktopKey};
};

// The width and height a bitmap file declares.
std::pair<int, int> BitmapSize(const std::string& bytes) {
    if (bytes.size() < 26) return {0, 0};
    auto word = [&](std::size_t at) {
        return int(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8 | std::uint8_t(bytes[at + 2]) << 16 |
                   std::uint8_t(bytes[at + 3]) << 24);
    };
    return {word(18), std::abs(word(22))};
}

} // namespace

TEST_F(Randomizer, ARunInstallsAUsableEntryOfEachScreenListAndSkipsTheRest) {
    WriteFileBytes(folder + "a.bmp", MarkedScreen(1));
    WriteFileBytes(folder + "b.bmp", MarkedScreen(2));
    WriteFileBytes(folder + "wide.bmp", MarkedScreen(3, 640, 480));
    WriteFileBytes(folder + "deep.bmp", MarkedScreen(4, 320, 400, 24));
    WriteFileBytes(folder + "shut.bmp", MarkedScreen(5));
    Lists(folder + "a.bmp\r\n" + folder + "b.bmp", folder + "gone.bmp\r\n" + folder + "wide.bmp\r\ndeep.bmp",
          folder + "gone.bmp\r\n" + folder + "shut.bmp");
    EXPECT_EQ(RunAsAtLogOn("/seed=7"), 0u);

    const std::string start = ReadFileBytes(Screen(Category::Start));
    EXPECT_TRUE(start == MarkedScreen(1) || start == MarkedScreen(2));
    EXPECT_EQ(ReadFileBytes(Screen(Category::Wait)), "old screen") << "no entry of the list could be used";
    EXPECT_EQ(ReadFileBytes(Screen(Category::Shut)), MarkedScreen(5)) << "a failing entry is skipped for the next";
    const std::string log = Log();
    EXPECT_NE(log.find("WAIT: skipped " + folder + "gone.bmp: the file cannot be opened"), std::string::npos) << log;
    EXPECT_NE(log.find("WAIT: skipped " + folder + "wide.bmp: size 640 x 480, not 320 x 400"), std::string::npos);
    EXPECT_NE(log.find("WAIT: skipped " + folder + "deep.bmp: 24 bits per pixel, not 8"), std::string::npos)
        << "a bare name lies in the program folder";
    EXPECT_NE(log.find("WAIT: no entry could be used; the screen stays as it is"), std::string::npos);
    EXPECT_TRUE(Exists(folder + kRoundsFileName));
}

TEST_F(Randomizer, RunsAfterEachOtherShowEveryEntryOnceBeforeAnyAgain) {
    std::string screens, wallpapers;
    for (int mark = 1; mark <= 3; ++mark) {
        WriteFileBytes(folder + std::to_string(mark) + ".bmp", MarkedScreen(mark));
        screens += folder + std::to_string(mark) + ".bmp\r\n";
        // Centred wallpapers keep their own size, which tells them apart.
        WriteFileBytes(folder + "wall" + std::to_string(mark) + ".bmp", BitmapFile(10 * mark, 10, 24));
        wallpapers += folder + "wall" + std::to_string(mark) + ".bmp, Centred\r\n";
    }
    Lists(screens, "", "", wallpapers);
    for (int round = 0; round < 2; ++round) {
        std::set<std::string> shown;
        std::set<std::pair<int, int>> walls;
        for (int run = 0; run < 3; ++run) {
            EXPECT_EQ(RunAsAtLogOn(), 0u);
            EXPECT_TRUE(shown.insert(ReadFileBytes(Screen(Category::Start))).second)
                << "round " << round << " run " << run;
            EXPECT_TRUE(walls.insert(BitmapSize(ReadFileBytes(folder + kWallpaperFileName))).second)
                << "round " << round << " run " << run << ": " << Log();
        }
    }
}

TEST_F(Randomizer, ADryRunOrNoListChangesNothing) {
    WriteFileBytes(folder + "a.bmp", MarkedScreen(1));
    Lists(folder + "a.bmp", folder + "a.bmp", folder + "a.bmp");
    EXPECT_EQ(RunAsAtLogOn("/dry"), 0u);
    for (Category screen : kScreenCategories)
        EXPECT_EQ(ReadFileBytes(Screen(screen)), "old screen");
    EXPECT_FALSE(Exists(folder + kRoundsFileName));
    EXPECT_NE(Log().find("START: " + folder + "a.bmp would become " + Screen(Category::Start)), std::string::npos)
        << Log();

    DeleteFileA((folder + kListFileName).c_str());
    EXPECT_EQ(RunAsAtLogOn(), 0u);
    for (Category screen : kScreenCategories)
        EXPECT_EQ(ReadFileBytes(Screen(screen)), "old screen");
    EXPECT_NE(Log().find("No list file"), std::string::npos);

    // A list file held by another program is no missing one: the log says why it was not read.
    Lists(folder + "a.bmp", "", "");
    {
        UniqueFile held(
            CreateFileA((folder + kListFileName).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(RunAsAtLogOn(), 0u);
    }
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "old screen");
    const std::string log = Log();
    const std::size_t unread = log.find("Cannot read the list file " + folder + kListFileName + ": ");
    EXPECT_NE(unread, std::string::npos) << log;
    EXPECT_GT(log.find("\r\n", unread), log.find(": ", unread) + 3) << "with the system's reason";

    Lists("", "", "");
    EXPECT_EQ(RunAsAtLogOn(), 0u);
    for (Category screen : kScreenCategories)
        EXPECT_EQ(ReadFileBytes(Screen(screen)), "old screen");
}

TEST_F(Randomizer, ASecondRunWaitsForTheFirstThenLeaves) {
    WriteFileBytes(folder + "a.bmp", MarkedScreen(1));
    Lists(folder + "a.bmp", "", "");
    UniqueKernelHandle first(CreateMutexA(nullptr, TRUE, "Orvandel.Vistrel.QZRandom"));
    ASSERT_TRUE(first);
    EXPECT_EQ(RunAsAtLogOn(), 2u);
    EXPECT_EQ(ReadFileBytes(Screen(Category::Start)), "old screen");
    EXPECT_NE(Log().find("Another run was still busy after 5 seconds: this run changed nothing"), std::string::npos)
        << Log();
    ReleaseMutex(first.Get());
}

TEST_F(Randomizer, AWallpaperEntryIsComposedInItsStyleAndApplied) {
    TRegistryKey desktop = TRegistryKey::Create(HKEY_CURRENT_USER, kDesktopKey);
    desktop.WriteString("WallpaperStyle", "2");
    WriteFileBytes(folder + "photo.jpg", ReadFileBytes(JPEG_PICTURE));
    Lists("", "", "", folder + "photo.jpg, Tiled");
    EXPECT_EQ(RunAsAtLogOn(), 0u);

    const std::string bitmap = folder + kWallpaperFileName;
    EXPECT_EQ(BitmapSize(ReadFileBytes(bitmap)),
              std::make_pair(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)))
        << "tiles fill the screen; " << Log();
    EXPECT_EQ(desktop.ReadString("Wallpaper"), bitmap);
    EXPECT_EQ(desktop.ReadString("TileWallpaper"), std::string("1"));
    EXPECT_EQ(desktop.ReadString("WallpaperStyle"), std::string("0"));
    EXPECT_NE(Log().find("WALLPAPER: " + folder + "photo.jpg (Tiled) is now the wallpaper"), std::string::npos)
        << Log();
}

TEST_F(Randomizer, UnreadableWallpapersAreSkippedAndChangeNothing) {
    TRegistryKey desktop = TRegistryKey::Create(HKEY_CURRENT_USER, kDesktopKey);
    desktop.WriteString("Wallpaper", "C:\\before.bmp");
    WriteFileBytes(folder + "text.jpg", "This is no picture.");
    Lists("", "", "", folder + "text.jpg, Centred\r\n" + folder + "gone.jpg, Mirror");
    EXPECT_EQ(RunAsAtLogOn(), 0u);
    EXPECT_EQ(desktop.ReadString("Wallpaper"), std::string("C:\\before.bmp"));
    EXPECT_FALSE(Exists(folder + kWallpaperFileName));
    const std::string log = Log();
    EXPECT_NE(log.find("WALLPAPER: skipped " + folder + "text.jpg: the picture library cannot read it"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("WALLPAPER: skipped " + folder + "gone.jpg"), std::string::npos);
    EXPECT_NE(log.find("WALLPAPER: no entry could be used; the wallpaper stays as it is"), std::string::npos);
}

// The randomizer makes a picture the wallpaper as F4 in the program's main window does.
TEST_F(Randomizer, AWallpaperIsTheOneF4MakesInEveryStyle) {
    TRegistryKey desktop = TRegistryKey::Create(HKEY_CURRENT_USER, kDesktopKey);
    auto values = [&] {
        std::string joined;
        for (const char* name : {"Wallpaper", "TileWallpaper", "WallpaperStyle"})
            joined += desktop.ReadString(name).value_or("(none)") + "|";
        return joined;
    };
    auto forget = [&] {
        for (const char* name : {"Wallpaper", "TileWallpaper", "WallpaperStyle"})
            desktop.WriteString(name, "before");
        DeleteFileA((folder + kWallpaperFileName).c_str());
    };
    WriteFileBytes(folder + "photo.jpg", ReadFileBytes(JPEG_PICTURE));
    WriteFileBytes(folder + "large.jpg", EncodeJpeg(PhotoLike(1601, 1203)));
    Start();
    form->ProgramDir = folder;
    form->PictureLibrary = std::make_unique<TPictureLibrary>(folder);
    ChooseCategory(Category::Wall);
    form->ApplyBrowserPath(folder.substr(0, folder.size() - 1));
    const char* const styles[] = {"Centred", "Stretched", "Tiled", "Fit 2 Screen", "Mirror"};
    for (const char* picture : {"photo.jpg", "large.jpg"}) {
        ChooseInBrowser(*form, picture);
        for (int index = 0; index < 5; ++index) {
            SCOPED_TRACE(std::string(picture) + " " + styles[index]);
            forget();
            PickStyle(index);
            SetFocus(form->FileListBox1.Handle());
            PressKey(VK_F4);
            const std::string byProgram = ReadFileBytes(folder + kWallpaperFileName), programValues = values();
            ASSERT_GT(byProgram.size(), 54u) << "F4 wrote the wallpaper";

            forget();
            Lists("", "", "", folder + picture + ", " + styles[index]);
            EXPECT_EQ(RunAsAtLogOn(), 0u);
            const std::string byRandomizer = ReadFileBytes(folder + kWallpaperFileName);
            EXPECT_EQ(values(), programValues);
            EXPECT_TRUE(byRandomizer == byProgram) << Log();
        }
    }
}

// In a program folder it cannot write, the randomizer keeps its rounds, its log and the wallpaper
// in a folder of its own in the temporary folder, and says so in that log.
TEST_F(Randomizer, AnUnwritableProgramFolderKeepsItsRoundsInTheTemporaryFolder) {
    std::string locked = std::string(LOCKED_PROGRAM) + "\\";
    std::replace(locked.begin(), locked.end(), '/', '\\');
    if (FolderWriteError(locked) == 0) GTEST_SKIP() << "this file system cannot make a folder unwritable";
    const std::string pictures = std::string(RANDOMIZER_PICTURES) + "\\";
    CreateDirectoryA(pictures.c_str(), nullptr);
    for (int mark = 1; mark <= 3; ++mark)
        WriteFileBytes(pictures + std::to_string(mark) + ".bmp", MarkedScreen(mark));
    WriteFileBytes(pictures + "wall.bmp", BitmapFile(40, 30, 24));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string state = std::string(temp) + "QZRandom\\";
    for (const char* file : {kRoundsFileName, kLogFileName, kWallpaperFileName})
        DeleteFileA((state + file).c_str());

    for (int round = 0; round < 2; ++round) {
        std::set<std::string> shown;
        for (int run = 0; run < 3; ++run) {
            EXPECT_EQ(Run(AutostartCommand(locked)), 0u);
            EXPECT_TRUE(shown.insert(ReadFileBytes(Screen(Category::Start))).second)
                << "round " << round << " run " << run;
        }
    }
    const std::string log = ReadFileBytes(state + kLogFileName);
    EXPECT_NE(log.find("The program folder " + locked + " cannot be written ("), std::string::npos) << log;
    EXPECT_NE(log.find("are kept in " + state), std::string::npos) << log;
    EXPECT_EQ(BitmapSize(ReadFileBytes(state + kWallpaperFileName)), std::make_pair(40, 30)) << log;
    RemoveTestFolder(pictures);
    RemoveTestFolder(state);
}
