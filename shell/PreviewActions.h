#pragma once
// What the full-screen window asks of the window that shows it: it reads that window's model and
// acts through these.
#include "pictures/PictureLibrary.h"
#include "pictures/WallpaperStyles.h"
#include "platform/MonitorRect.h"

class PreviewActions {
public:
    // The style becomes the chosen one, shown at once; no list entry is restyled yet.
    virtual void ChooseStyle(WallpaperStyle style) = 0;
    // Back from the full screen: the chosen style goes to the selected wallpaper entries.
    virtual void ReturnWithStyle() = 0;
    // The previewed picture becomes the current screen or wallpaper; a wallpaper for each monitor
    // goes to the monitor the full-screen window is shown on.
    virtual void SetAsCurrent(const MonitorRect& shownOn) = 0;
    // The information about the previewed picture.
    virtual void FileInfo() = 0;
    // The picture library, which reads a wallpaper as far as the screen shows it.
    virtual TPictureLibrary& Library() = 0;

protected:
    ~PreviewActions() = default;
};
