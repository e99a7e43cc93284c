#pragma once
// Names of a folder's entries with their attributes, kept one after another in one buffer: a
// folder of many thousand files costs no allocation per name.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class FolderNames {
public:
    void Add(std::string_view name, unsigned long attributes = 0);
    void Clear();
    void Reserve(std::size_t names, std::size_t characters);

    std::size_t Size() const { return entries_.size(); }
    std::string_view Name(std::size_t index) const {
        return std::string_view(text_.data() + entries_[index].start, entries_[index].length);
    }
    // The same name, ended by a null character.
    const char* CName(std::size_t index) const { return text_.data() + entries_[index].start; }
    unsigned long Attributes(std::size_t index) const { return entries_[index].attributes; }

private:
    struct Entry {
        std::size_t start, length;
        unsigned long attributes;
    };
    std::string text_; // each name followed by a null character
    std::vector<Entry> entries_;
};
