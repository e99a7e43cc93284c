#include "platform/Shortcut.h"

#include <gtest/gtest.h>

TEST(Shortcut, TextBesideMenuEntries) {
    struct Case {
        TShortCut sc;
        const char* text;
    } cases[] = {
        {CtrlKey('S'), "Ctrl+S"},
        {CtrlKey('X'), "Ctrl+X"},
        {ShortCut(vk::F1), "F1"},
        {ShortCut(vk::F3), "F3"},
        {ShortCut(vk::Insert), "Ins"},
        {ShortCut(vk::Delete), "Del"},
        {ShortCut('A', scShift | scCtrl), "Shift+Ctrl+A"},
        {ShortCut(0x73, scAlt), "Alt+F4"},
        {scNone, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ShortCutToText(c.sc), c.text);
    }
}

TEST(Shortcut, FromKeyPress) {
    EXPECT_EQ(ShortCutFromKey('S', false, true, false), CtrlKey('S'));
    EXPECT_EQ(ShortCutFromKey(vk::F4, false, false, true), ShortCut(vk::F4, scAlt));
    EXPECT_EQ(ShortCutFromKey(0, true, true, true), scNone);
    EXPECT_NE(ShortCutFromKey('S', true, true, false), CtrlKey('S'));
}
