#pragma once
// The application object: names the program, owns its forms, runs the message loop and talks to
// the help system.
#include "platform/Handles.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TForm;

class TApplication {
public:
    TApplication() = default;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;
    ~TApplication();

    void Initialize(HINSTANCE instance);
    HINSTANCE Instance() const { return instance_; }
    // The full path of the running executable.
    std::string ExeName() const;

    std::string Title;
    std::string HelpFile;

    // Creates a form owned by the application; the first one becomes the main form (TForm::Main).
    // The form's create step runs, and its first show too when it is visible from creation.
    template <typename T, typename... Args> T& CreateForm(Args&&... args) {
        auto form = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *form;
        Adopt(std::move(form));
        return ref;
    }
    // Runs the message loop (TForm::ProcessMessage) until the main form has closed, then destroys
    // the forms.
    void Run();
    void DestroyForms();

    // The system's help with the application's help file: WinHelp, or from Windows Vista on the
    // HTML help of the same name (HelpViewer.h). Tests replace the help system through the hook.
    using HelpHook = std::function<bool(const std::string& helpFile, UINT command, ULONG_PTR data)>;
    bool HelpCommand(UINT command, ULONG_PTR data);
    void SetHelpHook(HelpHook hook) { helpHook_ = std::move(hook); }

private:
    void Adopt(std::unique_ptr<TForm> form);

    HINSTANCE instance_ = nullptr;
    std::vector<std::unique_ptr<TForm>> forms_;
    HelpHook helpHook_;
    // hhctrl.ocx, loaded at the first HTML help call: systems before it have no such file.
    UniqueModule htmlHelp_;
};

// The one application object of the process.
TApplication& Application();
