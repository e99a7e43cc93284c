#include "lists/FolderNames.h"

void FolderNames::Add(std::string_view name, unsigned long attributes) {
    entries_.push_back({text_.size(), name.size(), attributes});
    text_.append(name.data(), name.size());
    text_.push_back('\0');
}

void FolderNames::Clear() {
    text_.clear();
    entries_.clear();
}

void FolderNames::Reserve(std::size_t names, std::size_t characters) {
    entries_.reserve(names);
    text_.reserve(characters + names);
}
