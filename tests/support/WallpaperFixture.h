#pragma once
// Wine tests of the full-screen window and the wallpaper: the real main and full-screen windows
// over a fresh folder of pictures, which is also the program folder that receives the wallpaper
// bitmap. The desktop key of the private prefix is saved before each test and put back after it.
#include "pictures/UPreview.h"
#include "pictures/Wallpaper.h"
#include "shell/USelect5.h"
#include "tests/support/TestPictures.h"
#include "tests/support/WineFixture.h"

#include <fstream>
#include <memory>
#include <sstream>

// A registry key with its values and subkeys, as it was; Restore puts exactly that back.
class KeySnapshot {
public:
    KeySnapshot(HKEY root, std::string path) : root_(root), path_(std::move(path)) {
        if (auto key = TRegistryKey::Open(root_, path_)) {
            existed_ = true;
            Take(key->Handle(), tree_);
        }
    }
    void Restore() const {
        const std::size_t cut = path_.find_last_of('\\');
        const std::string parent = path_.substr(0, cut), leaf = path_.substr(cut + 1);
        if (auto key = TRegistryKey::Open(root_, parent)) key->DeleteKeyTree(leaf);
        if (existed_) Put(TRegistryKey::Create(root_, path_).Handle(), tree_);
    }

private:
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    struct Tree {
        std::vector<Value> values;
        std::vector<std::pair<std::string, Tree>> keys;
    };
    static void Take(HKEY key, Tree& tree) {
        for (DWORD i = 0;; ++i) {
            char name[512];
            BYTE data[8192];
            DWORD nameLength = sizeof(name), dataLength = sizeof(data), type = 0;
            if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
            tree.values.push_back({std::string(name, nameLength), type, std::vector<BYTE>(data, data + dataLength)});
        }
        for (DWORD i = 0;; ++i) {
            char name[512];
            DWORD nameLength = sizeof(name);
            if (RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            tree.keys.push_back({std::string(name, nameLength), Tree()});
            if (auto child = TRegistryKey::Open(key, tree.keys.back().first))
                Take(child->Handle(), tree.keys.back().second);
        }
    }
    static void Put(HKEY key, const Tree& tree) {
        for (const Value& value : tree.values)
            RegSetValueExA(key, value.name.c_str(), 0, value.type, value.data.data(), DWORD(value.data.size()));
        for (const auto& [name, child] : tree.keys)
            Put(TRegistryKey::Create(key, name).Handle(), child);
    }

    HKEY root_;
    std::string path_;
    bool existed_ = false;
    Tree tree_;
};

class WallpaperFixture : public WineFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        desktop = std::make_unique<KeySnapshot>(HKEY_CURRENT_USER, kDesktopKey);
        shownWallpaper = CurrentWallpaper();
        char temp[MAX_PATH] = {}, folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        GetTempFileNameA(temp, "vsw", 0, folder);
        DeleteFileA(folder);
        CreateDirectoryA(folder, nullptr);
        root = folder;
        Write("screen.bmp", BitmapFile(320, 400, 8));
        Write("wide.bmp", BitmapFile(1600, 600, 24));
        Write("tile.bmp", BitmapFile(300, 200, 24));
        Write("square.bmp", BitmapFile(256, 256, 24));
        Write("tall.bmp", BitmapFile(200, 1000, 24));
        Write("text.bmp", "This is no picture.");
        Application().HelpFile = "tanu.hlp";
        form = &Application().CreateForm<TFormSelect>();
        form->FormPreview = &Application().CreateForm<TFormPreview>(*form);
        preview = form->FormPreview;
        // The library beside the test program; the wallpaper goes to the fresh folder.
        form->PictureLibrary = std::make_unique<TPictureLibrary>(ProgramFolder());
        form->ProgramDir = root + "\\";
        form->ApplyBrowserPath(root);
    }

    void TearDown() override {
        Application().Reset();
        desktop->Restore();
        char shown[MAX_PATH] = {};
        lstrcpynA(shown, shownWallpaper.c_str(), MAX_PATH);
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, shown, 0);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((root + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA((root + "\\" + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(root.c_str());
        WineFixture::TearDown();
    }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(root + "\\" + name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    // The user presses a category button.
    void Category(TSpeedButton& button) { ClickAt(button, 5, 5); }

    // Clicks a file of the browser: it alone is selected and has the focus.
    void Choose(const std::string& name) {
        HWND list = form->FileListBox1.Handle();
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (int i = 0; i < form->FileListBox1.Count(); ++i)
            if (form->FileListBox1.Item(i) == name) {
                SendMessageA(list, LB_SETSEL, TRUE, i);
                SendMessageA(list, LB_SETCARETINDEX, WPARAM(i), FALSE);
            }
        SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), LPARAM(list));
    }

    // The user picks a style in the box.
    void PickStyle(int index) {
        SendMessageA(form->CBStyle.Handle(), CB_SETCURSEL, WPARAM(index), 0);
        SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), LPARAM(form->CBStyle.Handle()));
    }

    // Waits, handling messages, until the condition holds or two seconds have passed.
    template <typename Condition> bool WaitFor(Condition condition) {
        DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start > 2000) return false;
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
    static void ClickScreen(int x, int y, bool right = false) {
        INPUT inputs[3] = {};
        for (INPUT& input : inputs)
            input.type = INPUT_MOUSE;
        inputs[0].mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        inputs[0].mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
        inputs[2].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
        SendInput(3, inputs, sizeof(INPUT));
    }

    // Opens the full-screen window as a double click on the preview does, and waits for it.
    bool OpenFullScreen() {
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

    std::unique_ptr<KeySnapshot> desktop;
    std::string shownWallpaper; // what the desktop showed before the test
    std::string root;
    TFormSelect* form = nullptr;
    TFormPreview* preview = nullptr;
};
