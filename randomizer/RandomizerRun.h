#pragma once
// One run of the randomizer: reads the lists beside the program, makes one entry of each list
// current, carries the rounds on to the next run, and says what it did in lines for the log.
#include "randomizer/RandomizerText.h"

#include <string>
#include <vector>

struct RandomizerPlaces {
    std::string programDir; // with a trailing backslash
    std::string windowsDir;
};

inline constexpr const char* kRoundsFileName = "QZRandom.rnd";
inline constexpr const char* kLogFileName = "QZRandom.log";

std::vector<std::string> RunRandomizer(const RandomizerOptions& options, const RandomizerPlaces& places);
