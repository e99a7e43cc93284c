#include "platform/Version.h"

#include <windows.h>

#include <vector>

std::optional<std::string> ReadVersionString(const std::string& file, const std::string& subBlock) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
    if (size == 0) return std::nullopt;
    std::vector<char> buffer(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, buffer.data())) return std::nullopt;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(buffer.data(), subBlock.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return std::nullopt;
    // The length counts the terminating zero when there is one.
    std::string text(value, length);
    if (auto end = text.find('\0'); end != std::string::npos) text.resize(end);
    return text;
}
