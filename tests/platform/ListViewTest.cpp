// The report list view under Wine: a virtual view over its own rows, sorted as lstrcmpA sorts.
#include "platform/Form.h"
#include "platform/ListControls.h"
#include "tests/support/WineFixture.h"

#include <commctrl.h>

#include <algorithm>

namespace {
class ListForm : public TForm {
public:
    ListForm() { VisibleAtCreation = true; }
    TListView List;

protected:
    void BuildControls() override {
        List.Create(*this, {0, 0, 300, 200});
        List.AddColumn("Filename", TListView::kFitContents);
        List.AddColumn("Path", 100);
    }
};

class ListView : public WineFixture {
protected:
    void SetUp() override {
        WineFixture::SetUp();
        form = &Application().CreateForm<ListForm>();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < form->List.Count(); ++i)
            names.push_back(form->List.ItemText(i, 0));
        return names;
    }
    ListForm* form = nullptr;
};
} // namespace

TEST_F(ListView, RowsAreSortedAsLstrcmpASortsThemAndDuplicatesStay) {
    std::vector<std::string> names = {"b.bmp",         "B.bmp",   "a.bmp", "_x.bmp",
                                      "\xE9t\xE9.bmp", "Zed.bmp", "a.bmp", "10.bmp"};
    for (const std::string& name : names)
        form->List.InsertSorted({name, "C:\\PICS"});
    std::vector<std::string> expected = names;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::string& a, const std::string& b) { return lstrcmpA(a.c_str(), b.c_str()) < 0; });
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(std::count(expected.begin(), expected.end(), "a.bmp"), 2) << "duplicates are allowed";
    auto position = [&](const char* name) {
        return std::find(expected.begin(), expected.end(), name) - expected.begin();
    };
    EXPECT_LT(position("a.bmp"), position("B.bmp")) << "letters compare without regard to case first";

    // The view shows the rows' texts.
    char text[64] = {};
    LVITEMA item = {};
    item.iSubItem = 1;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(form->List.Handle(), LVM_GETITEMTEXTA, 0, LPARAM(&item));
    EXPECT_STREQ(text, "C:\\PICS");
    EXPECT_EQ(SendMessageA(form->List.Handle(), LVM_GETITEMCOUNT, 0, 0), 8);
}

TEST_F(ListView, SelectionStaysWithItsRowsWhenRowsComeAndGo) {
    for (const char* name : {"b.bmp", "d.bmp", "f.bmp", "h.bmp", "j.bmp"})
        form->List.InsertSorted({name, "C:\\"});
    form->List.SetSelected(1, true); // d
    form->List.SetSelected(3, true); // h
    form->List.InsertSorted({"a.bmp", "C:\\"});
    EXPECT_EQ(form->List.SelectedRows(), (std::vector<int>{2, 4}));
    form->List.RemoveRows({0, 2, 3}); // a, d, f
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.bmp", "h.bmp", "j.bmp"}));
    EXPECT_EQ(form->List.SelectedRows(), std::vector<int>{1}) << "h stays selected, d is gone";
    EXPECT_EQ(form->List.SelCount(), 1);
    form->List.Clear();
    EXPECT_EQ(form->List.Count(), 0);
    EXPECT_EQ(form->List.SelCount(), 0);
}

TEST_F(ListView, SetRowsSortsLikeInsertingOneByOne) {
    std::vector<std::string> names = {"b.bmp", "B.bmp", "a.bmp", "_x.bmp", "\xE9t\xE9.bmp", "Zed.bmp", "10.bmp"};
    for (const std::string& name : names)
        form->List.InsertSorted({name, "1"});
    std::vector<std::string> oneByOne = Names();
    std::vector<std::vector<std::string>> rows;
    for (const std::string& name : names)
        rows.push_back({name, "2"});
    form->List.SetRows(rows);
    EXPECT_EQ(Names(), oneByOne);
    EXPECT_EQ(form->List.ItemText(0, 1), "2");
}

