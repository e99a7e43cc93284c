// Short-cut keys, tab order and dialog keys of a real form, through the message loop's key handling.
#include "platform/Controls.h"
#include "platform/Form.h"
#include "shell/BrowserControls.h"
#include "platform/Menus.h"
#include "tests/support/WineFixture.h"

namespace {
// A panel that notes the keys that reach it.
class KeyPanel : public TPanel {
public:
    std::vector<WPARAM> keys;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_KEYDOWN) keys.push_back(wParam);
        return TPanel::WndProc(msg, wParam, lParam);
    }
};

class KeyForm : public TForm {
public:
    KeyForm() {
        ClientWidth = 300;
        ClientHeight = 200;
        VisibleAtCreation = true;
        Menu = &MainMenu;
        auto note = [this](const char* caption) { return [this, caption] { clicks.push_back(caption); }; };
        MakeCommands({{1, "&Save", CtrlKey('S'), note("&Save")},
                      {2, "Full", ShortCut(vk::F3), note("Full")},
                      {3, "Main all", CtrlKey('A'), note("Main all")},
                      {4, "Popup all", CtrlKey('A'), note("Popup all")},
                      {5, "Remove", ShortCut(vk::Delete), note("Remove")},
                      {6, "Panel entry", CtrlKey('P'), note("Panel entry")}},
                     {{&MainMenu.Items, &FileMenu, 0, "&File"},
                      {&FileMenu, &Save, 1},
                      {&MainMenu.Items, &Hidden, 0, "Hidden"},
                      {&Hidden, &FullScreen, 2},
                      {&Hidden, &MainSelectAll, 3},
                      {&FilePopup.Items, &SelectAll, 4},
                      {&FilePopup.Items, &Remove, 5},
                      {&PanelPopup.Items, &PanelEntry, 6}});
        Hidden.SetVisible(false);
    }

    TMainMenu MainMenu;
    TMenuItem FileMenu, Save, Hidden, FullScreen, MainSelectAll;
    TPopupMenu FilePopup, PanelPopup;
    TMenuItem SelectAll, Remove, PanelEntry;

    KeyPanel Panel;
    TFileListBox Files;
    TButton First, Hiddenbutton, Disabled, Last;
    TCheckBox Keep;
    std::vector<std::string> clicks;

protected:
    void BuildControls() override {
        Panel.Create(*this, {0, 0, 150, 150});
        Panel.PopupMenu = &PanelPopup;
        Files.Create(Panel, {5, 5, 100, 100});
        Files.PopupMenu = &FilePopup;
        int top = 0;
        for (TButton* button : {&First, &Hiddenbutton, &Disabled, &Last}) {
            button->Create(*this, {160, top += 30, 80, 25},
                           button == &Last           ? "&Last"
                           : button == &Hiddenbutton ? "&Hidden"
                                                     : "");
            button->OnClick = [this, button] { clicks.push_back(button == &Last ? "Last" : "First"); };
        }
        Keep.Create(*this, {160, 160, 80, 20}, "&Keep");
        Hiddenbutton.SetVisible(false);
        Disabled.SetEnabled(false);
    }
};

class FormKeys : public WineFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        form = &Application().CreateForm<KeyForm>();
        form->Files.SetFocus();
    }
    KeyForm* form = nullptr;
};
} // namespace

TEST_F(FormKeys, FocusedControlsPopupMenuComesFirst) {
    PressKey('A', true);
    EXPECT_EQ(form->clicks, std::vector<std::string>{"Popup all"});
}

TEST_F(FormKeys, ContainersPopupMenuIsSearchedToo) {
    PressKey('P', true);
    EXPECT_EQ(form->clicks, std::vector<std::string>{"Panel entry"});
}

TEST_F(FormKeys, MainMenuAndItsHiddenMenuAct) {
    PressKey(vk::F3);
    PressKey('S', true);
    EXPECT_EQ(form->clicks, (std::vector<std::string>{"Full", "&Save"}));
    // With the focus outside the file list its pop-up menu is not asked.
    form->First.SetFocus();
    PressKey('A', true);
    EXPECT_EQ(form->clicks.back(), "Main all");
}

TEST_F(FormKeys, DisabledEntryUsesTheKeyUpWithoutActing) {
    form->Remove.SetEnabled(false);
    PressKey(VK_DELETE);
    EXPECT_TRUE(form->clicks.empty());
    form->FileMenu.SetEnabled(false);
    PressKey('S', true);
    EXPECT_TRUE(form->clicks.empty());
}

TEST_F(FormKeys, KeyNoMenuOfTheFocusHasGoesOnToTheControl) {
    SetFocus(form->Panel.Handle());
    PressKey(VK_DELETE); // only the file list's pop-up menu has it
    EXPECT_TRUE(form->clicks.empty());
    EXPECT_EQ(form->Panel.keys, std::vector<WPARAM>{VK_DELETE});
}

TEST_F(FormKeys, EnterClicksTheFocusedButton) {
    form->Last.SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(form->clicks, std::vector<std::string>{"Last"});
}

TEST_F(FormKeys, RealMenuBarShowsVisibleMenusWithShortCutTexts) {
    HMENU bar = GetMenu(form->Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 1) << "the hidden menu is not on the bar";
    char text[64] = {};
    GetMenuStringA(GetSubMenu(bar, 0), 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Save\tCtrl+S");
    // A change of state reaches the real menu.
    form->Save.SetChecked(true);
    EXPECT_EQ(GetMenu(form->Handle()), bar) << "the bar is changed in place, not built again";
    EXPECT_TRUE(GetMenuState(GetSubMenu(bar, 0), 0, MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(FormKeys, AccessKeysActWithAltAnywhereAndAloneWhereNoCharactersAreTaken) {
    BringToFront(*form);
    form->Files.SetFocus();
    // The file list takes characters: K alone goes to it, Alt+K reaches the check box.
    TypeKeys({'K'});
    HandleQueuedInput();
    EXPECT_FALSE(form->Keep.Checked());
    TypeKeys({VK_MENU, 'K'});
    ASSERT_TRUE(WaitUntil([&] { return form->Keep.Checked(); }));
    EXPECT_TRUE(form->Keep.Focused()) << "a check box takes the focus with its access key";
    // The check box takes no characters: the bare letters act.
    TypeKeys({'K'});
    ASSERT_TRUE(WaitUntil([&] { return !form->Keep.Checked(); }));
    TypeKeys({'L'});
    ASSERT_TRUE(WaitUntil([&] { return !form->clicks.empty(); }));
    EXPECT_EQ(form->clicks, std::vector<std::string>{"Last"});
    // A hidden button's access key does nothing.
    TypeKeys({VK_MENU, 'H'});
    HandleQueuedInput();
    EXPECT_EQ(form->clicks.size(), 1u);
}
