// The help as a user meets it. On a system with WinHelp, F1 in the main window opens the help
// viewer on the contents, a jump leads to its topic, and closing the program closes the viewer;
// from Windows Vista on, F1 opens the HTML help.
#include "tests/e2e/Driver.h"
#include "tests/e2e/HelpViewer.h"

#include <gtest/gtest.h>

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
    EXPECT_TRUE(WaitFor([&] { return run.FindTopLevel("HH Parent", "Vistrel Selector 2.92 Help") != nullptr; }))
        << "no HTML help window";
    EXPECT_EQ(HelpViewerWindow(), nullptr) << "the WinHelp viewer came up";
    ASSERT_TRUE(PostClose(main));
    DWORD exitCode = 1;
    ASSERT_TRUE(run.WaitForExit(kDeadlineMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
