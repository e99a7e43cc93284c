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
