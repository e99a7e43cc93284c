// The end of the Windows session seen from outside: the system's own path under Wine (wineboot
// sends WM_QUERYENDSESSION and WM_ENDSESSION) reaches the running program with unsaved lists.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using namespace e2e;

namespace {
constexpr const char* kSettingsSection = "Software\\Orvandel\\Vistrel\\Vistrel Selector";
const std::string kEmptyLists = "[START]\r\n\r\n[WAIT]\r\n\r\n[SHUT]\r\n\r\n[WALLPAPER]\r\n";

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A value the program writes only when it stores its settings on closing; empty when missing.
std::string StoredPreviewMode() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsSection, 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
    char value[64] = {};
    DWORD size = sizeof(value) - 1, type = 0;
    LONG read = RegQueryValueExA(key, "PreviewShow", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? std::string(value) : std::string();
}

// Starts `wineboot --end-session`, which asks every top-level window whether the session may end
// and then ends it; the process handle is kept until it has finished.
class SessionEnd {
public:
    SessionEnd() {
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, MAX_PATH);
        std::string command = std::string(system) + "\\wineboot.exe --end-session";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            process_.Reset(info.hProcess);
            UniqueKernelHandle thread(info.hThread);
        }
    }
    bool Started() const { return bool(process_); }
    bool Finished() const {
        return WaitFor([&] { return WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0; });
    }

private:
    UniqueKernelHandle process_;
};

// The console of this test program must not end with the session: only the program is asked.
BOOL WINAPI IgnoreSessionEnd(DWORD) {
    return TRUE;
}

class SessionEndTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(run_.Ready()) << run_.ErrorText();
        SetConsoleCtrlHandler(IgnoreSessionEnd, TRUE);
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsSection);
    }
    void TearDown() override {
        run_.Kill();
        SetConsoleCtrlHandler(IgnoreSessionEnd, FALSE);
    }

    HWND WaitForMainWindow() {
        HWND main = nullptr;
        WaitFor([&] {
            main = run_.FindTopLevel("TVistrelForm", "Vistrel Selector 2.92");
            return main && IsWindowVisible(main);
        });
        return main;
    }

    ProgramRun run_;
};
} // namespace

TEST_F(SessionEndTest, UnsavedListsAskTheCloseQuestionBeforeTheSessionEnds) {
    const std::string listFile = run_.Folder() + "QZDATA.QZD";
    const std::string oldLists = "[START]\r\nC:\\gone\\missing.bmp\r\n";
    std::ofstream(listFile, std::ios::binary) << oldLists;
    ASSERT_TRUE(run_.Start("")) << run_.ErrorText();
    HWND main = WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    // Removing the one entry leaves the lists unsaved: a click on its row, then the Remove button
    // pressed the way automation presses it.
    HWND list = FindChild(main, "SysListView32", "");
    HWND remove = FindChild(main, "Button", "Remove Selected File(s)");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(remove, nullptr);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 28));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(20, 28));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(remove) != FALSE; })) << "the row was not selected";
    SendMessageA(remove, BM_CLICK, 0, 0);

    // Cancel refuses the end of the session: the program runs on, nothing is saved or stored.
    {
        SessionEnd end;
        ASSERT_TRUE(end.Started());
        HWND question = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (question = run_.FindDialog("Confirm")) != nullptr; })) << "no close question";
        std::string text;
        WaitFor([&] { return !(text = DialogText(question)).empty(); });
        EXPECT_NE(text.find("Save before exit?"), std::string::npos) << text;
        ASSERT_TRUE(PressDialogButton(question, "Cancel"));
        EXPECT_TRUE(end.Finished());
    }
    EXPECT_TRUE(run_.Running());
    EXPECT_EQ(ReadBytes(listFile), oldLists);
    EXPECT_EQ(StoredPreviewMode(), "");

    // Yes saves the lists; the session ends with the settings stored.
    {
        SessionEnd end;
        ASSERT_TRUE(end.Started());
        HWND question = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (question = run_.FindDialog("Confirm")) != nullptr; })) << "no close question";
        ASSERT_TRUE(PressDialogButton(question, "&Yes"));
        EXPECT_TRUE(end.Finished());
    }
    EXPECT_TRUE(run_.WaitForExit(kDeadlineMs));
    EXPECT_EQ(ReadBytes(listFile), kEmptyLists);
    EXPECT_EQ(StoredPreviewMode(), "30");
}
