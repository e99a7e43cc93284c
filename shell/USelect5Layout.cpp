// The main window's form: its controls, menus and event bindings, top to bottom.
#include "lists/Filters.h"
#include "platform/Application.h"
#include "shell/USelect5.h"
#include "shell/res/ResourceIds.h"

namespace {
TFontSpec CategoryFont() {
    TFontSpec font;
    font.height = -12;
    return font;
}
} // namespace

TFormSelect::TFormSelect() {
    Title = kMainCaption;
    ClientWidth = 444;
    ClientHeight = 414;
    BorderStyle = TBorderStyle::Single;
    VisibleAtCreation = true;
    ShowHint = true;
    Menu = &MainMenu1;
    BuildMenus();
}

// Every command of the window with its caption, short-cut and handler, then the entries of its menus,
// which carry the commands by id; an entry the menus name otherwise shows its own caption.
void TFormSelect::BuildMenus() {
    auto previewOn = [this](PreviewMode mode) { return [this, mode] { ChangePreviewOn(mode); }; };
    MakeCommands(
        {
            {cmSave, "&Save", CtrlKey('S'), [this] { SaveToFile(); }},
            {cmExit, "&Exit", CtrlKey('X'), [this] { Close1Click(); }},
            {cmAutostart, "&Run Randomizer at Start-Up", scNone, [this] { Runrandomizeratstartup1Click(); }},
            {cmPlusStretch, "Uses stretch from plus ", scNone, [this] { miPlusStretchClick(); }},
            {cmWallpaperPerMonitor, "A Different Wallpaper on Each &Monitor", scNone,
             [this] { WallpaperPerMonitorClick(); }},
            {cmReportAddErrors, "Report Add &Errors", scNone, [this] { ChangeErrorReport(); }},
            {cmPreviewNone, "Preview &None", scNone, previewOn(PreviewMode::None)},
            {cmPreviewChooseOnly, "Preview &Choose Only", scNone, previewOn(PreviewMode::ChooseOnly)},
            {cmPreviewSelectedOnly, "Preview &Selected Only", scNone, previewOn(PreviewMode::SelectedOnly)},
            {cmPreviewBoth, "Preview &Both", scNone, previewOn(PreviewMode::Both)},
            {cmRemoveMissing, "&Remove non existing files from lists", scNone,
             [this] { Removenonexistingfiles1Click(); }},
            {cmMakeScreen, "Make &Screen from Picture...", CtrlKey('N'), [this] { MakeScreenClick(); }},
            {cmAnimatedBar, "&Animated bar", scNone, [this] { AnimatedBarClick(); }},
            {cmOriginalScreens, "&Set Original Screens Back", scNone, [this] { OriginalScreens1Click(); }},
            {cmUninstall, "&Uninstall", scNone, [this] { Uninstall2Click(); }},
            {cmHelp, "&Help", ShortCut(vk::F1), [this] { Help2Click(); }},
            {cmAbout, "&About ...", scNone, [this] { About1Click(); }},
            {cmFullScreen, "Full Screen Preview", ShortCut(vk::F3), [this] { ImgPreviewDblClick(); }},
            {cmSetAsCurrent, "&Set as current", ShortCut(vk::F4), [this] { SetasCurrentClick(); }},
            {cmRefresh, "Re&fresh", CtrlKey('R'), [this] { Refresh1Click(); }},
            {cmExtend, "E&xtend", CtrlKey('E'), [this] { PnlExtendClick(); }}, // the bar's key
            {cmAddFiles, "&Add", ShortCut(vk::Insert), [this] { BtnAddClick(); }},
            {cmSelectAllFiles, "&Select All", CtrlKey('A'), [this] { btnAllFilesClick(); }},
            {cmInvertFiles, "&Invert Selection", CtrlKey('I'), [this] { BtnInvFilesClick(); }},
            {cmRemoveEntries, "&Remove", ShortCut(vk::Delete), [this] { btnRemoveClick(); }},
            {cmFindFile, "Find File &Directory", CtrlKey('D'), [this] { Findfile1Click(); }},
            {cmSelectAllEntries, "Select &All", CtrlKey('A'), [this] { btnAllSelectClick(); }},
            {cmInvertEntries, "&Invert Selection", CtrlKey('I'), [this] { btnInvSelectClick(); }},
            {cmFileInfo, "Info about file", scNone, [this] { SizeClick(); }},
        },
        {
            {&MainMenu1.Items, &File1, 0, "&File"},
            {&File1, &Save1, cmSave},
            {&File1, &N3},
            {&File1, &Close1, cmExit},
            {&MainMenu1.Items, &Options1, 0, "&Options"},
            {&Options1, &Runrandomizeratstartup1, cmAutostart},
            {&Options1, &miPlusStretch, cmPlusStretch},
            {&Options1, &miWallpaperPerMonitor, cmWallpaperPerMonitor},
            {&Options1},
            {&Options1, &ErrorReportOn1, cmReportAddErrors},
            {&Options1},
            {&Options1, &PreviewNone1, cmPreviewNone},
            {&Options1, &PreviewChooseOnly1, cmPreviewChooseOnly},
            {&Options1, &PreviewSelectedOnly1, cmPreviewSelectedOnly},
            {&Options1, &PreviewBoth1, cmPreviewBoth},
            {&MainMenu1.Items, &Edit1, 0, "&Edit"},
            {&Edit1, &Removenonexistingfiles1, cmRemoveMissing},
            {&Edit1, &N8},
            {&Edit1, &MakeScreen1, cmMakeScreen},
            {&Edit1, &AnimatedBar1, cmAnimatedBar},
            {&MainMenu1.Items, &Uninstall1, 0, "&Uninstall"},
            {&Uninstall1, &OriginalScreens1, cmOriginalScreens},
            {&Uninstall1, &Uninstall2, cmUninstall},
            {&MainMenu1.Items, &Help1, 0, "&Help"},
            {&Help1, &Help2, cmHelp},
            {&Help1, &About1, cmAbout},
            {&MainMenu1.Items, &NietZichtbaar1, 0, "Niet Zichtbaar"},
            {&NietZichtbaar1, &FullScreenPreview2, cmFullScreen},
            {&NietZichtbaar1, &Setascurrent1, cmSetAsCurrent},
            {&NietZichtbaar1, &Refresh1, cmRefresh},
            {&NietZichtbaar1, &Extend1, cmExtend},

            {&PopMFile.Items, &Add1, cmAddFiles},
            {&PopMFile.Items},
            {&PopMFile.Items, &SelectAll1, cmSelectAllFiles},
            {&PopMFile.Items, &InvertSelection1, cmInvertFiles},
            {&PopMFile.Items, &Refresh2, cmRefresh, "&Refresh", ShortCut(vk::F5)}, // F5 refreshes like Ctrl+R
            {&PopMFile.Items, &N5},
            {&PopMFile.Items, &ViewFullScreen1, cmFullScreen, "View &Full Screen"},

            {&PopMSelected.Items, &View2, cmFullScreen, "&Full Screen Preview"},
            {&PopMSelected.Items, &Remove1, cmRemoveEntries},
            {&PopMSelected.Items},
            {&PopMSelected.Items, &Findfile1, cmFindFile},
            {&PopMSelected.Items, &N7},
            {&PopMSelected.Items, &SelectAll2, cmSelectAllEntries},
            {&PopMSelected.Items, &InvertSelection2, cmInvertEntries},

            {&PopMFileInfo.Items, &SetascurrentScreen1, cmSetAsCurrent, "Set as current &Screen"},
            {&PopMFileInfo.Items, &Setascurrentwallpaper1, cmSetAsCurrent, "Set as current &Wallpaper"},
            {&PopMFileInfo.Items, &FullScreenPreview1, cmFullScreen, "Full Screen &Preview"},
            {&PopMFileInfo.Items},
            {&PopMFileInfo.Items, &Size, cmFileInfo},
            {&PopMFileInfo.Items, &N9},
            {&PopMFileInfo.Items, &MakeScreen2, cmMakeScreen},
            {&PopMFileInfo.Items, &AnimatedBar2, cmAnimatedBar},
        });
    PopMFileInfo.OnPopup = [this] { PopMFileInfoPopup(); };
    NietZichtbaar1.SetVisible(false);
    N5.SetVisible(false);
    ViewFullScreen1.SetVisible(false);
    N7.SetEnabled(false);
}

