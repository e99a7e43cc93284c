#include "shell/UAbout.h"

#include "platform/Application.h"

#include <tuple>

TAboutBox::TAboutBox(std::string versionText, std::string buildText)
    : versionText_(std::move(versionText)), buildText_(std::move(buildText)) {
    Title = "About";
    ClientWidth = 298;
    ClientHeight = 320;
    BorderStyle = TBorderStyle::Dialog;
    CreateWhenShown = true;
}

void TAboutBox::BuildControls() {
    Panel1.BevelOuter = TBevelCut::Lowered;
    Panel1.BevelInner = TBevelCut::Raised;
    Panel1.Create(*this, {8, 4, 281, 277});

    ProgramIcon.Center = true;
    ProgramIcon.ScaleWithLayout = true;
    ProgramIcon.Create(Panel1, {36, 20, 32, 32});
    // The icon is drawn into a bitmap of the panel's colour, so the image shows it like any picture.
    if (HICON icon = LoadIconA(Application().Instance(), MAKEINTRESOURCEA(1))) {
        WindowDc screen(nullptr);
        UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 32, 32));
        UniqueMemoryDc dc(CreateCompatibleDC(screen.Get()));
        {
            SelectObjectScope select(dc.Get(), bitmap.Get());
            RECT rc{0, 0, 32, 32};
            FillRect(dc.Get(), &rc, ColorBrush(Panel1.Color()));
            DrawIconEx(dc.Get(), 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
        }
        ProgramIcon.SetPicture(std::move(bitmap));
    }

    for (auto [label, left, top, text] :
         {std::tuple{&ProductName, 88, 16, "Vistrel Selector"}, std::tuple{&Version, 88, 40, "Version "},
          std::tuple{&LBuild, 163, 40, "Build "}})
        label->Create(Panel1, {left, top, 0, 0}, text);

    OKButton.Create(*this, {120, 288, 75, 24}, "O&K");
    OKButton.SetDefault(true);
    OKButton.ModalResult = mrOk;
    DefaultButton = &OKButton;
}

void TAboutBox::FormCreate() {
    Version.SetCaption("Version " + versionText_);
    LBuild.SetCaption("Build " + buildText_);
}
