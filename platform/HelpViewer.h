#pragma once
// Which help viewer a Windows version has, and what the program asks it. Windows 95 to XP show
// WinHelp files; from Windows Vista on the WinHelp viewer only says that the format is no longer
// supported, so there the same help is opened as compiled HTML help beside it.
#include <string>

enum class HelpViewer { WinHelp, HtmlHelp };

// The version the system reports: NT-based (NT, 2000, XP, Vista, ...) or not (95, 98, ME).
struct WindowsVersion {
    unsigned major = 0;
    unsigned minor = 0;
    bool nt = false;
};

HelpViewer HelpViewerFor(const WindowsVersion& version);

// WinHelp commands the program gives.
inline constexpr unsigned kHelpQuit = 0x0002;
inline constexpr unsigned kHelpFinder = 0x000B;
// What HTML help is asked in their place.
inline constexpr unsigned kHhDisplayToc = 0x0001;
inline constexpr unsigned kHhCloseAll = 0x0012;

// One call of the system's help: the viewer, the file it opens and its command.
struct HelpRequest {
    HelpViewer viewer = HelpViewer::WinHelp;
    std::string file;
    unsigned command = 0;
    // A command HTML help has no counterpart for: nothing is called.
    bool supported = true;
};

// The call that carries out a WinHelp command with the WinHelp file `helpFile` on this system.
// HTML help opens the file of the same name ending in ".chm".
HelpRequest HelpRequestFor(const WindowsVersion& version, const std::string& helpFile, unsigned winHelpCommand);
