#include "platform/Window.h"

#include "platform/Guard.h"
#include "platform/Menus.h"
#include "platform/WaitCursor.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace {
// The object of each of the program's windows. Kept in the process: a window property is a trip to
// the window system on some systems (Wine keeps them in its server), at every message.
std::unordered_map<HWND, TControl*>& Objects() {
    static std::unordered_map<HWND, TControl*> objects;
    return objects;
}
HINSTANCE classInstance = nullptr; // the module the classes were registered for
} // namespace

const char* const TControl::kClassName = "TVistrelControl";
const char* const TControl::kFormClassName = "TVistrelForm";

LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TControl* control = nullptr;
    if (msg == WM_NCCREATE) {
        control = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (control) {
            Objects()[hwnd] = control;
            control->handle_.Reset(hwnd);
        }
    } else {
        control = TControl::FromHandle(hwnd);
    }
    if (!control) return DefWindowProcA(hwnd, msg, wParam, lParam);

    LRESULT result = 0;
    // No exception may cross the system's code: a failing handler ends here and is reported.
    Guard([&] { result = control->WndProc(msg, wParam, lParam); });
    if (msg == WM_NCDESTROY) {
        Objects().erase(hwnd);
        control->handle_.Release();
    }
    return result;
}

void RegisterWindowClasses(HINSTANCE instance) {
    classInstance = instance;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ObjectWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = TControl::kClassName;
    RegisterClassA(&wc);
    // A program without an icon gets the system's.
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.lpszClassName = TControl::kFormClassName;
    RegisterClassA(&wc);
}

void TControl::ForgetChildHandles() {
    for (TControl* child : children_) {
        child->ForgetChildHandles();
        if (child->handle_) {
            Objects().erase(child->handle_.Get());
            child->handle_.Release();
        }
    }
}

TControl::~TControl() {
    // The children's windows die with this one: forget their handles so nothing is destroyed
    // twice, and forget this container so no child reaches back into it.
    ForgetChildHandles();
    for (TControl* child : children_)
        child->parent_ = nullptr;
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    if (handle_) {
        Objects().erase(handle_.Get());
        handle_.Reset();
    }
}

TControl* TControl::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto found = Objects().find(hwnd);
    return found == Objects().end() ? nullptr : found->second;
}

TControl* TControl::Root() {
    TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return c;
}

void TControl::CreateHandle(TControl* parent, const char* className, DWORD style, DWORD exStyle, const TBounds& bounds,
                            const std::string& caption, HWND owner) {
    parent_ = parent;
    if (parent) {
        parent->children_.push_back(this);
        style |= WS_CHILD | WS_CLIPSIBLINGS | (HiddenAtCreation ? 0 : WS_VISIBLE) | (startsGroup_ ? WS_GROUP : 0);
        owner = parent->Handle();
    }
    // A control's place is given at 96 pixels per inch and grows with the system font; a form's
    // window is already placed on the screen.
    const TBounds placed = parent ? Scaled(bounds) : bounds;
    HWND hwnd = CreateWindowExA(exStyle, className, caption.c_str(), style, placed.left, placed.top, placed.width,
                                placed.height, owner, nullptr, classInstance, this);
    if (!hwnd) throw std::runtime_error("Error creating window of class " + std::string(className));
    if (handle_.Get() != hwnd) {
        Objects()[hwnd] = this;
        handle_.Reset(hwnd);
    }
    SendMessageA(hwnd, WM_SETFONT, WPARAM(FontHandle(font_)), FALSE);
    HandleCreated();
    if (parent_ && align_ != TAlign::None) parent_->Realign();
    if (!hint_.empty()) Root()->UpdateHint(*this);
}

RECT TControl::ClientRect() const {
    RECT rc{0, 0, 0, 0};
    GetClientRect(handle_.Get(), &rc);
    return rc;
}

TBounds TControl::Bounds() const {
    RECT rc{0, 0, 0, 0};
    GetWindowRect(handle_.Get(), &rc);
    if (parent_) MapWindowPoints(nullptr, parent_->Handle(), reinterpret_cast<POINT*>(&rc), 2);
    return {int(rc.left), int(rc.top), int(rc.right - rc.left), int(rc.bottom - rc.top)};
}

void TControl::SetBounds(const TBounds& bounds) {
    SetPixelBounds(Scaled(bounds));
}

