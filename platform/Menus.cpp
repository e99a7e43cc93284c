#include "platform/Menus.h"

// The bar is drawn again after a change of its entries; the menus below it are read when they open.
TMainMenu::TMainMenu() {
    Items.UseMenuBar(UniqueMenu(CreateMenu()));
    Items.OnChange = [this] {
        if (form_) DrawMenuBar(form_);
    };
}

TMainMenu::~TMainMenu() {
    Detach();
}

// The form would destroy its menu with its window: the bar leaves the form before that.
void TMainMenu::Attach(HWND form) {
    form_ = form;
    SetMenu(form_, Items.SubMenu());
}

void TMainMenu::Detach() {
    if (form_ && IsWindow(form_)) SetMenu(form_, nullptr);
    form_ = nullptr;
}

void TPopupMenu::Popup(HWND owner, int x, int y) {
    if (OnPopup) OnPopup();
    // The owner must be in the foreground, or the menu does not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    UINT command = UINT(TrackPopupMenu(Items.SubMenu(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    if (command)
        if (TMenuItem* item = Items.FindCommand(command)) item->Click();
}
