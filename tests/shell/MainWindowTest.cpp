// The main window under Wine: layout, categories, counter, focus, closing, help and the extend panel.
#include "tests/support/MainWindowFixture.h"
#include "tests/support/OtherProcessReader.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/TestFiles.h"

#include <algorithm>
#include <cstdlib>

namespace {
class MainWindow : public MainWindowFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        Start();
        PumpMessages();
    }

    // Presses a category button with the mouse, as the user does.
    static void Press(TSpeedButton& button) { ClickAt(button, 5, 5); }

    void ExpectCategory(Category category) {
        SCOPED_TRACE("category " + std::to_string(int(category)));
        EXPECT_EQ(form->Model.activeCategory, category);
        const std::pair<TSpeedButton*, Category> buttons[] = {{&form->sbtnStart, Category::Start},
                                                              {&form->sbtnWait, Category::Wait},
                                                              {&form->sbtnShut, Category::Shut},
                                                              {&form->sbtnWall, Category::Wall}};
        for (auto [button, buttonCategory] : buttons) {
            bool active = buttonCategory == category;
            EXPECT_EQ(button->Down(), active) << button->Caption();
            EXPECT_EQ(button->Font().bold, active) << button->Caption();
            EXPECT_EQ(button->Font().color, active ? clNavy : clBtnText) << button->Caption();
            EXPECT_EQ(Shown(form->ListOfCategory(buttonCategory)), active) << "list of " << button->Caption();
        }
        bool wall = category == Category::Wall;
        EXPECT_EQ(Shown(form->CBStyle), wall);
        EXPECT_EQ(Enabled(form->CBStyle), wall);
        EXPECT_EQ(form->CBStyle.ItemIndex(), wall ? 0 : -1);
        EXPECT_EQ(Shown(form->LblStyle), wall);
        EXPECT_EQ(Shown(form->chkbStartUpRun), !wall);
        EXPECT_EQ(form->Setascurrentwallpaper1.Visible(), wall);
        EXPECT_EQ(form->SetascurrentScreen1.Visible(), !wall);
        EXPECT_EQ(form->FilterComboBox1.Items().size(), 4u);
        EXPECT_EQ(form->FilterComboBox1.Items()[0].find(".jpg") != std::string::npos, wall);
        EXPECT_TRUE(form->SelectionTracking);
    }
};
} // namespace

// At the display scale this process started with (the table below starts one at each): the window
// grows with the system font, every caption fits its control and no two controls overlap.
TEST_F(MainWindow, CaptionsFitAndNothingOverlapsAtTheScreensScale) {
    if (const char* expected = std::getenv("VISTREL_EXPECT_DPI")) {
        ASSERT_EQ(ScreenDpi(), std::atoi(expected));
    }
    // The system keeps a window within the height it may take on the screen.
    RECT client, window, scaled{0, 0, MulDiv(444, ScreenDpi(), 96), MulDiv(414, ScreenDpi(), 96)};
    GetClientRect(form->Handle(), &client);
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(client.right, scaled.right);
    AdjustWindowRectEx(&scaled, GetWindowLongA(form->Handle(), GWL_STYLE), TRUE,
                       GetWindowLongA(form->Handle(), GWL_EXSTYLE));
    EXPECT_EQ(window.bottom - window.top, std::min<LONG>(scaled.bottom - scaled.top, GetSystemMetrics(SM_CYMAXTRACK)));
    for (Category category : {Category::Shut, Category::Wall}) { // the widest bold caption; the style row
        ChooseCategory(category);
        std::vector<TControl*> shown, stack{form};
        while (!stack.empty()) {
            TControl* parent = stack.back();
            stack.pop_back();
            for (TControl* control : parent->Controls())
                if (Shown(*control) && !dynamic_cast<TBevel*>(control))
                    shown.push_back(control), stack.push_back(control);
        }
        for (TControl* control : shown) {
            SCOPED_TRACE(Text(*control) + " in category " + std::to_string(int(category)));
            const auto* button = dynamic_cast<TSpeedButton*>(control);
            const int inset = button                              ? 2 * TSpeedButton::kEdge
                              : dynamic_cast<TCheckBox*>(control) ? TCheckBox::CaptionLeft()
                              : dynamic_cast<TButton*>(control)   ? 2 * GetSystemMetrics(SM_CXEDGE)
                                                                  : 0;
            // A control of the system's has its font; a panel draws its caption in its own.
            HFONT drawn =
                button ? FontHandle(button->ShownFont()) : HFONT(SendMessageA(control->Handle(), WM_GETFONT, 0, 0));
            WindowDc dc(nullptr);
            SelectObjectScope font(dc.Get(), drawn ? drawn : FontHandle(control->Font()));
            SIZE text{0, 0};
            const std::string caption = Text(*control);
            GetTextExtentPoint32A(dc.Get(), caption.c_str(), int(caption.size()), &text);
            text.cx += Scaled(2); // the system's controls drop a last character that only just fits
            const auto* panel = dynamic_cast<TPanel*>(control); // a name for screen readers only is not drawn
            if (!dynamic_cast<TComboBox*>(control) && !dynamic_cast<TImage*>(control) &&
                (!panel || panel->ShowCaption)) {
                EXPECT_LE(text.cx, control->ClientRect().right - inset);
                EXPECT_LE(text.cy, control->ClientRect().bottom);
                TEXTMETRICA metrics = {};
                GetTextMetricsA(dc.Get(), &metrics);
                if (!caption.empty()) {
                    EXPECT_GE(metrics.tmHeight, MulDiv(12, ScreenDpi(), 96)) << "the font grows with the scale";
                }
            }
            for (TControl* other : shown) {
                RECT a = RectIn(*control, nullptr), b = RectIn(*other, nullptr), both;
                if (other != control && other->Parent() == control->Parent()) {
                    EXPECT_FALSE(IntersectRect(&both, &a, &b)) << "overlaps " << Text(*other);
                }
            }
        }
    }
}

