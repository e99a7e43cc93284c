#pragma once
// The base of every control: a thin wrapper over a window, made when its form builds its controls.
// The window holds the control's place, visibility, enabled state and text; the wrapper keeps only
// what a window cannot hold (its handlers, its layout rule, its font and colour, its hint). One
// window procedure serves the program's own window classes; it finds the object bound to the window
// and lets it handle the message. Standard controls (buttons, labels, lists) report to their
// container, which passes the notice to the control's object.
#include "platform/AlignLayout.h"
#include "platform/Fonts.h"
#include "platform/Handles.h"
#include "platform/MessageText.h"

#include <functional>
#include <string>
#include <vector>

class TPopupMenu;

enum class TAlignment { Left, Right, Center };

class TControl {
public:
    TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual ~TControl();

    HWND Handle() const { return handle_.Get(); }
    // The control's own area, from 0, 0.
    RECT ClientRect() const;
    TControl* Parent() const { return parent_; }
    // The outermost container: the form.
    TControl* Root();
    const std::vector<TControl*>& Controls() const { return children_; }
    static TControl* FromHandle(HWND hwnd);
    static const char* const kClassName;     // the program's own window class
    static const char* const kFormClassName; // and its class of top-level windows

    // The window's place in its container's client area (a form's on the screen), in pixels.
    TBounds Bounds() const;
    // A place given at 96 pixels per inch, as Create takes it, put at the screen's scale.
    void SetBounds(const TBounds& bounds);
    // A place measured on the screen, in its pixels: a picture laid out over the whole screen.
    void SetPixelBounds(const TBounds& bounds);
    int Width() const { return Bounds().width; }
    int Height() const { return Bounds().height; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    // The window's own visibility (WS_VISIBLE), whatever its containers show.
    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Shown and enabled, up through its containers.
    bool CanFocus() const;
    bool Focused() const;
    void SetFocus();

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    const TFontSpec& Font() const { return font_; }
    void SetFont(const TFontSpec& font);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // The cursor over the control; null keeps the class cursor (the arrow).
    void SetMouseCursor(LPCSTR cursorId) { cursor_ = cursorId; }

    // Set before Create: the window is made hidden, which spares showing and hiding it at once.
    bool HiddenAtCreation = false;
    TPopupMenu* PopupMenu = nullptr;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void()> OnChange;

    // Enter, when the focused control is no button and the form has no default button; true when used.
    virtual bool DialogKey(UINT) { return false; }
    // The form's work, asked of the outermost container: a button that ends the form's modal show
    // with a result was pressed.
    virtual void ButtonResult(TModalResult) {}
    // Lays the aligned children out in the client area.
    void Realign();
    void Invalidate();
    // Paints a part of the control (in its own coordinates) at once, over what is there: for a
    // picture that changes many times a second.
    void PaintNow(const RECT& part);

protected:
    // Makes the window, shown, at `bounds` with `caption`: a child of `parent`, or a top-level
    // window owned by `owner` (and hidden) when parent is null. The form's tab order is the order
    // in which its windows are made.
    void CreateHandle(TControl* parent, const char* className, DWORD style, DWORD exStyle, const TBounds& bounds,
                      const std::string& caption = "", HWND owner = nullptr);
    // A window starts a group of the dialog manager (WS_GROUP) unless it joins the one before it:
    // the arrow keys move the focus within a group.
    bool startsGroup_ = true;
    // Runs once the window exists.
    virtual void HandleCreated() {}
    // Widens the form that holds the control so that its client area reaches `right` (pixels of
    // the form's client area); a form wide enough already stays as it is.
    void WidenFormTo(int right);
    // Size taken off each edge of the client area before aligning children (borders, bevels).
    virtual int ClientInset() const { return 0; }
    // Messages of the program's own window classes.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void Paint(HDC) {}
    // Notices from standard controls, passed on by their container.
    virtual void CommandNotify(WORD) {}
    virtual LRESULT NotifyNotify(const NMHDR*) { return 0; }
    // Owner-drawn items of standard controls, passed on by their container.
    virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }
    virtual void FontChanged() {}
    virtual void CaptionChanged() {}
    // The form's work, asked of the outermost container: a hint inside it changed.
    virtual void UpdateHint(TControl&) {}
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Lets go of the windows inside this one, which the system destroys with it.
    void ForgetChildHandles();

    TFontSpec font_;
    TColor color_ = clBtnFace;

private:
    friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
    bool ShowContextMenu(HWND clicked, LPARAM position);

    UniqueWindow handle_;
    bool pressed_ = false; // the left button went down on this control and is still down
    TControl* parent_ = nullptr;
    std::vector<TControl*> children_;
    TAlign align_ = TAlign::None;
    std::string hint_;
    LPCSTR cursor_ = nullptr;
};

// Registers the program's window classes (the forms' with the program's icon, resource 1); called
// once by the application.
void RegisterWindowClasses(HINSTANCE instance);
