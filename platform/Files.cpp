#include "platform/Files.h"

#include "platform/Handles.h"

#include <stdexcept>

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, unsigned long* openError) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        if (openError) *openError = GetLastError();
        return false;
    }
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

std::string SystemErrorText(unsigned long code) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof(text), nullptr);
    std::string result(text, length);
    while (!result.empty() && (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
        result.pop_back();
    return result.empty() ? "System error " + std::to_string(code) : result;
}

namespace {
std::string FolderOf(const std::string& path) {
    auto cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut + 1);
}

// Moves the new file over the old one; old Windows versions without MoveFileEx delete first.
bool MoveOver(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    DeleteFileA(to.c_str());
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

// Writes every byte; 0, or the system's error code.
DWORD WriteAll(HANDLE file, const char* bytes, std::size_t size) {
    DWORD written = 0;
    if (size == 0 || (WriteFile(file, bytes, DWORD(size), &written, nullptr) && written == size)) return NO_ERROR;
    const DWORD error = GetLastError();
    return error != NO_ERROR ? error : ERROR_WRITE_FAULT;
}

// The safe replace around `write`, which writes the new file's bytes and returns 0 or the system's
// error code.
ReplaceResult Replace(const std::string& path, bool flush, const std::function<DWORD(HANDLE)>& write) {
    // The old file refuses the replace as it would refuse being written: read-only (checked here, as
    // not every file system enforces it), a folder in its place, or held by another program.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
            return {ReplaceResult::Creating, ERROR_ACCESS_DENIED};
        UniqueFile old(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!old) return {ReplaceResult::Creating, GetLastError()};
    }
    ReplaceResult result;
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(FolderOf(path).c_str(), "QZ", 0, temp)) return {ReplaceResult::Creating, GetLastError()};
    {
        UniqueFile file(
            CreateFileA(temp, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            result = {ReplaceResult::Creating, GetLastError()};
            DeleteFileA(temp);
            return result;
        }
        DWORD error = NO_ERROR;
        try {
            error = write(file.Get());
        } catch (...) { // nothing of a failed composition stays behind
            file.Reset();
            DeleteFileA(temp);
            throw;
        }
        if (error == NO_ERROR && flush && !FlushFileBuffers(file.Get())) error = GetLastError();
        if (error != NO_ERROR) result = {ReplaceResult::Writing, error};
    }
    // The new file keeps what the user set on the old one (hidden, system, archive).
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    if (result.Ok() && attributes != INVALID_FILE_ATTRIBUTES && (attributes & kept))
        SetFileAttributesA(temp, attributes & kept);
    if (result.Ok() && !MoveOver(temp, path)) result = {ReplaceResult::Creating, GetLastError()};
    if (!result.Ok()) DeleteFileA(temp);
    return result;
}
} // namespace

ReplaceResult ReplaceFileContents(const std::string& path, const std::string& bytes, bool flush) {
    return Replace(path, flush, [&](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
}

ReplaceResult ReplaceFileContents(const std::string& path, const std::function<void(TextSink&)>& compose, bool flush) {
    return Replace(path, flush, [&](HANDLE file) {
        DWORD error = NO_ERROR;
        TextSink sink([&](const char* bytes, std::size_t size) { return (error = WriteAll(file, bytes, size)) == 0; });
        compose(sink);
        sink.Finish();
        return error;
    });
}

unsigned long CopyFileWhole(const std::string& source, const std::string& target) {
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(FolderOf(target).c_str(), "QZ", 0, temp)) return GetLastError();
    DWORD error = NO_ERROR;
    if (!CopyFileA(source.c_str(), temp, FALSE) || !MoveOver(temp, target)) error = GetLastError();
    if (error != NO_ERROR) DeleteFileA(temp);
    return error;
}

unsigned long FolderWriteError(const std::string& folder) {
    char probe[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), "QZ", 0, probe)) return GetLastError();
    // Wine names a file it could not make: the file must be there.
    if (GetFileAttributesA(probe) == INVALID_FILE_ATTRIBUTES) {
        UniqueFile file(CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return GetLastError();
    }
    DeleteFileA(probe);
    return 0;
}

namespace {
// The volume and index that name a file on every system, or false when it cannot be opened.
bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& identity) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && GetFileInformationByHandle(file.Get(), &identity);
}
} // namespace

bool SameFile(const std::string& first, const std::string& second) {
    BY_HANDLE_FILE_INFORMATION a = {}, b = {};
    if (!FileIdentity(first, a) || !FileIdentity(second, b)) return false;
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}
