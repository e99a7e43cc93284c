// ListBench [pairs]: the selection lists at scale, in the real main window. Writes a list file of
// 4 x 25,000 entries into its own folder, then times loading it and showing the active list (next
// to merely reading its bytes), saving it against writing and flushing the same bytes (the two
// alternating for `pairs` pairs, 15 by default), adding 1,000 chosen files to a list of 100,000
// with the Add button, removing 1,000 selected entries, select all and invert, adding 1,000 valid
// 320 x 400 x 8 screens (each one read for the screen check) to a start-up list of 100,000, and
// reports the working set before and after loading, and at the end.
#include "lists/ListFileFormat.h"
#include "platform/Application.h"
#include "tests/bench/BenchClock.h"
#include "platform/Files.h"
#include "shell/USelect5.h"
#include "tests/support/TestPictures.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {
template <typename Work> double Time(Work work) {
    double start = NowMs();
    work();
    return NowMs() - start;
}

std::string Name(int i) {
    char name[32];
    std::snprintf(name, sizeof(name), "p%06d.bmp", (i * 7919) % 1000003);
    return name;
}
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double WorkingSetMb() {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    return double(memory.WorkingSetSize) / (1024.0 * 1024.0);
}
} // namespace

int main(int argc, char** argv) {
    const int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    Application().Initialize(GetModuleHandleA(nullptr));
    std::string exe = Application().ExeName();
    std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);

    std::string bytes;
    {
        ListSet lists;
        for (Category category : kCategories)
            for (int i = 0; i < 25000; ++i)
                lists[category].push_back({Name(i), "C:\\PICTURES\\SET" + std::to_string(int(category)), "Tiled"});
        bytes = WriteListFile(lists);
    }
    std::ofstream(folder + kListFileName, std::ios::binary) << bytes;

    std::vector<std::uint8_t> read;
    double readMs = Time([&] { ReadWholeFile(folder + kListFileName, read); });
    read = {};
    const double emptyMb = WorkingSetMb();
    TFormSelect* form = nullptr;
    double loadMs = Time([&] {
        form = &Application().CreateForm<TFormSelect>(); // the first show loads the list file
        UpdateWindow(form->Handle());
    });
    const double loadedMb = WorkingSetMb();
    std::printf("entries=%d\nread_bytes_ms=%.1f\nload_and_show_ms=%.1f\n", form->ListStart.Count() * 4, readMs, loadMs);
    std::printf("working_set_before_load_mb=%.1f\nworking_set_with_100000_mb=%.1f\n", emptyMb, loadedMb);

    // Saving, against writing and flushing the same bytes to a new file: the two alternate, one
    // untimed pair first, and the ratio is the median of the per-pair ratios.
    auto plainWrite = [&](bool flush) {
        return Time([&] {
            HANDLE file = CreateFileA((folder + "plain.qzd").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
            if (flush) FlushFileBuffers(file);
            CloseHandle(file);
        });
    };
    auto save = [&] { return Time([&] { form->SaveToFile(); }); };
    save();
    plainWrite(true);
    std::vector<double> saveMs, flushedMs, ratios, writeMs, replaceMs;
    for (int i = 0; i < pairs; ++i) {
        saveMs.push_back(save());
        flushedMs.push_back(plainWrite(true));
        ratios.push_back(saveMs.back() / flushedMs.back());
    }
    // The parts, each the median of as many runs: an unflushed write and the safe replace of the
    // composed bytes.
    for (int i = 0; i < pairs; ++i) {
        writeMs.push_back(plainWrite(false));
        replaceMs.push_back(Time([&] { ReplaceFileContents(folder + "plain.qzd", bytes); }));
    }
    std::printf("save_pairs=%d\nplain_write_ms=%.1f\nplain_write_flushed_ms=%.1f\n"
                "safe_replace_ms=%.1f\nsave_ms=%.1f\nsave_ratio=%.2f\nsave_ratio_to_flushed=%.2f\n",
                pairs, Median(writeMs), Median(flushedMs), Median(replaceMs), Median(saveMs),
                Median(saveMs) / Median(writeMs), Median(ratios));
    std::fflush(stdout);

    // The wallpaper list with 100,000 entries; 1,000 files are added through the Add button.
    form->sbtnWall.SetDown(true);
    form->Change_Screen_Button(&form->sbtnWall);
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 100000; ++i)
        rows.push_back({Name(i), "C:\\PICTURES", "Tiled"});
    form->SetEntries(Category::Wall, std::move(rows));
    const std::string added = folder + "added";
    CreateDirectoryA(added.c_str(), nullptr);
    for (int i = 0; i < 1000; ++i)
        std::ofstream(added + "\\added" + std::to_string(i) + ".jpg") << "x";
    form->ApplyBrowserPath(added);
    form->btnAllFilesClick();
    double addMs = Time([&] { form->BtnAddClick(); });
    std::printf("added=%d\n", form->ListWall.Count() - 100000);
    std::vector<int> remove;
    for (int i = 0; i < 1000; ++i)
        remove.push_back(i * 100);
    for (int row : remove)
        form->ListWall.SetSelected(row, true);
    double removeMs = Time([&] { form->btnRemoveClick(); });
    double allMs = Time([&] { form->btnAllSelectClick(); });
    double invertMs = Time([&] { form->btnInvSelectClick(); });
    std::printf("add_1000_to_100000_ms=%.1f\nremove_1000_selected_ms=%.1f\nselect_all_ms=%.1f\ninvert_ms=%.1f\n"
                "working_set_end_mb=%.1f\n",
                addMs, removeMs, allMs, invertMs, WorkingSetMb());

    // The start-up list with 100,000 entries; 1,000 screens are added, each read and checked.
    form->sbtnStart.SetDown(true);
    form->Change_Screen_Button(&form->sbtnStart);
    rows.clear();
    for (int i = 0; i < 100000; ++i)
        rows.push_back({Name(i), "C:\\SCREENS"});
    form->SetEntries(Category::Start, std::move(rows));
    const std::string screens = folder + "screens";
    CreateDirectoryA(screens.c_str(), nullptr);
    const std::string screen = BitmapFile(320, 400, 8);
    for (int i = 0; i < 1000; ++i)
        std::ofstream(screens + "\\screen" + std::to_string(i) + ".bmp", std::ios::binary) << screen;
    form->ApplyBrowserPath(screens);
    form->btnAllFilesClick();
    double screensMs = Time([&] { form->BtnAddClick(); });
    std::printf("added_screens=%d\nadd_1000_screens_to_100000_ms=%.1f\n", form->ListStart.Count() - 100000, screensMs);
    for (int i = 0; i < 1000; ++i)
        DeleteFileA((screens + "\\screen" + std::to_string(i) + ".bmp").c_str());
    RemoveDirectoryA(screens.c_str());

    DeleteFileA((folder + kListFileName).c_str());
    DeleteFileA((folder + "plain.qzd").c_str());
    for (int i = 0; i < 1000; ++i)
        DeleteFileA((added + "\\added" + std::to_string(i) + ".jpg").c_str());
    RemoveDirectoryA(added.c_str());
    Application().DestroyForms();
    return 0;
}
