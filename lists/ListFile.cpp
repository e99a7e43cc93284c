// The list file that carries the four lists to the randomizer.
#include "shell/USelect5.h"

void TFormSelect::LoadListFile() {}
void TFormSelect::SaveToFile() {}
