#pragma once
// The randomizer's shuffled rounds: every entry of a list is shown once before any is shown
// again. Entries that join a list join the current round; entries that leave it drop out. The
// state between runs is small: per list, the keys shown in the current round and the last one.
#include <cstddef>
#include <cstdint>
#include "lists/ListFileFormat.h"

#include <string>
#include <string_view>
#include <vector>

// Random numbers that are the same for the same seed on every system (splitmix64).
class PickRandom {
public:
    explicit PickRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // Uniform in [0, n); n must be above 0.
    std::size_t Below(std::size_t n);

private:
    std::uint64_t state_;
};

// An entry's identity across runs: its full path without regard to (ASCII) case.
std::uint64_t EntryKey(std::string_view fullPath);
// The key of the entry one line of a list makes (as the list reader makes it), without making it.
std::uint64_t EntryKeyOfLine(std::string_view line, Category category, const std::string& programDir);

struct RoundState {
    std::vector<std::uint64_t> shown; // sorted: the keys shown since the round began
    std::uint64_t last = 0;           // the key shown last, when hasLast
    bool hasLast = false;
};

// The positions in `keys` to try at this run, in order: first the entries not yet shown in this
// round, shuffled; then, should all of them fail, a new round of the others, shuffled, with the
// one shown last at the very end. A key that occurs more than once is tried once.
std::vector<std::size_t> TryOrder(const std::vector<std::uint64_t>& keys, const RoundState& state, PickRandom& random);

// The same for the next monitor of a run that gives each monitor an entry of its own: the entries
// already on a monitor of this run come last, so none shows twice while the list has others.
std::vector<std::size_t> MonitorTryOrder(const std::vector<std::uint64_t>& keys, const RoundState& state,
                                         PickRandom& random, const std::vector<std::uint64_t>& onMonitors);

// Records the entry that was shown: a key already shown in this round begins a new round. Keys
// that are no longer in the list are forgotten.
void RecordShown(RoundState& state, const std::vector<std::uint64_t>& keys, std::uint64_t shown);

// The state of the four lists as a small binary file, and back. Bytes that are not such a file
// (missing, old, damaged) give empty states: every list starts a new round.
inline constexpr int kRoundLists = kCategoryCount;
std::string WriteRoundStates(const RoundState (&states)[kRoundLists]);
void ReadRoundStates(const std::string& text, RoundState (&states)[kRoundLists]);
