#pragma once
// The randomizer's command line and its log: no Windows calls.
#include <cstdint>
#include <string>
#include <vector>

// "/dry" (or "-dry"): only write the picks to the log. "/seed=N": a seed for reproducible picks.
struct RandomizerOptions {
    bool dryRun = false;
    bool hasSeed = false;
    std::uint64_t seed = 0;
    std::vector<std::string> unknown; // parameters that mean nothing; the run goes on
};
RandomizerOptions ParseRandomizerOptions(const std::vector<std::string>& parameters);

// The log after adding these lines to what it held: only its last `keep` lines stay. Lines end
// with CR LF.
std::string AppendToLog(const std::string& log, const std::vector<std::string>& lines, std::size_t keep);
inline constexpr std::size_t kLogLines = 400;
