// The help viewer by Windows version, and the call made for each command the program gives.
#include "platform/HelpViewer.h"

#include <gtest/gtest.h>

TEST(HelpViewer, WinHelpUpToXpHtmlHelpFromVista) {
    struct Case {
        const char* system;
        WindowsVersion version;
        HelpViewer viewer;
    };
    const Case cases[] = {
        {"Windows 95", {4, 0, false}, HelpViewer::WinHelp},
        {"Windows 98", {4, 10, false}, HelpViewer::WinHelp},
        {"Windows ME", {4, 90, false}, HelpViewer::WinHelp},
        {"Windows NT 4.0", {4, 0, true}, HelpViewer::WinHelp},
        {"Windows 2000", {5, 0, true}, HelpViewer::WinHelp},
        {"Windows XP", {5, 1, true}, HelpViewer::WinHelp},
        {"Windows Server 2003", {5, 2, true}, HelpViewer::WinHelp},
        {"Windows Vista", {6, 0, true}, HelpViewer::HtmlHelp},
        {"Windows 7", {6, 1, true}, HelpViewer::HtmlHelp},
        {"Windows 10", {10, 0, true}, HelpViewer::HtmlHelp},
        {"unknown version", {0, 0, false}, HelpViewer::WinHelp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.system);
        EXPECT_EQ(HelpViewerFor(c.version), c.viewer);
    }
}

TEST(HelpViewer, EachCommandAsTheSystemsViewerTakesIt) {
    const WindowsVersion win98{4, 10, false}, vista{6, 0, true};
    struct Case {
        const char* name;
        WindowsVersion version;
        std::string helpFile;
        unsigned command;
        HelpRequest expected;
    };
    const Case cases[] = {
        {"98 contents",
         win98,
         "C:\\VISTREL\\tanu.hlp",
         kHelpFinder,
         {HelpViewer::WinHelp, "C:\\VISTREL\\tanu.hlp", kHelpFinder, true}},
        {"98 quit",
         win98,
         "C:\\VISTREL\\tanu.hlp",
         kHelpQuit,
         {HelpViewer::WinHelp, "C:\\VISTREL\\tanu.hlp", kHelpQuit, true}},
        {"Vista contents",
         vista,
         "C:\\VISTREL\\tanu.hlp",
         kHelpFinder,
         {HelpViewer::HtmlHelp, "C:\\VISTREL\\tanu.chm", kHhDisplayToc, true}},
        {"Vista quit closes every window",
         vista,
         "C:\\VISTREL\\tanu.hlp",
         kHelpQuit,
         {HelpViewer::HtmlHelp, "", kHhCloseAll, true}},
        {"Vista, a dot in a folder name",
         vista,
         "C:\\V.2\\tanu",
         kHelpFinder,
         {HelpViewer::HtmlHelp, "C:\\V.2\\tanu.chm", kHhDisplayToc, true}},
        {"Vista, a command without counterpart",
         vista,
         "C:\\VISTREL\\tanu.hlp",
         0x0101,
         {HelpViewer::HtmlHelp, "", 0, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HelpRequest request = HelpRequestFor(c.version, c.helpFile, c.command);
        EXPECT_EQ(request.viewer, c.expected.viewer);
        EXPECT_EQ(request.file, c.expected.file);
        EXPECT_EQ(request.command, c.expected.command);
        EXPECT_EQ(request.supported, c.expected.supported);
    }
}
