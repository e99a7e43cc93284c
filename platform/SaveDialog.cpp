#include "platform/SaveDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace {
// The common dialog library and the shell libraries it brings cost a start-up that seldom saves
// anything, so it is loaded when the first box opens and stays for the program's life.
using SaveFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

SaveFileNameFunction SaveFileNameBox() {
    static SaveFileNameFunction function = [] {
        HMODULE library = LoadLibraryA("comdlg32.dll");
        return library ? reinterpret_cast<SaveFileNameFunction>(
                             reinterpret_cast<void*>(GetProcAddress(library, "GetSaveFileNameA")))
                       : nullptr;
    }();
    return function;
}
} // namespace

bool PromptSaveFile(HWND owner, const std::string& proposed, const std::string& filter, const std::string& extension,
                    std::string& chosen) {
    std::string filters = filter + "||";
    std::replace(filters.begin(), filters.end(), '|', '\0');
    const std::size_t cut = proposed.find_last_of('\\');
    const std::string folder = cut == std::string::npos ? std::string() : proposed.substr(0, cut + 1);
    std::vector<char> file(MAX_PATH, '\0');
    proposed.copy(file.data(), std::min(proposed.size() - folder.size(), file.size() - 1), folder.size());

    OPENFILENAMEA box = {};
    // The Windows 95 size: the box opens on every system the program runs on.
    box.lStructSize = OPENFILENAME_SIZE_VERSION_400;
    box.hwndOwner = owner;
    box.lpstrFilter = filters.c_str();
    box.nFilterIndex = 1;
    box.lpstrFile = file.data();
    box.nMaxFile = DWORD(file.size());
    box.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    box.lpstrDefExt = extension.c_str();
    // The program writes the file itself and names the path when that fails.
    box.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                OFN_NOTESTFILECREATE;
    SaveFileNameFunction saveFileName = SaveFileNameBox();
    if (!saveFileName || !saveFileName(&box)) return false;
    chosen = file.data();
    return true;
}
