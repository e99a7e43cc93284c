// The preview pane: the browser's file or the active list's entry, reduced, with its name.
#include "pictures/PictureFile.h"
#include "pictures/PictureText.h"
#include "lists/DirectoryPath.h"
#include "platform/MessageDlg.h"
#include "shell/UPreview.h"
#include "shell/USelect5.h"

// The picture on view stays, hidden: a failed load shows it again.
void TFormSelect::ResetPreview() {
    Model.preview.path.clear();
    Model.preview.fromFile = false;
    PnlPreviewName.SetCaption(kNoFileSelected);
    PnlPreviewName.SetHint(kNoFileSelected);
    ImgPreview.SetVisible(false);
    ImgPreview.SetHint("");
    ImgPreview.SetCaption("Preview");
    PnlPreviewName.SetColor(clBtnFace);
    UpdateCommands();
}

void TFormSelect::ShowPreview(const std::string& path, bool markWrongSize, bool reread) {
    ImgPreview.SetVisible(true);
    if (reread || path != Model.preview.path) {
        const bool loaded = LoadPicture(path, ImgPreview.Picture()) == kPictureLoaded;
        Model.preview.path = path;
        Model.preview.fromFile = loaded;
        ImgPreview.Invalidate();
        ImgPreview.SetHint(PreviewSizeText());
        // The picture's name for screen readers; its window text is not drawn.
        ImgPreview.SetCaption("Preview: " + path.substr(path.find_last_of('\\') + 1));
        PnlPreviewName.SetCaption(path);
        const PreviewedFile& shown = Model.preview;
        const bool red = markWrongSize && IsScreen(Model.activeCategory) && !HasScreenSize(shown.width, shown.height);
        PnlPreviewName.SetColor(red ? clRed : clBtnFace);
    } else if (!markWrongSize) {
        PnlPreviewName.SetColor(clBtnFace);
    }
    PnlPreviewName.SetHint(path);
    UpdateCommands();
}

void TFormSelect::ViewChooseBox() {
    BtnAdd.SetEnabled(FileListBox1.SelCount() > 0);
    const PreviewMode mode = Model.options.previewMode;
    if (mode != PreviewMode::ChooseOnly && mode != PreviewMode::Both) return;
    if (FileListBox1.SelCount() == 0 || FileListBox1.ItemIndex() < 0) {
        ResetPreview();
        return;
    }
    try {
        ShowPreview(JoinPath(FileListBox1.Directory(), FileListBox1.Item(FileListBox1.ItemIndex())), true);
    } catch (...) {
        ResetPreview();
    }
}

void TFormSelect::ViewSelected() {
    TListView& list = ActiveList();
    const ListRows& entries = ActiveEntries();
    const PreviewMode mode = Model.options.previewMode;
    if (mode == PreviewMode::SelectedOnly || mode == PreviewMode::Both) {
        if (list.SelCount() > 0) {
            int entry = list.FocusedIndex();
            if (entry < 0) entry = list.FirstSelected();
            // A list entry is never named in red.
            ShowPreview(JoinPath(entries.Cell(std::size_t(entry), 1), entries.Cell(std::size_t(entry), 0)), false);
        } else {
            ResetPreview();
        }
    }
    // The first selected wallpaper entry's style becomes the chosen one; an unknown name changes nothing.
    if (Model.activeCategory == Category::Wall && list.SelCount() > 0) {
        if (const auto style = WallpaperStyleNamed(entries.Cell(std::size_t(list.FirstSelected()), 2))) {
            Model.style = style;
            ShowStyle();
        }
    }
}

// The pane keeps what it shows until the next event the new mode lets through.
void TFormSelect::ChangePreviewOn(PreviewMode mode) {
    Model.options.previewMode = mode;
    UpdateCommands();
}

void TFormSelect::ImgPreviewDblClick() {
    if (Model.preview.Named() && FormPreview)
        FormPreview->Show();
    else
        pnlPreviewDblClick();
}

void TFormSelect::pnlPreviewDblClick() {
    MessageDlg(kNoPreviewMessage, TMsgDlgType::Information, mbOK);
}

void TFormSelect::CBStyleChange() {
    const int index = CBStyle.ItemIndex();
    if (index < 0 || index >= kWallpaperStyleCount) return;
    Model.style = kWallpaperStyles[index].style;
    RestyleSelected();
}

// Also the full-screen window's "Return to main": every selected wallpaper entry takes the style
// and counts as changed, even when it had that style already.
void TFormSelect::RestyleSelected() {
    if (Model.activeCategory != Category::Wall || !Model.style) return;
    TListView& list = ActiveList();
    if (list.SelCount() == 0) return;
    const std::string style = StyleInfo(*Model.style).name;
    for (int row : list.SelectedRows()) {
        ActiveEntries().SetCell(std::size_t(row), 2, style);
        ListsChanged = true;
    }
    list.Invalidate();
}

void TFormSelect::ChooseStyle(WallpaperStyle style) {
    Model.style = style;
    ShowStyle();
}

void TFormSelect::ReturnWithStyle() {
    RestyleSelected();
}

void TFormSelect::SetAsCurrent(const MonitorRect& shownOn) {
    SetAsCurrentOn(shownOn);
}

void TFormSelect::FileInfo() {
    SizeClick();
}

// Setting the box in code is no change by the user: no list entry is restyled here.
void TFormSelect::ShowStyle() {
    int index = -1;
    for (int i = 0; i < kWallpaperStyleCount; ++i)
        if (Model.style == kWallpaperStyles[i].style) index = i;
    CBStyle.SetItemIndex(index);
}

// Toggled and stored; no operation reads it.
void TFormSelect::miPlusStretchClick() {
    Model.options.plusStretch = !Model.options.plusStretch;
    UpdateCommands();
}

void TFormSelect::WallpaperPerMonitorClick() {
    Model.options.wallpaperPerMonitor = !Model.options.wallpaperPerMonitor;
    UpdateCommands();
}