// The windows are made in the tab order (which is also the order in which screen readers meet
// them), each label just before the control it names.
void TFormSelect::BuildControls() {
    Label3.Create(*this, {4, 36, 0, 0}, "Drive:");
    DriveComboBox1.Create(*this, {4, 52, 145, 19});
    Label5.Create(*this, {4, 76, 0, 0}, "Directory:");
    DirectoryListBox1.Create(*this, {4, 92, 145, 133});
    Label2.Create(*this, {156, 36, 0, 0}, "Choose Files:");
    FileListBox1.Create(*this, {156, 52, 113, 213});
    FileListBox1.SetMask("*.bmp;*.sys;");
    FileListBox1.PopupMenu = &PopMFile;
    Label6.Create(*this, {4, 228, 0, 0}, "Filters:");
    FilterComboBox1.Create(*this, {4, 244, 145, 21});
    FilterComboBox1.FileList = &FileListBox1;
    FilterComboBox1.SetFilter(kScreenFilter);
    // The browser starts in the current folder, unless the settings remember another.
    DriveComboBox1.DirList = &DirectoryListBox1;
    DirectoryListBox1.DriveCombo = &DriveComboBox1;
    DirectoryListBox1.FileList = &FileListBox1;
    char current[MAX_PATH] = {};
    if (GetCurrentDirectoryA(MAX_PATH, current)) StartUpFolder = current;

    BtnAdd.Create(*this, {276, 180, 165, 25}, "Add Chosen File(s)");
    btnRemove.Create(*this, {276, 212, 165, 25}, "Remove Selected File(s)");
    chkbStartUpRun.Create(*this, {276, 248, 157, 17}, "Run Randomizer at Start-Up");

    Label1.Create(*this, {4, 272, 0, 0}, "Selected Files:"); // the lists lie in one place, below it
    for (Category category : kCategories) {
        TListView* list = &ListOfCategory(category);
        list->Cell = [this, category](int row, int column) -> const std::string& {
            return Entries(category).Cell(std::size_t(row), column);
        };
        list->HiddenAtCreation = true;
        list->Create(*this, {4, 291, 436, 118});
        list->AddColumn("Filename", TListView::kFitContents);
        list->AddColumn("Path", TListView::kFitContents);
        if (list == &ListWall) list->AddColumn("Style", 80);
        list->PopupMenu = &PopMSelected;
    }
    // The name ends just before the box; a wider font takes the free room on its left.
    LblStyle.HiddenAtCreation = true;
    LblStyle.Alignment = TAlignment::Right;
    LblStyle.Create(*this, {276, 248, 82, 0}, "Wallpaper Style:");
    CBStyle.HiddenAtCreation = true;
    CBStyle.Create(*this, {360, 244, 81, 21});
    CBStyle.SetEnabled(false);
    std::vector<std::string> styles;
    for (const WallpaperStyleInfo& style : kWallpaperStyles)
        styles.push_back(style.name);
    CBStyle.SetItems(styles);

    // The category buttons are one tab stop, last, so the focus still starts in the drive box.
    for (TSpeedButton* button : {&sbtnStart, &sbtnWait, &sbtnShut, &sbtnWall})
        button->SetFont(CategoryFont());
    sbtnStart.Create(*this, {4, 8, 105, 25}, "StartUp Screen");
    sbtnWait.Create(*this, {112, 8, 105, 25}, "Waiting Screen");
    sbtnShut.Create(*this, {220, 8, 113, 25}, "Shut Down Screen");
    sbtnWall.Create(*this, {336, 8, 105, 25}, "Wallpaper");
    sbtnStart.SetDown(true);

    Splitter1.SetAlign(TAlign::Left);
    Splitter1.Create(*this, {0, 291, 4, 118});
    Splitter4.SetAlign(TAlign::Right);
    Splitter4.Create(*this, {440, 291, 4, 118});
    PnlExtend.SetAlign(TAlign::Bottom);
    PnlExtend.SetMouseCursor(IDC_SIZENS);
    PnlExtend.ShowCaption = false; // its name, for screen readers
    PnlExtend.Create(*this, {0, 409, 444, 5});
    PnlExtend.SetCaption("Extend");

    Label4.Create(*this, {276, 36, 0, 0}, "Preview:");
    pnlPreview.BevelInner = TBevelCut::Lowered;
    pnlPreview.Create(*this, {276, 52, 164, 120});
    PnlPreviewName.BevelOuter = TBevelCut::None;
    PnlPreviewName.Create(pnlPreview, {2, 2, 160, 16}, "No File Selected");
    ImgPreview.Stretch = true;
    ImgPreview.HiddenAtCreation = true;
    ImgPreview.Create(pnlPreview, {2, 18, 160, 100});
    ImgPreview.PopupMenu = &PopMFileInfo;
    // Stored with the form: the preview picture until a load succeeds.
    ImgPreview.SetPicture(UniqueBitmap(static_cast<HBITMAP>(
        LoadImageA(Application().Instance(), MAKEINTRESOURCEA(IDB_PREVIEW), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))));
    const TPicture& stored = ImgPreview.Picture();
    Model.preview.picture = &stored;
    Model.preview.width = stored.Width();
    Model.preview.height = stored.Height();
    Model.preview.format = stored.Format();

    LblNumber.Alignment = TAlignment::Right;
    LblNumber.Create(*this, {337, 275, 100, 13}, "0 / 0"); // right edge at 437

    // The line under the menu bar, whose height marks off the list area; it lies beneath the others.
    Bevel1.SetAlign(TAlign::Top);
    Bevel1.Create(*this, {0, 0, 444, 291});
    BindEvents();
    UpdateCommands();
}

