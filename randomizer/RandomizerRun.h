#pragma once
// One run of the randomizer: reads the lists beside the program, makes one entry of each list
// current, carries the rounds on to the next run, and says what it did in lines for the log.
#include "randomizer/RandomizerText.h"

#include <string>
#include <vector>

struct RandomizerPlaces {
    std::string programDir; // with a trailing backslash: the list file and the picture library
    std::string windowsDir;
    std::string stateDir; // with a trailing backslash: the rounds, the log and the wallpaper bitmap
};

// Where a run keeps what it writes: the program folder, or when that cannot be written, a folder
// of its own in the user's temporary folder; then `note` says why, for the log.
std::string StateFolder(const std::string& programDir, std::string& note);

inline constexpr const char* kRoundsFileName = "QZRandom.rnd";
inline constexpr const char* kLogFileName = "QZRandom.log";
// The randomizer's own folder in the user's temporary folder.
inline constexpr const char* kStateFolderName = "QZRandom";

std::vector<std::string> RunRandomizer(const RandomizerOptions& options, const RandomizerPlaces& places);
