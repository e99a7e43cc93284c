#include "pictures/PictureLibrary.h"

#include <stdexcept>

TPictureLibrary::~TPictureLibrary() {
    if (module_) FreeLibrary(module_);
}

HBITMAP TPictureLibrary::Load(const std::string& path) {
    if (!load_) {
        if (!module_) module_ = LoadLibraryA((folder_ + kPictureLibraryName).c_str());
        if (!module_) throw std::runtime_error(std::string("Cannot load ") + kPictureLibraryName);
        load_ = reinterpret_cast<LoadFunction>(reinterpret_cast<void*>(GetProcAddress(module_, "NViewLibLoad")));
        if (!load_) throw std::runtime_error(std::string("NViewLibLoad is missing from ") + kPictureLibraryName);
    }
    return load_(path.c_str(), FALSE);
}
