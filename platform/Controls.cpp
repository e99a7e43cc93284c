#include "platform/Controls.h"

#include "platform/Guard.h"

#include <algorithm>

// Buttons -------------------------------------------------------------------------------------

void TButton::Create(TControl& parent, const TBounds& bounds, const std::string& caption) {
    CreateHandle(&parent, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, bounds, caption);
}

void TButton::SetDefault(bool isDefault) {
    SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (OnClick) OnClick();
    if (ModalResult != mrNone) Root()->ButtonResult(ModalResult);
}

void TButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Click();
}

// A caption wider than its place in the font on the screen takes the free room up to the container's
// edge; on the form itself, where that is too little, the form grows to hold it.
void TCheckBox::Create(TControl& parent, const TBounds& bounds, const std::string& caption) {
    CreateHandle(&parent, "BUTTON", WS_TABSTOP | BS_CHECKBOX, 0, bounds, caption);
    TBounds placed = Bounds();
    const int needed = CaptionLeft() + TextExtent(font_, caption).cx;
    if (needed <= placed.width) return;
    if (&parent == Root()) WidenFormTo(placed.left + needed);
    placed.width = std::min<int>(needed, parent.ClientRect().right - placed.left);
    SetPixelBounds(placed);
}

// The system draws the box, then leaves half a digit of the dialog font before the caption.
int TCheckBox::CaptionLeft() {
    WindowDc dc(nullptr);
    SelectObjectScope font(dc.Get(), FontHandle(TFontSpec{}));
    int digit = 0;
    GetCharWidth32A(dc.Get(), '0', '0', &digit);
    return GetSystemMetrics(SM_CXMENUCHECK) + digit / 2;
}

bool TCheckBox::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    if (Checked() != checked) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::CommandNotify(WORD code) {
    if (code != BN_CLICKED) return;
    SetChecked(!Checked());
    if (OnClick) OnClick();
}

// Labels ---------------------------------------------------------------------------------------

void TLabel::Create(TControl& parent, const TBounds& bounds, const std::string& caption) {
    const DWORD style = Alignment == TAlignment::Right    ? SS_RIGHT
                        : Alignment == TAlignment::Center ? SS_CENTER
                                                          : SS_LEFT;
    CreateHandle(&parent, "STATIC", style, 0, bounds, caption);
    AdjustSize(); // to the caption in the font at the screen's scale
    // A caption that reaches beyond the form makes the form wider.
    const TBounds placed = Bounds();
    if (&parent == Root()) WidenFormTo(placed.left + placed.width);
}

void TLabel::AdjustSize() {
    SetPixelBounds(Fitted(Bounds(), Caption()));
}

TBounds TLabel::Fitted(const TBounds& bounds, const std::string& caption) const {
    if (Align() != TAlign::None) return bounds;
    const SIZE text = TextExtent(font_, caption);
    int left = bounds.left;
    if (Alignment == TAlignment::Right) left = bounds.left + bounds.width - text.cx;
    if (Alignment == TAlignment::Center) left = bounds.left + (bounds.width - text.cx) / 2;
    return {left, bounds.top, int(text.cx), int(text.cy)};
}

// Panels and bevels ------------------------------------------------------------------------------

