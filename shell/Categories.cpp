// The four screen categories and the switch between them.
#include "lists/Filters.h"
#include "shell/USelect5.h"

namespace {
void ActiveLook(TSpeedButton& button) {
    TFontSpec font = button.Font();
    font.bold = true;
    font.color = clNavy;
    button.SetFont(font);
}

void InactiveLook(TSpeedButton& button) {
    TFontSpec font = button.Font();
    font.bold = false;
    font.color = clBlack;
    button.SetFont(font);
}
} // namespace

void TFormSelect::Change_Screen_Button(TSpeedButton* pressed) {
    const int oldCode = CategoryCode;
    SelectionTracking = false;

    const std::pair<TSpeedButton*, int> screens[] = {
        {&sbtnStart, kCategoryStart}, {&sbtnWait, kCategoryWait}, {&sbtnShut, kCategoryShut}};
    for (auto [button, code] : screens) {
        if (button == pressed) {
            CategoryCode = code;
            ActiveLook(*button);
        } else {
            InactiveLook(*button);
        }
    }

    // Choosing the style here is the window's own doing, not a change of style by the user.
    if (pressed == &sbtnWall) {
        Setascurrentwallpaper1.SetVisible(true);
        SetascurrentScreen1.SetVisible(false);
        chkbStartUpRun.SetVisible(false);
        CBStyle.SetItemIndex(0);
        CBStyle.SetEnabled(true);
        CBStyle.SetVisible(true);
        LblStyle.SetVisible(true);
        CategoryCode = kCategoryWall;
        ActiveLook(sbtnWall);
    } else {
        Setascurrentwallpaper1.SetVisible(false);
        SetascurrentScreen1.SetVisible(true);
        CBStyle.SetItemIndex(-1);
        CBStyle.SetEnabled(false);
        CBStyle.SetVisible(false);
        LblStyle.SetVisible(false);
        chkbStartUpRun.SetVisible(true);
        InactiveLook(sbtnWall);
    }

    FilterComboBox1.SetFilter(CategoryCode == kCategoryWall ? kWallpaperFilter : kScreenFilter);
    UpdateScreenItems();
    UpdateCounter();
    SelectionTracking = true;

    TListView& active = ActiveList();
    TListView& old = ListOfCategory(oldCode);
    active.SetVisible(true);
    if (old.Focused()) {
        active.SetFocus();
        ViewSelected();
    }
    if (CategoryCode != oldCode) old.SetVisible(false);
}

void TFormSelect::UpdateCounter() {
    TListView& list = ActiveList();
    btnRemove.SetEnabled(list.SelCount() > 0);
    LblNumber.SetCaption(std::to_string(list.SelCount()) + " / " + std::to_string(list.Count()));
}
