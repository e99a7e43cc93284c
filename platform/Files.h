#pragma once
// Reading files whole, and replacing them whole.
#include "platform/TextSink.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Files larger than this are no picture or list the program could use.
constexpr std::uint32_t kMaxReadBytes = 512u << 20;

// The file's bytes; false when it cannot be opened, with the system's code in openError when
// given. Fails with an error when it cannot be read or is larger than kMaxReadBytes.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, unsigned long* openError = nullptr);

// The system's own text for an error code, e.g. "Sharing violation."; "System error <code>" when
// it has none.
std::string SystemErrorText(unsigned long code);

// Replaces a file's contents so that it is never left half written: the bytes go to a new file in
// the same folder, which takes the old one's place only after every byte was written and flushed.
// On any failure the old file stays as it was and the new one is removed. An old file that cannot
// be written (read-only, a folder, held by another program) or replaced fails at Creating with the
// system's code; the new file gets the old one's hidden, system and archive attributes.
struct ReplaceResult {
    enum Stage { Done, Creating, Writing } stage = Done;
    unsigned long error = 0; // the system's error code
    bool Ok() const { return stage == Done; }
};
// Without `flush` the bytes are not forced to the disk before the replace: for files whose loss
// in a crash costs little (a log, a state that starts over when damaged).
ReplaceResult ReplaceFileContents(const std::string& path, const std::string& bytes, bool flush = true);
// The same with the bytes composed while they are written: `compose` appends them to the sink,
// which writes them to the new file a chunk at a time, so they are never held whole. It runs only
// once the new file is open; a write that fails fails at Writing.
ReplaceResult ReplaceFileContents(const std::string& path, const std::function<void(TextSink&)>& compose,
                                  bool flush = true);

// Copies a file over another whole or not at all: the copy goes to a new file in the target's
// folder and takes the target's place only when it is complete. 0, or the system's error code;
// on failure the target stays as it was.
unsigned long CopyFileWhole(const std::string& source, const std::string& target);

// 0 when a new file can be made in the folder (which ends in a backslash), else the system's code.
unsigned long FolderWriteError(const std::string& folder);

// Whether the two paths name one file that exists, whatever names (long or short, relative, in
// another case) they use.
bool SameFile(const std::string& first, const std::string& second);
