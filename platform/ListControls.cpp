#include "platform/ListControls.h"

#include "platform/Handles.h"

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
    FitDroppedWidth();
}

// Measured in the box's own font. Beside the text the list needs its border, the margins the
// system leaves around a row's text, and room for its scroll bar, which a long list shows.
void TComboBox::FitDroppedWidth() {
    if (!Handle()) return;
    WindowDc dc(Handle());
    SelectObjectScope font(dc.Get(), HFONT(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::string& item : Items()) {
        RECT text = {};
        DrawTextA(dc.Get(), item.c_str(), int(item.size()), &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        widest = std::max(widest, int(text.right));
    }
    const int room =
        2 * GetSystemMetrics(SM_CXBORDER) + 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL);
    SendMessageA(Handle(), CB_SETDROPPEDWIDTH, WPARAM(widest + room), 0);
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
    CreateHandle(&parent, WC_LISTVIEWA, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, WS_EX_CLIENTEDGE,
                 bounds);
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void TListView::AddColumn(const std::string& caption, int width) {
    fitted_.push_back(width == kFitContents ? caption : std::string());
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(caption.c_str());
    column.iSubItem = int(fitted_.size()) - 1;
    column.cx = width == kFitContents ? FittedWidth(column.iSubItem) : Scaled(width);
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, WPARAM(column.iSubItem), LPARAM(&column));
}

void TListView::FillLastColumn() {
    if (!fitted_.empty()) SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, fitted_.size() - 1, LVSCW_AUTOSIZE_USEHEADER);
}

namespace {
// The advance width of each character code in the view's font, measured once per font (the fonts
// live until the program ends).
const int* CharWidths(HWND view) {
    static HFONT measured = nullptr;
    static int widths[256] = {};
    const HFONT font = HFONT(SendMessageA(view, WM_GETFONT, 0, 0));
    if (font != measured || !measured) {
        WindowDc dc(view);
        SelectObjectScope select(dc.Get(), font);
        if (!GetCharWidth32A(dc.Get(), 0, 255, widths)) return nullptr;
        measured = font;
    }
    return widths;
}
} // namespace

// Measured with the view's own character widths: asking the view to size a column would make it
// measure every one of 100,000 rows through the window system.
int TListView::FittedWidth(int column) const {
    const int* widths = CharWidths(Handle());
    if (!widths) return 0;
    auto width = [&](const std::string& text) {
        int sum = 0;
        for (unsigned char c : text)
            sum += widths[c];
        return sum;
    };
    int widest = width(fitted_[std::size_t(column)]);
    for (int row = 0, count = Cell ? Count() : 0; row < count; ++row)
        widest = std::max(widest, width(Cell(row, column)));
    return widest + Scaled(12); // the room the view and its header leave around a text, at the screen's scale
}

void TListView::FitColumns() {
    for (std::size_t column = 0; column < fitted_.size(); ++column)
        if (!fitted_[column].empty())
            SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, column, MAKELPARAM(FittedWidth(int(column)), 0));
}

// The view tells of every change of state, also of the program's own: only the user's reach OnChange.
void TListView::SetState(int index, UINT state, UINT mask) {
    LVITEMA item = {};
    item.stateMask = mask;
    item.state = state;
    ++quiet_;
    SendMessageA(Handle(), LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item));
    --quiet_;
}

template <typename Work> void TListView::Bulk(Work work) {
    ++quiet_;
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    work();
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    --quiet_;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TListView::ShowRows(int count, const std::vector<int>& selected, int focused) {
    Bulk([&] {
        if (SelCount() > 0) SetState(-1, 0, LVIS_SELECTED);
        const int shown = FocusedIndex();
        if (shown >= 0 && shown != focused) SetState(shown, 0, LVIS_FOCUSED);
        SendMessageA(Handle(), LVM_SETITEMCOUNT, WPARAM(count), LVSICF_NOSCROLL);
        for (int index : selected)
            SetState(index, LVIS_SELECTED, LVIS_SELECTED);
        if (focused >= 0 && focused != FocusedIndex()) SetState(focused, LVIS_FOCUSED, LVIS_FOCUSED);
        FitColumns();
    });
}

int TListView::Count() const {
    return int(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
}

void TListView::SelectAll() {
    Bulk([&] { SetState(-1, LVIS_SELECTED, LVIS_SELECTED); });
}

void TListView::InvertSelection() {
    std::vector<int> selected = SelectedRows();
    const int count = Count();
    Bulk([&] {
        // Whichever is fewer: deselect the selected rows, or select the unselected ones.
        if (selected.size() * 2 <= std::size_t(count)) {
            SetState(-1, LVIS_SELECTED, LVIS_SELECTED);
            for (int index : selected)
                SetState(index, 0, LVIS_SELECTED);
        } else {
            SetState(-1, 0, LVIS_SELECTED);
            std::size_t next = 0;
            for (int index = 0; index < count; ++index) {
                if (next < selected.size() && selected[next] == index)
                    ++next;
                else
                    SetState(index, LVIS_SELECTED, LVIS_SELECTED);
            }
        }
    });
}

int TListView::SelCount() const {
    return int(SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0));
}

std::vector<int> TListView::SelectedRows() const {
    std::vector<int> selected;
    // Looking for the next selected row walks the rows: ask for the count first.
    if (SelCount() == 0) return selected;
    const int count = Count();
    for (int i = FirstSelected(); i >= 0 && i < count;
         i = int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(i), LVNI_SELECTED)))
        selected.push_back(i);
    return selected;
}

int TListView::FocusedIndex() const {
    return int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
}

int TListView::FirstSelected() const {
    return int(SendMessageA(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void TListView::SetSelected(int index, bool selected) {
    SetState(index, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

LRESULT TListView::NotifyNotify(const NMHDR* hdr) {
    switch (hdr->code) {
    case LVN_GETDISPINFOA: {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(hdr));
        LVITEMA& item = info->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && Cell)
            lstrcpynA(item.pszText, Cell(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
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
    if (!text || count == 0 || !Cell) return -1;
    const int length = lstrlenA(text);
    start = start < 0 || start >= count ? 0 : start;
    for (int step = 0; step < count; ++step) {
        if (!wrap && start + step >= count) break;
        const int row = (start + step) % count;
        const std::string& name = Cell(row, 0);
        if (partial ? int(name.size()) < length : int(name.size()) != length) continue;
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), length, text, length) == CSTR_EQUAL)
            return row;
    }
    return -1;
}
