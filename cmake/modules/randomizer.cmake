# The randomizer's shuffled rounds, state file, command line and log, with their host tests.
list(APPEND PORTABLE_SOURCES randomizer/Rounds.cpp randomizer/RandomizerText.cpp)
list(APPEND HOST_TEST_SOURCES tests/randomizer/RoundsTest.cpp tests/randomizer/RandomizerTextTest.cpp)
