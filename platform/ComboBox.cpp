#include "platform/Application.h"
#include "platform/DropDownKeys.h"
#include "platform/ListControls.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kDroppedRows = 26; // rows the dropped list shows at once: every drive letter
constexpr int kTextMargin = 2;

RECT ButtonRect(const RECT& client) {
    return {client.right - GetSystemMetrics(SM_CXVSCROLL), client.top, client.right, client.bottom};
}

// Copies a text to a caller's buffer of `room` characters, ended by a zero; returns the length copied.
LRESULT CopyText(const std::string& text, char* buffer, std::size_t room) {
    if (!buffer || room == 0) return 0;
    const std::size_t length = std::min(text.size(), room - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return LRESULT(length);
}
} // namespace

void TComboBox::Create(TControl& parent) {
    CreateHandle(&parent, kClassName, WS_TABSTOP, WS_EX_CLIENTEDGE);
}

int TComboBox::RowHeight() const {
    WindowDc dc(Handle());
    SelectObjectScope font(dc.Get(), FontHandle(Font()));
    TEXTMETRICA metrics = {};
    return GetTextMetricsA(dc.Get(), &metrics) ? int(metrics.tmHeight) : 13;
}

void TComboBox::HandleCreated() {
    // The closed box is as high as a row of its font and its frame, whatever height it was given.
    const int frame = 2 * GetSystemMetrics(SM_CYEDGE);
    MoveWindow(Handle(), bounds_.left, bounds_.top, bounds_.width, RowHeight() + 4 + frame, FALSE);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    SetDroppedDown(false);
    items_ = items;
    itemIndex_ = -1;
    if (list_) SendMessageA(list_.Get(), LB_RESETCONTENT, 0, 0);
    Invalidate();
}

void TComboBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < int(items_.size()) ? index : -1;
    Invalidate();
}

std::string TComboBox::Text() const {
    return itemIndex_ >= 0 ? items_[std::size_t(itemIndex_)] : std::string();
}

void TComboBox::Choose(int index) {
    if (index < 0 || index >= int(items_.size()) || index == itemIndex_) return;
    SetItemIndex(index);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW);
    // As the system box does: the container hears of it and passes it back to CommandNotify.
    if (TControl* container = Parent(); container && container->Handle())
        SendMessageA(container->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), LPARAM(Handle()));
}

void TComboBox::CommandNotify(WORD code) {
    if (code == CBN_SELCHANGE) Changed();
}

void TComboBox::Changed() {
    if (OnChange) OnChange();
}

// Dropping down ------------------------------------------------------------------------------------

void TComboBox::SetDroppedDown(bool dropped) {
    if (dropped == dropped_ || !Handle()) return;
    if (!dropped) {
        CloseUp(false);
        return;
    }
    if (items_.empty()) return;
    if (!list_) {
        list_.Reset(CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "LISTBOX", nullptr,
                                    WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0, nullptr,
                                    nullptr, Application().Instance(), nullptr));
        if (!list_) return;
    }
    HWND list = list_.Get();
    SendMessageA(list, WM_SETFONT, WPARAM(FontHandle(Font())), FALSE);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items_)
        SendMessageA(list, LB_ADDSTRING, 0, LPARAM(item.c_str()));
    SendMessageA(list, LB_SETCURSEL, WPARAM(itemIndex_), 0);
    const int rows = std::min(int(items_.size()), kDroppedRows);
    const int height = rows * int(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0)) + 2 * GetSystemMetrics(SM_CYBORDER);
    RECT box;
    GetWindowRect(Handle(), &box);
    int top = box.bottom;
    if (top + height > GetSystemMetrics(SM_CYSCREEN)) top = box.top - height; // no room below: above
    SetWindowPos(list, HWND_TOPMOST, box.left, top, box.right - box.left, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    dropped_ = true;
    SetCapture(Handle());
    Invalidate();
    if (TControl* container = Parent(); container && container->Handle())
        SendMessageA(container->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_DROPDOWN), LPARAM(Handle()));
}

void TComboBox::CloseUp(bool accept) {
    if (!dropped_) return;
    dropped_ = false;
    const int row = list_ ? int(SendMessageA(list_.Get(), LB_GETCURSEL, 0, 0)) : -1;
    if (list_) ShowWindow(list_.Get(), SW_HIDE);
    if (GetCapture() == Handle()) ReleaseCapture();
    Invalidate();
    if (accept) Choose(row);
    if (TControl* container = Parent(); container && container->Handle())
        SendMessageA(container->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_CLOSEUP), LPARAM(Handle()));
}

POINT TComboBox::ScreenPoint(LPARAM clientPoint) const {
    POINT at{short(LOWORD(clientPoint)), short(HIWORD(clientPoint))};
    ClientToScreen(Handle(), &at);
    return at;
}

int TComboBox::ListRowAt(POINT screen) const {
    if (!dropped_ || !list_) return -1;
    RECT rc;
    GetWindowRect(list_.Get(), &rc);
    if (!PtInRect(&rc, screen)) return -1;
    ScreenToClient(list_.Get(), &screen);
    const LRESULT hit = SendMessageA(list_.Get(), LB_ITEMFROMPOINT, 0, MAKELPARAM(screen.x, screen.y));
    return HIWORD(hit) ? -1 : int(LOWORD(hit));
}

void TComboBox::Highlight(int row) {
    if (list_ && row >= 0 && row != int(SendMessageA(list_.Get(), LB_GETCURSEL, 0, 0)))
        SendMessageA(list_.Get(), LB_SETCURSEL, WPARAM(row), 0);
}

