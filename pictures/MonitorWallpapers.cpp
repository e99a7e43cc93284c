#include "pictures/MonitorWallpapers.h"

#include "pictures/Transparency.h"

#include <algorithm>
#include <new>

namespace {
using Outcome = WallpaperPicture::Outcome;

FileWallpaperResult OnOneMonitor(const std::string& path, WallpaperStyle style, const std::string& programDir,
                                 TPictureLibrary& library) {
    FileWallpaperResult made;
    const WallpaperPicture picture = ComposeWallpaperFile(path, style, PrimaryScreenSize(), library);
    made.picture = picture.outcome;
    made.reason = picture.reason;
    if (picture.outcome == Outcome::Composed) made.applied = SetWallpaper(picture.view, style, programDir);
    return made;
}

// Composes the file for each of the monitors in turn and puts each picture before the next is made,
// so only one monitor's picture is held at a time; stops at the first that cannot be made, and then
// nothing is handed to the system.
FileWallpaperResult OnMonitors(const std::string& path, WallpaperStyle style, const std::vector<std::size_t>& which,
                               TMonitorDesk& desk, TPictureLibrary& library) {
    FileWallpaperResult made;
    made.monitors = int(which.size());
    for (std::size_t index : which) {
        const MonitorWallpaper monitor = ComposeMonitorWallpaper(path, style, desk.Monitors()[index].Size(), library);
        if (monitor.composed.outcome != Outcome::Composed) {
            made.picture = monitor.composed.outcome;
            made.reason = monitor.composed.reason;
            return made;
        }
        if (!desk.Put(index, monitor.shown)) break;
    }
    made.applied = desk.Finish();
    return made;
}

std::vector<std::size_t> EveryMonitor(const TMonitorDesk& desk) {
    std::vector<std::size_t> every(desk.Monitors().size());
    for (std::size_t i = 0; i < every.size(); ++i)
        every[i] = i;
    return every;
}

FileWallpaperResult NoMemory() {
    FileWallpaperResult made;
    made.picture = Outcome::NoMemory;
    return made;
}
} // namespace

MonitorWallpaper ComposeMonitorWallpaper(const std::string& path, WallpaperStyle style, PixelSize monitor,
                                         TPictureLibrary& library) {
    // A monitor's picture is screen-sized: "Stretched" is the program's own stretch on every system.
    if (style == WallpaperStyle::Stretched) style = WallpaperStyle::StretchedToScreen;
    MonitorWallpaper made;
    made.composed = ComposeWallpaperFile(path, style, monitor, library);
    made.shown = PlacedOnScreen(made.composed.view, monitor, PixelColour(DesktopBackground()));
    return made;
}

FileWallpaperResult ApplyWallpaperFile(const std::string& path, WallpaperStyle style, const std::string& programDir,
                                       TPictureLibrary& library) {
    try {
        std::unique_ptr<TMonitorDesk> desk = TMonitorDesk::Open(programDir, false);
        if (!desk) return OnOneMonitor(path, style, programDir, library);
        return OnMonitors(path, style, EveryMonitor(*desk), *desk, library);
    } catch (const std::bad_alloc&) {
        return NoMemory();
    }
}

FileWallpaperResult ApplyWallpaperToMonitor(const std::string& path, WallpaperStyle style, const MonitorRect& monitor,
                                            const std::string& programDir, TPictureLibrary& library) {
    try {
        std::unique_ptr<TMonitorDesk> desk = TMonitorDesk::Open(programDir, true);
        if (!desk) return OnOneMonitor(path, style, programDir, library);
        const std::vector<MonitorRect>& monitors = desk->Monitors();
        const auto found = std::find(monitors.begin(), monitors.end(), monitor);
        if (found == monitors.end() || !desk->KeepsTheOthers())
            return OnMonitors(path, style, EveryMonitor(*desk), *desk, library);
        return OnMonitors(path, style, {std::size_t(found - monitors.begin())}, *desk, library);
    } catch (const std::bad_alloc&) {
        return NoMemory();
    }
}
