#pragma once
// Controls that hold lists: drop-down lists, the browser's lists and the report-style list view.
#include "platform/FilterList.h"
#include "platform/Window.h"

// Created when first shown, so a hidden drop-down list costs nothing at start-up.
class TComboBox : public TControl {
public:
    TComboBox() { deferWhileHidden_ = true; }
    void Create(TControl& parent);
    void SetItems(const std::vector<std::string>& items);
    const std::vector<std::string>& Items() const { return items_; }
    int ItemIndex() const;
    // Selects a row (-1: none) without a change event.
    void SetItemIndex(int index);
    std::string Text() const;

protected:
    void HandleCreated() override;
    void CommandNotify(WORD code) override;
    virtual void Changed();

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1; // kept while there is no window
};

class TFileListBox;

// Filter descriptions; the chosen row's mask goes to the linked file list.
class TFilterComboBox : public TComboBox {
public:
    TFileListBox* FileList = nullptr;
    const std::string& Filter() const { return filter_; }
    // Giving the box the list it already holds (whatever the case) changes nothing; another list
    // rebuilds the rows, selects the first, applies its mask and raises the change event.
    void SetFilter(const std::string& filter);
    std::string Mask() const;

protected:
    void Changed() override;

private:
    std::string filter_;
    std::vector<FilterRow> rows_;
};

// Report view with whole-row selection that stays visible when the list loses the focus.
class TListView : public TControl {
public:
    void Create(TControl& parent);
    void AddColumn(const std::string& caption, int width);
    // Appends a row; returns its index.
    int AddItem(const std::vector<std::string>& cells);
    // Inserts a row after every row whose first cell is not greater (lstrcmpA); returns its index.
    int InsertSorted(const std::vector<std::string>& cells);
    // Replaces all rows, sorted by their first cell as InsertSorted would place them.
    void SetRows(std::vector<std::vector<std::string>> rows);
    // Removes rows; the selection of the others stays with them.
    void RemoveRows(std::vector<int> indices);
    const std::vector<std::string>& Row(int index) const { return rows_[std::size_t(index)]; }
    int Count() const { return int(rows_.size()); }
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
    std::string ItemText(int index, int column) const;
    void SetSelected(int index, bool selected);
    void Clear();

protected:
    LRESULT NotifyNotify(const NMHDR* hdr) override;

private:
    // The view shows rows_ (it holds no texts of its own), so even 100,000 rows cost nothing to show.
    void Resize(const std::vector<int>& selectedAfter);
    void SetState(int index, bool selected);
    std::vector<std::vector<std::string>> rows_;
    // While the view changes selections of its own accord, its change events are held back.
    int quiet_ = 0;
    int columns_ = 0;
};
