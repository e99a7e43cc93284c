#pragma once
// The controls the forms are made of. Properties may be set before or after Create.
#include "platform/Bitmaps.h"
#include "platform/Form.h"
#include "platform/Handles.h"
#include "platform/Window.h"

class TButton : public TControl {
public:
    void Create(TControl& parent);
    // The default button of its form: drawn with the heavy border.
    void SetDefault(bool isDefault);
    // Closing a modal form with this result when clicked; mrNone leaves the form open.
    TModalResult ModalResult = mrNone;
    void Click();

protected:
    void CommandNotify(WORD code) override;

private:
    bool default_ = false;
};

class TCheckBox : public TControl {
public:
    void Create(TControl& parent);
    bool Checked() const { return checked_; }
    // A change of state runs OnClick, whether the user or the program made it.
    void SetChecked(bool checked);

protected:
    void CommandNotify(WORD code) override;

private:
    bool checked_ = false;
};

// The system's static text on its container's background; sized to its text unless aligned. A
// label that names a control stands just before it in the tab order, so that screen readers name
// the control by it.
class TLabel : public TControl {
public:
    TLabel() { deferWhileHidden_ = true; }
    void Create(TControl& parent);
    void SetAlignment(TAlignment alignment);
    TControl* FocusControl = nullptr;

protected:
    void FontChanged() override { AdjustSize(); }
    void CaptionChanged() override { AdjustSize(); }

private:
    void AdjustSize();
    TAlignment alignment_ = TAlignment::Left;
};

enum class TBevelCut { None, Raised, Lowered };

class TPanel : public TControl {
public:
    void Create(TControl& parent);
    TBevelCut BevelOuter = TBevelCut::Raised;
    TBevelCut BevelInner = TBevelCut::None;
    int BevelWidth = 1;
    int BorderWidth = 0;

protected:
    int ClientInset() const override;
    void Paint(HDC dc) override;
};

// A line along the top edge, under the menu bar; it takes no mouse input.
class TBevel : public TControl {
public:
    void Create(TControl& parent);

protected:
    void Paint(HDC dc) override;
};

class TSplitter : public TControl {
public:
    void Create(TControl& parent);
};

// Shows a bitmap it owns, at its top left corner, centred, or stretched over its whole area.
class TImage : public TControl {
public:
    void Create(TControl& parent);
    bool Center = false;
    bool Stretch = false;
    void SetPicture(UniqueBitmap bitmap);
    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }

protected:
    void Paint(HDC dc) override;

private:
    TPicture picture_;
};

// A button of a group, on the system's button drawn by the program: pressing it puts it down and
// the others of its group up. The down button is in the system's pushed state (BM_GETSTATE), which
// screen readers and automation read, and holds the group's one tab stop; the arrow keys move the
// focus within the group and Space presses the focused button. A click with the mouse leaves the
// focus where it was.
class TSpeedButton : public TControl {
public:
    void Create(TControl& parent);
    int GroupIndex = 0;
    bool Down() const { return down_; }
    // Puts the button down (raising the others of its group) without a click.
    void SetDown(bool down);
    void Click();

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
    bool down_ = false;
    bool pressing_ = false; // the left button went down on it and is still down
};
