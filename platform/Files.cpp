#include "platform/Files.h"

#include "platform/Handles.h"

#include <stdexcept>

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD high = 0;
    DWORD size = GetFileSize(file.Get(), &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) throw std::runtime_error("Error reading " + path);
    if (high != 0 || size > kMaxReadBytes) throw std::runtime_error("File too large: " + path);
    bytes.resize(size);
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file.Get(), bytes.data(), size, &read, nullptr) || read != size))
        throw std::runtime_error("Error reading " + path);
    return true;
}
