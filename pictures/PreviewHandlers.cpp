// The preview pane and the picture commands.
#include "shell/USelect5.h"

void TFormSelect::ViewChooseBox() {}
void TFormSelect::ViewSelected() {}
void TFormSelect::ImgPreviewDblClick() {}
void TFormSelect::pnlPreviewDblClick() {}
void TFormSelect::ChangePreviewOn(TMenuItem*) {}
void TFormSelect::SizeClick() {}
void TFormSelect::PopMFileInfoPopup() {}
void TFormSelect::CBStyleChange() {}
void TFormSelect::miPlusStretchClick() {}
