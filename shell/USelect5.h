#pragma once
// The main window: the four screen categories, the file browser, the preview pane, the lists and
// the menus through which everything is reached. Its handlers are defined in the shell's
// FormSelect*.cpp files, one for each thing they handle.
#include "lists/ListFileFormat.h"
#include "pictures/PictureLibrary.h"
#include "shell/BrowserControls.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/ListControls.h"
#include "platform/Menus.h"
#include "shell/PreviewActions.h"
#include "shell/SelectModel.h"

#include <memory>
#include <string>

class EntryInserts;
class TAboutBox;
class TFormPreview;

class TFormSelect : public TForm, public PreviewActions {
public:
    TFormSelect();
    ~TFormSelect() override;

    // Set by the start-up once the window exists.
    std::string VersionText;
    std::string BuildText;
    // The program's other windows, created after this one.
    TAboutBox* AboutBox = nullptr;
    TFormPreview* FormPreview = nullptr;

    // The state the controls show; the handlers change it.
    SelectModel Model;
    std::string ProgramDir;
    bool ListsChanged = false;
    bool SelectionTracking = false;
    bool Uninstalled = false;
    int SavedWidth = 0;
    // The browser's last folder per category; StartDir also holds the last folder of all.
    std::string StartDir, WaitDir, ShutDir, WallDir;
    // NViewLib.dll, loaded when the first wallpaper is read.
    std::unique_ptr<TPictureLibrary> PictureLibrary;

    TListView& ListOfCategory(Category category);
    const TListView& ListOfCategory(Category category) const {
        return const_cast<TFormSelect*>(this)->ListOfCategory(category);
    }
    TListView& ActiveList() { return ListOfCategory(Model.activeCategory); }
    ListRows& Entries(Category category) { return Model.entries[int(category)]; }
    const ListRows& Entries(Category category) const { return Model.entries[int(category)]; }
    ListRows& ActiveEntries() { return Entries(Model.activeCategory); }
    TSpeedButton& ButtonOfCategory(Category category);
    static std::string GetWindowsDir();

    // Controls, as the window lays them out.
    TSpeedButton sbtnStart, sbtnWait, sbtnShut, sbtnWall;
    TLabel LblStyle, LblNumber;
    TDriveComboBox DriveComboBox1;
    TDirectoryListBox DirectoryListBox1;
    TFilterComboBox FilterComboBox1;
    TFileListBox FileListBox1;
    TPanel PnlPreviewName;
    TImage ImgPreview;
    TButton BtnAdd, btnRemove;
    TCheckBox chkbStartUpRun;
    TComboBox CBStyle;
    TListView ListStart, ListWait, ListShut, ListWall;
    TPanel PnlExtend;

    // Menus, made from the command table in BuildMenus; their names stay the entries' own.
    TMainMenu MainMenu1;
    TMenuItem Runrandomizeratstartup1, miPlusStretch, miWallpaperPerMonitor, ErrorReportOn1, PreviewNone1,
        PreviewChooseOnly1, PreviewSelectedOnly1, PreviewBoth1;
    // Making a screen from the previewed picture: in the Edit menu and in the preview's pop-up menu.
    TMenuItem N8, MakeScreen1, AnimatedBar1;
    // Never shown; its short-cuts act from anywhere in the window.
    TMenuItem NietZichtbaar1;
    TPopupMenu PopMFile;
    TPopupMenu PopMSelected;
    TMenuItem Remove1, Findfile1, SelectAll2;
    TPopupMenu PopMFileInfo;
    TMenuItem SetascurrentScreen1, Setascurrentwallpaper1, Size, MakeScreen2, AnimatedBar2;

    // Shell: categories, the About box, the options.
    void Change_Screen_Button(TSpeedButton* pressed);
    void About1Click();
    void ChangeErrorReport();

    // Lists and browser.
    // Adds an entry where its list's order puts it; returns its row.
    int AddEntry(Category category, const std::vector<std::string>& cells);
    // Replaces a category's entries, sorted; none is selected.
    void SetEntries(Category category, std::vector<std::vector<std::string>> rows);
    void BtnAddClick();
    void btnRemoveClick();
    void btnAllFilesClick();
    void btnAllSelectClick();
    void btnInvSelectClick();
    void Findfile1Click();
    void Removenonexistingfiles1Click();
    void SaveToFile();
    // Points the browser at a folder; fails with an error when the folder does not exist.
    void ApplyBrowserPath(const std::string& path);

    // Pictures and preview.
    int LoadPicture(const std::string& path, TPicture& picture);
    TPictureLibrary& Library() override;
    void ResetPreview();
    // Shows a file in the preview pane, read only when the pane does not name it already (or when
    // `reread`). `markWrongSize`: a newly read picture of a screen category that is not 320 x 400
    // is named in red; without it the name is always in the normal colour.
    void ShowPreview(const std::string& path, bool markWrongSize, bool reread = false);
    void ViewChooseBox();
    void ViewSelected();
    void ImgPreviewDblClick();
    void ChangePreviewOn(PreviewMode mode);
    void SizeClick();
    void PopMFileInfoPopup();
    void miPlusStretchClick();
    void WallpaperPerMonitorClick();
    // Making a screen from the previewed picture; the items follow the category and the preview.
    void MakeScreenClick();

