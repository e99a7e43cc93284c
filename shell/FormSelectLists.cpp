// Commands of the four selection lists.
#include "lists/ListMessages.h"
#include "pictures/PictureFile.h"
#include "lists/DirectoryPath.h"
#include "lists/SortKeys.h"
#include "platform/MessageDlg.h"
#include "platform/WaitCursor.h"
#include "shell/USelect5.h"

namespace {
// The view shows `count` rows after its owner's rows changed: the row that was `old` is now
// newRow[old] (-1: gone), and the selection and the focus move with their rows.
void ShowRenumbered(TListView& view, int count, const std::vector<int>& newRow) {
    auto moved = [&](int old) { return old >= 0 && std::size_t(old) < newRow.size() ? newRow[std::size_t(old)] : -1; };
    std::vector<int> selected;
    for (int old : view.SelectedRows())
        if (moved(old) >= 0) selected.push_back(moved(old));
    view.ShowRows(count, selected, moved(view.FocusedIndex()));
}
} // namespace

int EntryInserts::Insert(const std::vector<std::string>& cells) {
    ListRows& entries = form_.Entries(category_);
    const int row = int(SortedPosition(entries, cells.empty() ? std::string() : cells[0]));
    entries.Insert(std::size_t(row), cells);
    auto at = std::lower_bound(inserted_.begin(), inserted_.end(), row);
    for (auto later = at; later != inserted_.end(); ++later)
        ++*later;
    inserted_.insert(at, row);
    return row;
}

EntryInserts::~EntryInserts() {
    const int count = int(form_.Entries(category_).Size());
    std::vector<int> newRow;
    newRow.reserve(std::size_t(count) - inserted_.size());
    std::size_t next = 0;
    for (int row = 0; row < count; ++row) {
        if (next < inserted_.size() && inserted_[next] == row)
            ++next;
        else
            newRow.push_back(row);
    }
    ShowRenumbered(form_.ListOfCategory(category_), count, newRow);
}

int TFormSelect::AddEntry(Category category, const std::vector<std::string>& cells) {
    return EntryInserts(*this, category).Insert(cells);
}

void TFormSelect::SetEntries(Category category, std::vector<std::vector<std::string>> rows) {
    AssignSorted(Entries(category), std::move(rows));
    ListOfCategory(category).ShowRows(int(Entries(category).Size()), {}, -1);
}

void TFormSelect::RemoveEntries(Category category, const std::vector<int>& rows) {
    ListRows& entries = Entries(category);
    std::vector<char> erase(entries.Size(), 0);
    for (int row : rows)
        if (row >= 0 && std::size_t(row) < erase.size()) erase[std::size_t(row)] = 1;
    std::vector<int> newRow(erase.size(), -1);
    int next = 0;
    for (std::size_t row = 0; row < erase.size(); ++row)
        if (!erase[row]) newRow[row] = next++;
    entries.Erase(erase);
    ShowRenumbered(ListOfCategory(category), next, newRow);
}

void TFormSelect::AddChosenFile(int index, EntryInserts& inserts) {
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
        if (Model.options.reportAddErrors) MessageDlg(refusal, TMsgDlgType::Error, mbOK);
        return;
    }
    std::vector<std::string> row = {FileListBox1.Item(index), FileListBox1.Directory()};
    if (Model.activeCategory == Category::Wall) row.push_back(Model.style ? StyleInfo(*Model.style).name : "");
    inserts.Insert(row);
    FileListBox1.SetSelected(index, false);
    ListsChanged = true;
}

void TFormSelect::BtnAddClick() {
    const int count = FileListBox1.Count();
    {
        TWaitCursor waiting;                               // each screen is read to be checked
        EntryInserts inserts(*this, Model.activeCategory); // the list view takes all the new rows at once
        for (int i = 0; i < count; ++i)
            if (FileListBox1.Selected(i)) AddChosenFile(i, inserts);
    }
    UpdateCounter();
}

// The counter and the Remove button follow at once.
void TFormSelect::btnRemoveClick() {
    std::vector<int> selected = ActiveList().SelectedRows();
    if (selected.empty()) return;
    RemoveEntries(Model.activeCategory, selected);
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
    LstVSelectedChange();
}

void TFormSelect::btnInvSelectClick() {
    ActiveList().InvertSelection();
    LstVSelectedChange();
}

void TFormSelect::LstVSelectedChange() {
    btnRemove.SetEnabled(ActiveList().SelCount() > 0);
    if (SelectionTracking) ViewSelected();
    UpdateCounter();
}

void TFormSelect::Findfile1Click() {
    int first = ActiveList().FirstSelected();
    if (first >= 0) ApplyBrowserPath(ActiveEntries().Cell(std::size_t(first), 1));
}

int TFormSelect::RemoveMissingEntries(Category category) {
    const ListRows& entries = Entries(category);
    std::vector<int> missing;
    for (std::size_t i = 0; i < entries.Size(); ++i) {
        DWORD attributes = GetFileAttributesA(JoinPath(entries.Cell(i, 1), entries.Cell(i, 0)).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) missing.push_back(int(i));
    }
    if (missing.empty()) return 0;
    RemoveEntries(category, missing);
    ListsChanged = true;
    return int(missing.size());
}

void TFormSelect::Removenonexistingfiles1Click() {
    int start = 0, wait = 0, shut = 0, wall = 0;
    {
        TWaitCursor waiting; // a file test for every entry, some on drives that may be gone
        start = RemoveMissingEntries(Category::Start), wait = RemoveMissingEntries(Category::Wait);
        shut = RemoveMissingEntries(Category::Shut), wall = RemoveMissingEntries(Category::Wall);
        TSpeedButton& button = ButtonOfCategory(Model.activeCategory);
        button.SetDown(true);
        Change_Screen_Button(&button);
    }
    MessageDlg(RemovedCountsText(start, wait, shut, wall), TMsgDlgType::Information, mbOK);
}
