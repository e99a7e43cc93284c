// Adding, removing and selecting list entries under Wine, with real bitmap files.
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TestFiles.h"

#include <commctrl.h>

#include <fstream>

namespace {
class ListCommands : public MainWindowFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        root = MakeTestFolder("vsl");
        for (const char* name : {"a.bmp", "e.bmp"})
            Write(name, BitmapFile(320, 400, 8));
        Write("b.bmp", BitmapFile(400, 320, 8));
        Write("c.bmp", BitmapFile(320, 400, 24));
        Write("d.bmp", BitmapFile(320, 400, 8));
        Start();
        form->ApplyBrowserPath(root);
    }
    void TearDown() override {
        ResetApplication();
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"})
            DeleteFileA((root + "\\" + name).c_str());
        RemoveDirectoryA(root.c_str());
        WineFixture::TearDown();
    }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(root + "\\" + name, std::ios::binary) << bytes;
    }
    void SelectFiles(std::initializer_list<int> rows) {
        SendMessageA(form->FileListBox1.Handle(), LB_SETSEL, FALSE, -1);
        for (int row : rows)
            form->FileListBox1.SetSelected(row, true);
    }
    // The first column as the view shows it.
    std::vector<std::string> Names(const TListView& list) const {
        std::vector<std::string> names;
        for (int i = 0; i < list.Count(); ++i) {
            char text[MAX_PATH] = {};
            LVITEMA item = {};
            item.pszText = text, item.cchTextMax = MAX_PATH;
            SendMessageA(list.Handle(), LVM_GETITEMTEXTA, WPARAM(i), LPARAM(&item));
            names.push_back(text);
        }
        return names;
    }
    std::string root;
};
} // namespace

TEST_F(ListCommands, FiveFilesOfWhichTwoAreRefused) {
    SelectFiles({0, 1, 2, 3, 4});
    answers = {mrOk, mrOk};
    ClickAt(form->BtnAdd, 5, 5);
    ASSERT_EQ(boxes.size(), 2u) << "one message per refused file, in the file list's order";
    EXPECT_EQ(boxes[0].text, "Size Error " + root +
                                 "\\b.bmp,\n\rInvallid Width or Height.\n\r"
                                 "Size is : 400 x 320,\n\rSize must be 320 x 400.");
    EXPECT_EQ(boxes[1].text, "Pixel Format Error " + root +
                                 "\\c.bmp,\n\rInvallid Pixel depth.\n\r"
                                 "Pixel depth is : 24 bpp\n\rPixel depth must be 8 bpp.");
    EXPECT_EQ(boxes[0].type, TMsgDlgType::Error);
    EXPECT_EQ(Names(form->ListStart), (std::vector<std::string>{"a.bmp", "d.bmp", "e.bmp"}));
    EXPECT_EQ(form->Entries(Category::Start).Cell(0, 1), root) << "the browser's folder as it reports it";
    EXPECT_TRUE(form->ListsChanged);
    EXPECT_TRUE(form->SelectionTracking);
    EXPECT_EQ(form->FileListBox1.SelCount(), 2) << "refused files stay selected, added ones are deselected";
    EXPECT_TRUE(form->FileListBox1.Selected(1));
    EXPECT_EQ(form->LblNumber.Caption(), "0 / 3");
}

TEST_F(ListCommands, ReportingOffRefusesSilentlyAndDuplicatesAreAllowed) {
    form->ChangeErrorReport();
    SelectFiles({0, 1});
    form->BtnAddClick();
    SelectFiles({0});
    form->BtnAddClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Names(form->ListStart), (std::vector<std::string>{"a.bmp", "a.bmp"}));
}

TEST_F(ListCommands, AnyWallpaperIsAddedWithTheStyleShown) {
    ClickAt(form->sbtnWall, 5, 5);
    PickStyle(2);
    SelectFiles({1, 2});
    form->BtnAddClick();
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(form->ListWall.Count(), 2);
    EXPECT_EQ(form->Entries(Category::Wall).Cell(0, 2), "Tiled");
}

TEST_F(ListCommands, RemoveThreeOfFiveAndThePopUpMenuTable) {
    SelectFiles({0, 3, 4});
    form->BtnAddClick();
    SelectFiles({0, 3});
    form->BtnAddClick();
    ASSERT_EQ(form->ListStart.Count(), 5);
    SendMessageA(form->Handle(), WM_INITMENU, 0, 0); // the menu opens
    EXPECT_FALSE(form->Remove1.Enabled());
    EXPECT_FALSE(form->SelectAll2.Enabled());
    EXPECT_TRUE(form->Findfile1.Enabled());
    form->btnAllSelectClick();
    SendMessageA(form->Handle(), WM_INITMENU, 0, 0); // the menu opens
    EXPECT_TRUE(form->Remove1.Enabled());
    EXPECT_FALSE(form->SelectAll2.Enabled()) << "everything is selected already";
    form->btnInvSelectClick();
    EXPECT_EQ(form->ListStart.SelCount(), 0);
    for (int row : {0, 2, 4})
        form->ListStart.SetSelected(row, true);
    SendMessageA(form->Handle(), WM_INITMENU, 0, 0); // the menu opens
    EXPECT_TRUE(form->SelectAll2.Enabled());
    form->ListsChanged = false;
    form->ListStart.SetFocus();
    PressKey(VK_DELETE);
    EXPECT_EQ(form->ListStart.Count(), 2);
    EXPECT_EQ(form->LblNumber.Caption(), "0 / 2") << "the counter follows at once";
    EXPECT_FALSE(Enabled(form->btnRemove));
    EXPECT_TRUE(form->ListsChanged);
}

