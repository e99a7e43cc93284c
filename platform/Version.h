#pragma once
#include <optional>
#include <string>

// A string of a file's version resource, e.g. "\StringFileInfo\041304E4\FileVersion"; nothing
// when the file has no version resource or the string is not in it.
std::optional<std::string> ReadVersionString(const std::string& file, const std::string& subBlock);
