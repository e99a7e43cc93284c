#pragma once
// The controls the forms are made of. Each Create makes the window at once, at the given place with
// the given text; the font and the alignment may be set before.
#include "platform/Bitmaps.h"
#include "platform/Handles.h"
#include "platform/Window.h"

class TButton : public TControl {
public:
    void Create(TControl& parent, const TBounds& bounds, const std::string& caption);
    // The default button of its form: drawn with the heavy border.
    void SetDefault(bool isDefault);
    // Closing a modal form with this result when clicked; mrNone leaves the form open.
    TModalResult ModalResult = mrNone;
    void Click();

protected:
    void CommandNotify(WORD code) override;
};

class TCheckBox : public TControl {
public:
    void Create(TControl& parent, const TBounds& bounds, const std::string& caption);
    bool Checked() const;
    // As the system's own: only the user's click runs OnClick, after the box has turned over.
    void SetChecked(bool checked);
    // Where the caption starts, right of the box.
    static int CaptionLeft();

protected:
    void CommandNotify(WORD code) override;
};

// The system's static text on its container's background; sized to its text unless aligned. A
// label that names a control is made just before it, so that screen readers name the control by it.
class TLabel : public TControl {
public:
    // An unaligned label takes the size of its text; a right-aligned one keeps its right edge.
    void Create(TControl& parent, const TBounds& bounds, const std::string& caption);
    // Set before Create.
    TAlignment Alignment = TAlignment::Left;

protected:
    void FontChanged() override { AdjustSize(); }
    void CaptionChanged() override { AdjustSize(); }

private:
    TBounds Fitted(const TBounds& bounds, const std::string& caption) const;
    void AdjustSize();
};

enum class TBevelCut { None, Raised, Lowered };

class TPanel : public TControl {
public:
    void Create(TControl& parent, const TBounds& bounds, const std::string& caption = "");
    TBevelCut BevelOuter = TBevelCut::Raised;
    TBevelCut BevelInner = TBevelCut::None;
    int BevelWidth = 1;
    int BorderWidth = 0;
    // Off: the caption is the window's name for screen readers only.
    bool ShowCaption = true;

protected:
    int ClientInset() const override;
    void Paint(HDC dc) override;
};

// An etched line along the top edge, under the menu bar; the mouse passes through it to the window
// beneath.
class TBevel : public TControl {
public:
    void Create(TControl& parent, const TBounds& bounds);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;
};

// An empty strip of the container's colour that holds aligned controls apart.
class TSplitter : public TControl {
public:
    void Create(TControl& parent, const TBounds& bounds);
};

// Shows a bitmap it owns, at its top left corner, centred, or stretched over its whole area, on its
// container's colour.
class TImage : public TControl {
public:
    void Create(TControl& parent, const TBounds& bounds);
    bool Center = false;
    bool Stretch = false;
    // A picture of the form's own (a logo, an icon) grows with the layout at the screen's scale.
    bool ScaleWithLayout = false;
    void SetPicture(UniqueBitmap bitmap);
    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

private:
    TPicture picture_;
};

// A button of a group (the speed buttons of one container), on the system's button drawn by the
// program: pressing it puts it down and the others of its group up. The down button is in the
// system's pushed state (BM_GETSTATE), which screen readers and automation read, and holds the
// group's one tab stop; the arrow keys move the focus within the group and Space presses the
// focused button. A click with the mouse leaves the focus where it was.
class TSpeedButton : public TControl {
public:
    void Create(TControl& parent, const TBounds& bounds, const std::string& caption);
    // The down button is the one that holds its group's tab stop.
    bool Down() const;
    // Puts the button down (raising the others of its group) without a click; one is always down.
    void SetDown(bool down);
    void Click();
    // The font the caption is drawn in: the button's own, made smaller where the caption would
    // not fit between the button's edges (a bold one in a narrow button).
    TFontSpec ShownFont() const;
    static constexpr int kEdge = 2; // of the raised or sunken frame, on each side

protected:
    void CommandNotify(WORD code) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    void HandleCreated() override;

private:
    static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT MouseMessage(UINT msg, LPARAM lParam);
    // Shows the button's state in the window: pushed while down or while the mouse presses it.
    void ShowState(bool pushed);
    // The buttons of this button's group, in their order in the container.
    std::vector<TSpeedButton*> Group() const;
    bool pressing_ = false; // the left button went down on it and is still down
};