TEST_F(ListCommands, MissingFilesAreRemovedAndCounted) {
    SelectFiles({0, 3});
    form->BtnAddClick();
    form->ListsChanged = false;
    answers = {mrOk};
    form->Removenonexistingfiles1Click();
    EXPECT_EQ(boxes.back().text, "Numbers of removed screens : \n\rStart-Up screens : 0\n\rWaiting screens : 0\n\r"
                                 "Shut down screens : 0\n\rWallpaper : 0\n\r");
    EXPECT_FALSE(form->ListsChanged) << "nothing missing, nothing changed";
    DeleteFileA((root + "\\d.bmp").c_str());
    answers = {mrOk};
    form->Removenonexistingfiles1Click();
    EXPECT_NE(boxes.back().text.find("Start-Up screens : 1\n\r"), std::string::npos);
    EXPECT_EQ(Names(form->ListStart), std::vector<std::string>{"a.bmp"});
    EXPECT_TRUE(form->ListsChanged);
}

TEST_F(ListCommands, SelectionAndFocusStayOnTheirEntriesWhenOthersComeAndGo) {
    SelectFiles({0, 4}); // a, e
    form->BtnAddClick();
    LVITEMA focus = {};
    focus.stateMask = focus.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(form->ListStart.Handle(), LVM_SETITEMSTATE, 1, LPARAM(&focus)); // e
    SelectFiles({3});                                                            // d, before e
    form->BtnAddClick();
    ASSERT_EQ(Names(form->ListStart), (std::vector<std::string>{"a.bmp", "d.bmp", "e.bmp"}));
    EXPECT_EQ(form->ListStart.SelectedRows(), std::vector<int>{2});
    EXPECT_EQ(form->ListStart.FocusedIndex(), 2);
    DeleteFileA((root + "\\a.bmp").c_str());
    answers = {mrOk};
    form->Removenonexistingfiles1Click();
    EXPECT_EQ(form->ListStart.SelectedRows(), std::vector<int>{1}) << "e, after a is gone";
    EXPECT_EQ(form->ListStart.FocusedIndex(), 1);
}

TEST_F(ListCommands, FindFileDirectoryMovesTheBrowser) {
    SelectFiles({0});
    form->BtnAddClick();
    form->ApplyBrowserPath(form->ProgramDir);
    form->ListStart.SetSelected(0, true);
    form->Findfile1Click();
    EXPECT_EQ(form->DirectoryListBox1.Directory(), root);
    EXPECT_EQ(form->StartDir, root);
}

TEST_F(ListCommands, ClicksAfterABatchSelectRowsAndTheCounterFollows) {
    SelectFiles({0, 3, 4}); // a, d, e pass the screen check
    form->BtnAddClick();
    ASSERT_EQ(Names(form->ListStart), (std::vector<std::string>{"a.bmp", "d.bmp", "e.bmp"}));
    EXPECT_EQ(Text(form->LblNumber), "0 / 3");
    HWND view = form->ListStart.Handle();
    auto click = [&](int row, WPARAM keys) {
        RECT box = {};
        box.left = LVIR_BOUNDS;
        SendMessageA(view, LVM_GETITEMRECT, WPARAM(row), LPARAM(&box));
        LPARAM at = MAKELPARAM(box.left + 5, (box.top + box.bottom) / 2);
        SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
        SendMessageA(view, WM_LBUTTONUP, keys, at);
    };
    click(1, 0);
    EXPECT_EQ(form->ListStart.SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(Text(form->LblNumber), "1 / 3");
    EXPECT_TRUE(Enabled(form->btnRemove));
    click(2, MK_CONTROL);
    EXPECT_EQ(form->ListStart.SelectedRows(), (std::vector<int>{1, 2}));
    EXPECT_EQ(Text(form->LblNumber), "2 / 3");
    form->btnRemoveClick();
    EXPECT_EQ(Names(form->ListStart), std::vector<std::string>{"a.bmp"});
    EXPECT_EQ(Text(form->LblNumber), "0 / 1");
    EXPECT_FALSE(Enabled(form->btnRemove));
}
