// ListBench: the selection lists at scale, in the real main window. Writes a list file of
// 4 x 25,000 entries into its own folder, then times loading it and showing the active list
// (next to merely reading its bytes), saving it (next to one buffered write of the same bytes),
// adding 1,000 entries to a list of 100,000, removing 1,000 selected entries, select all and
// invert, and reports the working set.
#include "lists/ListFileFormat.h"
#include "platform/Application.h"
#include "tests/bench/BenchClock.h"
#include "platform/Files.h"
#include "shell/USelect5.h"

#include <psapi.h>

#include <cstdio>
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
} // namespace

int main() {
    Application().Initialize(GetModuleHandleA(nullptr));
    std::string exe = Application().ExeName();
    std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);

    ListSet lists;
    for (int section = 0; section < kSectionCount; ++section)
        for (int i = 0; i < 25000; ++i)
            lists[section].push_back({Name(i), "C:\\PICTURES\\SET" + std::to_string(section), "Tiled"});
    const std::string bytes = WriteListFile(lists);
    std::ofstream(folder + kListFileName, std::ios::binary) << bytes;

    std::vector<std::uint8_t> read;
    double readMs = Time([&] { ReadWholeFile(folder + kListFileName, read); });
    TFormSelect* form = nullptr;
    double loadMs = Time([&] {
        form = &Application().CreateForm<TFormSelect>(); // the first show loads the list file
        UpdateWindow(form->Handle());
    });
    std::printf("entries=%d\nread_bytes_ms=%.1f\nload_and_show_ms=%.1f\n", form->ListStart.Count() * 4, readMs, loadMs);

    double writeMs = Time([&] {
        HANDLE file = CreateFileA((folder + "plain.qzd").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
        CloseHandle(file);
    });
    double saveMs = Time([&] { form->SaveToFile(); });
    std::printf("plain_write_ms=%.1f\nsave_ms=%.1f\nsave_ratio=%.2f\n", writeMs, saveMs, saveMs / writeMs);

    // One list of 100,000 entries.
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 100000; ++i)
        rows.push_back({Name(i), "C:\\PICTURES"});
    form->ListStart.SetRows(rows);
    double addMs = Time([&] {
        for (int i = 0; i < 1000; ++i)
            form->ListStart.InsertSorted({"added" + std::to_string(i) + ".bmp", "C:\\"});
    });
    std::vector<int> remove;
    for (int i = 0; i < 1000; ++i)
        remove.push_back(i * 100);
    for (int row : remove)
        form->ListStart.SetSelected(row, true);
    double removeMs = Time([&] { form->btnRemoveClick(); });
    double allMs = Time([&] { form->btnAllSelectClick(); });
    double invertMs = Time([&] { form->btnInvSelectClick(); });
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    std::printf("add_1000_to_100000_ms=%.1f\nremove_1000_selected_ms=%.1f\nselect_all_ms=%.1f\ninvert_ms=%.1f\n"
                "working_set_mb=%.1f\n",
                addMs, removeMs, allMs, invertMs, double(memory.WorkingSetSize) / (1024.0 * 1024.0));
    DeleteFileA((folder + kListFileName).c_str());
    DeleteFileA((folder + "plain.qzd").c_str());
    Application().Reset();
    return 0;
}
