#pragma once
// Drives the finished program from outside, as a person at the desktop would: starts it in a
// fresh program folder, finds its windows, reads their texts and states, answers its message
// boxes, closes it and waits for its end. Everything goes through the ANSI Win32 API.
#include "platform/Handles.h"
#include "platform/Locks.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// How long a test waits for anything the program should do by itself.
constexpr DWORD kDeadlineMs = 10000;
// How often a wait looks again.
constexpr DWORD kPollMs = 15;
// How often a WindowWatch looks: often enough to see a window that is shown only briefly.
constexpr DWORD kWatchPollMs = 3;

// Polls the condition every kPollMs until it holds or the deadline has passed; true when it held.
template <typename Condition> bool WaitFor(Condition condition, DWORD timeoutMs = kDeadlineMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(kPollMs);
    }
}

// The folder of the running test program, with a trailing backslash.
std::string OwnFolder();
// The program under test: QZSelect.exe beside the test program.
std::string ProgramSource();

// A new, empty folder under the temporary folder; removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // With a trailing backslash; empty when the folder could not be made.
    const std::string& Path() const { return path_; }
    // Removes the folder and its contents, retrying a while as files may still be in use.
    bool Remove();

private:
    std::string path_;
};

bool RemoveTree(const std::string& folder);

// What is seen of one window at one moment.
struct WindowInfo {
    HWND hwnd = nullptr;
    std::string className;
    std::string text;
    LONG style = 0;
    bool visible = false;
    bool iconic = false;
    bool enabled = false;
    int clientWidth = 0;
    int clientHeight = 0;

    bool HasCaptionBar() const { return (style & WS_CAPTION) == WS_CAPTION; }
    // Shown in its normal (or maximized) state, not as an icon.
    bool ShownNormally() const { return visible && !iconic; }
};

std::string ClassOf(HWND hwnd);
// The text the system keeps for the window; read without sending the window a message, so it
// also works while the program's thread is busy.
std::string TextOf(HWND hwnd);
WindowInfo Describe(HWND hwnd);
// All descendants of a window, in creation order.
std::vector<WindowInfo> ChildrenOf(HWND parent);
// The first descendant with the given class (empty: any) and exact text; nullptr when none.
HWND FindChild(HWND parent, const std::string& className, const std::string& text);

// The message box class of the system dialogs.
inline constexpr const char* kDialogClass = "#32770";

// The texts of a dialog's static controls (icons left out), joined by line breaks.
std::string DialogText(HWND dialog);
// Presses the dialog's button with this exact caption (as WM_COMMAND from the button, the way a
// click reports it). False when the dialog has no such button.
bool PressDialogButton(HWND dialog, const std::string& caption);

// One run of the program in its own fresh program folder. The folder holds a copy of the program
// only; the process is ended (if it still runs) and the folder removed when the run goes.
class ProgramRun {
public:
    ProgramRun();
    // A program where it lies, as a user starts it from the folder it was unpacked to; the folder
    // stays.
    explicit ProgramRun(const std::string& exePath);
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;
    ~ProgramRun();

    // The copy of the program to start.
    const std::string& ExePath() const { return exePath_; }
    const std::string& Folder() const { return folderPath_; }
    // Whether the program folder was prepared; ErrorText() says why not.
    bool Ready() const { return !exePath_.empty(); }
    const std::string& ErrorText() const { return error_; }
    // Copies a file into the program folder, under its own name.
    bool AddBeside(const std::string& source);

    // Starts the program with these parameters (the text after the program name); the working
    // folder is the program folder. `beforeItRuns`, when given, is called once the process and its
    // first thread exist, before that thread runs.
    bool Start(const std::string& parameters, const std::function<void()>& beforeItRuns = {});
    DWORD ProcessId() const { return processId_; }
    // The program's first thread, which makes its windows.
    DWORD ThreadId() const { return threadId_; }
    bool Running() const;
    // Waits for the process to end; gives its exit code.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    // Ends the process if it still runs, and waits for it.
    void Kill();

    // The top-level windows of the process, visible or not.
    std::vector<WindowInfo> TopLevelWindows() const;
    // The first top-level window of the process with this class (empty: any) and exact title.
    HWND FindTopLevel(const std::string& className, const std::string& title) const;
    // A dialog (#32770) of the process with this exact title (empty: any).
    HWND FindDialog(const std::string& title = "") const;

private:
    std::optional<TempFolder> folder_;
    std::string folderPath_;
    std::string exePath_;
    std::string error_;
    UniqueKernelHandle process_;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

// Watches the top-level windows of a run from a thread of its own, every few milliseconds, and
// keeps, in the order seen, every state of every window: a new entry whenever a window appears or
// its class, text, visibility or minimized state differs from what was last seen of it. A watch
// that follows the program also looks each time one of its top-level windows is shown, hidden or
// retitled, while the program waits for it (WindowWatchHook.dll): what the program shows only for
// a moment is seen however busy the machine is.
class WindowWatch {
public:
    explicit WindowWatch(const ProgramRun& run);
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
    ~WindowWatch() {
        Stop();
        if (hookLibrary_) FreeLibrary(hookLibrary_);
    }

    // Follows the program from its start: call it from ProgramRun::Start's beforeItRuns.
    bool Follow();
    // Looks one last time and stops watching.
    void Stop();
    std::vector<WindowInfo> Seen() const;
    // The position in Seen() of the first state that matches; -1 when none did.
    int FirstSeen(const std::function<bool(const WindowInfo&)>& match) const;
    // The look in which the state at a position of Seen() was first seen: two windows that came up
    // between two looks are seen in the same one, and tell nothing of their order.
    int LookOf(int position) const;

private:
    void Look();
    static DWORD WINAPI Watch(void* self);
    static LRESULT CALLBACK WatchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const ProgramRun& run_;
    HWND window_ = nullptr; // the watch's window, which the program asks to look
    UniqueKernelHandle ready_;
    HMODULE hookLibrary_ = nullptr;
    HHOOK hook_ = nullptr;
    mutable CriticalSection lock_;
    std::vector<WindowInfo> seen_;
    std::vector<int> looks_; // per entry of seen_
    int look_ = 0;
    std::atomic<bool> stop_{false};
    UniqueKernelHandle thread_;
};

// Sends WM_CLOSE without waiting for the window to handle it.
bool PostClose(HWND hwnd);

// The main window's class, and its caption once the version is in it.
inline constexpr const char* kFormClass = "TVistrelForm";
inline constexpr const char* kVersionedCaption = "Vistrel Selector 2.92";
// The main window once it shows normally with its versioned caption; nullptr when it never did.
HWND WaitForMainWindow(const ProgramRun& run);

} // namespace e2e
