#pragma once
// The shell's desktop wallpaper object of Windows 8 and later, as the program calls it: its ids and
// the order of its methods are the system's, declared here so that nothing is linked from the SDK.
#include <objbase.h>

inline constexpr GUID kClsidDesktopWallpaper = {
    0xc2cf3110, 0x460e, 0x4fc1, {0xb9, 0xd0, 0x8a, 0x1c, 0x0c, 0x9c, 0xc4, 0xbd}};
inline constexpr GUID kIidDesktopWallpaper = {
    0xb92b56a9, 0x8b55, 0x4e14, {0x9a, 0x89, 0x01, 0x99, 0xbb, 0xb6, 0xf9, 0x3b}};

// DESKTOP_WALLPAPER_POSITION.
enum DesktopWallpaperPosition {
    kPositionCentre = 0,
    kPositionTile = 1,
    kPositionStretch = 2,
    kPositionFit = 3,
    kPositionFill = 4,
    kPositionSpan = 5,
};

struct IDesktopWallpaperCalls : public IUnknown {
    // A null monitor id sets the wallpaper of every monitor.
    virtual HRESULT STDMETHODCALLTYPE SetWallpaper(LPCWSTR monitorId, LPCWSTR wallpaper) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetWallpaper(LPCWSTR monitorId, LPWSTR* wallpaper) = 0;
    // The id is allocated with CoTaskMemAlloc: the caller frees it.
    virtual HRESULT STDMETHODCALLTYPE GetMonitorDevicePathAt(UINT index, LPWSTR* monitorId) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorDevicePathCount(UINT* count) = 0;
    // Fails, or gives S_FALSE, for a monitor that is not attached.
    virtual HRESULT STDMETHODCALLTYPE GetMonitorRECT(LPCWSTR monitorId, RECT* rect) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBackgroundColor(COLORREF colour) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBackgroundColor(COLORREF* colour) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPosition(int position) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPosition(int* position) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSlideshow(IUnknown* items) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSlideshow(IUnknown** items) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSlideshowOptions(int options, UINT tick) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSlideshowOptions(int* options, UINT* tick) = 0;
    virtual HRESULT STDMETHODCALLTYPE AdvanceSlideshow(LPCWSTR monitorId, int direction) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStatus(int* state) = 0;
    virtual HRESULT STDMETHODCALLTYPE Enable(BOOL enable) = 0;
};
