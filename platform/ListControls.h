#pragma once
// Controls that hold lists: drop-down lists, the browser's lists and the report-style list view.
#include "platform/ListRows.h"
#include "platform/Window.h"

// The system's drop-down list (no typing); the window holds its rows and the chosen row.
class TComboBox : public TControl {
public:
    // `bounds` is the closed box; the window also holds the dropped-down list below it.
    void Create(TControl& parent, const TBounds& bounds);
    void SetItems(const std::vector<std::string>& items);
    std::vector<std::string> Items() const;
    int ItemIndex() const;
    // Selects a row (-1: none) without a change event.
    void SetItemIndex(int index);
    std::string Text() const;

protected:
    void CommandNotify(WORD code) override;
    virtual void Changed();
};

// Report view with whole-row selection that stays visible when the list loses the focus.
class TListView : public TControl {
public:
    // A column of this width fits the wider of its header and its widest text, whenever rows change.
    static constexpr int kFitContents = -1;

    void Create(TControl& parent, const TBounds& bounds);
    void AddColumn(const std::string& caption, int width);
    // The last column reaches to the view's right edge (now, or when the window is made).
    void FillLastColumn();
    // Changes made between BeginUpdate and EndUpdate reach the window once, at the last EndUpdate;
    // meanwhile the view answers from its own rows and held selection. Pairs may nest.
    void BeginUpdate();
    void EndUpdate();
    // Appends a row; returns its index.
    int AddItem(const std::vector<std::string>& cells);
    // Inserts a row after every row whose first cell is not greater (lstrcmpA); returns its index.
    int InsertSorted(const std::vector<std::string>& cells);
    // Replaces all rows, sorted by their first cell as InsertSorted would place them.
    void SetRows(std::vector<std::vector<std::string>> rows);
    // Removes rows; the selection and focus of the others stay with them.
    void RemoveRows(const std::vector<int>& indices);
    int Count() const { return int(rows_.Size()); }
    int SelCount() const;
    bool Selected(int index) const;
    // Select every row, or turn every row's selection over; one change event afterwards.
    void SelectAll();
    void InvertSelection();
    // The selected rows, first to last.
    std::vector<int> SelectedRows() const;
    // The row with the focus rectangle, and the first selected row; -1 when there is none.
    int FocusedIndex() const;
    int FirstSelected() const;
    // A cell's text; empty past the rows or the row's cells.
    std::string ItemText(int index, int column) const { return CellText(index, column); }
    // The same without a copy, for reading many rows; valid until the rows change.
    const std::string& CellText(int index, int column) const { return rows_.Cell(std::size_t(index), column); }
    void SetSelected(int index, bool selected);
    // Changes a cell's text; the view shows it at its next painting.
    void SetItemText(int index, int column, const std::string& text);
    void Clear();
    // The first row from `start` on whose first cell is the text (or, `partial`, starts with it),
    // letters compared without regard to case, going round to the top when `wrap`; -1 when none.
    int FindRow(const char* text, bool partial, int start, bool wrap) const;

protected:
    void HandleCreated() override;
    LRESULT NotifyNotify(const NMHDR* hdr) override;

private:
    void InsertColumn(int index);
    // Takes the window's selection and focus before a batch first changes the rows.
    void Hold();
    // Gives the window the row count, selection and focus held for the batch.
    void ShowHeld();
    void SetState(int index, UINT state, UINT mask);
    void FitColumns();
    // Runs a change of many states with the view's drawing and change events held back: each
    // state change of a drawn view costs a round trip to the window system.
    template <typename Work> void Bulk(Work work);

    // The view shows rows_ (it holds no texts of its own), so even 100,000 rows cost nothing to show.
    ListRows rows_;
    int updating_ = 0;
    bool held_ = false;
    std::vector<char> heldSelected_; // one flag per row while held_
    int heldFocus_ = -1;
    // While the view changes selections of its own accord, its change events are held back.
    int quiet_ = 0;
    std::vector<std::string> fitted_;                  // each column's caption when it fits its contents, else empty
    std::vector<std::pair<std::string, int>> columns_; // caption and width, as added
    bool fillLast_ = false;
};

// Holds a list view's window work back for the life of a scope.
class TListUpdate {
public:
    explicit TListUpdate(TListView& list) : list_(list) { list_.BeginUpdate(); }
    ~TListUpdate() { list_.EndUpdate(); }
    TListUpdate(const TListUpdate&) = delete;
    TListUpdate& operator=(const TListUpdate&) = delete;

private:
    TListView& list_;
};
