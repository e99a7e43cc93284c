// The state of the window's commands, from what the window shows: run when one of its menus opens,
// when a short-cut is pressed and after each change of the category or of the preview.
#include "shell/USelect5.h"

namespace {
// The mode whose entry is checked: a stored number that is none of the modes keeps the check mark
// the window starts with.
PreviewMode CheckedMode(PreviewMode mode) {
    for (PreviewMode known : {PreviewMode::None, PreviewMode::ChooseOnly, PreviewMode::SelectedOnly})
        if (mode == known) return mode;
    return PreviewMode::Both;
}
} // namespace

void TFormSelect::UpdateCommands() {
    const SelectOptions& options = Model.options;
    SetCommandChecked(cmAutostart, options.autostart);
    chkbStartUpRun.SetChecked(options.autostart); // the option's other place
    SetCommandChecked(cmPlusStretch, options.plusStretch);
    SetCommandChecked(cmWallpaperPerMonitor, options.wallpaperPerMonitor);
    SetCommandChecked(cmReportAddErrors, options.reportAddErrors);
    const std::pair<int, PreviewMode> modes[] = {{cmPreviewNone, PreviewMode::None},
                                                 {cmPreviewChooseOnly, PreviewMode::ChooseOnly},
                                                 {cmPreviewSelectedOnly, PreviewMode::SelectedOnly},
                                                 {cmPreviewBoth, PreviewMode::Both}};
    for (auto [command, mode] : modes)
        SetCommandChecked(command, CheckedMode(options.previewMode) == mode);
    SetCommandChecked(cmAnimatedBar, options.animatedBar);

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
