// The report list view under Wine: a virtual view over its owner's rows, with the window's own
// selection and focus.
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
    std::vector<std::vector<std::string>> rows; // the owner's rows

    void Show() { List.ShowRows(int(rows.size()), List.SelectedRows(), List.FocusedIndex()); }

protected:
    void BuildControls() override {
        List.Create(*this, {0, 0, 300, 200});
        List.Cell = [this](int row, int column) -> const std::string& {
            static const std::string none;
            return std::size_t(row) < rows.size() && std::size_t(column) < rows[std::size_t(row)].size()
                       ? rows[std::size_t(row)][std::size_t(column)]
                       : none;
        };
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
    std::string Shown(int row, int column) const {
        char text[64] = {};
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(form->List.Handle(), LVM_GETITEMTEXTA, WPARAM(row), LPARAM(&item));
        return text;
    }
    ListForm* form = nullptr;
};
} // namespace

TEST_F(ListView, ShowsItsOwnersRowsWithTheGivenSelectionAndFocus) {
    form->rows = {{"b.bmp", "C:\\PICS"}, {"d.bmp", "C:\\"}, {"f.bmp", "D:\\"}};
    form->List.ShowRows(3, {0, 2}, 1);
    EXPECT_EQ(SendMessageA(form->List.Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(Shown(0, 1), "C:\\PICS");
    EXPECT_EQ(Shown(2, 0), "f.bmp");
    EXPECT_EQ(form->List.SelectedRows(), (std::vector<int>{0, 2}));
    EXPECT_EQ(SendMessageA(form->List.Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED), 1);

    form->rows.erase(form->rows.begin());
    form->List.ShowRows(2, {1}, -1);
    EXPECT_EQ(form->List.SelectedRows(), std::vector<int>{1}) << "the old selection is replaced";
    EXPECT_EQ(form->List.FocusedIndex(), -1);
    EXPECT_EQ(Shown(0, 0), "d.bmp");
    form->List.InvertSelection();
    EXPECT_EQ(form->List.SelectedRows(), std::vector<int>{0});
    form->List.SelectAll();
    EXPECT_EQ(form->List.SelCount(), 2);
}

// At every display scale (the main window's scale test runs this one at each): the widest text as
// the view measures it, with room around it that grows with the scale, as the system's edges do.
// Wine's list view leaves 12 pixels at every scale, so its own fit is never wider.
TEST_F(ListView, AFittedColumnIsAsWideAsItsWidestTextOrItsHeader) {
    HWND view = form->List.Handle();
    auto width = [&](int column) { return int(SendMessageA(view, LVM_GETCOLUMNWIDTH, WPARAM(column), 0)); };
    auto viewsOwnFit = [&](int column, int how) {
        int ours = width(column);
        SendMessageA(view, LVM_SETCOLUMNWIDTH, WPARAM(column), MAKELPARAM(how, 0));
        int its = width(column);
        SendMessageA(view, LVM_SETCOLUMNWIDTH, WPARAM(column), MAKELPARAM(ours, 0));
        return its;
    };
    auto fitted = [&](const char* widest) {
        return int(SendMessageA(view, LVM_GETSTRINGWIDTHA, 0, LPARAM(widest))) + MulDiv(12, ScreenDpi(), 96);
    };
    const int headerOnly = width(0);
    EXPECT_EQ(headerOnly, fitted("Filename")) << "an empty list still shows its header";
    EXPECT_GE(headerOnly, viewsOwnFit(0, LVSCW_AUTOSIZE_USEHEADER));
    EXPECT_EQ(width(1), Scaled(100)) << "a column of fixed width, given at 96 DPI, keeps it at the screen's scale";

    form->rows = {
        {"a rather long file name of many letters.bmp"}, {"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW.bmp"}, {"short.bmp"}};
    form->Show();
    EXPECT_EQ(width(0), fitted("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW.bmp"));
    EXPECT_GE(width(0), viewsOwnFit(0, LVSCW_AUTOSIZE)) << "no text cut";

    form->rows = {{"short.bmp"}};
    form->Show();
    EXPECT_EQ(width(0), std::max(fitted("short.bmp"), headerOnly)) << "the column shrinks with its texts";
    form->rows.clear();
    form->Show();
    EXPECT_EQ(width(0), headerOnly) << "down to the header";
}

TEST_F(ListView, AHiddenViewTakesRowsAndItsLastColumnReachesItsRightEdge) {
    HWND view = form->List.Handle();
    form->List.SetVisible(false);
    form->List.ShowRows(3, {2}, -1);
    EXPECT_EQ(SendMessageA(view, LVM_GETITEMSTATE, 2, LVIS_SELECTED), LVIS_SELECTED) << "selected while hidden";
    form->List.FillLastColumn();
    EXPECT_EQ(SendMessageA(view, LVM_GETCOLUMNWIDTH, 0, 0) + SendMessageA(view, LVM_GETCOLUMNWIDTH, 1, 0),
              form->List.ClientRect().right);
}
