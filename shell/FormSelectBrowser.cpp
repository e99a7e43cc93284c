// The file browser: drive box, directory list, file list and filter box.
#include "shell/USelect5.h"

// Every change of folder is remembered for the active category, and as the last folder of all.
void TFormSelect::DirectoryListBox1Change() {
    const std::string& folder = DirectoryListBox1.Directory();
    switch (Model.activeCategory) {
    case Category::Wait:
        WaitDir = folder;
        break;
    case Category::Shut:
        ShutDir = folder;
        break;
    case Category::Wall:
        WallDir = folder;
        break;
    default:
        break;
    }
    StartDir = folder;
}

// A description too long for the box can be read in full in its tooltip.
void TFormSelect::FilterComboBox1Change() {
    FilterComboBox1.SetHint(FilterComboBox1.Text());
}

// The folder is recorded again: a folder that is gone gave way to the nearest one above it.
void TFormSelect::Refresh1Click() {
    DriveComboBox1.Invalidate();
    DirectoryListBox1.Update();
    DirectoryListBox1Change();
    FileListBox1.Update();
    FilterComboBox1.Invalidate();
}

// A move of the browser, recorded as the user's moves are.
void TFormSelect::ApplyBrowserPath(const std::string& path) {
    if (path.empty()) return;
    DirectoryListBox1.SetDirectory(path);
    DirectoryListBox1Change();
}
