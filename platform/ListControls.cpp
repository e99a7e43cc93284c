#include "platform/ListControls.h"

#include "platform/BrowserControls.h"
#include "platform/SortKeys.h"

#include <commctrl.h>

#include <algorithm>

// Drop-down lists --------------------------------------------------------------------------------

void TComboBox::Create(TControl& parent) {
    CreateHandle(&parent, "COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0);
}

void TComboBox::HandleCreated() {
    // The height given is that of the closed box; the window also holds the dropped-down list.
    MoveWindow(Handle(), bounds_.left, bounds_.top, bounds_.width, bounds_.height + 200, FALSE);
    int index = itemIndex_;
    SetItems(std::vector<std::string>(items_));
    SetItemIndex(index);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    items_ = items;
    itemIndex_ = -1;
    if (!Handle()) return;
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items_)
        SendMessageA(Handle(), CB_ADDSTRING, 0, LPARAM(item.c_str()));
}

int TComboBox::ItemIndex() const {
    return Handle() ? int(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TComboBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < int(items_.size()) ? index : -1;
    if (Handle()) SendMessageA(Handle(), CB_SETCURSEL, WPARAM(itemIndex_), 0);
}

std::string TComboBox::Text() const {
    int index = ItemIndex();
    return index >= 0 && index < int(items_.size()) ? items_[index] : std::string();
}

void TComboBox::CommandNotify(WORD code) {
    if (code == CBN_SELCHANGE) Changed();
}

void TComboBox::Changed() {
    if (OnChange) OnChange();
}

void TFilterComboBox::SetFilter(const std::string& filter) {
    if (!filter_.empty() && SameFilter(filter_, filter)) return;
    filter_ = filter;
    rows_ = ParseFilter(filter);
    std::vector<std::string> descriptions;
    for (const FilterRow& row : rows_)
        descriptions.push_back(row.description);
    SetItems(descriptions);
    SetItemIndex(rows_.empty() ? -1 : 0);
    Changed();
}

std::string TFilterComboBox::Mask() const {
    int index = ItemIndex();
    return index >= 0 && index < int(rows_.size()) ? rows_[index].mask : std::string("*.*");
}

void TFilterComboBox::Changed() {
    if (FileList) FileList->SetMask(Mask());
    TComboBox::Changed();
}

// List views -------------------------------------------------------------------------------------

void TListView::Create(TControl& parent) {
    CreateHandle(&parent, WC_LISTVIEWA, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, WS_EX_CLIENTEDGE);
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void TListView::AddColumn(const std::string& caption, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(caption.c_str());
    column.cx = width;
    column.iSubItem = columns_;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, WPARAM(columns_), LPARAM(&column));
    ++columns_;
}

// A virtual view keeps its selection by row number: after rows come or go it is set again.
void TListView::SetState(int index, bool selected) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(Handle(), LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item));
}

// A virtual view keeps its selection by row number: after rows come or go it is set again.
void TListView::Resize(const std::vector<int>& selectedAfter) {
    if (!Handle()) return;
    ++quiet_;
    bool anySelected = SelCount() > 0;
    SendMessageA(Handle(), LVM_SETITEMCOUNT, rows_.size(), LVSICF_NOSCROLL);
    if (anySelected) SetState(-1, false);
    for (int index : selectedAfter)
        SetState(index, true);
    --quiet_;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TListView::SelectAll() {
    if (!Handle()) return;
    ++quiet_;
    SetState(-1, true);
    --quiet_;
    if (OnChange) OnChange();
}

void TListView::InvertSelection() {
    if (!Handle()) return;
    std::vector<int> selected = SelectedRows();
    ++quiet_;
    // Whichever is fewer: deselect the selected rows, or select the unselected ones.
    if (selected.size() * 2 <= rows_.size()) {
        SetState(-1, true);
        for (int index : selected)
            SetState(index, false);
    } else {
        SetState(-1, false);
        std::size_t next = 0;
        for (int index = 0; index < Count(); ++index) {
            if (next < selected.size() && selected[next] == index)
                ++next;
            else
                SetState(index, true);
        }
    }
    --quiet_;
    if (OnChange) OnChange();
}

int TListView::AddItem(const std::vector<std::string>& cells) {
    std::vector<int> selected = SelectedRows();
    rows_.push_back(cells);
    Resize(selected);
    return Count() - 1;
}

int TListView::InsertSorted(const std::vector<std::string>& cells) {
    const char* key = cells.empty() ? "" : cells[0].c_str();
    auto at = std::upper_bound(rows_.begin(), rows_.end(), key, [](const char* k, const std::vector<std::string>& row) {
        return lstrcmpA(k, row.empty() ? "" : row[0].c_str()) < 0;
    });
    int index = int(at - rows_.begin());
    std::vector<int> selected = SelectedRows();
    for (int& s : selected)
        if (s >= index) ++s;
    rows_.insert(at, cells);
    Resize(selected);
    return index;
}

void TListView::SetRows(std::vector<std::vector<std::string>> rows) {
    static const std::string kEmpty;
    std::vector<const std::string*> keys;
    for (const auto& row : rows)
        keys.push_back(row.empty() ? &kEmpty : &row[0]);
    rows_.clear();
    rows_.reserve(rows.size());
    for (std::size_t i : SortedOrder(keys, false))
        rows_.push_back(std::move(rows[i]));
    Resize({});
}

void TListView::RemoveRows(std::vector<int> indices) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    std::vector<int> selected = SelectedRows(), kept;
    for (int s : selected) {
        if (std::binary_search(indices.begin(), indices.end(), s)) continue;
        kept.push_back(s - int(std::lower_bound(indices.begin(), indices.end(), s) - indices.begin()));
    }
    for (auto it = indices.rbegin(); it != indices.rend(); ++it)
        if (*it >= 0 && *it < Count()) rows_.erase(rows_.begin() + *it);
    Resize(kept);
}

int TListView::SelCount() const {
    return Handle() ? int(SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

bool TListView::Selected(int index) const {
    return Handle() && SendMessageA(Handle(), LVM_GETITEMSTATE, WPARAM(index), LVIS_SELECTED) != 0;
}

std::vector<int> TListView::SelectedRows() const {
    std::vector<int> selected;
    // Looking for the next selected row walks the rows: ask for the count first.
    if (!Handle() || SelCount() == 0) return selected;
    for (int i = int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); i >= 0 && i < Count();
         i = int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(i), LVNI_SELECTED)))
        selected.push_back(i);
    return selected;
}

int TListView::FocusedIndex() const {
    return Handle() ? int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED)) : -1;
}

int TListView::FirstSelected() const {
    return Handle() ? int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)) : -1;
}

std::string TListView::ItemText(int index, int column) const {
    if (index < 0 || index >= Count() || column < 0) return "";
    const std::vector<std::string>& row = rows_[std::size_t(index)];
    return std::size_t(column) < row.size() ? row[std::size_t(column)] : std::string();
}

void TListView::SetSelected(int index, bool selected) {
    if (Handle()) SetState(index, selected);
}

void TListView::Clear() {
    rows_.clear();
    Resize({});
}

LRESULT TListView::NotifyNotify(const NMHDR* hdr) {
    switch (hdr->code) {
    case LVN_GETDISPINFOA: {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(hdr));
        LVITEMA& item = info->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            std::string text = ItemText(item.iItem, item.iSubItem);
            lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
        }
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
    }
    return 0;
}
