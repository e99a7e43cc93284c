#pragma once
// Controls that hold lists: drop-down lists, the browser's lists and the report-style list view.
#include "platform/Window.h"

// The system's drop-down list (no typing); the window holds its rows and the chosen row.
class TComboBox : public TControl {
public:
    // `bounds` is the closed box; the window also holds the dropped-down list below it.
    void Create(TControl& parent, const TBounds& bounds);
    // The dropped-down list opens as wide as its widest row needs, or as the box when that is wider.
    void SetItems(const std::vector<std::string>& items);
    std::vector<std::string> Items() const;
    int ItemIndex() const;
    // Selects a row (-1: none) without a change event.
    void SetItemIndex(int index);
    std::string Text() const;

protected:
    void CommandNotify(WORD code) override;
    void FontChanged() override { FitDroppedWidth(); }
    virtual void Changed();

private:
    void FitDroppedWidth();
};

// Report view with whole-row selection that stays visible when the list loses the focus. It holds
// no rows: its owner keeps them, gives their number and answers for each cell the view shows; the
// selection and the focus are the view's window's own.
class TListView : public TControl {
public:
    // A column of this width fits the wider of its header and its widest text, whenever rows change.
    static constexpr int kFitContents = -1;

    // A cell's text, asked of the owner; it stays valid until the owner's rows change.
    std::function<const std::string&(int row, int column)> Cell;

    void Create(TControl& parent, const TBounds& bounds);
    // The width is given at 96 pixels per inch, or kFitContents.
    void AddColumn(const std::string& caption, int width);
    // The last column reaches to the view's right edge.
    void FillLastColumn();
    // The owner's rows changed: the view shows `count` of them, with these selected and focused
    // (-1: none), and fits its columns.
    void ShowRows(int count, const std::vector<int>& selected, int focused);
    int Count() const;
    int SelCount() const;
    // Select every row, or turn every row's selection over. Like every setter of the view, they
    // raise no change event: OnChange is the user's.
    void SelectAll();
    void InvertSelection();
    // The selected rows, first to last.
    std::vector<int> SelectedRows() const;
    // The row with the focus rectangle, and the first selected row; -1 when there is none.
    int FocusedIndex() const;
    int FirstSelected() const;
    void SetSelected(int index, bool selected);

protected:
    LRESULT NotifyNotify(const NMHDR* hdr) override;

private:
    // The first row from `start` on whose first cell is the text (or, `partial`, starts with it),
    // letters compared without regard to case, going round to the top when `wrap`; -1 when none.
    int FindRow(const char* text, bool partial, int start, bool wrap) const;
    void SetState(int index, UINT state, UINT mask);
    void FitColumns();
    // The width that fits a fitted column's header and its widest cell.
    int FittedWidth(int column) const;
    // Runs a change of many states with the view's drawing and change events held back: each
    // state change of a drawn view costs a round trip to the window system.
    template <typename Work> void Bulk(Work work);

    // While the program changes the view, the view's notices of the change are held back.
    int quiet_ = 0;
    std::vector<std::string> fitted_; // each column's caption when it fits its contents, else empty
};
