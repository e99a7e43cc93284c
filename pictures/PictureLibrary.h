#pragma once
// The picture library NViewLib.dll beside the program, loaded when first needed. A missing
// library or function is a failure to load the picture, never a crash.
#include "platform/Handles.h"

#include <string>

class TPictureLibrary {
public:
    explicit TPictureLibrary(std::string folder) : folder_(std::move(folder)) {}
    TPictureLibrary(const TPictureLibrary&) = delete;
    TPictureLibrary& operator=(const TPictureLibrary&) = delete;
    ~TPictureLibrary();

    // The bitmap the library makes of the file, or null when it made none. Fails with an error
    // when the library or its function cannot be found.
    HBITMAP Load(const std::string& path);

private:
    using LoadFunction = HBITMAP(WINAPI*)(const char* path, BOOL flag);
    std::string folder_;
    HMODULE module_ = nullptr;
    LoadFunction load_ = nullptr;
};

inline constexpr const char* kPictureLibraryName = "NViewLib.dll";
