// Commands of the four selection lists. They act once the lists hold entries of their own.
#include "shell/USelect5.h"

void TFormSelect::BtnAddClick() {}
void TFormSelect::btnRemoveClick() {}
void TFormSelect::btnAllFilesClick() {}
void TFormSelect::BtnInvFilesClick() {}
void TFormSelect::btnAllSelectClick() {}
void TFormSelect::btnInvSelectClick() {}
void TFormSelect::LstVSelectedChange() {}
void TFormSelect::PopMSelectedPopup() {}
void TFormSelect::Findfile1Click() {}
void TFormSelect::Removenonexistingfiles1Click() {}
