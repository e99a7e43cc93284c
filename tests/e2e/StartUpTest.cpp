// The program's start seen from outside: splash screen, main window, command line parameters,
// the uninstall start and closing.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>
#include <vector>

using namespace e2e;

namespace {
const std::string kPlainCaption = "Vistrel Selector";
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The splash screen: a form without caption bar and without title.
bool IsSplash(const WindowInfo& window) {
    return window.className == kFormClass && window.text.empty() && !window.HasCaptionBar();
}

// The main window, with or without the version in its caption.
bool IsMainWindow(const WindowInfo& window) {
    return window.className == kFormClass && window.HasCaptionBar() &&
           (window.text == kPlainCaption || window.text == kVersionedCaption);
}

bool IsWarning(const WindowInfo& window) {
    return window.className == kDialogClass && window.text == "Warning";
}

std::string ListWindows(const std::vector<WindowInfo>& windows) {
    std::string text;
    for (const WindowInfo& window : windows)
        text += "  [" + window.className + "] \"" + window.text + "\"" + (window.visible ? " visible" : " hidden") +
                (window.iconic ? " minimized" : "") + "\n";
    return text;
}

class StartUpTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(run_.Ready()) << run_.ErrorText(); }
    void TearDown() override { run_.Kill(); }

    HWND WaitForMainWindow() { return e2e::WaitForMainWindow(run_); }

    // Starts the program with the watch following it from its first instruction.
    bool StartFollowed(WindowWatch& watch, const std::string& parameters) {
        bool followed = false;
        return run_.Start(parameters, [&] { followed = watch.Follow(); }) && followed;
    }

    bool SplashVisible() const {
        std::vector<WindowInfo> windows = run_.TopLevelWindows();
        return std::any_of(windows.begin(), windows.end(),
                           [](const WindowInfo& window) { return IsSplash(window) && window.visible; });
    }

    // Closes the main window as its close box would and expects a clean, silent end.
    void CloseAndExpectExitCodeZero(HWND main) {
        ASSERT_TRUE(PostClose(main));
        DWORD exitCode = 12345;
        ASSERT_TRUE(run_.WaitForExit(kDeadlineMs, &exitCode)) << "still running after WM_CLOSE; windows:\n"
                                                              << ListWindows(run_.TopLevelWindows());
        EXPECT_EQ(exitCode, 0u);
    }

    // A start without uninstall: the main window comes with its version, nothing asks anything,
    // and closing it ends the program.
    void ExpectNormalStart(const std::string& parameters) {
        WindowWatch watch(run_);
        ASSERT_TRUE(StartFollowed(watch, parameters)) << run_.ErrorText();
        HWND main = WaitForMainWindow();
        ASSERT_NE(main, nullptr) << "no main window \"" << kVersionedCaption << "\" shown; windows:\n"
                                 << ListWindows(run_.TopLevelWindows());
        EXPECT_TRUE(WaitFor([&] { return !SplashVisible(); })) << "the splash screen stays up";
        CloseAndExpectExitCodeZero(main);
        watch.Stop();
        EXPECT_EQ(watch.FirstSeen(IsWarning), -1) << "an uninstall question came up";
        EXPECT_EQ(watch.FirstSeen([](const WindowInfo& window) { return window.className == kDialogClass; }), -1)
            << "a dialog came up; windows seen:\n"
            << ListWindows(watch.Seen());
    }

    ProgramRun run_;
};

