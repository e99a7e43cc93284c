#pragma once
// Wine tests of the full-screen window and the wallpaper: the real main and full-screen windows
// over a fresh folder of pictures, which is also the program folder that receives the wallpaper
// bitmap. The desktop key of the private prefix is saved before each test and put back after it.
#include "pictures/Wallpaper.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/BrowserInput.h"
#include "tests/support/TestPictures.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestFiles.h"

#include <fstream>
#include <memory>
#include <sstream>

class WallpaperFixture : public MainWindowFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        desktop = std::make_unique<RegistrySnapshot>(HKEY_CURRENT_USER, kDesktopKey);
        shownWallpaper = CurrentWallpaper();
        root = MakeTestFolder("vsw");
        Write("screen.bmp", BitmapFile(320, 400, 8));
        Write("wide.bmp", BitmapFile(1600, 600, 24));
        Write("tile.bmp", BitmapFile(300, 200, 24));
        Write("square.bmp", BitmapFile(256, 256, 24));
        Write("tall.bmp", BitmapFile(200, 1000, 24));
        Write("text.bmp", "This is no picture.");
        preview = Start().FormPreview;
        // The library beside the test program; the wallpaper goes to the fresh folder.
        form->PictureLibrary = std::make_unique<TPictureLibrary>(ProgramFolder());
        form->ProgramDir = root + "\\";
        form->ApplyBrowserPath(root);
    }

    void TearDown() override {
        ResetApplication();
        desktop->Restore();
        char shown[MAX_PATH] = {};
        lstrcpynA(shown, shownWallpaper.c_str(), MAX_PATH);
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, shown, 0);
        RemoveTestFolder(root);
        WineFixture::TearDown();
    }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(root + "\\" + name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& path) { return ReadFileBytes(path); }

    // The user presses a category button.
    void Category(TSpeedButton& button) { ClickAt(button, 5, 5); }

    // Clicks a file of the browser: it alone is selected and has the focus.
    void Choose(const std::string& name) { ChooseInBrowser(*form, name); }

    // Waits, handling messages, until the condition holds or the time (two seconds) has passed.
    template <typename Condition> bool WaitFor(Condition condition, DWORD timeoutMs = 2000) {
        DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start > timeoutMs) return false;
            PumpMessages();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        return true;
    }

    // Keys typed through the system's input queue, as a user types them.
    static void Type(UINT key, bool ctrl = false) {
        std::vector<INPUT> inputs;
        auto push = [&inputs](WORD vk, bool up) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        };
        if (ctrl) push(VK_CONTROL, false);
        push(WORD(key), false);
        push(WORD(key), true);
        if (ctrl) push(VK_CONTROL, true);
        SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    // A click through the system's input queue at a screen position.
    static void ClickScreen(int x, int y, bool right = false) { MouseDrag({x, y}, {x, y}, right); }

    // Opens the full-screen window as a double click on the preview does, and waits for it. The
    // pointer rests beside the main window first: under Wine a pointer left over the main window by
    // an earlier test brings that window back over the new one, under the clicks meant for it.
    bool OpenFullScreen() {
        SendMouse({{{4, 4}, 0}});
        ClickAt(form->ImgPreview, 10, 10, true);
        return WaitFor([this] { return preview->Showing() && GetForegroundWindow() == preview->Handle(); });
    }

    // The captions of the full-screen menu's visible entries, separators as "-".
    std::vector<std::string> VisibleItems() const {
        std::vector<std::string> shown;
        for (const TMenuItem* item : preview->PopMPreview.Items.Items())
            if (item->Visible()) shown.push_back(item->Caption());
        return shown;
    }

    std::optional<std::string> DesktopValue(const char* name) const {
        auto key = TRegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey);
        return key ? key->ReadString(name) : std::nullopt;
    }

    static std::string CurrentWallpaper() {
        char path[MAX_PATH] = {};
        SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
        return path;
    }

    std::string WallpaperPath() const { return root + "\\" + kWallpaperFileName; }

    // Width and height in the saved bitmap's header; 0 x 0 when there is no bitmap.
    PixelSize SavedSize() {
        std::string file = Read(WallpaperPath());
        if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return {};
        auto number = [&file](std::size_t at) {
            return int(std::uint8_t(file[at]) | std::uint8_t(file[at + 1]) << 8 | std::uint8_t(file[at + 2]) << 16 |
                       std::uint8_t(file[at + 3]) << 24);
        };
        return {number(18), number(22)};
    }

    std::unique_ptr<RegistrySnapshot> desktop;
    std::string shownWallpaper; // what the desktop showed before the test
    std::string root;
    TFormPreview* preview = nullptr;
};