namespace {
// The system's 3-D edge, one ring per unit of width: a raised one is light above and left.
void DrawBevel(HDC dc, RECT& rc, TBevelCut cut, int width) {
    for (int i = 0; cut != TBevelCut::None && i < width; ++i)
        DrawEdge(dc, &rc, cut == TBevelCut::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
}
} // namespace

void TPanel::Create(TControl& parent, const TBounds& bounds, const std::string& caption) {
    // Its controls are the form's tab stops.
    CreateHandle(&parent, kClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, bounds, caption);
}

int TPanel::ClientInset() const {
    return BorderWidth + (BevelOuter != TBevelCut::None ? BevelWidth : 0) +
           (BevelInner != TBevelCut::None ? BevelWidth : 0);
}

void TPanel::Paint(HDC dc) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    DrawBevel(dc, rc, BevelOuter, BevelWidth);
    InflateRect(&rc, -BorderWidth, -BorderWidth);
    DrawBevel(dc, rc, BevelInner, BevelWidth);
    const std::string caption = ShowCaption ? Caption() : std::string();
    if (caption.empty()) return;
    SelectObjectScope font(dc, FontHandle(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRgb(font_.color));
    DrawTextA(dc, caption.c_str(), int(caption.size()), &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TBevel::Create(TControl& parent, const TBounds& bounds) {
    CreateHandle(&parent, kClassName, 0, 0, bounds);
}

LRESULT TBevel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return msg == WM_NCHITTEST ? HTTRANSPARENT : TControl::WndProc(msg, wParam, lParam);
}

void TBevel::Paint(HDC dc) {
    RECT rc = ClientRect();
    DrawEdge(dc, &rc, EDGE_ETCHED, BF_TOP);
}

void TSplitter::Create(TControl& parent, const TBounds& bounds) {
    CreateHandle(&parent, kClassName, 0, 0, bounds);
}

// Images -----------------------------------------------------------------------------------------

void TImage::Create(TControl& parent, const TBounds& bounds) {
    CreateHandle(&parent, kClassName, 0, 0, bounds);
}

// The picture paints over its own background: a picture that changes often does not flicker.
LRESULT TImage::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return msg == WM_ERASEBKGND ? 1 : TControl::WndProc(msg, wParam, lParam);
}

void TImage::SetPicture(UniqueBitmap bitmap) {
    picture_.Assign(std::move(bitmap));
    Invalidate();
}

void TImage::Paint(HDC dc) {
    const RECT rc = ClientRect();
    BITMAP info = {};
    if (picture_.Handle()) GetObjectA(picture_.Handle(), sizeof(info), &info);
    RECT shown = rc;
    if (!Stretch || !picture_.Handle()) {
        const int width = ScaleWithLayout ? Scaled(info.bmWidth) : info.bmWidth,
                  height = ScaleWithLayout ? Scaled(info.bmHeight) : info.bmHeight;
        const int x = Center ? (rc.right - width) / 2 : 0, y = Center ? (rc.bottom - height) / 2 : 0;
        shown = {x, y, x + width, y + height};
    }
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, shown.left, shown.top, shown.right, shown.bottom);
    FillRect(dc, &rc, ColorBrush(Parent()->Color()));
    RestoreDC(dc, saved);
    if (!picture_.Handle()) return;
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    SelectObjectScope select(memory.Get(), picture_.Handle());
    // Smoothed where the system can (Windows 9x keeps colour on colour): a logo grown by 1.25 stays even.
    SetStretchBltMode(dc, ScaleWithLayout ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top, memory.Get(), 0, 0,
               info.bmWidth, info.bmHeight, SRCCOPY);
}

// Speed buttons ----------------------------------------------------------------------------------

namespace {
WNDPROC buttonProc = nullptr; // the system's procedure of the BUTTON class

// In a high-contrast scheme every caption takes the scheme's button text colour.
bool HighContrast() {
    HIGHCONTRASTA scheme = {};
    scheme.cbSize = sizeof(scheme);
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(scheme), &scheme, 0) &&
           (scheme.dwFlags & HCF_HIGHCONTRASTON);
}
} // namespace

void TSpeedButton::Create(TControl& parent, const TBounds& bounds, const std::string& caption) {
    for (TControl* sibling : parent.Controls())
        if (dynamic_cast<TSpeedButton*>(sibling)) startsGroup_ = false;
    CreateHandle(&parent, "BUTTON", BS_OWNERDRAW, 0, bounds, caption);
}

