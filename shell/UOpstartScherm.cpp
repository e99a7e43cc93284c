#include "shell/UOpstartScherm.h"

#include "platform/Application.h"
#include "platform/Version.h"
#include "shell/VersionText.h"
#include "shell/res/ResourceIds.h"

namespace {
constexpr const char* kFileVersionKey = "\\StringFileInfo\\041304E4\\FileVersion";

void Fill(TPanel& panel, TControl& parent, TColor color, TBevelCut bevel, int bevelWidth, int borderWidth) {
    panel.SetColor(color);
    panel.BevelOuter = bevel;
    panel.BevelWidth = bevelWidth;
    panel.BorderWidth = borderWidth;
    panel.SetAlign(TAlign::Client);
    panel.Create(parent, {});
}
} // namespace

TFormOpstartScherm::TFormOpstartScherm(std::string exeName) : exeName_(std::move(exeName)) {
    ClientWidth = 221;
    ClientHeight = 141;
    BorderStyle = TBorderStyle::None;
    ActivateOnShow = false;
}

void TFormOpstartScherm::BuildControls() {
    Fill(PBorder_Out, *this, clBlack, TBevelCut::Raised, 1, 1);
    Fill(PBevel, PBorder_Out, clWhite, TBevelCut::Raised, 3, 0);
    Fill(PBorder_In, PBevel, clBlack, TBevelCut::None, 1, 1);
    Fill(Panel4, PBorder_In, clWhite, TBevelCut::None, 1, 0);

    Image1.Center = true;
    Image1.ScaleWithLayout = true;
    Image1.Create(Panel4, {0, 0, 211, 96});
    Image1.SetPicture(UniqueBitmap(static_cast<HBITMAP>(
        LoadImageA(Application().Instance(), MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))));

    TFontSpec bold;
    bold.bold = true;
    LStatus.SetFont(bold);
    LStatus.SetAlign(TAlign::Bottom);
    LStatus.Alignment = TAlignment::Center;
    LStatus.Create(Panel4, {0, 0, 209, 23}, "Loading...");

    bold.color = clRed;
    LVersion.SetFont(bold);
    LVersion.SetAlign(TAlign::Bottom);
    LVersion.Alignment = TAlignment::Center;
    LVersion.Create(Panel4, {0, 0, 209, 13}, "");
}

void TFormOpstartScherm::FormCreate() {
    VersionAndBuild cut = CutVersion(ReadVersionString(exeName_, kFileVersionKey));
    VersionText = cut.version;
    BuildText = cut.build;
    LVersion.SetCaption("Version : " + VersionText);
}
