// The state of the window's commands, from what the window shows: run when one of its menus opens,
// when a short-cut is pressed and after each change of the category or of the preview.
#include "shell/USelect5.h"

void TFormSelect::UpdateCommands() {
    const Category category = Model.activeCategory;
    const bool wallpaper = category == Category::Wall, screens = IsScreen(category);
    SetascurrentScreen1.SetVisible(!wallpaper);
    Setascurrentwallpaper1.SetVisible(wallpaper);
    // A screen is made from the file the preview names; only the start-up screen can move, as the
    // system rotates the palette of that one alone.
    N8.SetVisible(screens);
    N9.SetVisible(screens);
    SetCommandVisible(cmMakeScreen, screens);
    SetCommandEnabled(cmMakeScreen, Model.preview.Named());
    SetCommandVisible(cmAnimatedBar, category == Category::Start);

    // The list's menu acts on the active list's selection.
    const TListView& list = ActiveList();
    const int selected = list.SelCount();
    const bool some = selected > 0, all = some && selected == list.Count();
    View2.SetEnabled(some);
    SetCommandEnabled(cmRemoveEntries, some);
    SetCommandEnabled(cmInvertEntries, some);
    SetCommandEnabled(cmSelectAllEntries, some && !all);
}
