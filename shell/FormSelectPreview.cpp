// The preview pane: the browser's file or the active list's entry, reduced, with its name.
#include "pictures/PictureFile.h"
#include "pictures/PictureText.h"
#include "platform/DirectoryPath.h"
#include "platform/MessageDlg.h"
#include "shell/UPreview.h"
#include "shell/USelect5.h"

void TFormSelect::ResetPreview() {
    PnlPreviewName.SetCaption(kNoFileSelected);
    PnlPreviewName.SetHint(kNoFileSelected);
    PreviewFromNamedFile = false;
    ImgPreview.SetVisible(false);
    ImgPreview.SetHint("");
    PnlPreviewName.SetColor(clBtnFace);
    UpdateScreenItems();
}

void TFormSelect::ShowPreview(const std::string& path, bool markWrongSize, bool reread) {
    ImgPreview.SetVisible(true);
    if (reread || path != PnlPreviewName.Caption()) {
        PreviewFromNamedFile = LoadPicture(path, ImgPreview.Picture()) == kPictureLoaded;
        ImgPreview.Invalidate();
        UpdateSizeHint();
        PnlPreviewName.SetCaption(path);
        const TPicture& picture = ImgPreview.Picture();
        const bool red = markWrongSize && IsScreen(ActiveCategory) && !HasScreenSize(picture.Width(), picture.Height());
        PnlPreviewName.SetColor(red ? clRed : clBtnFace);
    } else if (!markWrongSize) {
        PnlPreviewName.SetColor(clBtnFace);
    }
    PnlPreviewName.SetHint(PnlPreviewName.Caption());
    UpdateScreenItems();
}

void TFormSelect::ViewChooseBox() {
    BtnAdd.SetEnabled(FileListBox1.SelCount() > 0);
    if (PreviewMode != kPreviewChooseOnly && PreviewMode != kPreviewBoth) return;
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
    if (PreviewMode == kPreviewSelectedOnly || PreviewMode == kPreviewBoth) {
        if (list.SelCount() > 0) {
            int entry = list.FocusedIndex();
            if (entry < 0) entry = list.FirstSelected();
            // A list entry is never named in red.
            ShowPreview(JoinPath(list.ItemText(entry, 1), list.ItemText(entry, 0)), false);
        } else {
            ResetPreview();
        }
    }
    if (ActiveCategory == Category::Wall) {
        SelectionTrackingOff ownChanges(*this);
        if (list.SelCount() > 0) {
            const std::vector<std::string>& styles = CBStyle.Items();
            const std::string style = list.ItemText(list.FirstSelected(), 2);
            for (std::size_t i = 0; i < styles.size(); ++i)
                if (styles[i] == style) CBStyle.SetItemIndex(int(i));
        }
    }
}

int TFormSelect::PreviewModeOf(const TMenuItem* item) const {
    if (item == &PreviewNone1) return kPreviewNone;
    if (item == &PreviewChooseOnly1) return kPreviewChooseOnly;
    if (item == &PreviewSelectedOnly1) return kPreviewSelectedOnly;
    return kPreviewBoth;
}

void TFormSelect::ChangePreviewOn(TMenuItem* sender) {
    for (TMenuItem* item : {&PreviewNone1, &PreviewChooseOnly1, &PreviewSelectedOnly1, &PreviewBoth1})
        item->SetChecked(item == sender);
    PreviewMode = PreviewModeOf(sender);
}

void TFormSelect::ImgPreviewDblClick() {
    if (ImgPreview.Visible() && FormPreview)
        FormPreview->Show();
    else
        pnlPreviewDblClick();
}

void TFormSelect::pnlPreviewDblClick() {
    MessageDlg(kNoPreviewMessage, TMsgDlgType::Information, mbOK);
}

// Also the full-screen window's "Return to main": every selected wallpaper entry takes the box's
// style and counts as changed, even when it had that style already.
void TFormSelect::CBStyleChange() {
    if (ActiveCategory != Category::Wall) return;
    TListView& list = ActiveList();
    if (list.SelCount() == 0) return;
    const std::string style = CBStyle.Text();
    for (int row : list.SelectedRows()) {
        list.SetItemText(row, 2, style);
        ListsChanged = true;
    }
    list.Invalidate();
}

// Toggled and stored; no operation reads it.
void TFormSelect::miPlusStretchClick() {
    miPlusStretch.SetChecked(!miPlusStretch.Checked());
}