// The check above, and the list view's fitted column, at 96, 120, 144 and 192 pixels per inch, each
// in a process of its own, which reads the system's scale (HKCU\Control Panel\Desktop, LogPixels)
// once as it starts.
TEST(MainWindowScales, CaptionsFitAndNothingOverlapsAtEveryDisplayScale) {
    RegistrySnapshot desktop(HKEY_CURRENT_USER, "Control Panel\\Desktop");
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        const DWORD value = DWORD(dpi);
        TRegistryKey key = TRegistryKey::Create(HKEY_CURRENT_USER, "Control Panel\\Desktop");
        RegSetValueExA(key.Handle(), "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        SetEnvironmentVariableA("VISTREL_EXPECT_DPI", std::to_string(dpi).c_str());
        std::string command =
            std::string("\"") + exe + "\" --gtest_filter=MainWindow.CaptionsFit*:ListView.AFittedColumn*";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started = {};
        ASSERT_TRUE(
            CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
        UniqueKernelHandle process(started.hProcess), thread(started.hThread);
        ASSERT_EQ(WaitForSingleObject(process.Get(), 60000), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        GetExitCodeProcess(process.Get(), &exitCode);
        EXPECT_EQ(exitCode, 0u) << "the check failed at this scale (its output is above)";
    }
    SetEnvironmentVariableA("VISTREL_EXPECT_DPI", nullptr);
}

TEST_F(MainWindow, MenusAndTheirInitialCheckMarks) {
    HMENU bar = GetMenu(form->Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 5) << "the hidden menu is never shown";
    HMENU options = GetSubMenu(bar, 1);
    auto checked = [options](int position) {
        return (GetMenuState(options, position, MF_BYPOSITION) & MF_CHECKED) != 0;
    };
    EXPECT_EQ(GetMenuItemCount(options), 10);
    EXPECT_TRUE(checked(0)) << "Run Randomizer at Start-Up";
    EXPECT_FALSE(checked(1)) << "Uses stretch from plus";
    EXPECT_FALSE(checked(2)) << "A Different Wallpaper on Each Monitor";
    EXPECT_TRUE(checked(4)) << "Report Add Errors";
    EXPECT_FALSE(checked(6));
    EXPECT_TRUE(checked(9)) << "Preview Both";
    EXPECT_TRUE(form->chkbStartUpRun.Checked());
}

TEST_F(MainWindow, StartsInTheStartUpCategory) {
    ExpectCategory(Category::Start);
    EXPECT_EQ(Text(form->LblNumber), "0 / 0");
    EXPECT_FALSE(Enabled(form->btnRemove));
    EXPECT_FALSE(form->ListsChanged);
    EXPECT_EQ(form->FileListBox1.Mask(), "*.bmp;*.sys;");
}

TEST_F(MainWindow, SwitchesCategoriesInEachDirection) {
    Press(form->sbtnWall);
    ExpectCategory(Category::Wall);
    Press(form->sbtnWait);
    ExpectCategory(Category::Wait);
    Press(form->sbtnShut);
    ExpectCategory(Category::Shut);
    Press(form->sbtnStart);
    ExpectCategory(Category::Start);
    Press(form->sbtnWall);
    Press(form->sbtnShut);
    ExpectCategory(Category::Shut);
    EXPECT_FALSE(form->ListsChanged);
}

TEST_F(MainWindow, PressingTheActiveWallpaperButtonResetsTheStyleOnly) {
    Press(form->sbtnWall);
    PickStyle(2);
    Press(form->sbtnWall);
    ExpectCategory(Category::Wall);
    EXPECT_EQ(form->CBStyle.ItemIndex(), 0);
    EXPECT_FALSE(form->ListsChanged);
}

TEST_F(MainWindow, FilterRowSurvivesSwitchesBetweenScreenCategories) {
    form->FilterComboBox1.SetItemIndex(2);
    Press(form->sbtnWait);
    EXPECT_EQ(form->FilterComboBox1.ItemIndex(), 2);
    EXPECT_EQ(form->FilterComboBox1.Text(), "System Files (*.sys)");
    Press(form->sbtnWall);
    EXPECT_EQ(form->FilterComboBox1.ItemIndex(), 0);
    EXPECT_EQ(form->FileListBox1.Mask(), "*.bmp;*.jpg;*.jpeg;*.jif;*.gif;*.dib;*.rle;*.tga;*.pcx;*.sys;");
    EXPECT_EQ(form->FilterComboBox1.Hint(),
              "All usable files (*.bmp, *.jpg, *.jpeg, *.gif, *.dib, *.rle, *.tga, *.pcx, *.sys)");
    Press(form->sbtnStart);
    EXPECT_EQ(form->FilterComboBox1.ItemIndex(), 0);
    EXPECT_EQ(form->FileListBox1.Mask(), "*.bmp;*.sys;");
    EXPECT_EQ(form->FilterComboBox1.Hint(), "All usable files (*.bmp, *.sys)");
}

TEST_F(MainWindow, DropDownListsShowTheirWidestRowWhole) {
    Press(form->sbtnWall); // the longest filter rows, and the style box shown
    for (TComboBox* box : {static_cast<TComboBox*>(&form->FilterComboBox1), &form->CBStyle}) {
        COMBOBOXINFO list = {};
        list.cbSize = sizeof(list);
        SendMessageA(box->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        ASSERT_TRUE(GetComboBoxInfo(box->Handle(), &list) && GetClientRect(list.hwndList, &list.rcItem));
        WindowDc dc(list.hwndList);
        SelectObjectScope font(dc.Get(), HFONT(SendMessageA(box->Handle(), WM_GETFONT, 0, 0)));
        for (const std::string& row : box->Items()) // the text with a margin on each side
            EXPECT_GT(list.rcItem.right,
                      LOWORD(GetTabbedTextExtentA(dc.Get(), row.c_str(), int(row.size()), 0, nullptr)) + 2)
                << row;
        SendMessageA(box->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    }
}

TEST_F(MainWindow, CounterAndRemoveButtonFollowTheActiveList) {
    for (int i = 0; i < 7; ++i)
        form->AddEntry(Category::Wait, {"pic" + std::to_string(i) + ".bmp", "C:\\PICS"});
    form->ListWait.SetSelected(1, true);
    form->ListWait.SetSelected(5, true);
    Press(form->sbtnWait);
    EXPECT_EQ(Text(form->LblNumber), "2 / 7");
    EXPECT_TRUE(Enabled(form->btnRemove));
    EXPECT_EQ(RectIn(form->LblNumber, form->Handle()).right, 437);
    Press(form->sbtnStart);
    EXPECT_EQ(Text(form->LblNumber), "0 / 0");
    EXPECT_FALSE(Enabled(form->btnRemove));
}

TEST_F(MainWindow, FocusMovesToTheNewListOnlyWhenTheOldListHadIt) {
    form->ListStart.SetFocus();
    Press(form->sbtnWait);
    EXPECT_TRUE(form->ListWait.Focused());
    form->FileListBox1.SetFocus();
    Press(form->sbtnShut);
    EXPECT_TRUE(form->FileListBox1.Focused()) << "the category buttons never take the focus";
}

TEST_F(MainWindow, TabOrderPassesOverHiddenAndDisabledControls) {
    auto walk = [&] {
        std::vector<TControl*> order;
        form->DriveComboBox1.SetFocus();
        for (int i = 0; i < 13; ++i) {
            PressKey(VK_TAB);
            TControl* focused = TControl::FromHandle(GetFocus());
            order.push_back(focused);
            if (focused == &form->DriveComboBox1) break;
        }
        return order;
    };
    std::vector<TControl*> start = {
        &form->DirectoryListBox1, &form->FileListBox1, &form->FilterComboBox1, &form->BtnAdd,
        &form->chkbStartUpRun,    &form->ListStart,    &form->sbtnStart,       &form->DriveComboBox1};
    EXPECT_EQ(walk(), start);
    Press(form->sbtnWall);
    std::vector<TControl*> wall = {
        &form->DirectoryListBox1, &form->FileListBox1, &form->FilterComboBox1, &form->BtnAdd,
        &form->ListWall,          &form->CBStyle,      &form->sbtnWall,        &form->DriveComboBox1};
    EXPECT_EQ(walk(), wall);
}

TEST_F(MainWindow, ClosingWithoutChangesAsksNothing) {
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(TForm::Ending());
}

TEST_F(MainWindow, CloseQuestionCancelKeepsTheWindowAndTheChanges) {
    form->ListsChanged = true;
    answers = {mrCancel};
    form->Close();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, std::string("Changes not saved!") + "\x0A\x0D" + "Save before exit?");
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Confirmation);
    EXPECT_EQ(boxes[0].buttons, unsigned(mbYes | mbNo | mbCancel));
    EXPECT_FALSE(TForm::Ending());
    EXPECT_TRUE(form->ListsChanged);
    EXPECT_TRUE(form->Showing());
    EXPECT_TRUE(form->SelectionTracking);
}

TEST_F(MainWindow, CloseQuestionNoAndYesBothClose) {
    form->ListsChanged = true;
    answers = {mrNo};
    form->Close();
    EXPECT_TRUE(TForm::Ending());
    ResetApplication();

    Start();
    form->ListsChanged = true;
    answers = {mrYes};
    form->Close();
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(TForm::Ending());
}

TEST_F(MainWindow, ExitShortCutClosesThroughTheQuestion) {
    form->ListsChanged = true;
    answers = {mrCancel};
    form->FileListBox1.SetFocus();
    PressKey('X', true);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(TForm::Ending());
    answers = {mrNo};
    PressKey('X', true);
    EXPECT_TRUE(TForm::Ending());
}

TEST_F(MainWindow, HelpOpensTheContentsAndClosesWithTheWindow) {
    form->FileListBox1.SetFocus();
    PressKey(VK_F1);
    ASSERT_EQ(helpCalls.size(), 1u);
    EXPECT_EQ(helpCalls[0].command, UINT(HELP_FINDER));
    EXPECT_EQ(helpCalls[0].file, form->ProgramDir + "tanu.hlp");
    Application().DestroyForms();
    ASSERT_EQ(helpCalls.size(), 2u);
    EXPECT_EQ(helpCalls[1].command, UINT(HELP_QUIT));
}

TEST_F(MainWindow, ExtendPanelTwiceGivesTheNormalSizeAndPlaceBack) {
    RECT normal;
    GetWindowRect(form->Handle(), &normal);
    int listHeight = form->ListStart.Height();
    EXPECT_EQ(form->SavedWidth, normal.right - normal.left);

    ClickAt(form->PnlExtend, 10, 2);
    PumpMessages();
    RECT extended;
    GetWindowRect(form->Handle(), &extended);
    EXPECT_EQ(form->WindowState(), TWindowState::Maximized);
    EXPECT_EQ(extended.right - extended.left, normal.right - normal.left) << "the width stays";
    EXPECT_EQ(extended.left, normal.left) << "the left edge stays";
    EXPECT_GT(extended.bottom - extended.top, normal.bottom - normal.top);
    EXPECT_GT(form->ListStart.Height(), listHeight) << "the extra height goes to the list area";

    BringToFront(*form);
    TypeKeys({VK_CONTROL, 'E'}); // the bar's key
    HandleQueuedInput();
    RECT back;
    GetWindowRect(form->Handle(), &back);
    EXPECT_EQ(form->WindowState(), TWindowState::Normal);
    EXPECT_TRUE(EqualRect(&back, &normal));
    EXPECT_EQ(form->ListStart.Height(), listHeight);
    WindowDc bar(form->PnlExtend.Handle()); // its name is not drawn: inside the bevel it is plain
    for (int x = 1; x < form->PnlExtend.Width() - 1; ++x)
        EXPECT_EQ(GetPixel(bar.Get(), x, 2), GetSysColor(COLOR_BTNFACE)) << x;
}

namespace {
// Another program's window, made active in front of the main window.
UniqueWindow OtherWindow() {
    UniqueWindow other(CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400, 200, 150,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    SetForegroundWindow(other.Get());
    return other;
}
} // namespace

TEST_F(MainWindow, FocusComesBackWhereItWasAfterAnotherWindowWasActive) {
    BringToFront(*form);
    MouseClick(form->FileListBox1, 20, 5);
    ASSERT_TRUE(WaitUntil([&] { return form->FileListBox1.Focused(); }));

    // Back by a click on the title bar.
    UniqueWindow other = OtherWindow();
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.Get(); }));
    RECT frame;
    GetWindowRect(form->Handle(), &frame);
    POINT title{frame.left + 150, frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 3};
    MouseDrag(title, title);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form->Handle(); }));
    EXPECT_TRUE(WaitUntil([&] { return form->FileListBox1.Focused(); })) << "focus on " << GetFocus();

    // Back from the minimized state, as the task bar restores it.
    form->BtnAdd.SetEnabled(true);
    MouseClick(form->BtnAdd, 5, 5);
    ASSERT_TRUE(WaitUntil([&] { return form->BtnAdd.Focused(); }));
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    other = OtherWindow();
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.Get(); }));
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    SetForegroundWindow(form->Handle());
    EXPECT_TRUE(WaitUntil([&] { return form->BtnAdd.Focused(); })) << "focus on " << GetFocus();
}

