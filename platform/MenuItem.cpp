#include "platform/MenuItem.h"

namespace {
unsigned NextCommand() {
    // Command ids must fit a WM_COMMAND word; start clear of the standard dialog ids.
    static unsigned next = 100;
    unsigned id = next++;
    if (next > 0xFFFF) next = 100;
    return id;
}
} // namespace

TMenuItem::TMenuItem(std::string caption, TShortCut shortCut)
    : caption_(std::move(caption)), shortCut_(shortCut), command_(NextCommand()) {}

TMenuItem& TMenuItem::Add(TMenuItem& child) {
    child.parent_ = this;
    items_.push_back(&child);
    Changed();
    return *this;
}

TMenuItem& TMenuItem::AddSeparator() {
    owned_.push_back(std::make_unique<TMenuItem>(kSeparator));
    return Add(*owned_.back());
}

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Changed();
}

void TMenuItem::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Changed();
}

void TMenuItem::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Changed();
}

void TMenuItem::Click() const {
    if (OnClick) OnClick();
}

void TMenuItem::Changed() {
    TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    if (root->OnChange) root->OnChange();
}

TMenuItem* TMenuItem::FindCommand(unsigned command) {
    for (TMenuItem* item : items_) {
        if (item->command_ == command) return item;
        if (TMenuItem* found = item->FindCommand(command)) return found;
    }
    return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
    for (TMenuItem* item : items_) {
        if (item->shortCut_ == shortCut && !item->IsSeparator()) return item;
        if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
    }
    return nullptr;
}

ShortCutMatch FindShortCut(const std::vector<TMenuItem*>& menus, TShortCut shortCut) {
    ShortCutMatch match;
    if (shortCut == scNone) return match;
    for (TMenuItem* menu : menus) {
        if (!menu) continue;
        match.item = menu->FindShortCut(shortCut);
        if (!match.item) continue;
        match.acts = true;
        for (const TMenuItem* item = match.item; item && item != menu; item = item->Parent())
            if (!item->Enabled()) match.acts = false;
        return match;
    }
    return match;
}
