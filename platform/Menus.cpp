#include "platform/Menus.h"

namespace {
void AppendItems(HMENU menu, const TMenuItem& parent) {
    for (const TMenuItem* item : parent.Items()) {
        if (!item->Visible()) continue;
        UINT flags = item->Enabled() ? MF_ENABLED : MF_GRAYED;
        if (item->IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR | flags, 0, nullptr);
        } else if (!item->Items().empty()) {
            HMENU sub = CreatePopupMenu();
            AppendItems(sub, *item);
            AppendMenuA(menu, MF_POPUP | MF_STRING | flags, UINT_PTR(sub), MenuEntryText(*item).c_str());
        } else {
            if (item->Checked()) flags |= MF_CHECKED;
            AppendMenuA(menu, MF_STRING | flags, item->Command(), MenuEntryText(*item).c_str());
        }
    }
}
} // namespace

std::string MenuEntryText(const TMenuItem& item) {
    std::string key = ShortCutToText(item.ShortCut());
    return key.empty() ? item.Caption() : item.Caption() + "\t" + key;
}

TMainMenu::TMainMenu() {
    Items.OnChange = [this] { Rebuild(); };
}

TMainMenu::~TMainMenu() {
    Detach();
}

void TMainMenu::Attach(HWND form) {
    form_ = form;
    Rebuild();
}

void TMainMenu::Detach() {
    if (form_ && IsWindow(form_)) SetMenu(form_, nullptr);
    form_ = nullptr;
    menu_.Reset();
}

// Check marks, visibility and enabling change rarely: the bar is simply built again.
void TMainMenu::Rebuild() {
    if (!form_) return;
    UniqueMenu menu(CreateMenu());
    AppendItems(menu.Get(), Items);
    SetMenu(form_, menu.Get());
    menu_ = std::move(menu);
    DrawMenuBar(form_);
}

void TPopupMenu::Popup(HWND owner, int x, int y) {
    if (OnPopup) OnPopup();
    UniqueMenu menu(CreatePopupMenu());
    AppendItems(menu.Get(), Items);
    // The owner must be in the foreground, or the menu does not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    UINT command = UINT(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    if (command)
        if (TMenuItem* item = Items.FindCommand(command)) item->Click();
}
