// The help as a user meets it. On a system with WinHelp, F1 in the main window opens the help
// viewer on the contents, a jump leads to its topic, and closing the program closes the viewer;
// from Windows Vista on, F1 opens the HTML help.
#include "tests/e2e/Driver.h"
#include "tests/e2e/HelpViewer.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// A viewer left open by a failed test would stand in the way of the next.
struct ViewerCleanUp {
    ~ViewerCleanUp() {
        if (HWND viewer = HelpViewerWindow()) PostClose(viewer);
    }
};

TEST(Help, F1OpensTheContentsAJumpLeadsOnAndClosingTheProgramClosesTheViewer) {
    ASSERT_EQ(HelpViewerWindow(), nullptr) << "a help viewer is open already";
    ViewerCleanUp cleanUp;
    ProgramSystemVersion system("winxp");
    ProgramRun run;
    ASSERT_TRUE(run.Ready()) << run.ErrorText();
    for (const char* file : {"tanu.hlp", "tanu.cnt"})
        ASSERT_TRUE(run.AddBeside(OwnFolder() + file)) << run.ErrorText();
    ASSERT_TRUE(run.Start("")) << run.ErrorText();
    HWND main = WaitForMainWindow(run);
    ASSERT_NE(main, nullptr);

    // F1 as the keyboard gives it to the main window.
    PostMessageA(main, WM_KEYDOWN, VK_F1, 1);
    PostMessageA(main, WM_KEYUP, VK_F1, 0xC0000001);
    HWND viewer = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (viewer = HelpViewerWindow()) != nullptr && IsWindowVisible(viewer); }))
        << "no help viewer came up";
    std::string text;
    EXPECT_TRUE(WaitFor([&] {
        return (text = HelpText(viewer)).find("This help has the following topics.") != std::string::npos;
    })) << "the viewer does not show the contents; it shows:\n"
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
    ASSERT_TRUE(run.Ready()) << run.ErrorText();
    ASSERT_TRUE(run.AddBeside(OwnFolder() + "tanu.chm")) << run.ErrorText();
    ASSERT_TRUE(run.Start("")) << run.ErrorText();
    HWND main = WaitForMainWindow(run);
    ASSERT_NE(main, nullptr);

    PostMessageA(main, WM_KEYDOWN, VK_F1, 1);
    PostMessageA(main, WM_KEYUP, VK_F1, 0xC0000001);
    EXPECT_TRUE(WaitFor([&] { return run.FindTopLevel("HH Parent", "Vistrel Selector 2.92 Help") != nullptr; }))
        << "no HTML help window";
    EXPECT_EQ(HelpViewerWindow(), nullptr) << "the WinHelp viewer came up";
    ASSERT_TRUE(PostClose(main));
    DWORD exitCode = 1;
    ASSERT_TRUE(run.WaitForExit(kDeadlineMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
