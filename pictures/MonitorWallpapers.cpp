#include "pictures/MonitorWallpapers.h"

#include "pictures/Transparency.h"
#include "platform/Files.h"
#include "platform/Monitors.h"
#include "platform/Registry.h"

#include <algorithm>
#include <new>

namespace {
using Outcome = WallpaperPicture::Outcome;

// The shell holds the monitors' pictures apart from the desktop values: the restore of the original
// wallpaper must go through the shell too, which the first-run record notes.
void NoteMonitorWallpapers() {
    const std::string section = std::string(kSettingsKey) + "\\" + kOriginalInfo;
    try {
        if (std::optional<TRegistryKey> info = TRegistryKey::Open(HKEY_CURRENT_USER, section.c_str()))
            info->WriteString(kMonitorWallpapers, "1");
    } catch (const std::exception&) {
        // Without the note the restore still writes the recorded values.
    }
}

// Composes the file for each monitor in turn and gives each picture to `take` before the next is
// made, so only one monitor's picture is held at a time. Stops at the first that cannot be made.
Outcome ForEachMonitor(const std::string& path, WallpaperStyle style, const std::vector<MonitorRect>& monitors,
                       TPictureLibrary& library, std::string& reason,
                       const std::function<bool(std::size_t, const ScreenPicture&)>& take) {
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const MonitorWallpaper made = ComposeMonitorWallpaper(path, style, monitors[i].Size(), library);
        if (made.composed.outcome != Outcome::Composed) {
            reason = made.composed.reason;
            return made.composed.outcome;
        }
        if (!take(i, made.shown)) break;
    }
    return Outcome::Composed;
}

std::vector<MonitorRect> RectsOf(const std::vector<TDesktopWallpaper::Monitor>& monitors) {
    std::vector<MonitorRect> rects;
    for (const TDesktopWallpaper::Monitor& monitor : monitors)
        rects.push_back(monitor.rect);
    return rects;
}

FileWallpaperResult ThroughShell(const std::string& path, WallpaperStyle style, const std::string& programDir,
                                 TPictureLibrary& library, TDesktopWallpaper& shell,
                                 std::vector<TDesktopWallpaper::Monitor> monitors) {
    // The primary's picture keeps the one name the desktop has always had.
    std::stable_partition(monitors.begin(), monitors.end(),
                          [](const TDesktopWallpaper::Monitor& monitor) { return monitor.rect.primary; });
    FileWallpaperResult made;
    made.monitors = int(monitors.size());
    std::vector<std::string> files;
    made.picture = ForEachMonitor(
        path, style, RectsOf(monitors), library, made.reason, [&](std::size_t index, const ScreenPicture& shown) {
            WallpaperResult& result = made.applied;
            files.push_back(programDir + MonitorWallpaperName(index));
            if (index == 0) {
                result.path = files.back();
                result.size = shown.screen;
            }
            if (files.back().size() > kMaxWallpaperPath) {
                result.path = files.back();
                result.outcome = WallpaperResult::Outcome::PathTooLong;
                return false;
            }
            ReplaceResult written = ReplaceFileContents(files.back(), EncodeScreenBmp24(shown));
            if (written.Ok()) return true;
            result.path = files.back();
            result.outcome = WallpaperResult::Outcome::NotWritten;
            result.reason = written.error ? SystemErrorText(written.error) : "";
            return false;
        });
    if (made.picture != Outcome::Composed || !made.applied.Ok()) return made;
    const WallpaperResult handed = SetMonitorWallpapers(shell, monitors, files);
    made.applied.outcome = handed.outcome;
    made.applied.reason = handed.reason;
    return made;
}

FileWallpaperResult Tiled(const std::string& path, WallpaperStyle style, const std::string& programDir,
                          TPictureLibrary& library, const std::vector<MonitorRect>& monitors) {
    FileWallpaperResult made;
    made.monitors = int(monitors.size());
    TiledBitmap bitmap(VirtualScreenOf(monitors).Size(), PixelColour(DesktopBackground()));
    made.picture =
        ForEachMonitor(path, style, monitors, library, made.reason, [&](std::size_t index, const ScreenPicture& shown) {
            bitmap.Put(monitors[index], shown);
            return true;
        });
    if (made.picture == Outcome::Composed) made.applied = SetTiledWallpaper(bitmap, programDir);
    return made;
}
} // namespace

std::string MonitorWallpaperName(std::size_t index) {
    if (index == 0) return kWallpaperFileName;
    const std::size_t number = index + 1;
    return std::string("@QZ!BK") + char('0' + number / 10 % 10) + char('0' + number % 10) + ".BMP";
}

MonitorWallpaper ComposeMonitorWallpaper(const std::string& path, WallpaperStyle style, PixelSize monitor,
                                         TPictureLibrary& library) {
    // A monitor's picture is screen-sized: "Stretched" is the program's own stretch on every system.
    if (style == WallpaperStyle::Stretched) style = WallpaperStyle::StretchedToScreen;
    MonitorWallpaper made;
    made.composed = ComposeWallpaperFile(path, style, monitor, library);
    made.shown = PlacedOnScreen(made.composed.view, monitor, PixelColour(DesktopBackground()));
    return made;
}

WallpaperResult SetMonitorWallpapers(TDesktopWallpaper& shell, const std::vector<TDesktopWallpaper::Monitor>& monitors,
                                     const std::vector<std::string>& files) {
    WallpaperResult result;
    result.path = files.empty() ? std::string() : files.front();
    // Every picture is screen-sized: centred, each shows as composed.
    HRESULT failed = shell.SetPosition(kPositionCentre);
    for (std::size_t i = 0; SUCCEEDED(failed) && i < monitors.size() && i < files.size(); ++i)
        failed = shell.SetWallpaper(&monitors[i].id, files[i]);
    if (FAILED(failed)) {
        result.outcome = WallpaperResult::Outcome::SystemRefused;
        result.reason = SystemErrorText(DWORD(failed));
        return result;
    }
    NoteMonitorWallpapers();
    return result;
}

WallpaperResult SetTiledWallpaper(TiledBitmap& bitmap, const std::string& programDir) {
    const PixelSize size = bitmap.Size();
    return SetWallpaperFile(bitmap.TakeFile(), size, StyleInfo(WallpaperStyle::Tiled).tileWallpaper,
                            StyleInfo(WallpaperStyle::Tiled).wallpaperStyle, programDir);
}

FileWallpaperResult ApplyWallpaperFile(const std::string& path, WallpaperStyle style, const std::string& programDir,
                                       TPictureLibrary& library) {
    FileWallpaperResult made;
    try {
        const std::vector<MonitorRect> monitors = DisplayMonitors();
        if (monitors.size() < 2) {
            // One monitor: the wallpaper as it always was.
            const WallpaperPicture picture = ComposeWallpaperFile(path, style, PrimaryScreenSize(), library);
            made.picture = picture.outcome;
            made.reason = picture.reason;
            if (picture.outcome == Outcome::Composed) made.applied = SetWallpaper(picture.view, style, programDir);
            return made;
        }
        if (std::unique_ptr<TDesktopWallpaper> shell = TDesktopWallpaper::Open()) {
            std::vector<TDesktopWallpaper::Monitor> shellMonitors = shell->Monitors();
            if (!shellMonitors.empty())
                return ThroughShell(path, style, programDir, library, *shell, std::move(shellMonitors));
        }
        return Tiled(path, style, programDir, library, monitors);
    } catch (const std::bad_alloc&) {
        made = FileWallpaperResult();
        made.picture = Outcome::NoMemory;
        return made;
    }
}
