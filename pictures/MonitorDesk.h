#pragma once
// The wallpaper of a desk of several monitors, given one monitor at a time and handed to the system
// at the end, one of two ways: the shell's per-monitor wallpapers where it has them (Windows 8 and
// later), a file a monitor; else one bitmap as large as the virtual screen that the system tiles
// over the whole desktop, each monitor's picture at its wrapped place.
#include "pictures/TiledBitmap.h"
#include "pictures/WallpaperText.h"
#include "platform/DesktopWallpaper.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The monitors' bitmaps in the program folder: "@QZ!BACK.BMP" for the first (the primary), then
// "@QZ!BK02.BMP", "@QZ!BK03.BMP" and on, short names that every system takes.
std::string MonitorWallpaperName(std::size_t index);

class TMonitorDesk {
public:
    // The monitors and the way to hand them their pictures, which are written to `folder` (ending in
    // a backslash). With `keepOthers`, a monitor given no picture is to keep what it shows: in the
    // tiled way the present bitmap is read for it, where it is the program's own. Null with fewer
    // than two monitors: one monitor takes the one bitmap it always took.
    static std::unique_ptr<TMonitorDesk> Open(const std::string& folder, bool keepOthers);
    TMonitorDesk(const TMonitorDesk&) = delete;
    TMonitorDesk& operator=(const TMonitorDesk&) = delete;

    // The primary first, then from left to right, then from top to bottom.
    const std::vector<MonitorRect>& Monitors() const { return monitors_; }
    // Whether a monitor given no picture keeps what it shows: always through the shell; in the tiled
    // way where the present bitmap was the program's own, tiled at the virtual screen's size. Else
    // such a monitor shows the desktop colour.
    bool KeepsTheOthers() const { return keepsOthers_; }
    bool ThroughShell() const { return shell_ != nullptr; }
    // The picture of the monitor at `index`; false when it cannot be written (Finish says why).
    bool Put(std::size_t index, const ScreenPicture& shown);
    // Hands what was put to the system; with nothing put, nothing changes (NoPicture).
    WallpaperResult Finish();

private:
    TMonitorDesk() = default;
    WallpaperResult FinishThroughShell();
    bool ReadPresentBitmap();

    std::string folder_;
    std::vector<MonitorRect> monitors_;
    std::unique_ptr<TDesktopWallpaper> shell_;
    std::vector<std::wstring> ids_;    // through the shell: each monitor's id
    std::vector<std::string> files_;   // through the shell: each monitor's file, empty where none was put
    std::optional<TiledBitmap> tiled_; // the tiled way: the bitmap the pictures go into
    WallpaperResult failed_;
    bool put_ = false;
    bool keepsOthers_ = false;
};
