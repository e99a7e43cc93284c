// The main window's form: its controls, menus and event bindings, top to bottom.
#include "lists/Filters.h"
#include "platform/Application.h"
#include "shell/USelect5.h"
#include "shell/res/ResourceIds.h"

namespace {
template <typename C>
C& Place(C& control, TControl& parent, int left, int top, int width, int height, const std::string& caption = "") {
    control.SetBounds(left, top, width, height);
    control.SetCaption(caption);
    control.Create(parent);
    return control;
}

TFontSpec CategoryFont() {
    TFontSpec font;
    font.height = -12;
    return font;
}
} // namespace

TFormSelect::TFormSelect() {
    SetCaption(kMainCaption);
    ClientWidth = 444;
    ClientHeight = 414;
    BorderStyle = TBorderStyle::Single;
    VisibleAtCreation = true;
    ShowHint = true;
    Menu = &MainMenu1;
    BuildMenus();
}

void TFormSelect::BuildMenus() {
    MainMenu1.Items.Add(File1).Add(Options1).Add(Edit1).Add(Uninstall1).Add(Help1).Add(NietZichtbaar1);
    File1.Add(Save1).Add(N3).Add(Close1);
    Options1.Add(Runrandomizeratstartup1).Add(miPlusStretch).AddSeparator();
    Options1.Add(ErrorReportOn1).AddSeparator();
    Options1.Add(PreviewNone1).Add(PreviewChooseOnly1).Add(PreviewSelectedOnly1).Add(PreviewBoth1);
    Edit1.Add(Removenonexistingfiles1).Add(N8).Add(MakeScreen1).Add(AnimatedBar1);
    Uninstall1.Add(OriginalScreens1).Add(Uninstall2);
    Help1.Add(Help2).Add(About1);
    NietZichtbaar1.Add(FullScreenPreview2).Add(Setascurrent1).Add(Refresh1);
    NietZichtbaar1.SetVisible(false);
    Runrandomizeratstartup1.SetChecked(true);
    ErrorReportOn1.SetChecked(true);
    PreviewBoth1.SetChecked(true);

    PopMFile.Items.Add(Add1).AddSeparator().Add(SelectAll1).Add(InvertSelection1).Add(Refresh2);
    PopMFile.Items.Add(N5).Add(ViewFullScreen1);
    N5.SetVisible(false);
    ViewFullScreen1.SetVisible(false);

    PopMSelected.Items.Add(View2).Add(Remove1).AddSeparator().Add(Findfile1).Add(N7).Add(SelectAll2);
    PopMSelected.Items.Add(InvertSelection2);
    N7.SetEnabled(false);

    PopMFileInfo.Items.Add(SetascurrentScreen1).Add(Setascurrentwallpaper1).Add(FullScreenPreview1).AddSeparator();
    PopMFileInfo.Items.Add(Size).Add(N9).Add(MakeScreen2).Add(AnimatedBar2);
    // Nothing is previewed yet.
    MakeScreen1.SetEnabled(false);
    MakeScreen2.SetEnabled(false);
}

