// WallpaperBench: the full-screen window and F4 in the wallpaper category for a 3840 x 2160 JPEG,
// in the real main and full-screen windows, each run next to a floor that does the same work with
// bare Win32 calls (copy the picture and stretch it onto a maximized window; write the bitmap file,
// set the two desktop values, call SystemParametersInfoA). The two sides alternate, A B A B.
// Usage: WallpaperBench <folder of the picture> <file name> <folder of NViewLib.dll> <runs>
//        WallpaperBench --peak <folder of the picture> <file name> <folder of NViewLib.dll> <style index>
//          the picture previewed and applied with F4 in one style, then the process's peak working set
#include "shell/UPreview.h"
#include "pictures/Wallpaper.h"
#include "platform/Application.h"
#include "platform/Registry.h"
#include "shell/USelect5.h"
#include "tests/bench/BenchClock.h"
#include "tests/support/RegistrySnapshot.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        TForm::ProcessMessage(msg);
}

// The floor's window: a borderless window that stretches its bitmap over the fitted rectangle.
struct FloorWindow {
    HBITMAP bitmap = nullptr;
    RECT place{};
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<FloorWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg == WM_PAINT && self) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, self->bitmap);
            BITMAP facts;
            GetObjectA(self->bitmap, sizeof(facts), &facts);
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, self->place.left, self->place.top, self->place.right - self->place.left,
                       self->place.bottom - self->place.top, memory, 0, 0, facts.bmWidth, facts.bmHeight, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
            EndPaint(hwnd, &ps);
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
};

// A copy of the picture as a 32-bit DIB section, as plainly as Win32 makes one.
HBITMAP CopyPicture(HBITMAP picture) {
    BITMAP facts;
    GetObjectA(picture, sizeof(facts), &facts);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), facts.bmWidth, facts.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    GetDIBits(screen, picture, 0, UINT(facts.bmHeight), bits, &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return copy;
}

double FloorFullScreen(HWND window, FloorWindow& floor, HBITMAP picture, const RECT& place) {
    double start = NowMs();
    floor.bitmap = CopyPicture(picture);
    floor.place = place;
    ShowWindow(window, SW_SHOWMAXIMIZED);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    double ms = NowMs() - start;
    ShowWindow(window, SW_HIDE);
    DeleteObject(floor.bitmap);
    floor.bitmap = nullptr;
    return ms;
}

// The wallpaper file as a bare program writes it: GDI scales into a 24-bit section, the bytes go to
// a new file that replaces the old, then the two values and the system call.
double FloorApply(HBITMAP picture, SIZE size, const std::string& folder) {
    double start = NowMs();
    BITMAP facts;
    GetObjectA(picture, sizeof(facts), &facts);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, size.cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP target = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    HGDIOBJ oldFrom = SelectObject(from, picture), oldTo = SelectObject(to, target);
    SetStretchBltMode(to, HALFTONE);
    StretchBlt(to, 0, 0, size.cx, size.cy, from, 0, 0, facts.bmWidth, facts.bmHeight, SRCCOPY);
    GdiFlush();
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    const DWORD stride = DWORD((size.cx * 3 + 3) & ~3), pixelBytes = stride * DWORD(size.cy);
    BITMAPFILEHEADER file = {0x4D42, DWORD(54 + pixelBytes), 0, 0, 54};
    const std::string path = folder + "floor.bmp", temp = folder + "floor.tmp";
    HANDLE out = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(out, &file, sizeof(file), &written, nullptr);
    WriteFile(out, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr);
    WriteFile(out, bits, pixelBytes, &written, nullptr);
    FlushFileBuffers(out);
    CloseHandle(out);
    MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    DeleteObject(target);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegSetValueExA(key, "Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       DWORD(path.size() + 1));
        RegSetValueExA(key, "TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
        RegCloseKey(key);
    }
    char buffer[256] = {};
    lstrcpynA(buffer, path.c_str(), sizeof(buffer));
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, buffer, 0);
    return NowMs() - start;
}
} // namespace

// The wallpaper category, its browser in the folder and the file chosen there, the picture library
// taken from its own folder; false when the folder has no such file.
bool ChooseWallpaperFile(TFormSelect& form, const std::string& folder, const std::string& name,
                         const std::string& library) {
    form.PictureLibrary = std::make_unique<TPictureLibrary>(library + "\\");
    form.ProgramDir = folder;
    form.sbtnWall.SetDown(true);
    form.Change_Screen_Button(&form.sbtnWall);
    form.ApplyBrowserPath(folder);
    int index = -1;
    for (int i = 0; i < form.FileListBox1.Count(); ++i)
        if (form.FileListBox1.Item(i) == name) index = i;
    if (index < 0) return false;
    SendMessageA(form.FileListBox1.Handle(), LB_SETSEL, TRUE, index);
    SendMessageA(form.FileListBox1.Handle(), LB_SETCARETINDEX, WPARAM(index), FALSE);
    return true;
}

