// libFuzzer target: the list file reader, and the writer on what it read.
#include "lists/ListFileFormat.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ListSet lists;
    ReadListFile(std::string(reinterpret_cast<const char*>(data), size), "C:\\PROGRAM\\", lists);
    // What was read is written in the normal form, and that form reads back to the same file.
    std::string file = WriteListFile(lists);
    ListSet again;
    ReadListFile(file, "C:\\PROGRAM\\", again);
    if (WriteListFile(again) != file) std::abort();
    return 0;
}
