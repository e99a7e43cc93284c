#pragma once
// The base of every control: forms, windowed controls and graphic controls. One window procedure
// serves the program's own window classes; it finds the object bound to the window and lets it
// handle the message. Standard controls (buttons, labels, lists) report to their container, which
// passes the notice to the control's object. Graphic controls (bevels, splitters, images) take no
// keys and name nothing: they have no window of their own, their container paints them and passes
// them the mouse.
#include "platform/AlignLayout.h"
#include "platform/Fonts.h"
#include "platform/Handles.h"

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

    // Null for a graphic control.
    HWND Handle() const { return handle_.Get(); }
    bool IsGraphic() const { return graphic_; }
    // The control's own area, from 0, 0.
    RECT ClientRect() const;
    TControl* Parent() const { return parent_; }
    // The outermost container: the form.
    TControl* Root();
    const std::vector<TControl*>& Controls() const { return children_; }
    static TControl* FromHandle(HWND hwnd);
    static const char* const kClassName;     // the program's own window class
    static const char* const kFormClassName; // and its class of top-level windows

    TBounds Bounds() const { return bounds_; }
    void SetBounds(int left, int top, int width, int height);
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Shown and enabled, up through its containers, with a window.
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

    TPopupMenu* PopupMenu = nullptr;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void()> OnChange;

    // Enter, when the focused control is no button and the form has no default button; true when used.
    virtual bool DialogKey(UINT) { return false; }
    // Lays the aligned children out in the client area.
    void Realign();
    void Invalidate();
    // Paints a part of a graphic control (in its own coordinates) at once on its container's window,
    // over what is there: for a picture that changes many times a second.
    void PaintNow(const RECT& part);

protected:
    // Creates the window as a child of `parent` (or a top-level window when parent is null).
    void CreateHandle(TControl* parent, const char* className, DWORD style, DWORD exStyle, HWND owner = nullptr);
    // Makes the control a graphic control of `parent`, which must be one of the program's own windows.
    void CreateGraphic(TControl& parent);
    // A control that sets this before Create gets its window only when it is first shown: hidden
    // controls then cost nothing at start-up. Such a control keeps its state until it has a window.
    bool deferWhileHidden_ = false;
    // A window starts a group of the dialog manager (WS_GROUP) unless it joins the one before it:
    // the arrow keys move the focus within a group.
    bool startsGroup_ = true;
    // Runs once the window exists.
    virtual void HandleCreated() {}
    // Size taken off each edge of the client area before aligning children (borders, bevels).
    virtual int ClientInset() const { return 0; }
    // Messages of the program's own window classes; a graphic control gets its mouse messages here,
    // in its own coordinates.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Paints the control; a graphic control paints in its own coordinates on its container's DC.
    virtual void Paint(HDC) {}
    // Notices from standard controls, passed on by their container.
    virtual void CommandNotify(WORD) {}
    virtual LRESULT NotifyNotify(const NMHDR*) { return 0; }
    // Owner-drawn items of standard controls, passed on by their container.
    virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }
    virtual void FontChanged() {}
    virtual void CaptionChanged() {}
    // The form's work, asked of the outermost container: a window inside it was made, and a hint
    // inside it changed.
    virtual void PlaceInTabOrder(TControl&) {}
    virtual void UpdateHint(TControl&) {}
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Lets go of the windows inside this one, which the system destroys with it.
    void ForgetChildHandles();

    TBounds bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    TFontSpec font_;
    TColor color_ = clBtnFace;

private:
    friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
    bool ShowContextMenu(HWND clicked, LPARAM position);
    TControl* GraphicChildAt(POINT pt) const;
    void PaintGraphicChildren(HDC dc);
    // A graphic control painted on its container's DC: in its area, in its own coordinates.
    void PaintInParent(HDC dc);
    bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void InvalidateInParent();

    void CreateWindowNow();

    UniqueWindow handle_;
    struct PendingWindow {
        const char* className = nullptr;
        DWORD style = 0, exStyle = 0;
        HWND owner = nullptr;
    } pending_;
    bool ownClass_ = false;
    bool graphic_ = false;
    bool pressed_ = false;            // the left button went down on this control and is still down
    TControl* mouseTarget_ = nullptr; // the graphic child that holds the mouse between button down and up
    TControl* parent_ = nullptr;
    std::vector<TControl*> children_;
    TAlign align_ = TAlign::None;
    std::string hint_;
    LPCSTR cursor_ = nullptr;
};

// Registers the program's window classes (the forms' with the program's icon, resource 1); called
// once by the application.
void RegisterWindowClasses(HINSTANCE instance);