TEST_F(MainWindow, AClickNeedsPressAndReleaseOnTheSameControl) {
    BringToFront(*form);
    RECT client;
    GetClientRect(form->Handle(), &client);
    MapWindowPoints(form->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    POINT background{client.left + 152, client.top + 100}; // between the directory list and the file list

    // Pressed outside, released over a category button or the extend panel: nothing happens.
    MouseDrag(background, ScreenPoint(form->sbtnWall, 20, 10));
    HandleQueuedInput();
    EXPECT_EQ(form->Model.activeCategory, Category::Start);
    MouseDrag(background, ScreenPoint(form->PnlExtend, 20, 2));
    HandleQueuedInput();
    EXPECT_EQ(form->WindowState(), TWindowState::Normal) << "the extend panel was clicked without a press on it";
    // Pressed on one category button, released over another: nothing happens either.
    MouseDrag(ScreenPoint(form->sbtnWait, 20, 10), ScreenPoint(form->sbtnShut, 20, 10));
    HandleQueuedInput();
    EXPECT_EQ(form->Model.activeCategory, Category::Start);
    // A click at last.
    MouseClick(form->sbtnShut, 20, 10);
    EXPECT_TRUE(WaitUntil([&] { return form->Model.activeCategory == Category::Shut; }))
        << int(form->Model.activeCategory);
}

namespace {
// What a pop-up menu showed: its entries and its top left corner on the screen.
struct OpenedMenu {
    std::vector<std::string> entries;
    POINT corner{-1, -1};
};

// Runs `open` and reads the pop-up menu it opens from a second thread, which then closes the menu
// with Escape; no entries when no menu opened.
OpenedMenu ReadPopupMenu(const std::function<void()>& open) {
    OpenedMenu seen;
    OtherThread reader([&] {
        HWND menu = nullptr;
        if (OtherThread::WaitFor([&] {
                menu = FindWindowA("#32768", nullptr);
                return menu && IsWindowVisible(menu);
            })) {
            HMENU items = HMENU(SendMessageA(menu, MN_GETHMENU, 0, 0));
            for (int i = 0; i < GetMenuItemCount(items); ++i) {
                char text[128] = {};
                GetMenuStringA(items, UINT(i), text, sizeof(text), MF_BYPOSITION);
                seen.entries.push_back(text);
            }
            RECT rc;
            GetWindowRect(menu, &rc);
            seen.corner = {rc.left, rc.top};
            WineFixture::TypeKeys({VK_ESCAPE});
            OtherThread::WaitFor([&] { return !IsWindowVisible(menu); });
        }
    });
    open();
    reader.Join();
    return seen;
}

bool Has(const std::vector<std::string>& entries, const std::string& text) {
    return std::find(entries.begin(), entries.end(), text) != entries.end();
}
} // namespace

TEST_F(MainWindow, RightClickOpensThePopUpMenuAtTheClickedPoint) {
    BringToFront(*form);
    form->ImgPreview.SetVisible(true);
    form->AddEntry(Category::Start, {"one.bmp", "C:\\PICS"});
    struct Case {
        TControl* control;
        const char* entry; // one entry of its menu
    } cases[] = {
        {&form->ImgPreview, "Full Screen &Preview\tF3"}, // a window of the program's own class
        {&form->FileListBox1, "&Add\tIns"},
        {&form->ListStart, "Find File &Directory\tCtrl+D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        POINT click = ScreenPoint(*c.control, 30, 40);
        OpenedMenu menu = ReadPopupMenu([&] { MouseClick(*c.control, 30, 40, true); });
        EXPECT_TRUE(Has(menu.entries, c.entry)) << menu.entries.size() << " entries";
        EXPECT_NEAR(menu.corner.x, click.x, 2);
        EXPECT_NEAR(menu.corner.y, click.y, 2);
    }
}

TEST_F(MainWindow, ShiftF10AndTheMenuKeyOpenTheFocusedControlsMenuAtTheControl) {
    BringToFront(*form);
    form->AddEntry(Category::Wait, {"one.bmp", "C:\\PICS"});
    Press(form->sbtnWait);
    for (TControl* control : {static_cast<TControl*>(&form->FileListBox1), static_cast<TControl*>(&form->ListWait)}) {
        control->SetFocus();
        RECT rc = RectIn(*control, nullptr);
        const char* entry = control == &form->FileListBox1 ? "&Add\tIns" : "&Remove\tDel";
        for (bool menuKey : {false, true}) {
            SCOPED_TRACE(std::string(entry) + (menuKey ? " by the menu key" : " by Shift+F10"));
            OpenedMenu menu = ReadPopupMenu([&] {
                if (menuKey)
                    TypeKeys({VK_APPS});
                else
                    TypeKeys({VK_SHIFT, VK_F10});
            });
            EXPECT_TRUE(Has(menu.entries, entry)) << menu.entries.size() << " entries";
            EXPECT_TRUE(menu.corner.x >= rc.left - 2 && menu.corner.x <= rc.right && menu.corner.y >= rc.top - 2 &&
                        menu.corner.y <= rc.bottom)
                << "menu at " << menu.corner.x << "," << menu.corner.y;
        }
    }
}

namespace {
// The pixels of a row of the focus rectangle's top edge, three pixels inside the button.
std::vector<COLORREF> PixelRow(const TControl& button) {
    UpdateWindow(button.Handle());
    WindowDc dc(button.Handle());
    std::vector<COLORREF> row;
    for (int x = 4; x < button.Width() - 4; ++x)
        row.push_back(GetPixel(dc.Get(), x, 3));
    return row;
}
} // namespace

TEST_F(MainWindow, CategoryButtonsAreOneTabStopWithArrowsAndSpace) {
    BringToFront(*form);
    std::vector<COLORREF> unfocused = PixelRow(form->sbtnStart);
    MouseClick(form->ListStart, 30, 40);
    ASSERT_TRUE(WaitUntil([&] { return form->ListStart.Focused(); }));

    TypeKeys({VK_TAB}); // past the hidden style box to the group, on its down button
    ASSERT_TRUE(WaitUntil([&] { return form->sbtnStart.Focused(); })) << "focus on " << GetFocus();
    EXPECT_NE(PixelRow(form->sbtnStart), unfocused) << "no focus rectangle on the focused button";

    TypeKeys({VK_RIGHT});
    ASSERT_TRUE(WaitUntil([&] { return form->sbtnWait.Focused(); }));
    EXPECT_EQ(form->Model.activeCategory, Category::Start) << "an arrow moves the focus only";
    EXPECT_EQ(PixelRow(form->sbtnStart), unfocused) << "the focus rectangle left the first button";
    TypeKeys({VK_SPACE});
    ASSERT_TRUE(WaitUntil([&] { return form->Model.activeCategory == Category::Wait; }));
    EXPECT_TRUE(form->sbtnWait.Down());
    EXPECT_TRUE(form->sbtnWait.Font().bold);
    TypeKeys({VK_SPACE}); // on the button that is down: the system raises it, the group keeps it pushed
    HandleQueuedInput();
    EXPECT_TRUE(SendMessageA(form->sbtnWait.Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED);

    TypeKeys({VK_LEFT});
    TypeKeys({VK_LEFT}); // round to the last button
    ASSERT_TRUE(WaitUntil([&] { return form->sbtnWall.Focused(); }));
    TypeKeys({VK_SPACE});
    ASSERT_TRUE(WaitUntil([&] { return form->Model.activeCategory == Category::Wall; }));
    EXPECT_TRUE(Shown(form->ListWall));

    // One tab stop: Tab leaves the group, Shift+Tab comes back to its down button.
    TypeKeys({VK_TAB});
    ASSERT_TRUE(WaitUntil([&] { return form->DriveComboBox1.Focused(); }));
    TypeKeys({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(WaitUntil([&] { return form->sbtnWall.Focused(); }));

    // The group keeps the focus while another window is active.
    UniqueWindow other(CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400, 200, 150,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    SetForegroundWindow(other.Get());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.Get(); }));
    EXPECT_FALSE(form->sbtnWall.Focused());
    SetForegroundWindow(form->Handle());
    EXPECT_TRUE(WaitUntil([&] { return form->sbtnWall.Focused(); }));
}

namespace {
// A browser folder of three files, and selection lists of the same names.
class MainWindowWithFiles : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        folder = MakeTestFolder("names");
        for (const char* name : {"alpha.bmp", "bravo.bmp", "charlie.bmp"}) {
            WriteFileBytes(folder + "\\" + name, "x");
            for (Category category : {Category::Start, Category::Wall})
                form->AddEntry(category, {name, folder, "Centred"});
        }
        form->ApplyBrowserPath(folder);
        form->ChangePreviewOn(PreviewMode::None); // the files are no pictures
    }
    void TearDown() override {
        MainWindow::TearDown();
        RemoveTestFolder(folder);
    }
    std::string folder;
};
} // namespace

TEST_F(MainWindowWithFiles, AnotherProcessNamesEveryTabStopAndReadsEveryControl) {
    Press(form->sbtnWall);
    form->ListWall.SetSelected(1, true);
    std::vector<HWND> windows;
    for (HWND stop = GetNextDlgTabItem(form->Handle(), nullptr, FALSE); stop && windows.size() < 20;
         stop = GetNextDlgTabItem(form->Handle(), stop, FALSE)) {
        if (!windows.empty() && stop == windows.front()) break;
        windows.push_back(stop);
    }
    std::map<std::string, WindowReading> byName;
    for (const WindowReading& reading : ReadFromOtherProcess(windows)) {
        EXPECT_NE(reading.at("name"), "") << reading.at("class") << " \"" << reading.at("text") << "\" has no name";
        byName[reading.at("name")] = reading;
    }
    EXPECT_EQ(byName.size(), windows.size());
    EXPECT_EQ(byName["Drive:"]["text"], std::string(1, char(std::tolower(folder[0]))) + ":");
    EXPECT_EQ(byName["Directory:"]["class"], "ListBox");
    EXPECT_EQ(byName["Choose Files:"]["rows"], "alpha.bmp|bravo.bmp|charlie.bmp");
    EXPECT_EQ(byName["Filters:"]["text"], form->FilterComboBox1.Text());
    EXPECT_EQ(byName["Filters:"]["rows"].substr(0, 33), "All usable files (*.bmp, *.jpg, *");
    EXPECT_EQ(byName["Wallpaper Style:"]["text"], "Centred");
    EXPECT_EQ(byName["Selected Files:"]["rows"], "alpha.bmp|bravo.bmp|charlie.bmp");
    EXPECT_EQ(byName["Selected Files:"]["selected"], "1");
    EXPECT_EQ(byName["Add Chosen File(s)"]["class"], "Button");
    EXPECT_EQ(ReadFromOtherProcess({form->PnlExtend.Handle()}).at(0).at("text"), "Extend");
    // The category buttons: the group's one tab stop is the pressed one, which the reader sees pushed.
    std::vector<WindowReading> buttons = ReadFromOtherProcess(
        {form->sbtnStart.Handle(), form->sbtnWait.Handle(), form->sbtnShut.Handle(), form->sbtnWall.Handle()});
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(byName.count("Wallpaper"), 1u);
    for (const WindowReading& button : buttons)
        EXPECT_EQ(button.at("pushed"), button.at("name") == "Wallpaper" ? "1" : "0") << button.at("name");
}

TEST_F(MainWindowWithFiles, TypedLettersMoveToTheNextNameInTheListsAndTheBrowser) {
    BringToFront(*form);
    MouseClick(form->ListStart, 30, 25); // the first row, under the header
    ASSERT_TRUE(WaitUntil([&] { return form->ListStart.Focused() && form->ListStart.FocusedIndex() == 0; }));
    TypeKeys({VK_DOWN});
    TypeKeys({'X'});
    HandleQueuedInput();
    EXPECT_EQ(form->ListStart.SelectedRows(), std::vector<int>{1}) << "no name starts with x: nothing moves";
    Press(form->sbtnWall); // the focus goes on to the wallpaper list, with a search of its own
    ASSERT_TRUE(form->ListWall.Focused());
    TypeKeys({'C'});
    EXPECT_TRUE(WaitUntil([&] { return form->ListWall.FocusedIndex() == 2; })) << form->ListWall.FocusedIndex();
    EXPECT_EQ(form->ListWall.SelectedRows(), std::vector<int>{2});

    MouseClick(form->FileListBox1, 20, 5);
    ASSERT_TRUE(WaitUntil([&] { return form->FileListBox1.Focused(); }));
    TypeKeys({'B'});
    EXPECT_TRUE(WaitUntil([&] { return form->FileListBox1.ItemIndex() == 1 && form->FileListBox1.Selected(1); }));
}

// Each short-cut acts once from every place it is given: the menus of the focused control first,
// then the main menu and its hidden menu. A key of the list's menu acts as the menu would at that
// moment, also after the menu was last opened with nothing selected.
TEST_F(MainWindowWithFiles, EachShortCutActsOnceFromEveryPlace) {
    Press(form->sbtnWall); // wallpapers are added unread
    TFileListBox& files = form->FileListBox1;
    TListView& entries = form->ListWall;
    const std::vector<TControl*> everywhere = {
        &form->DriveComboBox1, &form->DirectoryListBox1, &files, &form->FilterComboBox1, &form->BtnAdd, &entries,
        &form->CBStyle};
    auto select = [&](int file, int entry) {
        for (int i = 0; i < files.Count(); ++i)
            files.SetSelected(i, i == file);
        for (int i = 0; i < entries.Count(); ++i)
            entries.SetSelected(i, i == entry);
    };
    int before = 0;
    struct Key {
        const char* name;
        UINT key;
        bool ctrl;
        std::vector<TControl*> places;
        std::function<void()> prepare;
        std::function<int()> acted; // how many times the command acted
    };
    const Key keys[] = {
        {"F1", VK_F1, false, everywhere, [] {}, [&] { return int(helpCalls.size()); }},
        {"F3, nothing previewed", VK_F3, false, everywhere, [&] { select(-1, 0), answers = {mrOk}; },
         [&] { return int(boxes.size()); }},
        {"Ins",
         VK_INSERT,
         false,
         {&files},
         [&] { select(0, -1), before = entries.Count(); },
         [&] { return entries.Count() - before; }},
        {"Del",
         VK_DELETE,
         false,
         {&entries},
         [&] {
             select(-1, -1);
             SendMessageA(form->Handle(), WM_INITMENU, 0, 0); // the list's menu opens with nothing selected
             select(-1, 0), before = entries.Count();
         },
         [&] { return before - entries.Count(); }},
        {"Ctrl+A in the file list",
         'A',
         true,
         {&files},
         [&] { select(-1, 0); },
         [&] { return int(files.SelCount() == files.Count() && entries.SelCount() == 1); }},
        {"Ctrl+A in the list",
         'A',
         true,
         {&entries},
         [&] { select(-1, 0); },
         [&] { return int(entries.SelCount() == entries.Count() && files.SelCount() == 0); }},
    };
    for (const Key& key : keys) {
        for (TControl* place : key.places) {
            char focus[64] = {};
            GetClassNameA(place->Handle(), focus, sizeof(focus));
            SCOPED_TRACE(std::string(key.name) + ", the focus in a " + focus);
            boxes.clear();
            helpCalls.clear();
            key.prepare();
            place->SetFocus();
            PressKey(key.key, key.ctrl);
            EXPECT_EQ(key.acted(), 1);
            EXPECT_TRUE(answers.empty());
        }
    }
}
