#pragma once
// What the main window shows, held apart from its controls: the handlers change it and read it, the
// controls only show it, and the full-screen window lays out the previewed picture by it.
#include "lists/ListRows.h"
#include "pictures/WallpaperStyles.h"
#include "platform/Bitmaps.h"
#include "system/Category.h"

#include <optional>
#include <string>

// The file the preview pane names, and the picture on view: the last one read, which a failed
// load leaves in place.
struct PreviewedFile {
    std::string path; // empty: no file is previewed
    // Whether the picture on view was read from `path`: after a failed load the name is the new
    // file's while the picture is still the one before.
    bool fromFile = false;
    // The picture as its file gives it: its own size and depth, whatever size it is held at.
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::Device;
    int rotationStart = 0; // a screen's byte 0x32: where its palette turns
    // The picture on view, kept by the preview pane that shows it: a wallpaper read by rows is held
    // no larger than what covers the pane.
    const TPicture* picture = nullptr;

    bool Named() const { return !path.empty(); }
};

// What the preview pane follows: the values the settings store. A stored number that is none of
// these is kept as the mode, and the pane then follows neither.
enum class PreviewMode : int { None = 0, ChooseOnly = 10, SelectedOnly = 20, Both = 30 };

// The user's options, which the menus and the controls show. The settings keep them between runs,
// all but the animated bar; the autostart option is the Run value, written whenever it changes.
struct SelectOptions {
    bool autostart = true;
    bool plusStretch = false; // toggled and stored; no operation reads it
    bool reportAddErrors = true;
    PreviewMode previewMode = PreviewMode::Both;
    // The full-screen window shows a screen as the system does, in its 4:3 frame.
    bool asWindowsShowsIt = false;
    // A start-up screen made from a picture moves its bar.
    bool animatedBar = false;
    // With two or more monitors each has a wallpaper of its own: the randomizer gives each monitor
    // an entry, and F4 gives the picture to one monitor.
    bool wallpaperPerMonitor = false;
};

struct SelectModel {
    Category activeCategory = Category::Start;
    SelectOptions options;
    // Each category's list, in its order: file name, folder and, for a wallpaper, its style's name.
    ListRows entries[kCategoryCount];
    PreviewedFile preview;
    // The style new wallpaper entries take and a wallpaper is applied in; none outside the
    // wallpaper category.
    std::optional<WallpaperStyle> style;
};