void TControl::SetPixelBounds(const TBounds& bounds) {
    MoveWindow(handle_.Get(), bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
}

// The form keeps its middle where it was.
void TControl::WidenFormTo(int right) {
    TControl* form = Root();
    const int missing = right - form->ClientRect().right;
    if (form == this || !form->Handle() || missing <= 0) return;
    RECT rc;
    GetWindowRect(form->Handle(), &rc);
    SetWindowPos(form->Handle(), nullptr, std::max<int>(0, rc.left - missing / 2), rc.top, rc.right - rc.left + missing,
                 rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::SetAlign(TAlign align) {
    align_ = align;
    if (parent_) parent_->Realign();
}

bool TControl::Visible() const {
    return (GetWindowLongA(handle_.Get(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void TControl::SetVisible(bool visible) {
    if (Visible() == visible) return;
    ShowWindow(handle_.Get(), visible ? SW_SHOWNA : SW_HIDE);
    if (!hint_.empty()) Root()->UpdateHint(*this);
    if (parent_ && align_ != TAlign::None) parent_->Realign();
}

bool TControl::Enabled() const {
    return IsWindowEnabled(handle_.Get()) != FALSE;
}

void TControl::SetEnabled(bool enabled) {
    EnableWindow(handle_.Get(), enabled);
}

bool TControl::CanFocus() const {
    for (const TControl* c = this; c->parent_; c = c->parent_)
        if (!c->Enabled()) return false;
    return IsWindowVisible(handle_.Get()) && Enabled();
}

bool TControl::Focused() const {
    HWND focus = GetFocus();
    return handle_ && focus && (focus == handle_.Get() || IsChild(handle_.Get(), focus));
}

void TControl::SetFocus() {
    if (handle_) ::SetFocus(handle_.Get());
}

std::string TControl::Caption() const {
    std::string text(std::size_t(GetWindowTextLengthA(handle_.Get())) + 1, '\0');
    text.resize(std::size_t(GetWindowTextA(handle_.Get(), text.data(), int(text.size()))));
    return text;
}

void TControl::SetCaption(const std::string& caption) {
    SetWindowTextA(handle_.Get(), caption.c_str());
    Invalidate();
    CaptionChanged();
}

void TControl::SetHint(const std::string& hint) {
    if (hint_ == hint) return;
    hint_ = hint;
    if (handle_) Root()->UpdateHint(*this);
}

void TControl::SetFont(const TFontSpec& font) {
    font_ = font;
    if (!handle_) return;
    SendMessageA(handle_.Get(), WM_SETFONT, WPARAM(FontHandle(font_)), TRUE);
    Invalidate();
    FontChanged();
}

void TControl::SetColor(TColor color) {
    if (color_ == color) return;
    color_ = color;
    Invalidate();
}

void TControl::Invalidate() {
    if (handle_) InvalidateRect(handle_.Get(), nullptr, TRUE);
}

void TControl::PaintNow(const RECT& part) {
    if (!handle_ || !IsWindowVisible(handle_.Get())) return;
    WindowDc dc(handle_.Get());
    IntersectClipRect(dc.Get(), part.left, part.top, part.right, part.bottom);
    Paint(dc.Get());
}

void TControl::Realign() {
    if (!handle_) return;
    RECT rc;
    GetClientRect(handle_.Get(), &rc);
    TBounds client = InsetBounds({0, 0, int(rc.right), int(rc.bottom)}, ClientInset());
    std::vector<AlignItem> items;
    std::vector<TControl*> aligned;
    for (TControl* child : children_) {
        if (child->align_ == TAlign::None || !child->handle_) continue;
        items.push_back({child->align_, child->Bounds(), child->Visible()});
        aligned.push_back(child);
    }
    if (items.empty()) return;
    AlignControls(client, items);
    for (std::size_t i = 0; i < aligned.size(); ++i) {
        const TBounds& b = items[i].bounds;
        if (!(b == aligned[i]->Bounds())) aligned[i]->SetPixelBounds(b);
    }
}

bool TControl::ShowContextMenu(HWND clicked, LPARAM position) {
    for (TControl* c = FromHandle(clicked); c; c = c->parent_) {
        if (!c->PopupMenu) continue;
        POINT pt{short(LOWORD(position)), short(HIWORD(position))};
        if (position == LPARAM(-1)) { // from the keyboard: at the control's top left corner
            pt = {0, 0};
            ClientToScreen(c->Handle(), &pt);
        }
        HWND owner = c->Root()->Handle();
        c->PopupMenu->Popup(owner ? owner : c->Handle(), pt.x, pt.y);
        return true;
    }
    return false;
}

LRESULT TControl::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return handle_ ? DefWindowProcA(handle_.Get(), msg, wParam, lParam) : 0;
}

LRESULT TControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(handle_.Get(), &rc);
        FillRect(HDC(wParam), &rc, ColorBrush(color_));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle_.Get(), &ps);
        Paint(dc);
        EndPaint(handle_.Get(), &ps);
        return 0;
    }
    case WM_SIZE:
        Realign();
        return 0;
    case WM_COMMAND:
        if (lParam) {
            if (TControl* child = FromHandle(HWND(lParam))) child->CommandNotify(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (TControl* child = FromHandle(hdr->hwndFrom); child && child != this) return child->NotifyNotify(hdr);
        break;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (TControl* child = FromHandle(item->hwndItem); child && child->DrawItem(*item)) return TRUE;
        break;
    }
    // Labels, check boxes and buttons on this control's background, in their own text colour (the
    // system's unless the program gave one).
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const TControl* child = FromHandle(HWND(lParam));
        SetTextColor(HDC(wParam), ColorToRgb(child ? child->font_.color : clWindowText));
        SetBkColor(HDC(wParam), ColorToRgb(color_));
        return LRESULT(ColorBrush(color_));
    }
    case WM_CONTEXTMENU:
        if (ShowContextMenu(HWND(wParam), lParam)) return 0;
        break;
    case WM_SETCURSOR:
        // Children ask their container first: the whole window shows the wait.
        if (TWaitCursor::Held()) {
            ::SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        if (cursor_ && HWND(wParam) == handle_.Get() && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(LoadCursor(nullptr, cursor_));
            return TRUE;
        }
        break;
    // A click, as Windows buttons count it: pressed and released on this control, which holds the
    // mouse in between.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (OnClick) {
            pressed_ = true;
            SetCapture(handle_.Get());
        }
        if (msg == WM_LBUTTONDOWN) break;
        if (OnDblClick) OnDblClick();
        return 0;
    case WM_LBUTTONUP: {
        RECT rc = ClientRect();
        POINT pt{short(LOWORD(lParam)), short(HIWORD(lParam))};
        bool click = pressed_ && PtInRect(&rc, pt);
        pressed_ = false;
        if (GetCapture() == handle_.Get()) ReleaseCapture();
        if (click && OnClick) OnClick();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}