// The windows are made in the tab order (which is also the order in which screen readers meet
// them), each label just before the control it names.
void TFormSelect::BuildControls() {
    Label3.FocusControl = &DriveComboBox1;
    Label5.FocusControl = &DirectoryListBox1;
    Label2.FocusControl = &FileListBox1;
    Label6.FocusControl = &FilterComboBox1;
    Label1.FocusControl = &ListStart; // the lists lie in one place, below it
    LblStyle.FocusControl = &CBStyle;
    // The category buttons are one tab stop, last, so the focus still starts in the drive box.
    TabOrder = {&DriveComboBox1, &DirectoryListBox1, &FileListBox1, &FilterComboBox1, &BtnAdd,   &btnRemove,
                &chkbStartUpRun, &ListStart,         &ListWait,     &ListShut,        &ListWall, &CBStyle,
                &sbtnStart,      &sbtnWait,          &sbtnShut,     &sbtnWall};

    Place(Label3, *this, 4, 36, 0, 0, "Drive:");
    Place(DriveComboBox1, *this, 4, 52, 145, 19);
    Place(Label5, *this, 4, 76, 0, 0, "Directory:");
    Place(DirectoryListBox1, *this, 4, 92, 145, 133);
    Place(Label2, *this, 156, 36, 0, 0, "Choose Files:");
    Place(FileListBox1, *this, 156, 52, 113, 213);
    FileListBox1.SetMask("*.bmp;*.sys;");
    FileListBox1.PopupMenu = &PopMFile;
    Place(Label6, *this, 4, 228, 0, 0, "Filters:");
    Place(FilterComboBox1, *this, 4, 244, 145, 21);
    FilterComboBox1.FileList = &FileListBox1;
    FilterComboBox1.SetFilter(kScreenFilter);
    // The browser starts in the current folder, unless the settings remember another.
    DriveComboBox1.DirList = &DirectoryListBox1;
    DirectoryListBox1.DriveCombo = &DriveComboBox1;
    DirectoryListBox1.FileList = &FileListBox1;
    char current[MAX_PATH] = {};
    if (GetCurrentDirectoryA(MAX_PATH, current)) StartUpFolder = current;

    Place(BtnAdd, *this, 276, 180, 165, 25, "Add Chosen File(s)");
    Place(btnRemove, *this, 276, 212, 165, 25, "Remove Selected File(s)");
    Place(chkbStartUpRun, *this, 276, 248, 157, 17, "Run Randomizer at Start-Up");
    chkbStartUpRun.SetChecked(true);

    Splitter1.SetAlign(TAlign::Left);
    Place(Splitter1, *this, 0, 291, 4, 118);
    Splitter4.SetAlign(TAlign::Right);
    Place(Splitter4, *this, 440, 291, 4, 118);
    PnlExtend.SetAlign(TAlign::Bottom);
    PnlExtend.SetMouseCursor(IDC_SIZENS);
    Place(PnlExtend, *this, 0, 409, 444, 5);
    Place(Label1, *this, 4, 272, 0, 0, "Selected Files:");
    for (Category category : kCategories) {
        TListView* list = &ListOfCategory(category);
        list->Cell = [this, category](int row, int column) -> const std::string& {
            return Entries(category).Cell(std::size_t(row), column);
        };
        list->SetVisible(false);
        Place(*list, *this, 4, 291, 436, 118);
        list->AddColumn("Filename", TListView::kFitContents);
        list->AddColumn("Path", TListView::kFitContents);
        if (list == &ListWall) list->AddColumn("Style", 80);
        list->PopupMenu = &PopMSelected;
    }
    LblStyle.SetVisible(false);
    Place(LblStyle, *this, 276, 248, 0, 0, "Wallpaper Style:");
    CBStyle.SetVisible(false);
    CBStyle.SetEnabled(false);
    Place(CBStyle, *this, 360, 244, 81, 21);
    std::vector<std::string> styles;
    for (const WallpaperStyleInfo& style : kWallpaperStyles)
        styles.push_back(style.name);
    CBStyle.SetItems(styles);

    for (TSpeedButton* button : {&sbtnStart, &sbtnWait, &sbtnShut, &sbtnWall}) {
        button->GroupIndex = 1;
        button->SetFont(CategoryFont());
    }
    sbtnStart.SetDown(true);
    Place(sbtnStart, *this, 4, 8, 105, 25, "StartUp Screen");
    Place(sbtnWait, *this, 112, 8, 105, 25, "Waiting Screen");
    Place(sbtnShut, *this, 220, 8, 113, 25, "Shut Down Screen");
    Place(sbtnWall, *this, 336, 8, 105, 25, "Wallpaper");

    Place(Label4, *this, 276, 36, 0, 0, "Preview:");
    pnlPreview.BevelInner = TBevelCut::Lowered;
    Place(pnlPreview, *this, 276, 52, 164, 120);
    PnlPreviewName.BevelOuter = TBevelCut::None;
    Place(PnlPreviewName, pnlPreview, 2, 2, 160, 16, "No File Selected");
    ImgPreview.Stretch = true;
    ImgPreview.SetVisible(false);
    Place(ImgPreview, pnlPreview, 2, 18, 160, 100);
    ImgPreview.PopupMenu = &PopMFileInfo;
    // Stored with the form: the preview picture until a load succeeds.
    ImgPreview.SetPicture(UniqueBitmap(static_cast<HBITMAP>(
        LoadImageA(Application().Instance(), MAKEINTRESOURCEA(IDB_PREVIEW), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))));
    const TPicture& stored = ImgPreview.Picture();
    Model.preview.picture = &stored;
    Model.preview.width = stored.Width();
    Model.preview.height = stored.Height();
    Model.preview.format = stored.Format();

    LblNumber.SetAlignment(TAlignment::Right);
    Place(LblNumber, *this, 337, 275, 100, 13, "0 / 0"); // right edge at 437

    // The line under the menu bar, whose height marks off the list area.
    Bevel1.SetAlign(TAlign::Top);
    Place(Bevel1, *this, 0, 0, 444, 291);
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

    Save1.OnClick = [this] { SaveToFile(); };
    Close1.OnClick = [this] { Close1Click(); };
    Runrandomizeratstartup1.OnClick = [this] { Runrandomizeratstartup1Click(); };
    miPlusStretch.OnClick = [this] { miPlusStretchClick(); };
    ErrorReportOn1.OnClick = [this] { ChangeErrorReport(); };
    for (TMenuItem* item : {&PreviewNone1, &PreviewChooseOnly1, &PreviewSelectedOnly1, &PreviewBoth1})
        item->OnClick = [this, item] { ChangePreviewOn(item); };
    Removenonexistingfiles1.OnClick = [this] { Removenonexistingfiles1Click(); };
    OriginalScreens1.OnClick = [this] { OriginalScreens1Click(); };
    Uninstall2.OnClick = [this] { Uninstall2Click(); };
    Help2.OnClick = [this] { Help2Click(); };
    About1.OnClick = [this] { About1Click(); };
    FullScreenPreview2.OnClick = [this] { ImgPreviewDblClick(); };
    Setascurrent1.OnClick = [this] { SetasCurrentClick(); };
    Refresh1.OnClick = [this] { Refresh1Click(); };

    Add1.OnClick = [this] { BtnAddClick(); };
    SelectAll1.OnClick = [this] { btnAllFilesClick(); };
    InvertSelection1.OnClick = [this] { BtnInvFilesClick(); };
    Refresh2.OnClick = [this] { Refresh1Click(); }; // F5 in the file list refreshes like Ctrl+R
    ViewFullScreen1.OnClick = [this] { ImgPreviewDblClick(); };

    PopMSelected.OnPopup = [this] { PopMSelectedPopup(); };
    View2.OnClick = [this] { ImgPreviewDblClick(); };
    Remove1.OnClick = [this] { btnRemoveClick(); };
    Findfile1.OnClick = [this] { Findfile1Click(); };
    SelectAll2.OnClick = [this] { btnAllSelectClick(); };
    InvertSelection2.OnClick = [this] { btnInvSelectClick(); };

    PopMFileInfo.OnPopup = [this] { PopMFileInfoPopup(); };
    SetascurrentScreen1.OnClick = [this] { SetasCurrentClick(); };
    Setascurrentwallpaper1.OnClick = [this] { SetasCurrentClick(); };
    FullScreenPreview1.OnClick = [this] { ImgPreviewDblClick(); };
    Size.OnClick = [this] { SizeClick(); };
    for (TMenuItem* item : {&MakeScreen1, &MakeScreen2})
        item->OnClick = [this] { MakeScreenClick(); };
    for (TMenuItem* item : {&AnimatedBar1, &AnimatedBar2})
        item->OnClick = [this] { AnimatedBarClick(); };
}
