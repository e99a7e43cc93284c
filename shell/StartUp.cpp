#include "shell/StartUp.h"

#include "shell/UPreview.h"
#include "platform/Application.h"
#include "shell/UAbout.h"
#include "shell/UOpstartScherm.h"
#include "shell/USelect5.h"

#include <memory>

namespace {
// The splash screen is the application's, but never its main window; it goes on every path.
class SplashScope {
public:
    explicit SplashScope(const std::string& exeName) : splash_(std::make_unique<TFormOpstartScherm>(exeName)) {
        splash_->Create();
        splash_->Show();
    }
    SplashScope(const SplashScope&) = delete;
    SplashScope& operator=(const SplashScope&) = delete;
    ~SplashScope() {
        splash_->Hide();
        splash_->Destroy();
    }
    TFormOpstartScherm& Splash() { return *splash_; }

private:
    std::unique_ptr<TFormOpstartScherm> splash_;
};
} // namespace

TFormSelect& StartUp(TApplication& application) {
    application.Title = kApplicationTitle;
    application.HelpFile = kHelpFileName;
    SplashScope splash(application.ExeName());

    // The main window loads the settings and lists during its creation, while the splash is up.
    TFormSelect& main = application.CreateForm<TFormSelect>();
    main.VersionText = splash.Splash().VersionText;
    main.BuildText = splash.Splash().BuildText;
    main.SetCaption(main.Caption() + " " + main.VersionText);
    main.FormPreview = &application.CreateForm<TFormPreview>(main.Model, main);
    main.AboutBox = &application.CreateForm<TAboutBox>(main.VersionText, main.BuildText);
    return main;
}
