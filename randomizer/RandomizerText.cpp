#include "randomizer/RandomizerText.h"

#include <cctype>

namespace {
std::string Lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool ParseSeed(const std::string& digits, std::uint64_t& seed) {
    if (digits.empty() || digits.size() > 19) return false;
    seed = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        seed = seed * 10 + std::uint64_t(c - '0');
    }
    return true;
}
} // namespace

RandomizerOptions ParseRandomizerOptions(const std::vector<std::string>& parameters) {
    RandomizerOptions options;
    for (const std::string& word : parameters) {
        const std::string option =
            !word.empty() && (word[0] == '/' || word[0] == '-') ? Lower(word.substr(1)) : std::string();
        if (option == "dry") {
            options.dryRun = true;
        } else if (option.rfind("seed=", 0) == 0 && ParseSeed(option.substr(5), options.seed)) {
            options.hasSeed = true;
        } else {
            options.unknown.push_back(word);
        }
    }
    return options;
}

std::string AppendToLog(const std::string& log, const std::vector<std::string>& lines, std::size_t keep) {
    std::string all = log;
    if (!all.empty() && all.back() != '\n') all += "\r\n";
    for (const std::string& line : lines)
        all += line + "\r\n";
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < all.size(); at = all.find('\n', at) + 1) {
        starts.push_back(at);
        if (all.find('\n', at) == std::string::npos) break;
    }
    return starts.size() <= keep ? all : all.substr(starts[starts.size() - keep]);
}
