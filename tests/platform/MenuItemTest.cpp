#include "platform/MenuItem.h"

#include <gtest/gtest.h>

namespace {
// A pop-up menu and a main menu with a hidden menu, shaped like the program's own.
struct Menus {
    TMenuItem popup, del{"&Remove", ShortCut(vk::Delete)}, selectAll{"Select &All", CtrlKey('A')};
    TMenuItem main, file{"&File"}, save{"&Save", CtrlKey('S')}, hidden{"Niet Zichtbaar"};
    TMenuItem fullScreen{"Full Screen Preview", ShortCut(vk::F3)}, mainSelectAll{"All", CtrlKey('A')};
    std::vector<std::string> clicks;

    Menus() {
        popup.Add(del).AddSeparator().Add(selectAll);
        main.Add(file).Add(hidden);
        file.Add(save);
        hidden.Add(fullScreen).Add(mainSelectAll);
        hidden.SetVisible(false);
        for (TMenuItem* item : {&del, &selectAll, &save, &fullScreen, &mainSelectAll})
            item->OnClick = [this, item] { clicks.push_back(item->Caption()); };
    }
};
} // namespace

TEST(MenuShortCut, FocusedControlsMenusComeFirst) {
    Menus m;
    ShortCutMatch match = FindShortCut({&m.popup, &m.main}, CtrlKey('A'));
    EXPECT_EQ(match.item, &m.selectAll);
    EXPECT_TRUE(match.acts);
    // Without the pop-up menu the main menu's entry is found.
    EXPECT_EQ(FindShortCut({&m.main}, CtrlKey('A')).item, &m.mainSelectAll);
}

TEST(MenuShortCut, HiddenEntriesStillAct) {
    Menus m;
    ShortCutMatch match = FindShortCut({&m.popup, &m.main}, ShortCut(vk::F3));
    EXPECT_EQ(match.item, &m.fullScreen);
    EXPECT_TRUE(match.acts);
}

TEST(MenuShortCut, DisabledEntryUsesTheKeyUp) {
    Menus m;
    m.del.SetEnabled(false);
    ShortCutMatch match = FindShortCut({&m.popup, &m.main}, ShortCut(vk::Delete));
    EXPECT_EQ(match.item, &m.del);
    EXPECT_FALSE(match.acts);

    // A disabled menu above the entry stops it too, and the search does not go on to later menus.
    m.del.SetEnabled(true);
    m.file.SetEnabled(false);
    match = FindShortCut({&m.popup, &m.main}, CtrlKey('S'));
    EXPECT_EQ(match.item, &m.save);
    EXPECT_FALSE(match.acts);
}

TEST(MenuShortCut, UnknownKeyFindsNothing) {
    Menus m;
    EXPECT_EQ(FindShortCut({&m.popup, nullptr, &m.main}, CtrlKey('Q')).item, nullptr);
    EXPECT_EQ(FindShortCut({&m.popup, &m.main}, scNone).item, nullptr);
}