TEST_F(StartUpTest, NormalStartShowsMainWindow) {
    WindowWatch watch(run_);
    ASSERT_TRUE(StartFollowed(watch, "")) << run_.ErrorText();

    HWND main = WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "windows:\n" << ListWindows(run_.TopLevelWindows());
    WindowInfo shown = Describe(main);
    EXPECT_EQ(shown.clientWidth, 444);
    EXPECT_EQ(shown.clientHeight, 414);
    // The menu's items cannot be read from another process under Wine; that it is there can.
    EXPECT_NE(GetMenu(main), nullptr) << "the main window has no menu bar";

    // The splash screen came first and is gone once the main window has its version.
    EXPECT_TRUE(WaitFor([&] { return !SplashVisible(); })) << "windows:\n" << ListWindows(run_.TopLevelWindows());
    int splashSeen = watch.FirstSeen([](const WindowInfo& window) { return IsSplash(window) && window.visible; });
    int mainSeen = watch.FirstSeen([](const WindowInfo& window) { return IsMainWindow(window) && window.visible; });
    ASSERT_NE(splashSeen, -1) << "no splash screen was seen; windows seen:\n" << ListWindows(watch.Seen());
    EXPECT_LE(watch.LookOf(splashSeen), watch.LookOf(mainSeen)) << "windows seen:\n" << ListWindows(watch.Seen());
    const WindowInfo splash = watch.Seen()[std::size_t(splashSeen)];
    EXPECT_EQ(splash.clientWidth, 221);
    EXPECT_EQ(splash.clientHeight, 141);

    // The controls, as they are at the start.
    HWND add = FindChild(main, "Button", "Add Chosen File(s)");
    HWND remove = FindChild(main, "Button", "Remove Selected File(s)");
    HWND randomizer = FindChild(main, "Button", "Run Randomizer at Start-Up");
    ASSERT_NE(add, nullptr);
    ASSERT_NE(remove, nullptr);
    ASSERT_NE(randomizer, nullptr);
    EXPECT_TRUE(IsWindowEnabled(add));
    EXPECT_FALSE(IsWindowEnabled(remove)) << "nothing is selected yet, so nothing can be removed";
    LONG kind = GetWindowLongA(randomizer, GWL_STYLE) & BS_TYPEMASK;
    EXPECT_TRUE(kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX) << "button style " << kind;

    std::vector<WindowInfo> children = ChildrenOf(main);
    EXPECT_TRUE(std::any_of(children.begin(), children.end(), [](const WindowInfo& child) {
        return child.className == "SysListView32";
    })) << "no list view";
    // Every control is the system's own but the panels (the preview pane, its name, the extend
    // panel), the preview picture, the two splitters and the line under the menu bar; the pressed
    // category button reads as pushed from here.
    EXPECT_EQ(std::count_if(children.begin(), children.end(),
                            [](const WindowInfo& child) { return child.className.rfind("TVistrel", 0) == 0; }),
              7);
    EXPECT_NE(FindChild(main, "Static", "Drive:"), nullptr);
    HWND start = FindChild(main, "Button", "StartUp Screen"), wait = FindChild(main, "Button", "Waiting Screen");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(SendMessageA(start, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_FALSE(SendMessageA(wait, BM_GETSTATE, 0, 0) & BST_PUSHED);

    CloseAndExpectExitCodeZero(main);
    watch.Stop();
    EXPECT_EQ(watch.FirstSeen([](const WindowInfo& window) { return window.className == kDialogClass; }), -1)
        << "a dialog came up; windows seen:\n"
        << ListWindows(watch.Seen());
}

// Parameters that do not begin with U (after one leading +, - or /) start the program normally.
class NormalParameterTest : public StartUpTest, public testing::WithParamInterface<const char*> {};

TEST_P(NormalParameterTest, StartsNormallyAndCloses) {
    ExpectNormalStart(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Parameters, NormalParameterTest, testing::Values("-x", "/", "abc"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name;
                             for (const char* c = info.param; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? std::string(1, *c)
                                         : *c == '-'                                  ? std::string("dash_")
                                         : *c == '/'                                  ? std::string("slash_")
                                                                                      : std::string("_");
                             return name;
                         });

// An uninstall start: the parameter and the answer given to the question.
struct UninstallCase {
    const char* parameter;
    const char* answer;
    const char* name;
};

void PrintTo(const UninstallCase& param, std::ostream* out) {
    *out << param.parameter << ", answered " << param.answer;
}

class UninstallStartTest : public StartUpTest, public testing::WithParamInterface<UninstallCase> {};

TEST_P(UninstallStartTest, AsksWhileSplashIsUpThenEnds) {
    const UninstallCase& param = GetParam();
    WindowWatch watch(run_);
    ASSERT_TRUE(StartFollowed(watch, param.parameter)) << run_.ErrorText();

    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = run_.FindDialog("Warning")) != nullptr; }))
        << "no Warning dialog; windows:\n"
        << ListWindows(run_.TopLevelWindows());

    // The question comes during the main window's first show: the splash is still up, the
    // caption has no version yet and the main window is not shown normally.
    std::vector<WindowInfo> windows = run_.TopLevelWindows();
    auto splash = std::find_if(windows.begin(), windows.end(),
                               [](const WindowInfo& window) { return IsSplash(window) && window.visible; });
    EXPECT_NE(splash, windows.end()) << "the splash screen is not up; windows:\n" << ListWindows(windows);
    auto main = std::find_if(windows.begin(), windows.end(), IsMainWindow);
    ASSERT_NE(main, windows.end()) << "no main window; windows:\n" << ListWindows(windows);
    EXPECT_EQ(main->text, kPlainCaption);
    EXPECT_FALSE(main->ShownNormally());

    // The question itself.
    std::string text;
    WaitFor([&] { return !(text = DialogText(dialog)).empty(); });
    EXPECT_EQ(text.rfind("This will uninstall TANU.", 0), 0u) << "text: " << text;
    EXPECT_NE(FindChild(dialog, "Button", "&Yes"), nullptr);
    EXPECT_NE(FindChild(dialog, "Button", "&No"), nullptr);

    // Leftovers of an earlier program in the registry, which a Yes removes with the emptied company key.
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Orvandel\\Vistrel\\Original Info", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key, nullptr);
    RegCloseKey(key);
    RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "Vistrel", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\QZRandom.exe"), 16);
    RegCloseKey(key);

    ASSERT_TRUE(PressDialogButton(dialog, param.answer));
    if (std::string(param.answer) == "&Yes") {
        HWND done = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (done = run_.FindDialog("Information")) != nullptr; }))
            << "no Information dialog after Yes; windows:\n"
            << ListWindows(run_.TopLevelWindows());
        std::string doneText;
        WaitFor([&] { return !(doneText = DialogText(done)).empty(); });
        EXPECT_EQ(doneText.rfind("TANU was uninstalled succesfully.", 0), 0u) << "text: " << doneText;
        ASSERT_TRUE(PressDialogButton(done, "OK"));
    }
    DWORD exitCode = 12345;
    ASSERT_TRUE(run_.WaitForExit(kDeadlineMs, &exitCode))
        << "still running after answering " << param.answer << "; windows:\n"
        << ListWindows(run_.TopLevelWindows());
    EXPECT_EQ(exitCode, 0u);

    watch.Stop();
    EXPECT_EQ(watch.FirstSeen([](const WindowInfo& window) { return IsMainWindow(window) && window.ShownNormally(); }),
              -1)
        << "the main window was shown normally; windows seen:\n"
        << ListWindows(watch.Seen());
    EXPECT_EQ(watch.FirstSeen([](const WindowInfo& window) {
        return window.className == kFormClass && window.text == kVersionedCaption && window.ShownNormally();
    }),
              -1);

    const bool removed = std::string(param.answer) == "&Yes";
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvandel\\Vistrel", 0, KEY_READ, &key) != ERROR_SUCCESS,
              removed);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvandel", 0, KEY_READ, &key) != ERROR_SUCCESS, removed);
    RegCloseKey(key);
    RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_ALL_ACCESS, &key);
    EXPECT_EQ(RegQueryValueExA(key, "Vistrel", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS, removed);
    RegDeleteValueA(key, "Vistrel");
    RegCloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(Parameters, UninstallStartTest,
                         testing::Values(UninstallCase{"/u", "&No", "slash_u_No"},
                                         UninstallCase{"-U", "&No", "dash_U_No"},
                                         UninstallCase{"+u", "&No", "plus_u_No"},
                                         UninstallCase{"Uninstall", "&No", "Uninstall_No"},
                                         UninstallCase{"Update", "&Yes", "Update_Yes"}),
                         [](const testing::TestParamInfo<UninstallCase>& info) { return info.param.name; });

} // namespace
