#include "platform/Application.h"

#include "platform/Form.h"
#include "platform/Guard.h"
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
    // While no window of the program is active, its boxes belong to the main form.
    SetMessageBoxOwner([] { return TForm::Main() ? TForm::Main()->Handle() : HWND(nullptr); });
}

std::string TApplication::ExeName() const {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
    TForm& ref = *form;
    forms_.push_back(std::move(form));
    bool first = !TForm::Main();
    if (first) TForm::SetMain(&ref);
    try {
        ref.Create();
    } catch (...) {
        if (first) TForm::SetMain(nullptr);
        forms_.pop_back();
        throw;
    }
}

void TApplication::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        TForm::ProcessMessage(msg);
    DestroyForms();
}

void TApplication::DestroyForms() {
    // The main form goes last, as the other forms may still read it while they close.
    while (!forms_.empty()) {
        std::unique_ptr<TForm> form = std::move(forms_.back());
        forms_.pop_back();
        Guard([&] { form->Destroy(); });
        if (form.get() == TForm::Main()) TForm::SetMain(nullptr);
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
    HWND owner = TForm::Main() ? TForm::Main()->Handle() : nullptr;
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