// Keys ---------------------------------------------------------------------------------------------

// Closed, a key chooses its row at once; dropped, it moves the list's highlight until Enter.
void TComboBox::HandleKey(UINT key) {
    TDropDownKey move;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        move = TDropDownKey::Up;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        move = TDropDownKey::Down;
        break;
    case VK_PRIOR:
        move = TDropDownKey::PageUp;
        break;
    case VK_NEXT:
        move = TDropDownKey::PageDown;
        break;
    case VK_HOME:
        move = TDropDownKey::Home;
        break;
    case VK_END:
        move = TDropDownKey::End;
        break;
    case VK_F4:
        SetDroppedDown(!dropped_);
        return;
    default:
        return;
    }
    MoveTo(RowAfterKey(move, CurrentRow(), int(items_.size()), std::min(int(items_.size()), kDroppedRows)));
}

int TComboBox::CurrentRow() const {
    return dropped_ ? int(SendMessageA(list_.Get(), LB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TComboBox::MoveTo(int row) {
    if (dropped_)
        Highlight(row);
    else
        Choose(row);
}

bool TComboBox::DialogKey(UINT key) {
    if (!dropped_ || (key != VK_RETURN && key != VK_ESCAPE)) return false;
    CloseUp(key == VK_RETURN);
    return true;
}

// Messages -----------------------------------------------------------------------------------------

LRESULT TComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (dropped_ ? DLGC_WANTALLKEYS : 0);
    case WM_KEYDOWN:
        HandleKey(UINT(wParam));
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
            if (dropped_)
                CloseUp(true);
            else
                SetDroppedDown(true);
        }
        break; // the system still sees the key, so letting Alt go does not open the menu bar
    case WM_CHAR:
        MoveTo(RowOfCharacter(items_, CurrentRow(), char(wParam)));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (dropped_) {
            // A press in the list waits for its release; anywhere else it closes the list.
            if (ListRowAt(ScreenPoint(lParam)) < 0) CloseUp(false);
            return 0;
        }
        if (GetFocus() != Handle()) ::SetFocus(Handle());
        SetDroppedDown(true);
        return 0;
    case WM_MOUSEMOVE:
        // The row under the pointer lights up, with or without the button held.
        if (dropped_) Highlight(ListRowAt(ScreenPoint(lParam)));
        return 0;
    case WM_LBUTTONUP:
        if (dropped_) {
            const int row = ListRowAt(ScreenPoint(lParam));
            if (row >= 0) {
                Highlight(row);
                CloseUp(true);
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (dropped_ && HWND(lParam) != Handle()) CloseUp(false);
        return 0;
    case WM_SETFOCUS:
        Invalidate();
        return 0;
    case WM_KILLFOCUS:
        CloseUp(false);
        Invalidate();
        return 0;
    case WM_ENABLE:
        Invalidate();
        return 0;
    case WM_DESTROY:
        dropped_ = false;
        list_.Reset();
        break;
    // The system box's questions and commands, for programs that read or drive it.
    case WM_GETTEXT:
        return CopyText(Text(), reinterpret_cast<char*>(lParam), std::size_t(wParam));
    case WM_GETTEXTLENGTH:
        return LRESULT(Text().size());
    case CB_GETCOUNT:
        return LRESULT(items_.size());
    case CB_GETCURSEL:
        return itemIndex_;
    case CB_SETCURSEL:
        SetItemIndex(int(wParam));
        return itemIndex_ == int(wParam) ? itemIndex_ : CB_ERR;
    case CB_GETLBTEXT:
        if (int(wParam) < 0 || int(wParam) >= int(items_.size())) return CB_ERR;
        return CopyText(items_[wParam], reinterpret_cast<char*>(lParam), items_[wParam].size() + 1);
    case CB_GETLBTEXTLEN:
        return int(wParam) >= 0 && int(wParam) < int(items_.size()) ? LRESULT(items_[wParam].size()) : CB_ERR;
    case CB_ADDSTRING: {
        std::vector<std::string> items = items_;
        const int index = itemIndex_;
        items.push_back(lParam ? reinterpret_cast<const char*>(lParam) : "");
        SetItems(items);
        SetItemIndex(index);
        return LRESULT(items_.size() - 1);
    }
    case CB_RESETCONTENT:
        SetItems({});
        return CB_OKAY;
    case CB_SHOWDROPDOWN:
        SetDroppedDown(wParam != 0);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return dropped_;
    }
    return TControl::WndProc(msg, wParam, lParam);
}

void TComboBox::Paint(HDC dc) {
    RECT client = ClientRect();
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    const RECT button = ButtonRect(client);
    RECT field{client.left, client.top, button.left, client.bottom};
    FillRect(dc, &field, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    RECT arrow = button;
    DrawFrameControl(dc, &arrow, DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | (dropped_ ? DFCS_PUSHED | DFCS_FLAT : 0) | (enabled ? 0 : DFCS_INACTIVE));

    const bool focused = GetFocus() == Handle() && !dropped_;
    RECT text = field;
    InflateRect(&text, -1, -1);
    if (focused) FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
    SelectObjectScope font(dc, FontHandle(Font()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled ? COLOR_GRAYTEXT : focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT words = text;
    words.left += kTextMargin;
    const std::string shown = Text();
    DrawTextA(dc, shown.c_str(), int(shown.size()), &words, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (focused) DrawFocusRect(dc, &text);
}
