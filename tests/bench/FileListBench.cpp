// FileListBench <folder> <files> <pairs>: fills a folder with that many small files (once), then
// times the browser's file list reading it, and a change of folder of the directory list with the
// file list linked to it (as the browser changes folder), each against a bare FindFirstFileA loop
// over the same folder. The two sides of a comparison run in turn (bare loop, list, bare loop,
// change of folder, ...) so that a slow spell of the machine weighs on both; it prints the medians
// and the median of the ratios within each pair.
#include "platform/Application.h"
#include "tests/bench/BenchClock.h"
#include "shell/BrowserControls.h"
#include "platform/Form.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

class ListForm : public TForm {
public:
    ListForm() {
        ClientWidth = 400;
        ClientHeight = 300;
        VisibleAtCreation = true;
    }
    TFileListBox Files, LinkedFiles;
    TDirectoryListBox Dirs;

protected:
    void BuildControls() override {
        Files.SetMask("*.bmp;*.sys;");
        Files.Create(*this, {0, 0, 200, 300});
        Dirs.Create(*this, {200, 0, 100, 300});
        LinkedFiles.SetMask("*.bmp;*.sys;");
        LinkedFiles.Create(*this, {300, 0, 100, 300});
        Dirs.FileList = &LinkedFiles;
    }
};
} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: FileListBench <folder> <files> <pairs>\n");
        return 2;
    }
    std::string folder = argv[1];
    int files = std::atoi(argv[2]), pairs = std::max(1, std::atoi(argv[3]));
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof(name), "%s\\picture%05d.%s", folder.c_str(), i, i % 10 == 9 ? "txt" : "bmp");
        HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }

    Application().Initialize(GetModuleHandleA(nullptr));
    ListForm& form = Application().CreateForm<ListForm>();
    std::vector<double> bare, list, change, listRatios, changeRatios;
    std::size_t found = 0;
    auto bareLoop = [&] {
        double start = NowMs();
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do
                names.push_back(data.cFileName);
            while (FindNextFileA(find, &data));
            FindClose(find);
        }
        found = names.size();
        return NowMs() - start;
    };
    auto timed = [](auto work) {
        double start = NowMs();
        work();
        return NowMs() - start;
    };
    for (int pair = 0; pair <= pairs; ++pair) { // the first round warms the caches and is not counted
        double bareForList = bareLoop();
        double listed = timed([&] { form.Files.SetDirectory(folder); });
        double bareForChange = bareLoop();
        double changed = timed([&] { form.Dirs.SetDirectory(folder); });
        if (pair == 0) continue;
        bare.push_back(bareForList);
        bare.push_back(bareForChange);
        list.push_back(listed);
        change.push_back(changed);
        listRatios.push_back(listed / bareForList);
        changeRatios.push_back(changed / bareForChange);
    }
    std::printf("entries=%zu listed=%d listed_after_change=%d pairs=%d\n", found, form.Files.Count(),
                form.LinkedFiles.Count(), pairs);
    std::printf("bare_ms=%.2f\nlist_ms=%.2f\nratio=%.2f\n", Median(bare), Median(list), Median(listRatios));
    std::printf("folder_change_ms=%.2f\nchange_ratio=%.2f\n", Median(change), Median(changeRatios));
    std::printf("ratio_range=%.2f-%.2f change_ratio_range=%.2f-%.2f\n",
                *std::min_element(listRatios.begin(), listRatios.end()),
                *std::max_element(listRatios.begin(), listRatios.end()),
                *std::min_element(changeRatios.begin(), changeRatios.end()),
                *std::max_element(changeRatios.begin(), changeRatios.end()));
    Application().DestroyForms();
    return 0;
}
