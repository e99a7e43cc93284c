// A stand-in for the shell's desktop wallpaper object of Windows 8 and later, which Wine lacks: an
// in-process COM server that tests register for its class id. It reports the two monitors of the
// test display (the second one listed first) and appends every call that changes the wallpaper to
// "FakeDesktopWallpaper.log" beside the DLL, one line a call. Its position starts as Fill, as on a
// new system.
#include "platform/DesktopWallpaperApi.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
HMODULE self = nullptr;

constexpr GUID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool Same(REFGUID a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

struct FakeMonitor {
    const wchar_t* id;
    RECT rect;
};
const FakeMonitor kMonitors[] = {{L"\\\\?\\DISPLAY#FAKE#2", {1280, 0, 2304, 768}},
                                 {L"\\\\?\\DISPLAY#FAKE#1", {0, 0, 1280, 1024}}};

std::string Narrow(LPCWSTR text) {
    if (!text) return "(every monitor)";
    char bytes[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof(bytes) - 1, nullptr, nullptr);
    return bytes;
}

void Log(const std::string& line) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string log = path;
    log = log.substr(0, log.find_last_of('\\') + 1) + "FakeDesktopWallpaper.log";
    if (std::FILE* file = std::fopen(log.c_str(), "ab")) {
        std::fputs((line + "\n").c_str(), file);
        std::fclose(file);
    }
}

class DesktopWallpaper : public IDesktopWallpaperCalls {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!Same(iid, kIidUnknown) && !Same(iid, kIidDesktopWallpaper)) return E_NOINTERFACE;
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return ULONG(left);
    }
    HRESULT STDMETHODCALLTYPE SetWallpaper(LPCWSTR monitorId, LPCWSTR wallpaper) override {
        Log("SetWallpaper " + Narrow(monitorId) + " " + Narrow(wallpaper));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWallpaper(LPCWSTR, LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMonitorDevicePathAt(UINT index, LPWSTR* monitorId) override {
        if (index >= 2 || !monitorId) return E_INVALIDARG;
        const std::size_t bytes = (std::wcslen(kMonitors[index].id) + 1) * sizeof(wchar_t);
        *monitorId = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
        if (!*monitorId) return E_OUTOFMEMORY;
        std::memcpy(*monitorId, kMonitors[index].id, bytes);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMonitorDevicePathCount(UINT* count) override {
        *count = 2;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMonitorRECT(LPCWSTR monitorId, RECT* rect) override {
        for (const FakeMonitor& monitor : kMonitors)
            if (monitorId && std::wcscmp(monitorId, monitor.id) == 0) {
                *rect = monitor.rect;
                return S_OK;
            }
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE SetBackgroundColor(COLORREF) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBackgroundColor(COLORREF*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPosition(int position) override {
        Log("SetPosition " + std::to_string(position));
        position_ = position;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPosition(int* position) override {
        *position = position_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSlideshow(IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSlideshow(IUnknown**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSlideshowOptions(int, UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSlideshowOptions(int*, UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AdvanceSlideshow(LPCWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetStatus(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Enable(BOOL) override { return E_NOTIMPL; }

private:
    virtual ~DesktopWallpaper() = default;
    LONG references_ = 1;
    int position_ = 4;
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!Same(iid, kIidUnknown) && !Same(iid, kIidClassFactory)) return E_NOINTERFACE;
        *object = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // lives as long as the DLL
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        DesktopWallpaper* made = new DesktopWallpaper();
        const HRESULT result = made->QueryInterface(iid, object);
        made->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};
Factory factory;
} // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!Same(clsid, kClsidDesktopWallpaper)) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(iid, object);
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() {
    return S_FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) self = instance;
    return TRUE;
}
