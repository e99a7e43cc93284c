#include "platform/Controls.h"

#include "platform/Application.h"

// Buttons -------------------------------------------------------------------------------------

void TButton::Create(TControl& parent) {
    CreateHandle(&parent, "BUTTON", WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0);
}

void TButton::SetDefault(bool isDefault) {
    default_ = isDefault;
    if (Handle()) SendMessageA(Handle(), BM_SETSTYLE, default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (OnClick) OnClick();
    if (ModalResult != mrNone)
        if (TForm* form = Form()) form->ModalResult = ModalResult;
}

void TButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Click();
}

void TCheckBox::Create(TControl& parent) {
    CreateHandle(&parent, "BUTTON", WS_TABSTOP | BS_CHECKBOX, 0);
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    if (Handle()) SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick();
}

void TCheckBox::CommandNotify(WORD code) {
    if (code == BN_CLICKED) SetChecked(!checked_);
}

// Labels ---------------------------------------------------------------------------------------

namespace {
UINT AlignmentFlags(TAlignment alignment) {
    switch (alignment) {
    case TAlignment::Right:
        return DT_RIGHT;
    case TAlignment::Center:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}
} // namespace

void TLabel::Create(TControl& parent) {
    CreateGraphic(parent);
    AdjustSize();
}

void TLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

// An unaligned label takes the size of its text; a right-aligned one keeps its right edge.
void TLabel::AdjustSize() {
    if (!IsGraphic() || Align() != TAlign::None) return;
    WindowDc dc(nullptr);
    SelectObjectScope font(dc.Get(), FontHandle(font_));
    RECT rc{0, 0, 0, 0};
    std::string text = caption_.empty() ? " " : caption_;
    DrawTextA(dc.Get(), text.c_str(), int(text.size()), &rc, DT_CALCRECT | DT_SINGLELINE);
    int left = bounds_.left;
    if (alignment_ == TAlignment::Right) left = bounds_.left + bounds_.width - rc.right;
    if (alignment_ == TAlignment::Center) left = bounds_.left + (bounds_.width - rc.right) / 2;
    SetBounds(left, bounds_.top, rc.right, rc.bottom);
}

void TLabel::Paint(HDC dc) {
    RECT rc = ClientRect();
    SelectObjectScope font(dc, FontHandle(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRgb(font_.color));
    DrawTextA(dc, caption_.c_str(), int(caption_.size()), &rc, AlignmentFlags(alignment_) | DT_SINGLELINE);
}

// Panels and bevels ------------------------------------------------------------------------------

namespace {
// One ring of a 3-D frame: top and left in one colour, bottom and right in the other.
void Frame3D(HDC dc, RECT& rc, COLORREF topLeft, COLORREF bottomRight, int width) {
    for (int i = 0; i < width; ++i) {
        UniqueBrush light(CreateSolidBrush(topLeft));
        UniqueBrush dark(CreateSolidBrush(bottomRight));
        RECT top{rc.left, rc.top, rc.right - 1, rc.top + 1}, left{rc.left, rc.top, rc.left + 1, rc.bottom - 1};
        RECT bottom{rc.left, rc.bottom - 1, rc.right, rc.bottom}, right{rc.right - 1, rc.top, rc.right, rc.bottom};
        FillRect(dc, &top, light.Get());
        FillRect(dc, &left, light.Get());
        FillRect(dc, &bottom, dark.Get());
        FillRect(dc, &right, dark.Get());
        InflateRect(&rc, -1, -1);
    }
}

void DrawBevel(HDC dc, RECT& rc, TBevelCut cut, int width) {
    if (cut == TBevelCut::None) return;
    COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    if (cut == TBevelCut::Raised)
        Frame3D(dc, rc, highlight, shadow, width);
    else
        Frame3D(dc, rc, shadow, highlight, width);
}
} // namespace

void TPanel::Create(TControl& parent) {
    CreateHandle(&parent, kClassName, WS_CLIPCHILDREN, 0);
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
    if (caption_.empty()) return;
    SelectObjectScope font(dc, FontHandle(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRgb(font_.color));
    DrawTextA(dc, caption_.c_str(), int(caption_.size()), &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TBevel::Create(TControl& parent) {
    SetEnabled(false); // the mouse passes through it
    CreateGraphic(parent);
}

void TBevel::Paint(HDC dc) {
    RECT rc = ClientRect();
    RECT shadow{0, 0, rc.right, 1}, highlight{0, 1, rc.right, 2};
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &highlight, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

void TSplitter::Create(TControl& parent) {
    CreateGraphic(parent);
}

// Images -----------------------------------------------------------------------------------------

void TImage::Create(TControl& parent) {
    CreateGraphic(parent);
}

void TImage::SetPicture(UniqueBitmap bitmap) {
    picture_.Assign(std::move(bitmap));
    Invalidate();
}

void TImage::Paint(HDC dc) {
    if (!picture_.Handle()) return;
    BITMAP info = {};
    GetObjectA(picture_.Handle(), sizeof(info), &info);
    RECT rc = ClientRect();
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    SelectObjectScope select(memory.Get(), picture_.Handle());
    if (Stretch) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, rc.right, rc.bottom, memory.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    } else {
        int x = Center ? (rc.right - info.bmWidth) / 2 : 0;
        int y = Center ? (rc.bottom - info.bmHeight) / 2 : 0;
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, SRCCOPY);
    }
}

// Speed buttons ----------------------------------------------------------------------------------

void TSpeedButton::Create(TControl& parent) {
    CreateGraphic(parent);
}

void TSpeedButton::SetDown(bool down) {
    if (down_ == down) return;
    if (!down && GroupIndex != 0) return; // one button of a group is always down
    down_ = down;
    if (down && GroupIndex != 0 && Parent())
        for (TControl* sibling : Parent()->Controls())
            if (auto* other = dynamic_cast<TSpeedButton*>(sibling);
                other && other != this && other->GroupIndex == GroupIndex) {
                other->down_ = false;
                other->Invalidate();
            }
    Invalidate();
}

void TSpeedButton::Click() {
    if (GroupIndex != 0) SetDown(true);
    if (GroupIndex != 0 && !Focused() && HoldsFocus()) SetFocus(); // the focus follows within its group
    if (OnClick) OnClick();
}

std::vector<TSpeedButton*> TSpeedButton::Group() const {
    std::vector<TSpeedButton*> group;
    if (Parent())
        for (TControl* sibling : Parent()->Controls())
            if (auto* button = dynamic_cast<TSpeedButton*>(sibling); button && button->GroupIndex == GroupIndex)
                group.push_back(button);
    return group;
}

TControl* TSpeedButton::TabTarget() {
    if (GroupIndex != 0)
        for (TSpeedButton* button : Group())
            if (button->Down()) return button;
    return this;
}

bool TSpeedButton::HoldsFocus() const {
    if (GroupIndex == 0) return Focused();
    for (TSpeedButton* button : Group())
        if (button->Focused()) return true;
    return false;
}

void TSpeedButton::Paint(HDC dc) {
    RECT rc = ClientRect();
    bool sunken = down_ || (pressing_ && mouseInside_) || spacePressed_;
    if (down_ && !pressing_) FillRect(dc, &rc, GetSysColorBrush(COLOR_3DLIGHT));
    DrawEdge(dc, &rc, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (sunken) OffsetRect(&rc, 1, 1);
    SelectObjectScope font(dc, FontHandle(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRgb(font_.color));
    DrawTextA(dc, caption_.c_str(), int(caption_.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        RECT focus = ClientRect();
        InflateRect(&focus, -3, -3);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !spacePressed_) {
            spacePressed_ = true;
            Invalidate();
        } else if (wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT || wParam == VK_DOWN) {
            std::vector<TSpeedButton*> group = Group();
            int count = int(group.size()), at = 0;
            while (at < count && group[std::size_t(at)] != this)
                ++at;
            int step = wParam == VK_LEFT || wParam == VK_UP ? count - 1 : 1;
            group[std::size_t((at + step) % count)]->SetFocus();
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && spacePressed_) {
            spacePressed_ = false;
            Invalidate();
            Click();
        }
        return 0;
    case WM_CHAR:
        return 0;
    case WM_KILLFOCUS:
        if (spacePressed_) {
            spacePressed_ = false;
            Invalidate();
        }
        return 0;
    case WM_LBUTTONDOWN: // the container holds the mouse for the button until it is released
    case WM_LBUTTONDBLCLK:
        pressing_ = mouseInside_ = true;
        Invalidate();
        return 0;
    case WM_MOUSEMOVE:
        if (pressing_) {
            RECT rc = ClientRect();
            POINT pt{short(LOWORD(lParam)), short(HIWORD(lParam))};
            bool inside = PtInRect(&rc, pt) != FALSE;
            if (inside != mouseInside_) {
                mouseInside_ = inside;
                Invalidate();
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (pressing_) {
            bool click = mouseInside_;
            pressing_ = false;
            Invalidate();
            if (click) Click();
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (pressing_) {
            pressing_ = false;
            Invalidate();
        }
        return 0;
    }
    return TControl::WndProc(msg, wParam, lParam);
}