// The system's button takes the keys (Space); the mouse is the program's, so that a click leaves
// the focus where it was.
void TSpeedButton::HandleCreated() {
    WNDPROC system =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ButtonProc)));
    if (system != &ButtonProc) buttonProc = system;
}

LRESULT CALLBACK TSpeedButton::ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (auto* button = dynamic_cast<TSpeedButton*>(FromHandle(hwnd))) switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            return button->MouseMessage(msg, lParam);
        case WM_CAPTURECHANGED:
            if (button->pressing_) return button->MouseMessage(msg, lParam);
            break;
        case BM_SETSTATE: // the system raises a button after Space; the down one stays pushed
            if (button->Down()) wParam = TRUE;
            break;
        }
    return CallWindowProcA(buttonProc, hwnd, msg, wParam, lParam);
}

LRESULT TSpeedButton::MouseMessage(UINT msg, LPARAM lParam) {
    RECT rc = ClientRect();
    POINT pt{short(LOWORD(lParam)), short(HIWORD(lParam))};
    const bool inside = PtInRect(&rc, pt) != FALSE;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressing_ = true;
        SetCapture(Handle());
        ShowState(true);
        break;
    case WM_MOUSEMOVE:
        if (pressing_) ShowState(inside || Down());
        break;
    case WM_LBUTTONUP:
        if (!pressing_) break;
        pressing_ = false;
        ReleaseCapture();
        ShowState(Down());
        if (inside) Guard([this] { Click(); });
        break;
    case WM_CAPTURECHANGED:
        pressing_ = false;
        ShowState(Down());
        break;
    }
    return 0;
}

void TSpeedButton::ShowState(bool pushed) {
    const bool shown = (CallWindowProcA(buttonProc, Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    if (shown != pushed) CallWindowProcA(buttonProc, Handle(), BM_SETSTATE, pushed, 0);
    InvalidateRect(Handle(), nullptr, FALSE); // the down button's face changes while it is pressed
}

bool TSpeedButton::Down() const {
    return (GetWindowLongA(Handle(), GWL_STYLE) & WS_TABSTOP) != 0;
}

void TSpeedButton::SetDown(bool down) {
    if (!down || Down()) return;
    for (TSpeedButton* button : Group()) {
        const LONG style = GetWindowLongA(button->Handle(), GWL_STYLE);
        SetWindowLongA(button->Handle(), GWL_STYLE, button == this ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        button->ShowState(button == this);
    }
}

void TSpeedButton::Click() {
    std::vector<TSpeedButton*> group = Group();
    const bool groupFocused =
        std::any_of(group.begin(), group.end(), [](const TSpeedButton* button) { return button->Focused(); });
    SetDown(true);
    if (groupFocused && !Focused()) SetFocus(); // the focus follows within its group
    if (OnClick) OnClick();
}

void TSpeedButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Click();
}

std::vector<TSpeedButton*> TSpeedButton::Group() const {
    std::vector<TSpeedButton*> group;
    if (Parent())
        for (TControl* sibling : Parent()->Controls())
            if (auto* button = dynamic_cast<TSpeedButton*>(sibling)) group.push_back(button);
    return group;
}

TFontSpec TSpeedButton::ShownFont() const {
    TFontSpec font = font_;
    const int room = ClientRect().right - 2 * kEdge;
    const std::string caption = Caption();
    while (font.height < -1 && TextExtent(font, caption).cx > room)
        ++font.height;
    return font;
}

bool TSpeedButton::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    const bool sunken = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rc, GetSysColorBrush(Down() && !pressing_ ? COLOR_3DLIGHT : COLOR_BTNFACE));
    DrawEdge(dc, &rc, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (sunken) OffsetRect(&rc, 1, 1);
    SelectObjectScope font(dc, FontHandle(ShownFont()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, HighContrast() ? GetSysColor(COLOR_BTNTEXT) : ColorToRgb(font_.color));
    const std::string caption = Caption();
    DrawTextA(dc, caption.c_str(), int(caption.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
    return true;
}
