#pragma once
// The form's menu bar and pop-up menus, whose entries are menu entry trees.
#include "platform/Handles.h"
#include "platform/MenuItem.h"

class TMainMenu {
public:
    TMainMenu();
    TMainMenu(const TMainMenu&) = delete;
    TMainMenu& operator=(const TMainMenu&) = delete;
    ~TMainMenu();

    // The top entries are the menus of the bar; a hidden one is not shown, but its short-cuts act.
    TMenuItem Items;

    void Attach(HWND form);
    void Detach();

private:
    HWND form_ = nullptr;
};

class TPopupMenu {
public:
    TPopupMenu() = default;
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    TMenuItem Items;
    // Runs just before the menu opens, so its entries can be brought up to date.
    std::function<void()> OnPopup;

    // Opens the menu at a screen position and runs the chosen entry's action.
    void Popup(HWND owner, int x, int y);
};
