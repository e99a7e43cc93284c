#include "randomizer/RandomizerText.h"
#include "platform/CommandLine.h"

#include <gtest/gtest.h>

TEST(RandomizerOptions, DryRunAndSeed) {
    struct Case {
        const char* parameters;
        bool dryRun;
        bool hasSeed;
        std::uint64_t seed;
        std::size_t unknown;
    } cases[] = {
        {"", false, false, 0, 0},
        {"/dry", true, false, 0, 0},
        {"-DRY /seed=42", true, true, 42, 0},
        {"  /Seed=18446744073709551  ", false, true, 18446744073709551ull, 0},
        {"/seed=", false, false, 0, 1},
        {"/seed=12x /other dry", false, false, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters);
        RandomizerOptions options =
            ParseRandomizerOptions(SplitCommandLine(std::string("QZRandom.exe ") + c.parameters));
        EXPECT_EQ(options.dryRun, c.dryRun);
        EXPECT_EQ(options.hasSeed, c.hasSeed);
        if (c.hasSeed) EXPECT_EQ(options.seed, c.seed);
        EXPECT_EQ(options.unknown.size(), c.unknown);
    }
}

TEST(RandomizerLog, KeepsOnlyItsLastLines) {
    EXPECT_EQ(AppendToLog("", {"a", "b"}, 5), "a\r\nb\r\n");
    EXPECT_EQ(AppendToLog("a\r\nb\r\n", {"c"}, 2), "b\r\nc\r\n");
    EXPECT_EQ(AppendToLog("cut off", {"c"}, 3), "cut off\r\nc\r\n") << "a last line without its end is kept whole";
    std::string log;
    for (int i = 0; i < 1000; ++i)
        log = AppendToLog(log, {"line " + std::to_string(i)}, kLogLines);
    EXPECT_EQ(log.rfind("line 600\r\n", 0), 0u);
    EXPECT_EQ(log.size() - log.rfind("line 999\r\n"), 10u);
}
