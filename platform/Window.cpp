#include "platform/Window.h"

#include "platform/Guard.h"
#include "platform/Menus.h"
#include "platform/WaitCursor.h"

#include <algorithm>
#include <utility>
#include <stdexcept>

namespace {
const char* const kObjectProp = "Vistrel.Object";
HINSTANCE classInstance = nullptr; // the module the classes were registered for
} // namespace

const char* const TControl::kClassName = "TVistrelControl";
const char* const TControl::kFormClassName = "TVistrelForm";

LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TControl* control = nullptr;
    if (msg == WM_NCCREATE) {
        control = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (control) {
            SetPropA(hwnd, kObjectProp, control);
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
        RemovePropA(hwnd, kObjectProp);
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
            RemovePropA(child->handle_.Get(), kObjectProp);
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
        if (parent_->mouseTarget_ == this) parent_->mouseTarget_ = nullptr;
        if (graphic_) InvalidateInParent();
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    if (handle_) {
        RemovePropA(handle_.Get(), kObjectProp);
        handle_.Reset();
    }
}

TControl* TControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<TControl*>(GetPropA(hwnd, kObjectProp)) : nullptr;
}

TControl* TControl::Root() {
    TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return c;
}

void TControl::CreateHandle(TControl* parent, const char* className, DWORD style, DWORD exStyle, HWND owner) {
    ownClass_ = className == kClassName || className == kFormClassName;
    parent_ = parent;
    if (parent) parent->children_.push_back(this);
    pending_ = {className, style, exStyle, owner};
    if (parent && !visible_ && deferWhileHidden_) return;
    CreateWindowNow();
}

void TControl::CreateWindowNow() {
    DWORD style = pending_.style;
    HWND parentHwnd = pending_.owner;
    if (parent_) {
        style |= WS_CHILD | WS_CLIPSIBLINGS | (startsGroup_ ? WS_GROUP : 0);
        parentHwnd = parent_->Handle();
        if (visible_) style |= WS_VISIBLE;
    }
    if (!enabled_) style |= WS_DISABLED;
    const char* className = pending_.className;
    pending_.className = nullptr;
    HWND hwnd = CreateWindowExA(pending_.exStyle, className, caption_.c_str(), style, bounds_.left, bounds_.top,
                                bounds_.width, bounds_.height, parentHwnd, nullptr, classInstance, this);
    if (!hwnd) throw std::runtime_error("Error creating window of class " + std::string(className));
    if (handle_.Get() != hwnd) {
        SetPropA(hwnd, kObjectProp, this);
        handle_.Reset(hwnd);
    }
    SendMessageA(hwnd, WM_SETFONT, WPARAM(FontHandle(font_)), FALSE);
    HandleCreated();
    if (parent_) Root()->PlaceInTabOrder(*this);
    if (parent_ && align_ != TAlign::None) parent_->Realign();
    if (!hint_.empty()) Root()->UpdateHint(*this);
}

void TControl::CreateGraphic(TControl& parent) {
    graphic_ = true;
    parent_ = &parent;
    parent.children_.push_back(this);
    if (align_ != TAlign::None) parent.Realign();
    InvalidateInParent();
    if (!hint_.empty()) Root()->UpdateHint(*this);
}

RECT TControl::ClientRect() const {
    if (handle_) {
        RECT rc;
        GetClientRect(handle_.Get(), &rc);
        return rc;
    }
    return {0, 0, bounds_.width, bounds_.height};
}

void TControl::InvalidateInParent() {
    if (!parent_ || !parent_->handle_) return;
    RECT rc{bounds_.left, bounds_.top, bounds_.left + bounds_.width, bounds_.top + bounds_.height};
    InvalidateRect(parent_->handle_.Get(), &rc, TRUE);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (graphic_) InvalidateInParent();
    bounds_ = {left, top, width, height};
    if (handle_) MoveWindow(handle_.Get(), left, top, width, height, TRUE);
    if (graphic_) {
        InvalidateInParent();
        if (!hint_.empty()) Root()->UpdateHint(*this);
    }
}

void TControl::SetAlign(TAlign align) {
    align_ = align;
    if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (visible && pending_.className && parent_ && parent_->Handle()) CreateWindowNow();
    if (handle_) ShowWindow(handle_.Get(), visible ? SW_SHOWNA : SW_HIDE);
    if (graphic_) InvalidateInParent();
    if (!hint_.empty()) Root()->UpdateHint(*this);
    if (parent_ && align_ != TAlign::None) parent_->Realign();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    if (handle_) EnableWindow(handle_.Get(), enabled);
    if (graphic_) InvalidateInParent();
}

bool TControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    HWND window = handle_.Get();
    return window && IsWindowVisible(window) && IsWindowEnabled(window);
}

bool TControl::Focused() const {
    HWND focus = GetFocus();
    return handle_ && focus && (focus == handle_.Get() || IsChild(handle_.Get(), focus));
}

void TControl::SetFocus() {
    if (handle_) ::SetFocus(handle_.Get());
}

std::string TControl::Caption() const {
    return caption_;
}

void TControl::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (handle_) {
        SetWindowTextA(handle_.Get(), caption.c_str());
        if (ownClass_) Invalidate();
    }
    if (graphic_) InvalidateInParent();
    CaptionChanged();
}

void TControl::SetHint(const std::string& hint) {
    if (hint_ == hint) return;
    hint_ = hint;
    if (handle_ || graphic_) Root()->UpdateHint(*this);
}

