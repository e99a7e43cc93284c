#include "platform/DesktopWallpaper.h"

namespace {
using CoInitializeCall = HRESULT(WINAPI*)(void*);
using CoUninitializeCall = void(WINAPI*)();
using CoCreateInstanceCall = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
using CoTaskMemFreeCall = void(WINAPI*)(void*);

template <typename Call> Call Ole32Function(HMODULE ole32, const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(ole32, name)));
}

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), &wide[0], length);
    return wide;
}
} // namespace

std::unique_ptr<TDesktopWallpaper> TDesktopWallpaper::Open() {
    std::unique_ptr<TDesktopWallpaper> opened(new TDesktopWallpaper());
    opened->ole32_.Reset(LoadLibraryA("ole32.dll"));
    HMODULE ole32 = opened->ole32_.Get();
    if (!ole32) return nullptr;
    auto initialize = Ole32Function<CoInitializeCall>(ole32, "CoInitialize");
    auto create = Ole32Function<CoCreateInstanceCall>(ole32, "CoCreateInstance");
    opened->free_ = Ole32Function<CoTaskMemFreeCall>(ole32, "CoTaskMemFree");
    if (!initialize || !create || !opened->free_ || !GetProcAddress(ole32, "CoUninitialize")) return nullptr;
    // A thread whose COM is already set up another way still makes the object; only a call of
    // ours that succeeded is undone.
    opened->uninitialize_ = SUCCEEDED(initialize(nullptr));
    void* object = nullptr;
    if (FAILED(create(kClsidDesktopWallpaper, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, kIidDesktopWallpaper,
                      &object)) ||
        !object)
        return nullptr;
    opened->object_ = static_cast<IDesktopWallpaperCalls*>(object);
    return opened;
}

TDesktopWallpaper::~TDesktopWallpaper() {
    if (object_) object_->Release();
    if (uninitialize_) Ole32Function<CoUninitializeCall>(ole32_.Get(), "CoUninitialize")();
}

std::vector<TDesktopWallpaper::Monitor> TDesktopWallpaper::Monitors() {
    std::vector<Monitor> monitors;
    UINT count = 0;
    if (FAILED(object_->GetMonitorDevicePathCount(&count))) return monitors;
    for (UINT i = 0; i < count; ++i) {
        LPWSTR id = nullptr;
        if (FAILED(object_->GetMonitorDevicePathAt(i, &id)) || !id) continue;
        Monitor monitor{id, {}};
        free_(id);
        RECT rect = {};
        // A monitor known but not attached has no rectangle.
        if (FAILED(object_->GetMonitorRECT(monitor.id.c_str(), &rect))) continue;
        monitor.rect = {int(rect.left), int(rect.top), int(rect.right - rect.left), int(rect.bottom - rect.top),
                        rect.left == 0 && rect.top == 0};
        if (!monitor.rect.Size().Empty()) monitors.push_back(monitor);
    }
    return monitors;
}

HRESULT TDesktopWallpaper::SetPosition(int position) {
    return object_->SetPosition(position);
}

HRESULT TDesktopWallpaper::GetPosition(int& position) {
    return object_->GetPosition(&position);
}

HRESULT TDesktopWallpaper::SetWallpaper(const std::wstring* monitorId, const std::string& path) {
    return object_->SetWallpaper(monitorId ? monitorId->c_str() : nullptr, Wide(path).c_str());
}
