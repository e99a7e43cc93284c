#include "randomizer/Rounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {
std::vector<std::uint64_t> Keys(int count, int from = 0) {
    std::vector<std::uint64_t> keys;
    for (int i = from; i < from + count; ++i)
        keys.push_back(EntryKey("C:\\Pictures\\p" + std::to_string(i) + ".bmp"));
    return keys;
}

// One run of the randomizer over a list whose entries all work: the first of the order is shown.
std::uint64_t ShowOne(const std::vector<std::uint64_t>& keys, RoundState& state, std::uint64_t seed) {
    PickRandom random(seed);
    std::vector<std::size_t> order = TryOrder(keys, state, random);
    EXPECT_FALSE(order.empty());
    std::uint64_t key = keys[order.front()];
    RecordShown(state, keys, key);
    return key;
}
} // namespace

TEST(Rounds, EveryEntryIsShownOnceBeforeAnyAgain) {
    const std::vector<std::uint64_t> keys = Keys(7);
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        RoundState state;
        std::uint64_t previous = 0;
        for (int round = 0; round < 4; ++round) {
            std::set<std::uint64_t> shown;
            for (int run = 0; run < 7; ++run) {
                std::uint64_t key = ShowOne(keys, state, seed * 100 + round * 10 + run);
                EXPECT_TRUE(shown.insert(key).second) << "shown twice in one round";
                EXPECT_NE(key, previous) << "the same picture twice in a row";
                previous = key;
            }
        }
    }
}

TEST(Rounds, AdditionsJoinTheRoundAndRemovalsDropOut) {
    std::vector<std::uint64_t> keys = Keys(4);
    RoundState state;
    std::set<std::uint64_t> shown;
    shown.insert(ShowOne(keys, state, 1));
    shown.insert(ShowOne(keys, state, 2));
    // Two entries added, one entry not yet shown removed.
    const std::vector<std::uint64_t> added = Keys(2, 10);
    keys.insert(keys.end(), added.begin(), added.end());
    auto notShown = std::find_if(keys.begin(), keys.end(), [&](std::uint64_t k) { return !shown.count(k); });
    const std::uint64_t removed = *notShown;
    keys.erase(notShown);
    for (int run = 0; run < 3; ++run) {
        std::uint64_t key = ShowOne(keys, state, 10 + run);
        EXPECT_NE(key, removed);
        EXPECT_TRUE(shown.insert(key).second) << "the round goes on with the new entries";
    }
    EXPECT_EQ(shown.count(added[0]) + shown.count(added[1]), 2u);
    EXPECT_EQ(state.shown.size(), 5u) << "a round of five: the removed entry left it";
    ShowOne(keys, state, 20);
    EXPECT_EQ(state.shown.size(), 1u) << "all five shown: a new round began";
}

TEST(Rounds, FailingEntriesAreTriedLastAndDuplicatesOnce) {
    std::vector<std::uint64_t> keys = Keys(3);
    keys.push_back(keys[0]); // the same file twice in the list
    RoundState state;
    RecordShown(state, keys, keys[1]);
    PickRandom random(5);
    std::vector<std::size_t> order = TryOrder(keys, state, random);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(keys[order.back()], keys[1]) << "the one shown last comes last";
    EXPECT_NE(keys[order[0]], keys[1]);
    EXPECT_NE(keys[order[1]], keys[1]);
    EXPECT_TRUE(TryOrder({}, state, random).empty());
}

// Runs that give each monitor an entry: no entry on two monitors of a run while there are enough,
// and the picks, monitor after monitor and run after run, still make whole rounds.
TEST(Rounds, EachMonitorOfARunGetsAnEntryOfItsOwnInTurn) {
    for (auto [entries, monitors] : {std::pair{5, 2}, {3, 3}, {4, 3}, {2, 3}, {1, 2}})
        for (std::uint64_t seed = 1; seed <= 50; ++seed) {
            SCOPED_TRACE(std::to_string(entries) + " entries, " + std::to_string(monitors) + " monitors, seed " +
                         std::to_string(seed));
            const std::vector<std::uint64_t> keys = Keys(entries);
            RoundState state;
            std::vector<std::uint64_t> picks;
            for (int run = 0; run < 6; ++run) {
                PickRandom random(seed * 10 + std::uint64_t(run));
                std::vector<std::uint64_t> onMonitors;
                for (int monitor = 0; monitor < monitors; ++monitor) {
                    const std::uint64_t key = keys[MonitorTryOrder(keys, state, random, onMonitors).front()];
                    EXPECT_TRUE(entries < monitors || !std::count(onMonitors.begin(), onMonitors.end(), key));
                    RecordShown(state, keys, key);
                    onMonitors.push_back(key);
                    picks.push_back(key);
                }
            }
            for (auto round = picks.begin(); picks.end() - round >= entries; round += entries)
                EXPECT_EQ(std::set<std::uint64_t>(round, round + entries).size(), std::size_t(entries));
        }
}