TEST_F(ListView, ABatchReachesTheWindowOnceAtItsEndAndTheFocusStaysWithItsRow) {
    HWND view = form->List.Handle();
    auto shownCount = [&] { return SendMessageA(view, LVM_GETITEMCOUNT, 0, 0); };
    for (const char* name : {"b.bmp", "d.bmp", "f.bmp"})
        form->List.InsertSorted({name, "C:\\"});
    form->List.SetSelected(1, true); // d
    LVITEMA focus = {};
    focus.stateMask = focus.state = LVIS_FOCUSED;
    SendMessageA(view, LVM_SETITEMSTATE, 2, LPARAM(&focus)); // f

    form->List.BeginUpdate();
    form->List.InsertSorted({"a.bmp", "C:\\"});
    form->List.InsertSorted({"c.bmp", "C:\\"});
    form->List.SetSelected(0, true); // a
    EXPECT_EQ(shownCount(), 3) << "the window waits for the end of the batch";
    EXPECT_EQ(form->List.Count(), 5);
    EXPECT_EQ(form->List.SelectedRows(), (std::vector<int>{0, 3})) << "answered from the held selection";
    EXPECT_EQ(form->List.FocusedIndex(), 4);
    form->List.EndUpdate();

    EXPECT_EQ(shownCount(), 5);
    EXPECT_EQ(form->List.SelectedRows(), (std::vector<int>{0, 3}));
    EXPECT_EQ(SendMessageA(view, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED), 4) << "f keeps the focus";
    EXPECT_EQ(form->List.ItemText(4, 0), "f.bmp");

    form->List.RemoveRows({0, 1}); // a, b
    EXPECT_EQ(form->List.FocusedIndex(), 2);
    EXPECT_EQ(form->List.SelectedRows(), std::vector<int>{1}) << "d stays selected";
    form->List.RemoveRows({2}); // f, the focused row
    EXPECT_EQ(form->List.FocusedIndex(), -1);
    EXPECT_EQ(shownCount(), 2);
}

TEST_F(ListView, AFittedColumnIsAsWideAsItsWidestTextOrItsHeader) {
    HWND view = form->List.Handle();
    auto width = [&](int column) { return int(SendMessageA(view, LVM_GETCOLUMNWIDTH, WPARAM(column), 0)); };
    auto viewsOwnFit = [&](int column) {
        int ours = width(column);
        SendMessageA(view, LVM_SETCOLUMNWIDTH, WPARAM(column), MAKELPARAM(LVSCW_AUTOSIZE, 0));
        int its = width(column);
        SendMessageA(view, LVM_SETCOLUMNWIDTH, WPARAM(column), MAKELPARAM(ours, 0));
        return its;
    };
    const int headerOnly = width(0);
    EXPECT_GT(headerOnly, 40) << "an empty list still shows its header";
    EXPECT_EQ(width(1), 100) << "a column of fixed width keeps it";

    form->List.InsertSorted({"a rather long file name of many letters.bmp", "C:\\"});
    form->List.InsertSorted({"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW.bmp", "C:\\"});
    form->List.InsertSorted({"short.bmp", "C:\\"});
    EXPECT_GT(width(0), headerOnly);
    EXPECT_EQ(width(0), viewsOwnFit(0)) << "as the view itself sizes a column to its texts";

    form->List.RemoveRows({0, 2}); // the two long names
    EXPECT_EQ(width(0), std::max(viewsOwnFit(0), headerOnly)) << "the column shrinks with its texts";
    form->List.Clear();
    EXPECT_EQ(width(0), headerOnly) << "down to the header";
}

TEST_F(ListView, TheLastColumnReachesTheRightEdge) {
    form->List.SetRows({{"a-rather-long-name-for-a-picture.bmp", "C:\\"}});
    form->List.FillLastColumn();
    auto width = [this](int column) { return SendMessageA(form->List.Handle(), LVM_GETCOLUMNWIDTH, column, 0); };
    EXPECT_EQ(width(0) + width(1), form->List.ClientRect().right);
}
