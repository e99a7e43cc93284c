// Preview probe: drives the real QZSelect.exe from outside, in its wallpaper category with the
// browser in a folder of pictures, by keys sent to the browser's file list, and measures how long a
// chosen picture takes until the preview pane has painted it, and the program's peak working set.
//
//   PreviewProbe.exe choose <folder> <pairs> <exe> [<exe before>]
//       The folder holds a large JPEG, first by name, and a small one. In each pair the Down key
//       chooses the small picture and the Up key the large one, in each program in turn (both run
//       at once); then the floor reads the large one: libjpeg-turbo's own decode of the file,
//       reduced in its DCT to the scale the program reads it at for its pane, into a 32-bit DIB
//       section. Prints each program's medians, the floor's, and the medians of the per-pair ratios.
//   PreviewProbe.exe walk <folder> <rounds> <exe> [<exe before>]
//       The folder holds camera photos: Home chooses the first, then the Down key each next one to
//       the last, each step timed until painted; the programs take turns by round. Prints the
//       median and mean milliseconds per step of each program.
//   PreviewProbe.exe peak <folder large> <folder small> <pairs> <style> <exe> [<exe before>]
//       Each folder holds one picture. A fresh program previews it (and, with a style from 0 to 4,
//       chosen in the style box, makes it the wallpaper with F4; "-" for none); its peak working
//       set is read before it is ended. The large and the small picture take turns.
// The settings of the prefix's program key are set for each start: browser folder, the wallpaper
// category, the first-run backup taken. Exit code 0 when every figure was taken, 1 when one failed.
#include "tests/bench/BenchClock.h"

#include <psapi.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
constexpr const char* kSettingsKey = "Software\\Orvandel\\Vistrel";
constexpr const char* kWallpaperCode = "40";
constexpr DWORD kTimeoutMs = 60000;

void SetSetting(const std::string& section, const char* name, const std::string& value) {
    HKEY key = nullptr;
    const std::string path = std::string(kSettingsKey) + "\\" + section;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot write the settings");
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
    RegCloseKey(key);
}

// The JPEG files of a folder, sorted as the file list sorts them.
std::vector<std::string> PicturesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.jpg").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return names;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &reply))
        throw std::runtime_error("the program does not answer");
    return LRESULT(reply);
}

// A row of another process's list box. Wine hands the text over in UTF-16 there: a name of the
// ANSI code page comes back either way.
std::string ListRow(HWND list, int row) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(list, LB_GETTEXTLEN, WPARAM(row), 0, SMTO_NORMAL, kTimeoutMs, &length) ||
        length > MAX_PATH)
        return "";
    std::vector<char> text(2 * MAX_PATH + 4, '\0');
    SendMessageTimeoutA(list, LB_GETTEXT, WPARAM(row), LPARAM(text.data()), SMTO_NORMAL, kTimeoutMs, &length);
    if (length < 2 || text[1] != '\0') return text.data();
    std::string narrow;
    for (std::size_t i = 0; i < length; ++i)
        narrow += text[2 * i];
    return narrow;
}

struct Search {
    DWORD process = 0;
    std::string text; // the file list's first row; the preview's window text
    std::string windowClass;
    HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND child, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    char name[64] = {}, text[MAX_PATH + 16] = {};
    GetClassNameA(child, name, sizeof(name));
    if (!IsWindowVisible(child) || lstrcmpiA(name, search->windowClass.c_str()) != 0) return TRUE;
    if (search->windowClass == "ListBox") {
        lstrcpynA(text, ListRow(child, 0).c_str(), sizeof(text));
    } else if (search->windowClass == "ComboBox") {
        DWORD_PTR count = 0;
        SendMessageTimeoutA(child, CB_GETCOUNT, 0, 0, SMTO_NORMAL, kTimeoutMs, &count);
        if (count == 5) lstrcpyA(text, search->text.c_str()); // the style box: five styles
    } else {
        GetWindowTextA(child, text, sizeof(text)); // another process's window: its stored text
    }
    if (lstrcmpiA(text, search->text.c_str()) != 0) return TRUE;
    search->found = child;
    return FALSE;
}

BOOL CALLBACK FindMain(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    EnumChildWindows(window, FindChild, lParam);
    if (!search->found) return TRUE;
    search->found = window;
    return FALSE;
}

