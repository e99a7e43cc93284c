#include "platform/ListControls.h"

#include "platform/BrowserControls.h"

#include <commctrl.h>

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
    CreateHandle(&parent, WC_LISTVIEWA, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE);
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

int TListView::AddItem(const std::vector<std::string>& cells) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = Count();
    item.pszText = const_cast<char*>(cells.empty() ? "" : cells[0].c_str());
    int index = int(SendMessageA(Handle(), LVM_INSERTITEMA, 0, LPARAM(&item)));
    for (std::size_t i = 1; i < cells.size(); ++i) {
        LVITEMA sub = {};
        sub.iSubItem = int(i);
        sub.pszText = const_cast<char*>(cells[i].c_str());
        SendMessageA(Handle(), LVM_SETITEMTEXTA, WPARAM(index), LPARAM(&sub));
    }
    return index;
}

int TListView::Count() const {
    return Handle() ? int(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int TListView::SelCount() const {
    return Handle() ? int(SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

bool TListView::Selected(int index) const {
    return SendMessageA(Handle(), LVM_GETITEMSTATE, WPARAM(index), LVIS_SELECTED) != 0;
}

int TListView::FocusedIndex() const {
    return Handle() ? int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED)) : -1;
}

int TListView::FirstSelected() const {
    return Handle() ? int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)) : -1;
}

std::string TListView::ItemText(int index, int column) const {
    if (!Handle() || index < 0) return "";
    char text[MAX_PATH + 1] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(Handle(), LVM_GETITEMTEXTA, WPARAM(index), LPARAM(&item));
    return text;
}

void TListView::SetSelected(int index, bool selected) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(Handle(), LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item));
}

void TListView::Clear() {
    if (Handle()) SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

LRESULT TListView::NotifyNotify(const NMHDR* hdr) {
    if (hdr->code == LVN_ITEMCHANGED) {
        auto* change = reinterpret_cast<const NMLISTVIEW*>(hdr);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) && OnChange)
            OnChange();
    } else if (hdr->code == NM_CLICK && OnClick) {
        OnClick();
    }
    return 0;
}
