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
    font.color = clBtnText;
    button.SetFont(font);
}
} // namespace

void TFormSelect::Change_Screen_Button(TSpeedButton* pressed) {
    const Category old = Model.activeCategory;
    SwitchControls(pressed);

    TListView& active = ActiveList();
    TListView& oldList = ListOfCategory(old);
    active.SetVisible(true);
    if (oldList.Focused()) {
        active.SetFocus();
        ViewSelected();
    }
    if (Model.activeCategory != old) oldList.SetVisible(false);
}

// The category of the pressed button becomes the active one, with its look, its controls and its
// filter.
void TFormSelect::SwitchControls(TSpeedButton* pressed) {
    const std::pair<TSpeedButton*, Category> screens[] = {
        {&sbtnStart, Category::Start}, {&sbtnWait, Category::Wait}, {&sbtnShut, Category::Shut}};
    for (auto [button, category] : screens) {
        if (button == pressed) {
            Model.activeCategory = category;
            ActiveLook(*button);
        } else {
            InactiveLook(*button);
        }
    }

    // Choosing the style here is the window's own doing, not a change of style by the user: the box
    // raises no change.
    if (pressed == &sbtnWall) {
        chkbStartUpRun.SetVisible(false);
        Model.style = kWallpaperStyles[0].style;
        ShowStyle();
        CBStyle.SetEnabled(true);
        CBStyle.SetVisible(true);
        LblStyle.SetVisible(true);
        Model.activeCategory = Category::Wall;
        ActiveLook(sbtnWall);
    } else {
        Model.style.reset();
        ShowStyle();
        CBStyle.SetEnabled(false);
        CBStyle.SetVisible(false);
        LblStyle.SetVisible(false);
        chkbStartUpRun.SetVisible(true);
        InactiveLook(sbtnWall);
    }

    if (FilterComboBox1.SetFilter(Model.activeCategory == Category::Wall ? kWallpaperFilter : kScreenFilter))
        FilterComboBox1Change();
    UpdateCommands();
    UpdateCounter();
}

void TFormSelect::UpdateCounter() {
    const int selected = ActiveList().SelCount();
    btnRemove.SetEnabled(selected > 0);
    LblNumber.SetCaption(std::to_string(selected) + " / " + std::to_string(ActiveEntries().Size()));
}
