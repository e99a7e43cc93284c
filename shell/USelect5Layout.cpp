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

// Every command of the window: its menu, entry, caption, short-cut and handler.
void TFormSelect::BuildMenus() {
    TMenuItem *bar = &MainMenu1.Items, *files = &PopMFile.Items, *entries = &PopMSelected.Items,
              *preview = &PopMFileInfo.Items;
    auto previewOn = [this](TMenuItem* item) { return [this, item] { ChangePreviewOn(item); }; };
    auto fullScreen = [this] { ImgPreviewDblClick(); };
    auto setAsCurrent = [this] { SetasCurrentClick(); };
    auto makeScreen = [this] { MakeScreenClick(); };
    auto animatedBar = [this] { AnimatedBarClick(); };
    MakeCommands({
        {bar, &File1, "&File"},
        {&File1, &Save1, "&Save", CtrlKey('S'), [this] { SaveToFile(); }},
        {&File1, &N3},
        {&File1, &Close1, "&Exit", CtrlKey('X'), [this] { Close1Click(); }},
        {bar, &Options1, "&Options"},
        {&Options1, &Runrandomizeratstartup1, "&Run Randomizer at Start-Up", scNone,
         [this] { Runrandomizeratstartup1Click(); }},
        {&Options1, &miPlusStretch, "Uses stretch from plus ", scNone, [this] { miPlusStretchClick(); }},
        {&Options1},
        {&Options1, &ErrorReportOn1, "Report Add &Errors", scNone, [this] { ChangeErrorReport(); }},
        {&Options1},
        {&Options1, &PreviewNone1, "Preview &None", scNone, previewOn(&PreviewNone1)},
        {&Options1, &PreviewChooseOnly1, "Preview &Choose Only", scNone, previewOn(&PreviewChooseOnly1)},
        {&Options1, &PreviewSelectedOnly1, "Preview &Selected Only", scNone, previewOn(&PreviewSelectedOnly1)},
        {&Options1, &PreviewBoth1, "Preview &Both", scNone, previewOn(&PreviewBoth1)},
        {bar, &Edit1, "&Edit"},
        {&Edit1, &Removenonexistingfiles1, "&Remove non existing files from lists", scNone,
         [this] { Removenonexistingfiles1Click(); }},
        {&Edit1, &N8},
        {&Edit1, &MakeScreen1, kMakeScreenCaption, CtrlKey('N'), makeScreen},
        {&Edit1, &AnimatedBar1, kAnimatedBarCaption, scNone, animatedBar},
        {bar, &Uninstall1, "&Uninstall"},
        {&Uninstall1, &OriginalScreens1, "&Set Original Screens Back", scNone, [this] { OriginalScreens1Click(); }},
        {&Uninstall1, &Uninstall2, "&Uninstall", scNone, [this] { Uninstall2Click(); }},
        {bar, &Help1, "&Help"},
        {&Help1, &Help2, "&Help", ShortCut(vk::F1), [this] { Help2Click(); }},
        {&Help1, &About1, "&About ...", scNone, [this] { About1Click(); }},
        {bar, &NietZichtbaar1, "Niet Zichtbaar"},
        {&NietZichtbaar1, &FullScreenPreview2, "Full Screen Preview", ShortCut(vk::F3), fullScreen},
        {&NietZichtbaar1, &Setascurrent1, "&Set as current", ShortCut(vk::F4), setAsCurrent},
        {&NietZichtbaar1, &Refresh1, "Re&fresh", CtrlKey('R'), [this] { Refresh1Click(); }},
        {&NietZichtbaar1, &Extend1, "E&xtend", CtrlKey('E'), [this] { PnlExtendClick(); }}, // the bar's key

        {files, &Add1, "&Add", ShortCut(vk::Insert), [this] { BtnAddClick(); }},
        {files},
        {files, &SelectAll1, "&Select All", CtrlKey('A'), [this] { btnAllFilesClick(); }},
        {files, &InvertSelection1, "&Invert Selection", CtrlKey('I'), [this] { BtnInvFilesClick(); }},
        {files, &Refresh2, "&Refresh", ShortCut(vk::F5), [this] { Refresh1Click(); }}, // F5 refreshes like Ctrl+R
        {files, &N5},
        {files, &ViewFullScreen1, "View &Full Screen", ShortCut(vk::F3), fullScreen},

        {entries, &View2, "&Full Screen Preview", ShortCut(vk::F3), fullScreen},
        {entries, &Remove1, "&Remove", ShortCut(vk::Delete), [this] { btnRemoveClick(); }},
        {entries},
        {entries, &Findfile1, "Find File &Directory", CtrlKey('D'), [this] { Findfile1Click(); }},
        {entries, &N7},
        {entries, &SelectAll2, "Select &All", CtrlKey('A'), [this] { btnAllSelectClick(); }},
        {entries, &InvertSelection2, "&Invert Selection", CtrlKey('I'), [this] { btnInvSelectClick(); }},

        {preview, &SetascurrentScreen1, "Set as current &Screen", ShortCut(vk::F4), setAsCurrent},
        {preview, &Setascurrentwallpaper1, "Set as current &Wallpaper", ShortCut(vk::F4), setAsCurrent},
        {preview, &FullScreenPreview1, "Full Screen &Preview", ShortCut(vk::F3), fullScreen},
        {preview},
        {preview, &Size, "Info about file", scNone, [this] { SizeClick(); }},
        {preview, &N9},
        {preview, &MakeScreen2, kMakeScreenCaption, CtrlKey('N'), makeScreen},
        {preview, &AnimatedBar2, kAnimatedBarCaption, scNone, animatedBar},
    });
    PopMSelected.OnPopup = [this] { PopMSelectedPopup(); };
    PopMFileInfo.OnPopup = [this] { PopMFileInfoPopup(); };
    NietZichtbaar1.SetVisible(false);
    Runrandomizeratstartup1.SetChecked(true);
    ErrorReportOn1.SetChecked(true);
    PreviewBoth1.SetChecked(true);
    N5.SetVisible(false);
    ViewFullScreen1.SetVisible(false);
    N7.SetEnabled(false);
    // Nothing is previewed yet.
    MakeScreen1.SetEnabled(false);
    MakeScreen2.SetEnabled(false);
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
    chkbStartUpRun.SetChecked(true);

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
        if (list == &ListWall) list->AddColumn("Style", Scaled(80));
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