void TControl::SetFont(const TFontSpec& font) {
    font_ = font;
    if (handle_) {
        SendMessageA(handle_.Get(), WM_SETFONT, WPARAM(FontHandle(font_)), TRUE);
        Invalidate();
    }
    if (graphic_) InvalidateInParent();
    FontChanged();
}

void TControl::SetColor(TColor color) {
    if (color_ == color) return;
    color_ = color;
    Invalidate();
}

void TControl::Invalidate() {
    if (handle_) InvalidateRect(handle_.Get(), nullptr, TRUE);
    if (graphic_) InvalidateInParent();
}

TControl* TControl::GraphicChildAt(POINT pt) const {
    // Later controls lie on top of earlier ones.
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        TControl* child = *it;
        const TBounds& b = child->bounds_;
        if (child->graphic_ && child->visible_ && child->enabled_ && pt.x >= b.left && pt.x < b.left + b.width &&
            pt.y >= b.top && pt.y < b.top + b.height)
            return child;
    }
    return nullptr;
}

void TControl::PaintGraphicChildren(HDC dc) {
    for (TControl* child : children_)
        if (child->graphic_ && child->visible_) child->PaintInParent(dc);
}

void TControl::PaintInParent(HDC dc) {
    int saved = SaveDC(dc);
    IntersectClipRect(dc, bounds_.left, bounds_.top, bounds_.left + bounds_.width, bounds_.top + bounds_.height);
    OffsetViewportOrgEx(dc, bounds_.left, bounds_.top, nullptr);
    Paint(dc);
    RestoreDC(dc, saved);
}

void TControl::PaintNow(const RECT& part) {
    if (!graphic_ || !visible_ || !parent_ || !parent_->handle_) return;
    WindowDc dc(parent_->handle_.Get());
    IntersectClipRect(dc.Get(), bounds_.left + part.left, bounds_.top + part.top, bounds_.left + part.right,
                      bounds_.top + part.bottom);
    PaintInParent(dc.Get());
}

// Mouse messages over a graphic child go to it; from a button press to its release the child
// keeps the mouse, through this window's capture.
bool TControl::RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_CAPTURECHANGED) {
        if (TControl* target = std::exchange(mouseTarget_, nullptr)) target->WndProc(msg, 0, 0);
        return false;
    }
    if (msg < WM_MOUSEMOVE || msg > WM_MBUTTONDBLCLK) return false;
    POINT pt{short(LOWORD(lParam)), short(HIWORD(lParam))};
    TControl* target = mouseTarget_ ? mouseTarget_ : GraphicChildAt(pt);
    if (!target) return false;
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        mouseTarget_ = target;
        SetCapture(handle_.Get());
    } else if (msg == WM_LBUTTONUP && mouseTarget_) {
        mouseTarget_ = nullptr;
        ReleaseCapture();
    }
    result = target->WndProc(msg, wParam, MAKELPARAM(pt.x - target->bounds_.left, pt.y - target->bounds_.top));
    // The container's default step still turns the right-button release into WM_CONTEXTMENU, which
    // opens the pop-up menu of the graphic control at that point.
    return msg != WM_RBUTTONUP;
}

void TControl::Realign() {
    if (!handle_) return;
    RECT rc;
    GetClientRect(handle_.Get(), &rc);
    TBounds client = InsetBounds({0, 0, int(rc.right), int(rc.bottom)}, ClientInset());
    std::vector<AlignItem> items;
    std::vector<TControl*> aligned;
    for (TControl* child : children_) {
        if (child->align_ == TAlign::None) continue;
        items.push_back({child->align_, child->bounds_, child->visible_});
        aligned.push_back(child);
    }
    if (items.empty()) return;
    AlignControls(client, items);
    for (std::size_t i = 0; i < aligned.size(); ++i) {
        const TBounds& b = items[i].bounds;
        if (!(b == aligned[i]->bounds_)) aligned[i]->SetBounds(b.left, b.top, b.width, b.height);
    }
}

bool TControl::ShowContextMenu(HWND clicked, LPARAM position) {
    TControl* start = FromHandle(clicked);
    if (start && position != LPARAM(-1)) {
        POINT pt{short(LOWORD(position)), short(HIWORD(position))};
        ScreenToClient(clicked, &pt);
        if (TControl* graphic = start->GraphicChildAt(pt)) start = graphic;
    }
    for (TControl* c = start; c; c = c->parent_) {
        if (!c->PopupMenu) continue;
        POINT pt{short(LOWORD(position)), short(HIWORD(position))};
        if (position == LPARAM(-1)) { // from the keyboard: at the control's top left corner
            pt = {c->graphic_ ? c->bounds_.left : 0, c->graphic_ ? c->bounds_.top : 0};
            ClientToScreen(c->graphic_ ? c->parent_->Handle() : c->Handle(), &pt);
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
    LRESULT routed = 0;
    if (!graphic_ && RouteMouse(msg, wParam, lParam, routed)) return routed;
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
        PaintGraphicChildren(dc);
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
    // A click, as Windows buttons count it: pressed and released on this control. A windowed
    // control holds the mouse in between; a graphic one is held by its container.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (OnClick) {
            pressed_ = true;
            if (handle_) SetCapture(handle_.Get());
        }
        if (msg == WM_LBUTTONDOWN) break;
        if (OnDblClick) OnDblClick();
        return 0;
    case WM_LBUTTONUP: {
        RECT rc = ClientRect();
        POINT pt{short(LOWORD(lParam)), short(HIWORD(lParam))};
        bool click = pressed_ && PtInRect(&rc, pt);
        pressed_ = false;
        if (handle_ && GetCapture() == handle_.Get()) ReleaseCapture();
        if (click && OnClick) OnClick();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}
