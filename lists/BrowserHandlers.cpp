// The file browser: drive box, directory list, file list and filter box.
#include "shell/USelect5.h"

void TFormSelect::DirectoryListBox1Change() {}

// A description too long for the box can be read in full in its tooltip.
void TFormSelect::FilterComboBox1Change() {
    FilterComboBox1.SetHint(FilterComboBox1.Text());
}

void TFormSelect::Refresh1Click() {}
