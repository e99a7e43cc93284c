#include "platform/ListControls.h"

#include "platform/Handles.h"
#include "platform/SortKeys.h"

#include <commctrl.h>

#include <algorithm>

// Drop-down lists --------------------------------------------------------------------------------

void TComboBox::Create(TControl& parent, const TBounds& bounds) {
    CreateHandle(&parent, "COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                 {bounds.left, bounds.top, bounds.width, bounds.height + 200});
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageA(Handle(), CB_ADDSTRING, 0, LPARAM(item.c_str()));
}

std::vector<std::string> TComboBox::Items() const {
    std::vector<std::string> items;
    for (int i = 0, count = int(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); i < count; ++i) {
        std::string text(std::size_t(SendMessageA(Handle(), CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, '\0');
        text.resize(std::size_t(SendMessageA(Handle(), CB_GETLBTEXT, WPARAM(i), LPARAM(text.data()))));
        items.push_back(text);
    }
    return items;
}

int TComboBox::ItemIndex() const {
    return int(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
    SendMessageA(Handle(), CB_SETCURSEL, WPARAM(index), 0);
}

std::string TComboBox::Text() const {
    const int index = ItemIndex();
    return index >= 0 ? Items()[std::size_t(index)] : std::string();
}

void TComboBox::CommandNotify(WORD code) {
    if (code == CBN_SELCHANGE) Changed();
}

void TComboBox::Changed() {
    if (OnChange) OnChange();
}

// List views -------------------------------------------------------------------------------------

void TListView::Create(TControl& parent, const TBounds& bounds) {
    // Without a window the view answers from its own rows and selection, as in a batch.
    Hold();
    CreateHandle(&parent, WC_LISTVIEWA, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, WS_EX_CLIENTEDGE,
                 bounds);
}

void TListView::HandleCreated() {
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (std::size_t index = 0; index < columns_.size(); ++index)
        InsertColumn(int(index));
    if (updating_ == 0) ShowHeld();
    FitColumns();
    if (fillLast_) FillLastColumn();
}

void TListView::InsertColumn(int index) {
    const auto& [caption, width] = columns_[std::size_t(index)];
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(caption.c_str());
    column.cx = width == kFitContents ? 0 : width;
    column.iSubItem = index;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, WPARAM(index), LPARAM(&column));
}

void TListView::AddColumn(const std::string& caption, int width) {
    columns_.emplace_back(caption, width);
    fitted_.push_back(width == kFitContents ? caption : std::string());
    if (!Handle()) return;
    InsertColumn(int(columns_.size()) - 1);
    if (width == kFitContents) FitColumns();
}

void TListView::FillLastColumn() {
    fillLast_ = true;
    if (Handle() && !columns_.empty())
        SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, columns_.size() - 1, LVSCW_AUTOSIZE_USEHEADER);
}

// Measured with the view's own character widths: asking the view to size a column would make it
// measure every one of 100,000 rows through the window system.
void TListView::FitColumns() {
    if (!Handle() || std::all_of(fitted_.begin(), fitted_.end(), [](const std::string& c) { return c.empty(); }))
        return;
    constexpr int kPadding = 12; // the room the view and its header leave around a text
    WindowDc dc(Handle());
    SelectObjectScope font(dc.Get(), HGDIOBJ(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
    int widths[256] = {};
    if (!GetCharWidth32A(dc.Get(), 0, 255, widths)) return;
    for (std::size_t column = 0; column < fitted_.size(); ++column) {
        if (fitted_[column].empty()) continue;
        int width = std::max(rows_.WidestCell(int(column), widths), TextWidth(fitted_[column], widths)) + kPadding;
        SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
    }
}

void TListView::SetState(int index, UINT state, UINT mask) {
    LVITEMA item = {};
    item.stateMask = mask;
    item.state = state;
    SendMessageA(Handle(), LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item));
}

template <typename Work> void TListView::Bulk(Work work) {
    ++quiet_;
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    work();
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    --quiet_;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TListView::BeginUpdate() {
    ++updating_;
}

void TListView::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0) ShowHeld();
}

// A virtual view keeps its selection by row number, so the batch keeps it by row.
void TListView::Hold() {
    if (held_) return;
    heldSelected_.assign(rows_.Size(), 0);
    for (int index : SelectedRows())
        heldSelected_[std::size_t(index)] = 1;
    heldFocus_ = FocusedIndex();
    held_ = true;
}

void TListView::ShowHeld() {
    if (!held_ || !Handle()) return;
    held_ = false;
    Bulk([&] {
        SendMessageA(Handle(), LVM_SETITEMCOUNT, rows_.Size(), LVSICF_NOSCROLL);
        if (SelCount() > 0) SetState(-1, 0, LVIS_SELECTED);
        for (std::size_t index = 0; index < heldSelected_.size(); ++index)
            if (heldSelected_[index]) SetState(int(index), LVIS_SELECTED, LVIS_SELECTED);
        const int shown = FocusedIndex();
        if (heldFocus_ >= 0 && heldFocus_ != shown)
            SetState(heldFocus_, LVIS_FOCUSED, LVIS_FOCUSED);
        else if (heldFocus_ < 0 && shown >= 0)
            SetState(shown, 0, LVIS_FOCUSED);
        FitColumns();
    });
    heldSelected_.clear();
}

void TListView::SelectAll() {
    if (!Handle()) {
        Hold();
        heldSelected_.assign(rows_.Size(), 1);
        if (OnChange) OnChange();
        return;
    }
    ShowHeld();
    Bulk([&] { SetState(-1, LVIS_SELECTED, LVIS_SELECTED); });
    if (OnChange) OnChange();
}

void TListView::InvertSelection() {
    if (!Handle()) {
        Hold();
        for (char& selected : heldSelected_)
            selected = !selected;
        if (OnChange) OnChange();
        return;
    }
    ShowHeld();
    std::vector<int> selected = SelectedRows();
    Bulk([&] {
        // Whichever is fewer: deselect the selected rows, or select the unselected ones.
        if (selected.size() * 2 <= rows_.Size()) {
            SetState(-1, LVIS_SELECTED, LVIS_SELECTED);
            for (int index : selected)
                SetState(index, 0, LVIS_SELECTED);
        } else {
            SetState(-1, 0, LVIS_SELECTED);
            std::size_t next = 0;
            for (int index = 0; index < Count(); ++index) {
                if (next < selected.size() && selected[next] == index)
                    ++next;
                else
                    SetState(index, LVIS_SELECTED, LVIS_SELECTED);
            }
        }
    });
    if (OnChange) OnChange();
}

int TListView::AddItem(const std::vector<std::string>& cells) {
    BeginUpdate();
    Hold();
    rows_.Insert(rows_.Size(), cells);
    heldSelected_.push_back(0);
    EndUpdate();
    return Count() - 1;
}

int TListView::InsertSorted(const std::vector<std::string>& cells) {
    const char* key = cells.empty() ? "" : cells[0].c_str();
    // After every row whose first cell is not greater.
    std::size_t low = 0, high = rows_.Size();
    while (low < high) {
        std::size_t middle = low + (high - low) / 2;
        if (lstrcmpA(key, rows_.Cell(middle, 0).c_str()) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    int index = int(low);
    BeginUpdate();
    Hold();
    rows_.Insert(low, cells);
    heldSelected_.insert(heldSelected_.begin() + index, 0);
    if (heldFocus_ >= index) ++heldFocus_;
    EndUpdate();
    return index;
}

void TListView::SetRows(std::vector<std::vector<std::string>> rows) {
    std::vector<std::string_view> keys;
    keys.reserve(rows.size());
    for (const auto& row : rows)
        keys.push_back(row.empty() ? std::string_view() : std::string_view(row[0]));
    std::vector<std::size_t> order = SortedOrder(keys, false);
    BeginUpdate();
    Hold();
    rows_.Assign(std::move(rows), order);
    heldSelected_.assign(rows_.Size(), 0);
    heldFocus_ = -1;
    EndUpdate();
}

void TListView::RemoveRows(const std::vector<int>& indices) {
    BeginUpdate();
    Hold();
    std::vector<char> erase(rows_.Size(), 0);
    for (int index : indices)
        if (index >= 0 && index < Count()) erase[std::size_t(index)] = 1;
    if (heldFocus_ >= 0 && heldFocus_ < Count()) {
        // The focus stays with its row, and is gone with it.
        int before = int(std::count(erase.begin(), erase.begin() + heldFocus_, 1));
        heldFocus_ = erase[std::size_t(heldFocus_)] ? -1 : heldFocus_ - before;
    }
    rows_.Erase(erase);
    EraseFlagged(heldSelected_, erase);
    EndUpdate();
}

int TListView::SelCount() const {
    if (held_) return int(std::count(heldSelected_.begin(), heldSelected_.end(), 1));
    return Handle() ? int(SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

bool TListView::Selected(int index) const {
    if (held_) return index >= 0 && index < Count() && heldSelected_[std::size_t(index)];
    return Handle() && SendMessageA(Handle(), LVM_GETITEMSTATE, WPARAM(index), LVIS_SELECTED) != 0;
}

std::vector<int> TListView::SelectedRows() const {
    std::vector<int> selected;
    if (held_) {
        for (std::size_t index = 0; index < heldSelected_.size(); ++index)
            if (heldSelected_[index]) selected.push_back(int(index));
        return selected;
    }
    // Looking for the next selected row walks the rows: ask for the count first.
    if (!Handle() || SelCount() == 0) return selected;
    for (int i = int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); i >= 0 && i < Count();
         i = int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(i), LVNI_SELECTED)))
        selected.push_back(i);
    return selected;
}

int TListView::FocusedIndex() const {
    if (held_) return heldFocus_;
    return Handle() ? int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED)) : -1;
}

int TListView::FirstSelected() const {
    if (held_) {
        auto first = std::find(heldSelected_.begin(), heldSelected_.end(), 1);
        return first == heldSelected_.end() ? -1 : int(first - heldSelected_.begin());
    }
    return Handle() ? int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)) : -1;
}

