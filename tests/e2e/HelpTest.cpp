// The help as a user meets it. On a system with WinHelp, F1 in the main window opens the help
// viewer on the contents, a jump leads to its topic, and closing the program closes the viewer;
// from Windows Vista on, F1 opens the HTML help, which has no Search tab (it has no search index).
#include "tests/e2e/Driver.h"
#include "tests/e2e/HelpViewer.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace e2e;

namespace {

// Starts the program with the help files beside it and presses F1 in its main window.
HWND StartAndPressF1(ProgramRun& run, std::initializer_list<const char*> helpFiles) {
    for (const char* file : helpFiles)
        if (!run.AddBeside(OwnFolder() + file)) return nullptr;
    HWND main = run.Start("") ? WaitForMainWindow(run) : nullptr;
    if (main) PressF1(main);
    return main;
}

// The first window of a class among a window's descendants: EnumChildWindows with the class name
// in, the window out.
struct ClassSearch {
    const char* className;
    HWND found = nullptr;
};
BOOL CALLBACK MatchClass(HWND child, LPARAM lParam) {
    auto* search = reinterpret_cast<ClassSearch*>(lParam);
    char name[32] = {};
    GetClassNameA(child, name, sizeof(name));
    if (lstrcmpiA(name, search->className) != 0) return TRUE;
    search->found = child;
    return FALSE;
}
HWND ChildOfClass(HWND window, const char* className) {
    ClassSearch search{className};
    EnumChildWindows(window, MatchClass, LPARAM(&search));
    return search.found;
}

TEST(Help, F1OpensTheContentsAJumpLeadsOnAndClosingTheProgramClosesTheViewer) {
    ASSERT_EQ(HelpViewerWindow(), nullptr) << "a help viewer is open already";
    struct CloseLeftViewer { // a viewer left open by a failure would stand in the next test's way
        ~CloseLeftViewer() {
            if (HWND viewer = HelpViewerWindow()) PostClose(viewer);
        }
    } closeLeftViewer;
    ProgramSystemVersion system("winxp");
    ProgramRun run;
    HWND main = StartAndPressF1(run, {"tanu.hlp", "tanu.cnt"});
    ASSERT_NE(main, nullptr) << run.ErrorText();

    HWND viewer = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (viewer = HelpViewerWindow()) != nullptr && IsWindowVisible(viewer); }))
        << "no help viewer came up";
    std::string text;
    EXPECT_TRUE(WaitFor([&] { return (text = HelpText(viewer)).find(kHelpContentsText) != std::string::npos; }))
        << "the viewer does not show the contents; it shows:\n"
        << text;
    EXPECT_NE(text.find("Keyboard short-cuts"), std::string::npos) << text;
    EXPECT_EQ(run.FindDialog(), nullptr) << "the program reported something";

    ASSERT_TRUE(ClickHelpText(viewer, "The lists")) << text;
    EXPECT_TRUE(WaitFor([&] {
        return (text = HelpText(viewer)).find("The lower part of the main window shows the list") != std::string::npos;
    })) << "the jump did not lead to its topic; the viewer shows:\n"
        << text;

    ASSERT_TRUE(PostClose(main));
    ASSERT_TRUE(run.WaitForExit(kDeadlineMs));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(viewer); })) << "the help viewer stayed open after the program ended";
}

TEST(Help, F1OpensTheHtmlHelpFromWindowsVistaOn) {
    ProgramSystemVersion system("win7");
    ProgramRun run;
    HWND main = StartAndPressF1(run, {"tanu.chm"});
    ASSERT_NE(main, nullptr) << run.ErrorText();
    HWND help = nullptr;
    // The viewer fills the contents after it has made its tabs.
    ASSERT_TRUE(WaitFor([&] {
        help = run.FindTopLevel("HH Parent", "Vistrel Selector 2.92 Help");
        return help && SendMessageA(ChildOfClass(help, WC_TREEVIEWA), TVM_GETCOUNT, 0, 0) > 0;
    })) << "no HTML help window with its contents";
    EXPECT_EQ(SendMessageA(ChildOfClass(help, WC_TABCONTROLA), TCM_GETITEMCOUNT, 0, 0), 2)
        << "Contents and Index: no Search tab without an index";
    EXPECT_EQ(HelpViewerWindow(), nullptr) << "the WinHelp viewer came up";
    ASSERT_TRUE(PostClose(main));
    DWORD exitCode = 1;
    ASSERT_TRUE(run.WaitForExit(kDeadlineMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
