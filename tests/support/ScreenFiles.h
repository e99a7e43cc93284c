#pragma once
// Where Windows keeps the system screens, spelled out apart from the program's own code: the
// start-up screen at the root of the Windows drive, the others in the Windows folder.
#include "system/Category.h"

#include <windows.h>

#include <string>

inline std::string ScreenFilePath(Category screen) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string folder = windows;
    if (folder.back() != '\\') folder += '\\';
    switch (screen) {
    case Category::Start:
        return folder.substr(0, 3) + "logo.sys";
    case Category::Wait:
        return folder + "logow.sys";
    default:
        return folder + "logos.sys";
    }
}

// No system screen left, protected or not.
inline void RemoveScreenFiles() {
    for (Category screen : kScreenCategories) {
        SetFileAttributesA(ScreenFilePath(screen).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(ScreenFilePath(screen).c_str());
    }
}
