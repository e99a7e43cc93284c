#pragma once
// The per-monitor wallpapers of Windows 8 and later, through the shell's desktop wallpaper object.
// ole32 is loaded at run time, so the program still starts on systems without it; where the object
// cannot be made (older systems, Wine) there is none, and the caller takes another way.
#include "platform/DesktopWallpaperApi.h"
#include "platform/Handles.h"
#include "platform/MonitorRect.h"

#include <memory>
#include <string>
#include <vector>

class TDesktopWallpaper {
public:
    // Null where the system has no such object.
    static std::unique_ptr<TDesktopWallpaper> Open();
    ~TDesktopWallpaper();
    TDesktopWallpaper(const TDesktopWallpaper&) = delete;
    TDesktopWallpaper& operator=(const TDesktopWallpaper&) = delete;

    struct Monitor {
        std::wstring id;
        MonitorRect rect;
    };
    // The attached monitors, each with its rectangle; empty when they cannot be told.
    std::vector<Monitor> Monitors();
    // How every monitor's picture is placed (a DesktopWallpaperPosition).
    HRESULT SetPosition(int position);
    HRESULT GetPosition(int& position);
    // The picture of one monitor, or of every monitor for a null id.
    HRESULT SetWallpaper(const std::wstring* monitorId, const std::string& path);

private:
    TDesktopWallpaper() = default;
    UniqueModule ole32_;
    bool uninitialize_ = false;
    IDesktopWallpaperCalls* object_ = nullptr;
    void(WINAPI* free_)(void*) = nullptr;
};
