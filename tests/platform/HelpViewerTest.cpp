// The help viewer by Windows version, and the call made for each command the program gives.
#include "platform/HelpViewer.h"

#include <gtest/gtest.h>

TEST(HelpViewer, WinHelpUpToXpHtmlHelpFromVistaForEachCommand) {
    const std::string hlp = "C:\\VISTREL\\tanu.hlp", chm = "C:\\VISTREL\\tanu.chm";
    const HelpRequest winHelpFinder{HelpViewer::WinHelp, hlp, kHelpFinder, true};
    const HelpRequest htmlHelpToc{HelpViewer::HtmlHelp, chm, kHhDisplayToc, true};
    struct Case {
        const char* system;
        WindowsVersion version;
        std::string helpFile;
        unsigned command;
        HelpRequest expected;
    };
    const Case cases[] = {
        {"98", {4, 10, false}, hlp, kHelpFinder, winHelpFinder},
        {"98", {4, 10, false}, hlp, kHelpQuit, {HelpViewer::WinHelp, hlp, kHelpQuit, true}},
        {"NT 4.0", {4, 0, true}, hlp, kHelpFinder, winHelpFinder},
        {"XP", {5, 1, true}, hlp, kHelpFinder, winHelpFinder},
        {"unknown", {0, 0, false}, hlp, kHelpFinder, winHelpFinder},
        {"Vista", {6, 0, true}, hlp, kHelpFinder, htmlHelpToc},
        {"10", {10, 0, true}, hlp, kHelpFinder, htmlHelpToc},
        {"Vista", {6, 0, true}, hlp, kHelpQuit, {HelpViewer::HtmlHelp, "", kHhCloseAll, true}}, // every window
        {"Vista",
         {6, 0, true},
         "C:\\V.2\\tanu",
         kHelpFinder,
         {HelpViewer::HtmlHelp, "C:\\V.2\\tanu.chm", kHhDisplayToc, true}},
        {"Vista", {6, 0, true}, hlp, 0x0101, {HelpViewer::HtmlHelp, "", 0, false}}, // no counterpart: no call
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.system) + ": " + c.helpFile + ", command " + std::to_string(c.command));
        EXPECT_EQ(HelpViewerFor(c.version), c.expected.viewer);
        const HelpRequest request = HelpRequestFor(c.version, c.helpFile, c.command);
        EXPECT_EQ(request.viewer, c.expected.viewer);
        EXPECT_EQ(request.file, c.expected.file);
        EXPECT_EQ(request.command, c.expected.command);
        EXPECT_EQ(request.supported, c.expected.supported);
    }
}
