#include "pictures/MonitorDesk.h"

#include "pictures/Transparency.h"
#include "pictures/Wallpaper.h"
#include "platform/Files.h"
#include "platform/Monitors.h"
#include "platform/Registry.h"

#include <algorithm>
#include <exception>

namespace {
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
} // namespace

std::string MonitorWallpaperName(std::size_t index) {
    if (index == 0) return kWallpaperFileName;
    const std::size_t number = index + 1;
    return std::string("@QZ!BK") + char('0' + number / 10 % 10) + char('0' + number % 10) + ".BMP";
}

std::unique_ptr<TMonitorDesk> TMonitorDesk::Open(const std::string& folder, bool keepOthers) {
    std::vector<MonitorRect> monitors = DisplayMonitors();
    if (monitors.size() < 2) return nullptr;
    std::unique_ptr<TMonitorDesk> desk(new TMonitorDesk());
    desk->folder_ = folder;
    if (std::unique_ptr<TDesktopWallpaper> shell = TDesktopWallpaper::Open()) {
        std::vector<TDesktopWallpaper::Monitor> listed = shell->Monitors();
        std::stable_sort(listed.begin(), listed.end(),
                         [](const TDesktopWallpaper::Monitor& a, const TDesktopWallpaper::Monitor& b) {
                             return MonitorComesFirst(a.rect, b.rect);
                         });
        if (!listed.empty()) {
            desk->shell_ = std::move(shell);
            for (TDesktopWallpaper::Monitor& monitor : listed) {
                desk->monitors_.push_back(monitor.rect);
                desk->ids_.push_back(std::move(monitor.id));
            }
            desk->files_.resize(listed.size());
            desk->keepsOthers_ = true;
            return desk;
        }
    }
    std::stable_sort(monitors.begin(), monitors.end(), MonitorComesFirst);
    desk->monitors_ = std::move(monitors);
    desk->keepsOthers_ = keepOthers && desk->ReadPresentBitmap();
    return desk;
}

// The present bitmap is the program's own when the desktop names it, tiled, and it is a 24-bit BMP
// of exactly the virtual screen's size laid out as the program writes it: then it holds the parts
// the monitors show now.
bool TMonitorDesk::ReadPresentBitmap() {
    const std::string path = folder_ + kWallpaperFileName;
    try {
        std::optional<TRegistryKey> desktop = TRegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey);
        const std::optional<std::string> named = desktop ? desktop->ReadString("Wallpaper") : std::nullopt;
        if (!named || lstrcmpiA(named->c_str(), path.c_str()) != 0 || desktop->ReadString("TileWallpaper") != "1")
            return false;
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(path, bytes)) return false;
        tiled_ = TiledBitmap::FromFile(std::string(bytes.begin(), bytes.end()), VirtualScreenOf(monitors_).Size());
    } catch (const std::exception&) {
        tiled_.reset();
    }
    return tiled_.has_value();
}

bool TMonitorDesk::Put(std::size_t index, const ScreenPicture& shown) {
    if (!failed_.Ok() || index >= monitors_.size()) return false;
    put_ = true;
    if (!shell_) {
        if (!tiled_) tiled_.emplace(VirtualScreenOf(monitors_).Size(), PixelColour(DesktopBackground()));
        tiled_->Put(monitors_[index], shown);
        return true;
    }
    const std::string file = folder_ + MonitorWallpaperName(index);
    failed_.path = file;
    if (file.size() > kMaxWallpaperPath) {
        failed_.outcome = WallpaperResult::Outcome::PathTooLong;
        return false;
    }
    const ReplaceResult written = ReplaceFileContents(file, EncodeScreenBmp24(shown));
    if (!written.Ok()) {
        failed_.outcome = WallpaperResult::Outcome::NotWritten;
        failed_.reason = written.error ? SystemErrorText(written.error) : "";
        return false;
    }
    files_[index] = file;
    return true;
}

WallpaperResult TMonitorDesk::Finish() {
    if (!failed_.Ok()) return failed_;
    if (!put_) {
        WallpaperResult none;
        none.path = folder_ + kWallpaperFileName;
        none.outcome = WallpaperResult::Outcome::NoPicture;
        return none;
    }
    if (shell_) return FinishThroughShell();
    const PixelSize size = tiled_->Size();
    const WallpaperStyleInfo& tiled = StyleInfo(WallpaperStyle::Tiled);
    return SetWallpaperFile(tiled_->TakeFile(), size, tiled.tileWallpaper, tiled.wallpaperStyle, folder_);
}

WallpaperResult TMonitorDesk::FinishThroughShell() {
    WallpaperResult result;
    const std::size_t given =
        std::size_t(std::count_if(files_.begin(), files_.end(), [](const std::string& file) { return !file.empty(); }));
    for (std::size_t i = 0; i < files_.size() && result.path.empty(); ++i)
        if (!files_[i].empty()) {
            result.path = files_[i];
            result.size = monitors_[i].Size();
        }
    // Every picture is screen-sized, and shows as composed in any position but one spread over all
    // monitors: the others keep their position unless it is that one, or cannot be told.
    int position = -1;
    const bool keepPosition = given < files_.size() && SUCCEEDED(shell_->GetPosition(position)) &&
                              position >= kPositionCentre && position <= kPositionFill;
    HRESULT failed = keepPosition ? S_OK : shell_->SetPosition(kPositionCentre);
    for (std::size_t i = 0; SUCCEEDED(failed) && i < files_.size(); ++i)
        if (!files_[i].empty()) failed = shell_->SetWallpaper(&ids_[i], files_[i]);
    if (FAILED(failed)) {
        result.outcome = WallpaperResult::Outcome::SystemRefused;
        result.reason = SystemErrorText(DWORD(failed));
        return result;
    }
    NoteMonitorWallpapers();
    return result;
}
