#include "pictures/UPreview.h"

#include "shell/USelect5.h"

TFormPreview::TFormPreview(TFormSelect& main) : main_(main) {
    SetCaption("Full screen Preview");
    ClientWidth = 320;
    ClientHeight = 200;
    BorderStyle = TBorderStyle::None;
    ShowHint = true;
    SetColor(kSystemColor | COLOR_DESKTOP);
}

void TFormPreview::BuildControls() {
    ImgPreview.SetAlign(TAlign::Client);
    ImgPreview.SetBounds(0, 0, 320, 200);
    ImgPreview.Create(*this);
    ImgPreview.OnClick = [this] { Returntomain1Click(); };
}

void TFormPreview::Returntomain1Click() {
    if (main_.CategoryCode == kCategoryWall) main_.CBStyleChange();
    Close();
}
