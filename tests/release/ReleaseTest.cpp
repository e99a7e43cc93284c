// The release as a user gets it: run in a fresh Wine prefix from the folder the zip was unpacked
// to (VISTREL_RELEASE_DIR, with a trailing backslash) by tests/release/release-test.sh.
#include "tests/e2e/Driver.h"
#include "tests/e2e/HelpViewer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace e2e;

namespace {

std::string ReleaseFolder() {
    const char* folder = std::getenv("VISTREL_RELEASE_DIR");
    return folder ? folder : "";
}

TEST(Release, TheProgramShowsItsVersionAndOpensItsHelp) {
    ASSERT_FALSE(ReleaseFolder().empty()) << "VISTREL_RELEASE_DIR is not set";
    ProgramSystemVersion system("winxp");
    ProgramRun run(ReleaseFolder() + "QZSelect.exe");
    ASSERT_TRUE(run.Start("")) << run.ErrorText();
    HWND main = WaitForMainWindow(run);
    ASSERT_NE(main, nullptr) << "no main window \"" << kVersionedCaption << "\"";
    PressF1(main);
    HWND viewer = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        return (viewer = HelpViewerWindow()) != nullptr &&
               HelpText(viewer).find(kHelpContentsText) != std::string::npos;
    })) << "the help did not open on its contents";
    ASSERT_TRUE(PostClose(main));
    EXPECT_TRUE(run.WaitForExit(kDeadlineMs));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(viewer); }));
}

TEST(Release, TheRandomizersDryRunWritesItsLog) {
    ASSERT_FALSE(ReleaseFolder().empty()) << "VISTREL_RELEASE_DIR is not set";
    const std::string log = ReleaseFolder() + "QZRandom.log";
    DeleteFileA(log.c_str());
    ProgramRun run(ReleaseFolder() + "QZRandom.exe");
    ASSERT_TRUE(run.Start("/dry")) << run.ErrorText();
    DWORD exitCode = 1;
    ASSERT_TRUE(run.WaitForExit(kDeadlineMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    std::ifstream file(log, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Run (dry run: nothing changes)"), std::string::npos) << "log:\n" << text;
}

} // namespace