    // System integration.
    void SetasCurrentClick();
    void OriginalScreens1Click();
    void Uninstall2Click();

protected:
    void BuildControls() override;
    void FormCreate() override;
    void FormShow() override;
    void FormCloseQuery(bool& canClose) override;
    void FormClose() override;
    void FormDestroy() override;
    void FormResize() override;
    // Check marks, enabling and visibility of the commands, from what the window shows.
    void UpdateCommands() override;

private:
    // The window's commands; the entries of its menus carry them by id.
    enum Command {
        cmSave = 1,
        cmExit,
        cmAutostart,
        cmPlusStretch,
        cmReportAddErrors,
        cmPreviewNone,
        cmPreviewChooseOnly,
        cmPreviewSelectedOnly,
        cmPreviewBoth,
        cmRemoveMissing,
        cmMakeScreen,
        cmAnimatedBar,
        cmOriginalScreens,
        cmUninstall,
        cmHelp,
        cmAbout,
        cmFullScreen,
        cmSetAsCurrent,
        cmRefresh,
        cmExtend,
        cmAddFiles,
        cmSelectAllFiles,
        cmInvertFiles,
        cmRemoveEntries,
        cmFindFile,
        cmSelectAllEntries,
        cmInvertEntries,
        cmFileInfo,
        cmWallpaperPerMonitor
    };

    // The full-screen window's actions.
    void ChooseStyle(WallpaperStyle style) override;
    void ReturnWithStyle() override;
    void SetAsCurrent(const MonitorRect& shownOn) override;
    void FileInfo() override;

    void BuildMenus();
    void BindEvents();
    void SwitchControls(TSpeedButton* pressed);
    // The counter and the Remove button, from the active list.
    void UpdateCounter();
    void Close1Click();
    void Help2Click();
    void PnlExtendClick();
    void ReadSettings();

    void AddChosenFile(int index, EntryInserts& inserts);
    // Removes entries of a category; the others keep their selection and the focus.
    void RemoveEntries(Category category, const std::vector<int>& rows);
    int RemoveMissingEntries(Category category);
    void BtnInvFilesClick();
    void LstVSelectedChange();
    void DirectoryListBox1Change();
    void FilterComboBox1Change();
    void Refresh1Click();
    void LoadListFile();
    // The four lists as the list file holds them, passed through a sink in chunks, and the entry
    // lines of one of them.
    void ComposeListFile(TextSink& file) const;
    void WriteListSection(const ListRows& entries, bool withStyle, TextSink& file) const;

    // The size of the picture on view, as its hints show it; empty when no file is previewed.
    std::string PreviewSizeText() const;
    void pnlPreviewDblClick();
    // The user chose a style in the box.
    void CBStyleChange();
    // Every selected wallpaper entry takes the style.
    void RestyleSelected();
    // The style box shows the style.
    void ShowStyle();
    void AnimatedBarClick();

    void InstallScreen();
    // Makes the previewed picture the wallpaper in the chosen style; fails with the message.
    // The previewed picture becomes the screen, or the wallpaper: of the monitor when each monitor
    // has its own.
    void SetAsCurrentOn(const MonitorRect& monitor);
    void ApplyWallpaper(const MonitorRect& monitor);
    // After an uninstall in this run nothing may change the screens or the wallpaper: true, after
    // saying so, when the command is refused.
    bool RefusedAfterUninstall();
    // The uninstall after the user's Yes: the originals back, then the registry entries removed;
    // true when it completed.
    bool UninstallNow();
    void Runrandomizeratstartup1Click();
    // Steps of the start-up reading that belong to the backup and the autostart option.
    void MakeFirstRunBackup();
    void ReadAutostartState();

    // The list file existed but could not be read at start-up: the first save keeps it beside the
    // new one, so the user's lists are not lost.
    bool ListFileUnread = false;
    bool UninstallStart = false;
    // The current folder at the start: the browser's folder when no remembered one applies. It is
    // read once the settings are known, so a remembered folder spares reading this one too.
    std::string StartUpFolder;

    TLabel Label3, Label5, Label6, Label2, Label4, Label1;
    TPanel pnlPreview;
    TBevel Bevel1;
    TSplitter Splitter1, Splitter4;
    TMenuItem File1, Save1, N3, Close1;
    TMenuItem Options1;
    TMenuItem Edit1, Removenonexistingfiles1;
    TMenuItem Uninstall1, OriginalScreens1, Uninstall2;
    TMenuItem Help1, Help2, About1;
    TMenuItem FullScreenPreview2, Setascurrent1, Refresh1, Extend1;
    TMenuItem Add1, SelectAll1, InvertSelection1, Refresh2, N5, ViewFullScreen1;
    TMenuItem View2, N7, InvertSelection2;
    TMenuItem FullScreenPreview1, N9;
};

// Entries inserted into a category's list, each where the list's order puts it. The view shows them
// at the end of the scope, its selection and focus staying on the entries they were on.
class EntryInserts {
public:
    EntryInserts(TFormSelect& form, Category category) : form_(form), category_(category) {}
    EntryInserts(const EntryInserts&) = delete;
    EntryInserts& operator=(const EntryInserts&) = delete;
    ~EntryInserts();
    // Returns the entry's row.
    int Insert(const std::vector<std::string>& cells);

private:
    TFormSelect& form_;
    Category category_;
    std::vector<int> inserted_; // the new entries' rows, ascending
};

// The name an unread list file is kept under, in the program directory.
inline constexpr const char* kUnreadListFileName = "QZDATA.OLD";
// The main window's caption before the version is added to it.
inline constexpr const char* kMainCaption = "Vistrel Selector";