// The picture previewed in the main window and applied by F4 in one style; the peak working set after it.
int PreviewAndApplyPeak(const std::string& folder, const std::string& name, const std::string& library, int style) {
    Application().Initialize(GetModuleHandleA(nullptr));
    RegistrySnapshot desktopKept(HKEY_CURRENT_USER, kDesktopKey);
    TFormSelect& form = Application().CreateForm<TFormSelect>();
    if (!ChooseWallpaperFile(form, folder, name, library)) return 1;
    form.ViewChooseBox();
    Pump();
    form.Model.style = kWallpaperStyles[style].style;
    form.SetasCurrentClick();
    Pump();
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    std::printf("picture=%dx%d\nsaved_bytes=%lu\npeak_working_set_kb=%lu\n", form.ImgPreview.Picture().Width(),
                form.ImgPreview.Picture().Height(),
                static_cast<unsigned long>(GetCompressedFileSizeA((folder + kWallpaperFileName).c_str(), nullptr)),
                static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024));
    Application().DestroyForms();
    DeleteFileA((folder + kWallpaperFileName).c_str());
    return 0;
}

int main(int argc, char** argv) {
    if (argc >= 6 && std::string(argv[1]) == "--peak")
        return PreviewAndApplyPeak(std::string(argv[2]) + "\\", argv[3], argv[4], std::atoi(argv[5]));
    if (argc < 5) {
        std::printf("usage: WallpaperBench <picture folder> <file name> <NViewLib folder> <runs>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\", name = argv[2];
    const int runs = std::max(1, std::atoi(argv[4]));
    Application().Initialize(GetModuleHandleA(nullptr));
    std::optional<std::string> oldWallpaper, oldTile;
    if (auto key = TRegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey)) {
        oldWallpaper = key->ReadString("Wallpaper");
        oldTile = key->ReadString("TileWallpaper");
    }

    TFormSelect& form = Application().CreateForm<TFormSelect>();
    form.FormPreview = &Application().CreateForm<TFormPreview>(form.Model, form);
    TFormPreview& preview = *form.FormPreview;
    if (!ChooseWallpaperFile(form, folder, name, argv[3])) {
        std::printf("no %s in %s\n", name.c_str(), folder.c_str());
        return 1;
    }
    double start = NowMs();
    form.ViewChooseBox();
    std::printf("picture=%dx%d\nload_jpeg_ms=%.1f\n", form.ImgPreview.Picture().Width(),
                form.ImgPreview.Picture().Height(), NowMs() - start);
    Pump();

    WNDCLASSA wc = {};
    wc.lpfnWndProc = FloorWindow::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_DESKTOP);
    wc.lpszClassName = "FloorWindow";
    RegisterClassA(&wc);
    FloorWindow floor;
    HWND floorWindow = CreateWindowExA(0, wc.lpszClassName, "Floor", WS_POPUP, 0, 0, 320, 200, nullptr, nullptr,
                                       wc.hInstance, nullptr);
    SetWindowLongPtrA(floorWindow, GWLP_USERDATA, LONG_PTR(&floor));

    const PixelSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const HBITMAP picture = form.ImgPreview.Picture().Handle();
    const PixelSize pictureSize{form.ImgPreview.Picture().Width(), form.ImgPreview.Picture().Height()};
    struct Style {
        int index;
        const char* key;
    } styles[] = {{3, "fit"}, {0, "centred"}, {4, "mirror"}};
    for (const Style& style : styles) {
        form.Model.style = kWallpaperStyles[style.index].style;
        const WallpaperStyle chosen = kWallpaperStyles[style.index].style;
        const PixelSize saved = SavedBitmapSize(chosen, pictureSize, screen);
        LayoutRect fitted = FitToScreen(pictureSize, screen);
        const RECT place = chosen == WallpaperStyle::Fit2Screen
                               ? RECT{fitted.left, fitted.top, fitted.left + fitted.width, fitted.top + fitted.height}
                               : RECT{0, 0, screen.width, screen.height};
        std::vector<double> open, openFloor, apply, applyFloor;
        for (int run = 0; run < runs; ++run) {
            double t = NowMs();
            form.ImgPreviewDblClick(); // shown, laid out and painted before it returns
            GdiFlush();
            open.push_back(NowMs() - t);
            preview.Close(); // back without restyling: no entry is selected
            Pump();
            openFloor.push_back(FloorFullScreen(floorWindow, floor, picture, place));
            Pump();

            t = NowMs();
            form.SetasCurrentClick();
            apply.push_back(NowMs() - t);
            applyFloor.push_back(FloorApply(picture, SIZE{saved.width, saved.height}, folder));
            Pump();
        }
        std::printf("%s_saved=%dx%d\n", style.key, saved.width, saved.height);
        std::printf("%s_open_ms=%.1f\n%s_open_floor_ms=%.1f\n", style.key, MedianOf(open), style.key,
                    MedianOf(openFloor));
        std::printf("%s_apply_ms=%.1f\n%s_apply_floor_ms=%.1f\n", style.key, MedianOf(apply), style.key,
                    MedianOf(applyFloor));
    }

    DestroyWindow(floorWindow);
    Application().DestroyForms();
    DeleteFileA((folder + kWallpaperFileName).c_str());
    DeleteFileA((folder + "floor.bmp").c_str());
    if (auto key = TRegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey)) {
        if (oldWallpaper) key->WriteString("Wallpaper", *oldWallpaper);
        if (oldTile) key->WriteString("TileWallpaper", *oldTile);
    }
    char old[MAX_PATH] = {};
    if (oldWallpaper) lstrcpynA(old, oldWallpaper->c_str(), MAX_PATH);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, old, 0);
    return 0;
}
