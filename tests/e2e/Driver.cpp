#include "tests/e2e/Driver.h"

#include "tests/e2e/WindowWatchHook.h"

namespace e2e {

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    std::string::size_type slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

std::string ProgramSource() {
    return OwnFolder() + "QZSelect.exe";
}

TempFolder::TempFolder() {
    char temp[MAX_PATH] = {};
    DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) return;
    std::string base(temp, length);
    if (base.back() != '\\') base += '\\';
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = base + "QZSelectE2E-" + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(GetTickCount()) + "-" + std::to_string(attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate + "\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

TempFolder::~TempFolder() {
    Remove();
}

bool TempFolder::Remove() {
    if (path_.empty()) return true;
    // A process that has just ended may hold its image file for a moment longer.
    if (!WaitFor([this] { return RemoveTree(path_); }, 5000)) return false;
    path_.clear();
    return true;
}

bool RemoveTree(const std::string& folder) {
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '\\') prefix += '\\';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((prefix + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = prefix + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(prefix.c_str());
    return GetFileAttributesA(prefix.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::string ClassOf(HWND hwnd) {
    char name[256] = {};
    int length = GetClassNameA(hwnd, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

std::string TextOf(HWND hwnd) {
    char text[1024] = {};
    int length = GetWindowTextA(hwnd, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

WindowInfo Describe(HWND hwnd) {
    WindowInfo info;
    info.hwnd = hwnd;
    info.className = ClassOf(hwnd);
    info.text = TextOf(hwnd);
    info.style = GetWindowLongA(hwnd, GWL_STYLE);
    info.visible = IsWindowVisible(hwnd) != FALSE;
    info.iconic = IsIconic(hwnd) != FALSE;
    info.enabled = IsWindowEnabled(hwnd) != FALSE;
    RECT rc{};
    if (GetClientRect(hwnd, &rc)) {
        info.clientWidth = rc.right - rc.left;
        info.clientHeight = rc.bottom - rc.top;
    }
    return info;
}

namespace {
BOOL CALLBACK CollectChild(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<WindowInfo>*>(list)->push_back(Describe(hwnd));
    return TRUE;
}

struct ProcessWindows {
    DWORD processId;
    std::vector<WindowInfo> windows;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ProcessWindows*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == search->processId) search->windows.push_back(Describe(hwnd));
    return TRUE;
}
} // namespace

std::vector<WindowInfo> ChildrenOf(HWND parent) {
    std::vector<WindowInfo> children;
    EnumChildWindows(parent, CollectChild, LPARAM(&children));
    return children;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text) {
    for (const WindowInfo& child : ChildrenOf(parent))
        if ((className.empty() || child.className == className) && child.text == text) return child.hwnd;
    return nullptr;
}

std::string DialogText(HWND dialog) {
    std::string text;
    for (const WindowInfo& child : ChildrenOf(dialog)) {
        if (child.className != "Static" && child.className != "STATIC") continue;
        const LONG kind = child.style & SS_TYPEMASK;
        if (kind == SS_ICON || kind == SS_BITMAP || child.text.empty()) continue;
        if (!text.empty()) text += "\n";
        text += child.text;
    }
    return text;
}

bool PressDialogButton(HWND dialog, const std::string& caption) {
    for (const WindowInfo& child : ChildrenOf(dialog)) {
        if (child.text != caption || (child.className != "Button" && child.className != "BUTTON")) continue;
        int id = GetDlgCtrlID(child.hwnd);
        return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(child.hwnd)) != FALSE;
    }
    return false;
}

bool PostClose(HWND hwnd) {
    return PostMessageA(hwnd, WM_CLOSE, 0, 0) != FALSE;
}

HWND WaitForMainWindow(const ProgramRun& run) {
    HWND main = nullptr;
    WaitFor([&] {
        for (const WindowInfo& window : run.TopLevelWindows())
            if (window.className == kFormClass && window.text == kVersionedCaption && window.HasCaptionBar() &&
                window.ShownNormally())
                main = window.hwnd;
        return main != nullptr;
    });
    return main;
}

ProgramRun::ProgramRun() : folder_(std::in_place) {
    folderPath_ = folder_->Path();
    if (Folder().empty()) {
        error_ = "no temporary program folder could be made (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    std::string source = ProgramSource();
    std::string target = Folder() + "QZSelect.exe";
    if (!CopyFileA(source.c_str(), target.c_str(), TRUE)) {
        error_ = "cannot copy " + source + " to " + target + " (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    exePath_ = target;
}

ProgramRun::ProgramRun(const std::string& exePath) {
    if (GetFileAttributesA(exePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error_ = "no program " + exePath;
        return;
    }
    exePath_ = exePath;
    folderPath_ = exePath.substr(0, exePath.find_last_of('\\') + 1);
}

bool ProgramRun::AddBeside(const std::string& source) {
    const std::string target = Folder() + source.substr(source.find_last_of("\\/") + 1);
    if (CopyFileA(source.c_str(), target.c_str(), FALSE)) return true;
    error_ = "cannot copy " + source + " to " + target + " (error " + std::to_string(GetLastError()) + ")";
    return false;
}

ProgramRun::~ProgramRun() {
    Kill();
    // The folder goes with folder_, once the process has let go of it.
}

bool ProgramRun::Start(const std::string& parameters, const std::function<void()>& beforeItRuns) {
    if (!Ready() || process_) return false;
    std::string line = "\"" + exePath_ + "\"";
    if (!parameters.empty()) line += " " + parameters;
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created = {};
    const DWORD flags = beforeItRuns ? CREATE_SUSPENDED : 0;
    if (!CreateProcessA(exePath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, Folder().c_str(),
                        &startup, &created)) {
        error_ = "cannot start " + exePath_ + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    UniqueKernelHandle thread(created.hThread);
    process_.Reset(created.hProcess);
    processId_ = created.dwProcessId;
    threadId_ = created.dwThreadId;
    if (beforeItRuns) {
        beforeItRuns();
        ResumeThread(thread.Get());
    }
    return true;
}

bool ProgramRun::Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool ProgramRun::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!process_ || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    if (exitCode) *exitCode = code;
    return true;
}

void ProgramRun::Kill() {
    if (!Running()) return;
    TerminateProcess(process_.Get(), 255);
    WaitForSingleObject(process_.Get(), kDeadlineMs);
}

std::vector<WindowInfo> ProgramRun::TopLevelWindows() const {
    ProcessWindows search{processId_, {}};
    if (processId_ != 0) EnumWindows(CollectTopLevel, LPARAM(&search));
    return search.windows;
}

HWND ProgramRun::FindTopLevel(const std::string& className, const std::string& title) const {
    for (const WindowInfo& window : TopLevelWindows())
        if ((className.empty() || window.className == className) && window.text == title) return window.hwnd;
    return nullptr;
}

HWND ProgramRun::FindDialog(const std::string& title) const {
    for (const WindowInfo& window : TopLevelWindows())
        if (window.className == kDialogClass && (title.empty() || window.text == title)) return window.hwnd;
    return nullptr;
}

WindowWatch::WindowWatch(const ProgramRun& run) : run_(run) {
    Look();
    ready_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    DWORD threadId = 0;
    thread_.Reset(CreateThread(nullptr, 0, Watch, this, 0, &threadId));
    // A loaded machine must not keep the watcher from looking while short-lived windows show.
    if (thread_) SetThreadPriority(thread_.Get(), THREAD_PRIORITY_HIGHEST);
    HANDLE started[] = {ready_.Get(), thread_.Get()};
    if (thread_ && ready_) WaitForMultipleObjects(2, started, FALSE, INFINITE);
}

bool WindowWatch::Follow() {
    if (!window_ || !run_.ThreadId()) return false;
    SetWindowTextA(window_, std::to_string(run_.ProcessId()).c_str());
    if (!hookLibrary_) hookLibrary_ = LoadLibraryA((OwnFolder() + "WindowWatchHook.dll").c_str());
    auto follow = hookLibrary_ ? reinterpret_cast<FollowThreadFunction>(
                                     reinterpret_cast<void*>(GetProcAddress(hookLibrary_, "FollowThread")))
                               : nullptr;
    if (follow && !hook_) hook_ = follow(run_.ThreadId());
    return hook_ != nullptr;
}

LRESULT CALLBACK WindowWatch::WatchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kWindowWatchLook) return DefWindowProcA(window, message, wParam, lParam);
    if (auto* watch = reinterpret_cast<WindowWatch*>(GetWindowLongPtrA(window, GWLP_USERDATA))) watch->Look();
    return 0;
}

DWORD WINAPI WindowWatch::Watch(void* self) {
    auto* watch = static_cast<WindowWatch*>(self);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WatchWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowWatchClass;
    RegisterClassA(&windowClass); // fails harmlessly for every watch after the first
    watch->window_ = CreateWindowExA(0, kWindowWatchClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(watch->window_, GWLP_USERDATA, LONG_PTR(watch));
    SetEvent(watch->ready_.Get());
    // Between the program's calls, the watch looks every few milliseconds.
    while (!watch->stop_) {
        watch->Look();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kWatchPollMs, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    DestroyWindow(watch->window_);
    return 0;
}

void WindowWatch::Stop() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (!thread_) return;
    stop_ = true;
    WaitForSingleObject(thread_.Get(), INFINITE);
    thread_.Reset();
    Look();
}

void WindowWatch::Look() {
    std::vector<WindowInfo> now = run_.TopLevelWindows();
    CriticalSectionScope held(lock_);
    ++look_;
    for (const WindowInfo& window : now) {
        const WindowInfo* last = nullptr;
        for (auto it = seen_.rbegin(); it != seen_.rend() && !last; ++it)
            if (it->hwnd == window.hwnd) last = &*it;
        if (!last || last->className != window.className || last->text != window.text ||
            last->visible != window.visible || last->iconic != window.iconic) {
            seen_.push_back(window);
            looks_.push_back(look_);
        }
    }
}

int WindowWatch::LookOf(int position) const {
    CriticalSectionScope held(lock_);
    return position >= 0 && std::size_t(position) < looks_.size() ? looks_[std::size_t(position)] : -1;
}

std::vector<WindowInfo> WindowWatch::Seen() const {
    CriticalSectionScope held(lock_);
    return seen_;
}

int WindowWatch::FirstSeen(const std::function<bool(const WindowInfo&)>& match) const {
    CriticalSectionScope held(lock_);
    for (std::size_t i = 0; i < seen_.size(); ++i)
        if (match(seen_[i])) return int(i);
    return -1;
}

} // namespace e2e
