#pragma once
// Reading files whole.
#include <cstdint>
#include <string>
#include <vector>

// Files larger than this are no picture or list the program could use.
constexpr std::uint32_t kMaxReadBytes = 512u << 20;

// The file's bytes; false when it cannot be opened. Fails with an error when it cannot be read
// or is larger than kMaxReadBytes.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);
