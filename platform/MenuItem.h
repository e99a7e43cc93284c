#pragma once
// Menu entries over real menus: the caption, check mark and enabling live in the menu itself and
// are read back from it. An entry keeps only what a menu cannot hold: its short-cut, its action
// and whether it is shown. A form makes its entries from its tables of commands and menu entries
// (Form.h).
#include "platform/Handles.h"
#include "platform/Shortcut.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMenuItem {
public:
    TMenuItem();
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;
    ~TMenuItem();

    static constexpr const char* kSeparator = "-";

    // Appends an entry the owner keeps as a member (a separator when the caption is kSeparator), or
    // given none, an unnamed separator owned by this entry.
    void Add(TMenuItem* child, const std::string& caption = kSeparator, TShortCut shortCut = scNone);

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    TShortCut ShortCut() const { return shortCut_; }
    bool Checked() const;
    void SetChecked(bool checked);
    // A hidden entry is taken out of its menu; shown again, it goes back to its place.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool IsSeparator() const;

    // Unique per process; the real menus carry it as the command id.
    unsigned Command() const { return command_; }
    TMenuItem* Parent() const { return parent_; }
    const std::vector<TMenuItem*>& Items() const { return items_; }
    // The menu of this entry's children, made when first asked for.
    HMENU SubMenu();
    // Makes a root entry's children the entries of a menu bar.
    void UseMenuBar(UniqueMenu bar);

    // Runs the action; entries without one do nothing.
    void Click() const;
    std::function<void()> OnClick;
    // Set on a root entry: told whenever an entry of its tree changes.
    std::function<void()> OnChange;

    // Depth-first search, this entry's own subtree, root excluded.
    TMenuItem* FindCommand(unsigned command);
    TMenuItem* FindShortCut(TShortCut shortCut);

private:
    friend std::string MenuEntryText(const TMenuItem& item);
    struct Place {
        HMENU menu;
        UINT position;
    };
    // Shown under a parent, the entry is in the parent's menu after the shown entries before it;
    // otherwise it waits alone in a menu of its own, which keeps its state.
    Place Where() const;
    void MoveTo(Place from, Place to, const std::string* newText = nullptr);
    UINT State() const;
    void Changed();

    TShortCut shortCut_;
    bool visible_ = true;
    unsigned command_;
    TMenuItem* parent_ = nullptr;
    UniqueMenu aside_;
    UniqueMenu sub_;
    std::vector<TMenuItem*> items_;
    std::vector<std::unique_ptr<TMenuItem>> owned_;
};

// The text of an entry in its real menu: its caption and, after a tab, its short-cut.
std::string MenuEntryText(const TMenuItem& item);
