#pragma once
// The file browser's linked controls: drive box, filter box, directory list and file list.
#include "lists/FilterList.h"
#include "lists/FolderNames.h"
#include "platform/ListControls.h"

class TDirectoryListBox;
class TFileListBox;

// The computer's drives, by letter (no volume labels: reading them would touch every drive at
// start-up, and a network or removable one can keep the program waiting); choosing one moves the
// directory list to that drive's current folder.
class TDriveComboBox : public TComboBox {
public:
    TDirectoryListBox* DirList = nullptr;
    void Create(TControl& parent, const TBounds& bounds);
    // Selects the drive's row without moving the directory list.
    void SetDrive(char letter);
    char Drive() const;

protected:
    void Changed() override;

private:
    std::vector<char> letters_;
};

// Filter descriptions; the chosen row's mask goes to the linked file list.
class TFilterComboBox : public TComboBox {
public:
    TFileListBox* FileList = nullptr;
    const std::string& Filter() const { return filter_; }
    // Giving the box the list it already holds (whatever the case) changes nothing; another list
    // rebuilds the rows, selects the first and applies its mask. True when the list changed.
    bool SetFilter(const std::string& filter);
    std::string Mask() const;

protected:
    void Changed() override;

private:
    std::string filter_;
    std::vector<FilterRow> rows_;
};

// The current folder's path, one row per level, and its subfolders below it. Every change of folder
// points the file list at it; the user's (a double click or Enter on a row, a drive chosen) then
// raises the change event.
class TDirectoryListBox : public TControl {
public:
    TFileListBox* FileList = nullptr;
    TDriveComboBox* DriveCombo = nullptr;

    void Create(TControl& parent, const TBounds& bounds);
    // "C:\" at a root, else without a trailing backslash.
    const std::string& Directory() const { return directory_; }
    // Fails with an error when the folder does not exist.
    void SetDirectory(const std::string& path);
    // The same as the user's move to the folder: then raises the change event.
    void Open(const std::string& path);
    // Reads the folders from the disk again; a folder that is gone gives way to the nearest one
    // above it that still exists.
    void Update();

    int Count() const { return int(rows_.size()); }

protected:
    void CommandNotify(WORD code) override;
    bool DialogKey(UINT key) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    struct Row {
        std::string text;
        std::string path;
        int level;
        bool open; // a level of the current path, not a subfolder
    };
    // Reads the folder once: its subfolders become rows; its other entries are returned when kept,
    // for the file list.
    FolderNames Fill(bool keepOthers);
    // Moves to the folder of a row, as the user's choice.
    void OpenRow(int index);
    std::string directory_;
    std::vector<Row> rows_;
};

// The files of a folder that match the mask, sorted by name: ordinary files only (no folders,
// no hidden or system files). Several files may be selected at once.
class TFileListBox : public TControl {
public:
    void Create(TControl& parent, const TBounds& bounds);
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& mask);
    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& path);
    // The same with the folder's entries as the directory list has just read them, so that a change
    // of folder reads it once.
    void SetDirectory(const std::string& path, const FolderNames& entries);
    // Reads the folder again.
    void Update();

    int Count() const { return int(names_.Size()); }
    std::string Item(int index) const { return std::string(Name(index)); }
    std::string_view Name(int index) const { return names_.Name(std::size_t(index)); }
    // The row with the focus rectangle, which need not be selected; -1 when the list is empty.
    int ItemIndex() const;
    void SetItemIndex(int index);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;

protected:
    void CommandNotify(WORD code) override;

private:
    // Keeps the entries that are listed files matching the mask, sorted, and shows them.
    void Show(const FolderNames& entries);
    std::string mask_ = "*.*";
    std::string directory_;
    FolderNames names_;
};
