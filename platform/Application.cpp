#include "platform/Application.h"

#include "platform/Form.h"
#include "platform/HelpViewer.h"
#include "platform/MessageDlg.h"
#include "platform/Window.h"

#include <commctrl.h>

#include <stdexcept>

TApplication& Application() {
    static TApplication application;
    return application;
}

TApplication::~TApplication() {
    DestroyForms();
}

void TApplication::Initialize(HINSTANCE instance) {
    if (instance_) return;
    instance_ = instance ? instance : GetModuleHandleA(nullptr);
    InitCommonControls();
    RegisterWindowClasses(instance_);
}

std::string TApplication::ExeName() const {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
    TForm& ref = *form;
    forms_.push_back(std::move(form));
    bool first = !mainForm_;
    if (first) mainForm_ = &ref;
    try {
        ref.Create();
    } catch (...) {
        if (first) mainForm_ = nullptr;
        forms_.pop_back();
        throw;
    }
}

void TApplication::Run() {
    while (!terminated_ && HandleMessage()) {
    }
    DestroyForms();
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::HandleMessage() {
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        terminated_ = true;
        return false;
    }
    ProcessMessage(msg);
    return true;
}

void TApplication::ProcessMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_CHAR ||
        msg.message == WM_SYSCHAR) {
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (auto* form = dynamic_cast<TForm*>(TControl::FromHandle(root))) {
            bool handled = false;
            Guard([&] { handled = form->HandleKey(msg); });
            // The menus' short-cuts come first (F4 is the program's, not the drop-down list's);
            // the system's dialog manager takes the rest and dispatches what it does not use.
            if (handled || IsDialogMessageA(form->Handle(), &msg)) return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void TApplication::DestroyForms() {
    // The main form goes last, as the other forms may still read it while they close.
    while (!forms_.empty()) {
        std::unique_ptr<TForm> form = std::move(forms_.back());
        forms_.pop_back();
        Guard([&] { form->Destroy(); });
        if (form.get() == mainForm_) mainForm_ = nullptr;
    }
}

void TApplication::Reset() {
    DestroyForms();
    terminated_ = false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void TApplication::Guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException(std::runtime_error("Unknown error"));
    }
}

void TApplication::ShowException(const std::exception& error) {
    try {
        MessageDlg(error.what(), TMsgDlgType::Error, mbOK);
    } catch (...) {
        // Nothing more can be reported.
    }
}

namespace {
WindowsVersion RunningWindowsVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return {};
    return {unsigned(info.dwMajorVersion), unsigned(info.dwMinorVersion), info.dwPlatformId == VER_PLATFORM_WIN32_NT};
}

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
} // namespace

bool TApplication::HelpCommand(UINT command, ULONG_PTR data) {
    if (helpHook_) return helpHook_(HelpFile, command, data);
    HWND owner = mainForm_ ? mainForm_->Handle() : nullptr;
    const HelpRequest request = HelpRequestFor(RunningWindowsVersion(), HelpFile, command);
    if (request.viewer == HelpViewer::WinHelp) return WinHelpA(owner, request.file.c_str(), command, data) != FALSE;
    if (!request.supported) return false;
    if (request.command == kHhCloseAll) {
        // Nothing was opened when the library was never loaded.
        if (!htmlHelp_) return true;
    } else if (!htmlHelp_) {
        htmlHelp_.Reset(LoadLibraryA("hhctrl.ocx"));
        if (!htmlHelp_) return false;
    }
    auto htmlHelp =
        reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(htmlHelp_.Get(), "HtmlHelpA")));
    if (!htmlHelp) return false;
    if (request.command == kHhCloseAll) {
        htmlHelp(nullptr, nullptr, request.command, 0);
        return true;
    }
    return htmlHelp(owner, request.file.c_str(), request.command, data) != nullptr;
}
