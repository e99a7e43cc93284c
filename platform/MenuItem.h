#pragma once
// Menu entries as plain objects: caption, short-cut, check mark, visibility, enabling, action.
// The Win32 side builds real menus from this tree; the short-cut rule works on it alone.
#include "platform/Shortcut.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMenuItem {
public:
    explicit TMenuItem(std::string caption = "", TShortCut shortCut = scNone);
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    static constexpr const char* kSeparator = "-";

    // Appends an entry the owner keeps as a member; returns it for chaining.
    TMenuItem& Add(TMenuItem& child);
    // Appends an unnamed separator owned by this entry.
    TMenuItem& AddSeparator();

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TShortCut ShortCut() const { return shortCut_; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool IsSeparator() const { return caption_ == kSeparator; }

    // Unique per process; the Win32 menus use it as the command id.
    unsigned Command() const { return command_; }
    TMenuItem* Parent() const { return parent_; }
    const std::vector<TMenuItem*>& Items() const { return items_; }

    // Runs the action; entries without one do nothing.
    void Click() const;
    std::function<void()> OnClick;
    // Set on a root entry: told whenever an entry of its tree changes.
    std::function<void()> OnChange;

    // Depth-first search, this entry's own subtree, root excluded.
    TMenuItem* FindCommand(unsigned command);
    TMenuItem* FindShortCut(TShortCut shortCut);

private:
    void Changed();

    std::string caption_;
    TShortCut shortCut_;
    bool checked_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    unsigned command_;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
    std::vector<std::unique_ptr<TMenuItem>> owned_;
};

// What a short-cut key reaches: the first entry with that key in the menus, searched in order.
// The entry acts only when it and the entries above it are enabled; either way the key is used up.
struct ShortCutMatch {
    TMenuItem* item = nullptr;
    bool acts = false;
};
ShortCutMatch FindShortCut(const std::vector<TMenuItem*>& menus, TShortCut shortCut);