TEST(Rounds, FirstPicksAreEvenlySpread) {
    constexpr int kEntries = 10;
    constexpr int kRuns = 20000;
    const std::vector<std::uint64_t> keys = Keys(kEntries);
    int counts[kEntries] = {};
    for (int seed = 0; seed < kRuns; ++seed) {
        RoundState state;
        PickRandom random(std::uint64_t(seed) * 7919u + 1u);
        ++counts[TryOrder(keys, state, random).front()];
    }
    double chiSquare = 0;
    const double expected = double(kRuns) / kEntries;
    for (int count : counts)
        chiSquare += (count - expected) * (count - expected) / expected;
    // 9 degrees of freedom: above 27.88 only once in a thousand for a fair draw.
    EXPECT_LT(chiSquare, 27.88);
}

TEST(Rounds, StateSurvivesTheFileAndDamageStartsANewRound) {
    RoundState states[kRoundLists];
    const std::vector<std::uint64_t> keys = Keys(5);
    RecordShown(states[0], keys, keys[2]);
    RecordShown(states[0], keys, keys[4]);
    RecordShown(states[3], keys, keys[1]);
    const std::string text = WriteRoundStates(states);

    RoundState read[kRoundLists];
    ReadRoundStates(text, read);
    for (int list = 0; list < kRoundLists; ++list) {
        SCOPED_TRACE(list);
        EXPECT_EQ(read[list].shown, states[list].shown);
        EXPECT_EQ(read[list].hasLast, states[list].hasLast);
        EXPECT_EQ(read[list].last, states[list].last);
    }

    // Damage of every kind a file can take: another file, cut short, too long, a count beyond the
    // end, keys out of order.
    std::string unordered = text;
    std::swap_ranges(unordered.begin() + 24, unordered.begin() + 32, unordered.begin() + 32);
    std::string overlong = text;
    overlong[8] = char(0xFF);
    const std::string damaged[] = {"",
                                   "This is no state.",
                                   "QZRND\x01\r\n" + text.substr(8),
                                   text.substr(0, text.size() - 1),
                                   text + "x",
                                   overlong,
                                   unordered};
    for (const std::string& bad : damaged) {
        SCOPED_TRACE(testing::PrintToString(bad.substr(0, 12)) + " of " + std::to_string(bad.size()) + " bytes");
        RoundState again[kRoundLists];
        again[0] = states[0];
        ReadRoundStates(bad, again);
        for (const RoundState& state : again) {
            EXPECT_TRUE(state.shown.empty());
            EXPECT_FALSE(state.hasLast);
        }
    }
}

TEST(Rounds, KeysOfLinesAreTheKeysOfTheEntriesTheReaderMakes) {
    struct Case {
        const char* line;
        Category section;
    } cases[] = {
        {"C:\\Pictures\\sun.bmp", Category::Start},
        {"sun.bmp", Category::Wait},
        {"C:sun.bmp", Category::Shut},
        {"\\\\server\\share\\sun.bmp", Category::Start},
        {"C:\\Pictures\\sun, moon.jpg, Tiled", Category::Wall},
        {"C:\\Pictures\\sun.jpg", Category::Wall},
        {"sun.jpg ,  mirror ", Category::Wall},
        {"C:\\Pictures\\", Category::Start},
    };
    for (const std::string programDir : {"D:\\QZ\\", "D:\\QZ"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.line + (" in " + programDir));
            ListEntry entry = EntryOfLine(c.line, c.section, programDir);
            EXPECT_EQ(EntryKeyOfLine(c.line, c.section, programDir),
                      EntryKey(entry.path.empty() || entry.path.back() == '\\' ? entry.path + entry.fileName
                                                                               : entry.path + "\\" + entry.fileName));
        }
    }
}

TEST(Rounds, KeysIgnoreCase) {
    EXPECT_EQ(EntryKey("C:\\Pictures\\Sun.BMP"), EntryKey("c:\\pictures\\sun.bmp"));
    EXPECT_NE(EntryKey("C:\\Pictures\\Sun.bmp"), EntryKey("C:\\Pictures\\Sun2.bmp"));
}
