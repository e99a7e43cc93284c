#pragma once
// The system's WinHelp viewer seen from outside: its window, the text of the topic it shows, and
// a click on a jump in that text.
#include <windows.h>

#include <string>

namespace e2e {

// A sentence of the help's contents topic.
inline constexpr const char* kHelpContentsText = "This help has the following topics.";

// F1 as the keyboard gives it to a window.
void PressF1(HWND window);
// The WinHelp viewer's main window, of whatever process; nullptr when none is open.
HWND HelpViewerWindow();
// The viewer's text window (a RichEdit control); nullptr when it has none.
HWND HelpTextWindow(HWND viewer);
// The text of the topic on view, as the control gives it (paragraphs end in CR LF).
std::string HelpText(HWND viewer);
// Clicks the first place where `words` stand in the topic on view, as the mouse would.
bool ClickHelpText(HWND viewer, const std::string& words);

// Runs the programs named QZSelect.exe as on the given Windows version ("winxp", "win7"), for as
// long as it lives; the setting is Wine's own, per program.
class ProgramSystemVersion {
public:
    explicit ProgramSystemVersion(const std::string& version);
    ProgramSystemVersion(const ProgramSystemVersion&) = delete;
    ProgramSystemVersion& operator=(const ProgramSystemVersion&) = delete;
    ~ProgramSystemVersion();
};

} // namespace e2e