// A program started with its browser in a folder, ended when it goes.
class Program {
public:
    Program(const std::string& exe, const std::string& folder, const std::string& first) : exe_(exe) {
        SetSetting("Original Info", "FilesBackedUp", "1");
        SetSetting("Vistrel Selector", "Selected Screen Button", kWallpaperCode);
        SetSetting("Vistrel Selector", "StartDir", folder);
        SetSetting("Vistrel Selector", "PreviewShow", "30"); // the chosen file and the selected entry
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        std::string line = "\"" + exe + "\"";
        const std::string dir = exe.substr(0, exe.find_last_of('\\'));
        if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                            &process_))
            throw std::runtime_error("cannot start " + exe);
        CloseHandle(process_.hThread);
        try {
            FindWindows(first);
        } catch (...) {
            End();
            throw;
        }
    }
    ~Program() { End(); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The main window, known by the file list whose first row is the first picture.
    void FindWindows(const std::string& first) {
        const double start = NowMs();
        Search search;
        search.process = process_.dwProcessId;
        search.text = first;
        search.windowClass = "ListBox";
        while (!search.found) {
            if (NowMs() - start > kTimeoutMs) throw std::runtime_error("no file list with " + first);
            if (WaitForSingleObject(process_.hProcess, 5) == WAIT_OBJECT_0) throw std::runtime_error("it ended");
            EnumWindows(FindMain, LPARAM(&search));
        }
        main_ = search.found;
        files_ = Child("ListBox", first);
        WaitForInputIdle(process_.hProcess, kTimeoutMs);
        Ask(main_, WM_NULL, 0, 0);
    }
    void End() {
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, kTimeoutMs);
        CloseHandle(process_.hProcess);
    }

    HWND Child(const std::string& windowClass, const std::string& text) const {
        Search search;
        search.text = text;
        search.windowClass = windowClass;
        EnumChildWindows(main_, FindChild, LPARAM(&search));
        return search.found;
    }

    // The key pressed in the file list, timed until the preview pane has painted the file. The pane
    // is found once; then only its text and update region are asked, so that the asking takes
    // little from the program it times.
    double Choose(UINT key, const std::string& name) {
        const std::string shown = "Preview: " + name;
        const double start = NowMs();
        PostMessageA(files_, WM_KEYDOWN, key, 1);
        PostMessageA(files_, WM_KEYUP, key, 0xC0000001);
        for (;;) {
            if (!pane_) pane_ = Child("TVistrelPicture", shown);
            char text[MAX_PATH + 16] = {};
            if (pane_) GetWindowTextA(pane_, text, sizeof(text));
            if (pane_ && shown == text && !GetUpdateRect(pane_, nullptr, FALSE)) return NowMs() - start;
            if (NowMs() - start > kTimeoutMs) throw std::runtime_error("the preview never showed " + name);
            Sleep(1);
        }
    }

    // The preview pane's size, as the program reads a picture to cover it.
    SIZE Pane() const {
        RECT pane = {};
        GetWindowRect(pane_, &pane);
        return {pane.right - pane.left, pane.bottom - pane.top};
    }

    // F4 in the style of the index; done when the wallpaper file is written and the program answers.
    void MakeWallpaper(int style) {
        const std::string wallpaper = exe_.substr(0, exe_.find_last_of('\\') + 1) + "@QZ!BACK.BMP";
        DeleteFileA(wallpaper.c_str());
        const HWND box = Child("ComboBox", "style box");
        if (!box) throw std::runtime_error("no style box");
        Ask(box, CB_SETCURSEL, WPARAM(style), 0);
        Ask(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), LPARAM(box));
        PostMessageA(files_, WM_KEYDOWN, VK_F4, 1);
        PostMessageA(files_, WM_KEYUP, VK_F4, 0xC0000001);
        const double start = NowMs();
        while (GetFileAttributesA(wallpaper.c_str()) == INVALID_FILE_ATTRIBUTES) {
            if (NowMs() - start > kTimeoutMs) throw std::runtime_error("F4 wrote no wallpaper");
            Sleep(5);
        }
        Ask(main_, WM_NULL, 0, 0);
    }

    unsigned long PeakKb() const {
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof(memory);
        if (!GetProcessMemoryInfo(process_.hProcess, &memory, sizeof(memory)))
            throw std::runtime_error("no memory figures");
        return static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024);
    }

private:
    std::string exe_;
    PROCESS_INFORMATION process_ = {};
    HWND main_ = nullptr, files_ = nullptr, pane_ = nullptr;
};

double Mean(const std::vector<double>& values) {
    double sum = 0;
    for (double value : values)
        sum += value;
    return values.empty() ? 0 : sum / double(values.size());
}

