#include "platform/MenuItem.h"

#include <algorithm>

namespace {
unsigned NextCommand() {
    // Command ids lie clear of the standard dialog ids below them and of the short-cuts' accelerator
    // ids (each short-cut's own value: a key below 0x100, or with modifier bits from 0x2000 up).
    static unsigned next = 0x100;
    unsigned id = next++;
    if (next == 0x2000) next = 0x100;
    return id;
}

std::string EntryText(HMENU menu, UINT position) {
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

std::string MakeEntryText(const std::string& caption, TShortCut shortCut) {
    std::string key = ShortCutToText(shortCut);
    return key.empty() ? caption : caption + "\t" + key;
}
} // namespace

TMenuItem::TMenuItem() : shortCut_(scNone), command_(NextCommand()) {}

// The entry leaves its menu before the menus go, so that no menu takes another one's sub-menu with
// it; the children, last first so that the places before them stay, are left with no menu at all.
TMenuItem::~TMenuItem() {
    for (auto child = items_.rbegin(); child != items_.rend(); ++child) {
        Place at = (*child)->Where();
        RemoveMenu(at.menu, at.position, MF_BYPOSITION);
        (*child)->aside_.Reset();
        (*child)->parent_ = nullptr;
    }
    Place here = Where();
    if (here.menu) RemoveMenu(here.menu, here.position, MF_BYPOSITION);
    if (parent_) parent_->items_.erase(std::find(parent_->items_.begin(), parent_->items_.end(), this));
}

TMenuItem::Place TMenuItem::Where() const {
    if (!parent_ || !visible_) return {aside_.Get(), 0};
    UINT position = 0;
    for (const TMenuItem* sibling : parent_->items_) {
        if (sibling == this) break;
        if (sibling->visible_) ++position;
    }
    return {parent_->sub_.Get(), position};
}

// Takes the entry out of one menu and puts it into another with its text (unless given a new one),
// check mark, enabling and sub-menu.
void TMenuItem::MoveTo(Place from, Place to, const std::string* newText) {
    UINT state = GetMenuState(from.menu, from.position, MF_BYPOSITION);
    std::string text = newText ? *newText : EntryText(from.menu, from.position);
    RemoveMenu(from.menu, from.position, MF_BYPOSITION);
    UINT flags = MF_BYPOSITION | (state & (MF_CHECKED | MF_GRAYED | MF_DISABLED));
    if (sub_)
        InsertMenuA(to.menu, to.position, flags | MF_POPUP | MF_STRING, UINT_PTR(sub_.Get()), text.c_str());
    else if (!(state & MF_POPUP) && (state & MF_SEPARATOR))
        InsertMenuA(to.menu, to.position, flags | MF_SEPARATOR, command_, nullptr);
    else
        InsertMenuA(to.menu, to.position, flags | MF_STRING, command_, text.c_str());
}

void TMenuItem::Add(TMenuItem* child, const std::string& caption, TShortCut shortCut) {
    if (!child) {
        owned_.push_back(std::make_unique<TMenuItem>());
        child = owned_.back().get();
    }
    child->parent_ = this;
    child->shortCut_ = shortCut;
    UINT flags = caption == kSeparator ? MF_SEPARATOR : MF_STRING | (child->sub_ ? MF_POPUP : 0);
    AppendMenuA(SubMenu(), flags, child->sub_ ? UINT_PTR(child->sub_.Get()) : child->command_,
                MakeEntryText(caption, shortCut).c_str());
    items_.push_back(child);
    Changed();
}

HMENU TMenuItem::SubMenu() {
    if (!sub_) {
        sub_.Reset(CreatePopupMenu());
        // Shown in a menu, the entry becomes one that opens the new menu.
        if (parent_ && visible_) MoveTo(Where(), Where());
    }
    return sub_.Get();
}

void TMenuItem::UseMenuBar(UniqueMenu bar) {
    sub_ = std::move(bar);
}

UINT TMenuItem::State() const {
    Place here = Where();
    return here.menu ? GetMenuState(here.menu, here.position, MF_BYPOSITION) : 0;
}

std::string TMenuItem::Caption() const {
    if (IsSeparator()) return kSeparator;
    std::string text = MenuEntryText(*this);
    return text.substr(0, text.find('\t'));
}

std::string MenuEntryText(const TMenuItem& item) {
    return EntryText(item.Where().menu, item.Where().position);
}

// An entry that opens a menu is put in again, as changing it would destroy that menu.
void TMenuItem::SetCaption(const std::string& caption) {
    if (Caption() == caption) return;
    Place here = Where();
    std::string text = MakeEntryText(caption, shortCut_);
    UINT state = GetMenuState(here.menu, here.position, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED | MF_DISABLED);
    if (sub_)
        MoveTo(here, here, &text);
    else
        ModifyMenuA(here.menu, here.position, MF_BYPOSITION | MF_STRING | state, command_, text.c_str());
    Changed();
}

bool TMenuItem::Checked() const {
    return (State() & MF_CHECKED) != 0;
}

void TMenuItem::SetChecked(bool checked) {
    if (Checked() == checked) return;
    Place here = Where();
    CheckMenuItem(here.menu, here.position, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
    Changed();
}

void TMenuItem::SetVisible(bool visible) {
    if (visible_ == visible) return;
    if (!aside_) aside_.Reset(CreatePopupMenu());
    Place from = Where();
    visible_ = visible;
    MoveTo(from, Where());
    Changed();
}

bool TMenuItem::Enabled() const {
    return (State() & (MF_GRAYED | MF_DISABLED)) == 0;
}

void TMenuItem::SetEnabled(bool enabled) {
    if (Enabled() == enabled) return;
    Place here = Where();
    EnableMenuItem(here.menu, here.position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    Changed();
}

bool TMenuItem::IsSeparator() const {
    UINT state = State();
    return !(state & MF_POPUP) && (state & MF_SEPARATOR);
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
        if (item->shortCut_ == shortCut) return item;
        if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
    }
    return nullptr;
}