void TFormSelect::BindEvents() {
    for (TSpeedButton* button : {&sbtnStart, &sbtnWait, &sbtnShut, &sbtnWall})
        button->OnClick = [this, button] { Change_Screen_Button(button); };
    FileListBox1.OnChange = [this] { ViewChooseBox(); };
    FileListBox1.OnClick = [this] { ViewChooseBox(); };
    FileListBox1.OnDblClick = [this] { BtnAddClick(); };
    DirectoryListBox1.OnChange = [this] { DirectoryListBox1Change(); };
    FilterComboBox1.OnChange = [this] { FilterComboBox1Change(); };
    for (TListView* list : {&ListStart, &ListWait, &ListShut, &ListWall}) {
        list->OnChange = [this] { LstVSelectedChange(); };
        list->OnClick = [this] { ViewSelected(); };
    }
    pnlPreview.OnDblClick = [this] { pnlPreviewDblClick(); };
    ImgPreview.OnDblClick = [this] { ImgPreviewDblClick(); };
    BtnAdd.OnClick = [this] { BtnAddClick(); };
    btnRemove.OnClick = [this] { btnRemoveClick(); };
    CBStyle.OnChange = [this] { CBStyleChange(); };
    chkbStartUpRun.OnClick = [this] { Runrandomizeratstartup1Click(); };
    PnlExtend.OnClick = [this] { PnlExtendClick(); };
}
