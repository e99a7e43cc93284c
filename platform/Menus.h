#pragma once
// Real menus built from the menu entry trees: the form's menu bar and pop-up menus.
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
    HMENU Handle() const { return menu_.Get(); }

private:
    void Rebuild();
    HWND form_ = nullptr;
    UniqueMenu menu_;
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

// The text of an entry in a real menu: its caption and, after a tab, its short-cut.
std::string MenuEntryText(const TMenuItem& item);