std::vector<unsigned char> FileBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
    std::vector<unsigned char> bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    const bool whole = ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size();
    CloseHandle(file);
    if (!whole) throw std::runtime_error("cannot read " + path);
    return bytes;
}

// The floor of a preview: the JPEG read from its file and decoded by libjpeg-turbo, reduced in its
// DCT by the smallest of its eighths that still covers the pane (as the program reduces it), into a
// 32-bit DIB section. Returns the milliseconds; the scale in `eighths`.
double FloorPreview(const std::string& path, SIZE pane, int& eighths) {
    const double start = NowMs();
    const std::vector<unsigned char> jpeg = FileBytes(path);
    tjhandle decoder = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colours = 0;
    if (!decoder || tjDecompressHeader3(decoder, jpeg.data(), (unsigned long)jpeg.size(), &width, &height, &subsampling,
                                        &colours) != 0)
        throw std::runtime_error("the floor cannot read " + path);
    // The size that covers the pane with the picture's proportions, then the eighths that reach it.
    const long long w = width, h = height;
    SIZE cover = pane;
    if (pane.cx * h >= pane.cy * w)
        cover.cy = LONG((pane.cx * h + w - 1) / w);
    else
        cover.cx = LONG((pane.cy * w + h - 1) / h);
    tjscalingfactor scale = {8, 8};
    for (eighths = 1; eighths <= 8; ++eighths) {
        scale.num = eighths;
        if (TJSCALED(width, scale) >= cover.cx && TJSCALED(height, scale) >= cover.cy) break;
    }
    const int scaledWidth = TJSCALED(width, scale), scaledHeight = TJSCALED(height, scale);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = scaledWidth;
    info.bmiHeader.biHeight = -scaledHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const bool decoded =
        bitmap && tjDecompress2(decoder, jpeg.data(), (unsigned long)jpeg.size(), static_cast<unsigned char*>(bits),
                                scaledWidth, scaledWidth * 4, scaledHeight, TJPF_BGRX, 0) == 0;
    const double ms = NowMs() - start;
    tjDestroy(decoder);
    if (bitmap) DeleteObject(bitmap);
    if (!decoded) throw std::runtime_error("the floor cannot decode " + path);
    return ms;
}

const char* Side(std::size_t program) {
    return program ? "before_" : "";
}

int Choose(const std::string& folder, int pairs, const std::vector<std::string>& exes) {
    const std::vector<std::string> names = PicturesIn(folder);
    if (names.size() != 2) throw std::runtime_error("the folder must hold two JPEGs");
    std::vector<std::unique_ptr<Program>> programs;
    for (const std::string& exe : exes) {
        programs.push_back(std::make_unique<Program>(exe, folder, names[0]));
        programs.back()->Choose(VK_HOME, names[0]); // not counted: the first decode loads the library
    }
    const std::string largePath = folder + "\\" + names[0];
    const SIZE pane = programs[0]->Pane();
    int eighths = 8;
    FloorPreview(largePath, pane, eighths); // not counted: the first read
    std::vector<std::vector<double>> large(exes.size()), small(exes.size()), ratios(exes.size()),
        againstFloor(exes.size());
    std::vector<double> againstBefore, floor;
    for (int pair = 0; pair < pairs; ++pair) {
        std::printf("pair %d:", pair + 1);
        for (std::size_t p = 0; p < programs.size(); ++p) {
            small[p].push_back(programs[p]->Choose(VK_DOWN, names[1]));
            large[p].push_back(programs[p]->Choose(VK_UP, names[0]));
            ratios[p].push_back(large[p].back() / small[p].back());
            std::printf(" %slarge %.1f ms, small %.1f ms;", Side(p), large[p].back(), small[p].back());
        }
        floor.push_back(FloorPreview(largePath, pane, eighths));
        for (std::size_t p = 0; p < programs.size(); ++p)
            againstFloor[p].push_back(large[p].back() / floor.back());
        if (programs.size() > 1) againstBefore.push_back(large[0].back() / large[1].back());
        std::printf(" floor %.1f ms\n", floor.back());
    }
    std::printf("pane=%ldx%ld\nfloor_scale=%d/8\nfloor_ms=%.1f\n", long(pane.cx), long(pane.cy), eighths,
                MedianOf(floor));
    for (std::size_t p = 0; p < programs.size(); ++p)
        std::printf("%slarge_ms=%.1f\n%ssmall_ms=%.1f\n%sratio=%.2f\n%sagainst_floor=%.2f\n", Side(p),
                    MedianOf(large[p]), Side(p), MedianOf(small[p]), Side(p), MedianOf(ratios[p]), Side(p),
                    MedianOf(againstFloor[p]));
    if (!againstBefore.empty()) std::printf("large_against_before=%.2f\n", MedianOf(againstBefore));
    return 0;
}

