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
    int AddItem(const std::vector<std::string>& cells);
    int Count() const;
    int SelCount() const;
    bool Selected(int index) const;
    // The row with the focus rectangle, and the first selected row; -1 when there is none.
    int FocusedIndex() const;
    int FirstSelected() const;
    std::string ItemText(int index, int column) const;
    void SetSelected(int index, bool selected);
    void Clear();

protected:
    LRESULT NotifyNotify(const NMHDR* hdr) override;

private:
    int columns_ = 0;
};
