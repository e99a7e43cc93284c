// Commands of the four selection lists.
#include "lists/ListMessages.h"
#include "pictures/PictureFile.h"
#include "lists/DirectoryPath.h"
#include "platform/MessageDlg.h"
#include "platform/WaitCursor.h"
#include "shell/USelect5.h"

void TFormSelect::AddChosenFile(int index) {
    SelectionTrackingOff ownChanges(*this);
    const std::string path = JoinPath(FileListBox1.Directory(), FileListBox1.Item(index));
    std::string refusal;
    if (Model.activeCategory == Category::Wall) {
        // A wallpaper is added unread; a name that opens no file (one the system code page cannot
        // spell and that has no short name) is refused as unreadable.
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) refusal = LoadErrorText(path);
    } else {
        // Each file is tested against its own picture, read apart from the preview.
        const PictureFile file = ReadPictureFile(path, Model.activeCategory, Library(), PictureNeed::Check);
        if (file.outcome != PictureFile::Outcome::Loaded)
            refusal = LoadErrorText(path);
        else if (file.check == ScreenCheck::WrongSize)
            refusal = SizeErrorText(path, file.width, file.height);
        else if (file.check == ScreenCheck::WrongDepth)
            refusal = DepthErrorText(path, PixelFormatName(file.format));
    }
    if (!refusal.empty()) {
        if (ErrorReportOn1.Checked()) MessageDlg(refusal, TMsgDlgType::Error, mbOK);
        return;
    }
    std::vector<std::string> row = {FileListBox1.Item(index), FileListBox1.Directory()};
    if (Model.activeCategory == Category::Wall) row.push_back(Model.style ? StyleInfo(*Model.style).name : "");
    ActiveList().InsertSorted(row);
    FileListBox1.SetSelected(index, false);
    ListsChanged = true;
}

void TFormSelect::BtnAddClick() {
    const int count = FileListBox1.Count();
    {
        TWaitCursor waiting;              // each screen is read to be checked
        TListUpdate update(ActiveList()); // the list view takes all the new rows at once
        for (int i = 0; i < count; ++i)
            if (FileListBox1.Selected(i)) AddChosenFile(i);
    }
    UpdateCounter();
}

// The counter and the Remove button follow at once.
void TFormSelect::btnRemoveClick() {
    std::vector<int> selected = ActiveList().SelectedRows();
    if (selected.empty()) return;
    ActiveList().RemoveRows(selected);
    ListsChanged = true;
    UpdateCounter();
}

void TFormSelect::btnAllFilesClick() {
    for (int i = 0; i < FileListBox1.Count(); ++i)
        FileListBox1.SetSelected(i, true);
}

void TFormSelect::BtnInvFilesClick() {
    for (int i = 0; i < FileListBox1.Count(); ++i)
        FileListBox1.SetSelected(i, !FileListBox1.Selected(i));
}

void TFormSelect::btnAllSelectClick() {
    ActiveList().SelectAll();
    UpdateCounter();
}

void TFormSelect::btnInvSelectClick() {
    ActiveList().InvertSelection();
    UpdateCounter();
}

void TFormSelect::LstVSelectedChange() {
    btnRemove.SetEnabled(ActiveList().SelCount() > 0);
    if (SelectionTracking) ViewSelected();
    UpdateCounter();
}

void TFormSelect::PopMSelectedPopup() {
    const TListView& list = ActiveList();
    const bool some = list.SelCount() > 0, all = some && list.SelCount() == list.Count();
    for (TMenuItem* item : {&View2, &Remove1, &InvertSelection2})
        item->SetEnabled(some);
    SelectAll2.SetEnabled(some && !all);
}

void TFormSelect::Findfile1Click() {
    const TListView& list = ActiveList();
    int first = list.FirstSelected();
    if (first >= 0) ApplyBrowserPath(list.ItemText(first, 1));
}

int TFormSelect::RemoveMissingEntries(TListView& list) {
    std::vector<int> missing;
    for (int i = 0; i < list.Count(); ++i) {
        DWORD attributes = GetFileAttributesA(JoinPath(list.ItemText(i, 1), list.ItemText(i, 0)).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) missing.push_back(i);
    }
    if (missing.empty()) return 0;
    list.RemoveRows(missing);
    ListsChanged = true;
    return int(missing.size());
}

void TFormSelect::Removenonexistingfiles1Click() {
    int start = 0, wait = 0, shut = 0, wall = 0;
    {
        TWaitCursor waiting; // a file test for every entry, some on drives that may be gone
        start = RemoveMissingEntries(ListStart), wait = RemoveMissingEntries(ListWait);
        shut = RemoveMissingEntries(ListShut), wall = RemoveMissingEntries(ListWall);
        TSpeedButton& button = ButtonOfCategory(Model.activeCategory);
        button.SetDown(true);
        Change_Screen_Button(&button);
    }
    MessageDlg(RemovedCountsText(start, wait, shut, wall), TMsgDlgType::Information, mbOK);
}
