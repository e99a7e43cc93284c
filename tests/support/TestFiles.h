#pragma once
// Files for the Wine tests: a fresh folder of a test's own, and whole files read and written.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

// A new, empty folder under the temporary folder, named from `prefix`; without a trailing backslash.
inline std::string MakeTestFolder(const char* prefix) {
    char temp[MAX_PATH] = {}, folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, prefix, 0, folder);
    DeleteFileA(folder);
    CreateDirectoryA(folder, nullptr);
    return folder;
}

// Removes a test folder with the files in it.
inline void RemoveTestFolder(std::string folder) {
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Replaces the file, also one that was left read-only.
inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream(path, std::ios::binary) << bytes;
}