void TListView::SetSelected(int index, bool selected) {
    if (held_) {
        if (index >= 0 && index < Count()) heldSelected_[std::size_t(index)] = selected;
    } else if (Handle()) {
        SetState(index, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
}

void TListView::SetItemText(int index, int column, const std::string& text) {
    if (index < 0 || index >= Count()) return;
    rows_.SetCell(std::size_t(index), column, text);
    if (column >= 0 && std::size_t(column) < fitted_.size() && !fitted_[std::size_t(column)].empty()) FitColumns();
}

void TListView::Clear() {
    SetRows({});
}

LRESULT TListView::NotifyNotify(const NMHDR* hdr) {
    switch (hdr->code) {
    case LVN_GETDISPINFOA: {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(hdr));
        LVITEMA& item = info->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
            lstrcpynA(item.pszText, CellText(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
        return 0;
    }
    case LVN_ITEMCHANGED: {
        if (quiet_) return 0;
        auto* change = reinterpret_cast<const NMLISTVIEW*>(hdr);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) && OnChange)
            OnChange();
        return 0;
    }
    case LVN_ODSTATECHANGED:
        if (OnChange && !quiet_) OnChange();
        return 0;
    case NM_CLICK:
        if (OnClick) OnClick();
        return 0;
    case LVN_ODFINDITEMA: { // type-ahead
        const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(hdr);
        return FindRow(find->lvfi.psz, (find->lvfi.flags & LVFI_PARTIAL) != 0, find->iStart,
                       (find->lvfi.flags & LVFI_WRAP) != 0);
    }
    case LVN_ODFINDITEMW: { // Wine's list view asks in UTF-16 whatever its parent speaks
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(hdr);
        char text[MAX_PATH] = {};
        if (!find->lvfi.psz || !WideCharToMultiByte(CP_ACP, 0, find->lvfi.psz, -1, text, MAX_PATH, nullptr, nullptr))
            return -1;
        return FindRow(text, (find->lvfi.flags & LVFI_PARTIAL) != 0, find->iStart, (find->lvfi.flags & LVFI_WRAP) != 0);
    }
    }
    return 0;
}

int TListView::FindRow(const char* text, bool partial, int start, bool wrap) const {
    const int count = Count();
    if (!text || count == 0) return -1;
    const int length = lstrlenA(text);
    start = start < 0 || start >= count ? 0 : start;
    for (int step = 0; step < count; ++step) {
        if (!wrap && start + step >= count) break;
        const int row = (start + step) % count;
        const std::string& name = CellText(row, 0);
        if (partial ? int(name.size()) < length : int(name.size()) != length) continue;
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), length, text, length) == CSTR_EQUAL)
            return row;
    }
    return -1;
}