int Walk(const std::string& folder, int rounds, const std::vector<std::string>& exes) {
    const std::vector<std::string> names = PicturesIn(folder);
    if (names.size() < 2) throw std::runtime_error("the folder must hold JPEGs");
    std::vector<std::vector<double>> steps(exes.size());
    for (int round = 0; round < rounds; ++round)
        for (std::size_t p = 0; p < exes.size(); ++p) {
            Program program(exes[p], folder, names[0]);
            program.Choose(VK_HOME, names[0]);
            std::vector<double> these;
            for (std::size_t i = 1; i < names.size(); ++i)
                these.push_back(program.Choose(VK_DOWN, names[i]));
            std::printf("round %d, %s: %zu steps, median %.1f ms, mean %.1f ms\n", round + 1, p ? "before" : "program",
                        these.size(), MedianOf(these), Mean(these));
            steps[p].insert(steps[p].end(), these.begin(), these.end());
        }
    for (std::size_t p = 0; p < exes.size(); ++p)
        std::printf("%sstep_median_ms=%.1f\n%sstep_mean_ms=%.1f\n", Side(p), MedianOf(steps[p]), Side(p),
                    Mean(steps[p]));
    return 0;
}

int Peak(const std::string& largeFolder, const std::string& smallFolder, int pairs, int style,
         const std::vector<std::string>& exes) {
    const std::string folders[2] = {largeFolder, smallFolder};
    std::vector<std::vector<double>> peaks[2] = {std::vector<std::vector<double>>(exes.size()),
                                                 std::vector<std::vector<double>>(exes.size())};
    std::vector<std::vector<double>> differences(exes.size());
    for (int pair = 0; pair < pairs; ++pair) {
        std::printf("pair %d:", pair + 1);
        for (std::size_t p = 0; p < exes.size(); ++p) {
            for (int side = 0; side < 2; ++side) {
                const std::vector<std::string> names = PicturesIn(folders[side]);
                if (names.size() != 1) throw std::runtime_error("each folder must hold one JPEG");
                Program program(exes[p], folders[side], names[0]);
                program.Choose(VK_HOME, names[0]);
                if (style >= 0) program.MakeWallpaper(style);
                peaks[side][p].push_back(double(program.PeakKb()));
            }
            differences[p].push_back(peaks[0][p].back() - peaks[1][p].back());
            std::printf(" %slarge %.0f KB, small %.0f KB;", Side(p), peaks[0][p].back(), peaks[1][p].back());
        }
        std::printf("\n");
    }
    for (std::size_t p = 0; p < exes.size(); ++p)
        std::printf("%slarge_peak_kb=%.0f\n%ssmall_peak_kb=%.0f\n%sdifference_kb=%.0f\n", Side(p),
                    MedianOf(peaks[0][p]), Side(p), MedianOf(peaks[1][p]), Side(p), MedianOf(differences[p]));
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: PreviewProbe.exe choose|walk <folder> <count> <exe> [<exe before>]\n"
                         "       PreviewProbe.exe peak <folder large> <folder small> <pairs> <style|-> <exe> "
                         "[<exe before>]\n");
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 5) return Usage();
    const std::string mode = argv[1];
    try {
        if ((mode == "choose" || mode == "walk") && argc <= 6) {
            const std::vector<std::string> exes(argv + 4, argv + argc);
            const int count = std::atoi(argv[3]);
            if (count < 1) return Usage();
            return mode == "choose" ? Choose(argv[2], count, exes) : Walk(argv[2], count, exes);
        }
        if (mode == "peak" && argc >= 7 && argc <= 8) {
            const int pairs = std::atoi(argv[4]);
            const int style = std::string(argv[5]) == "-" ? -1 : std::atoi(argv[5]);
            if (pairs < 1 || style > 4) return Usage();
            return Peak(argv[2], argv[3], pairs, style, std::vector<std::string>(argv + 6, argv + argc));
        }
    } catch (const std::exception& error) {
        std::printf("FAILED: %s\n", error.what());
        return 1;
    }
    return Usage();
}
