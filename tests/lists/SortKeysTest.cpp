// Sort keys under Wine: the order of SortedOrder is the order lstrcmpA and lstrcmpiA give, for short
// and very long texts alike (one LCMapStringA call per text, into a buffer that grows).
#include "lists/SortKeys.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

TEST(SortKeys, OrderIsTheSystemComparisonsOrder) {
    std::vector<std::string> texts = {"b.bmp",  "B.bmp", "a.bmp", "A.BMP", "\xE9t\xE9.jpg", "ete.jpg",   "e-te.jpg",
                                      "10.bmp", "9.bmp", "",      "a.bmp", "_x.bmp",        "Zebra.gif", "zebra.gif"};
    for (int i = 0; i < 6; ++i) // long names between the short ones, growing the key buffer more than once
        texts.push_back(std::string(std::size_t(200) << i, char('a' + i)) + (i % 2 ? "B" : "b"));
    texts.push_back("a.bmp");
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    for (bool ignoreCase : {false, true}) {
        SCOPED_TRACE(ignoreCase ? "lstrcmpiA" : "lstrcmpA");
        std::vector<std::size_t> expected(texts.size());
        std::iota(expected.begin(), expected.end(), std::size_t(0));
        std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
            const char *x = texts[a].c_str(), *y = texts[b].c_str();
            return (ignoreCase ? lstrcmpiA(x, y) : lstrcmpA(x, y)) < 0;
        });
        EXPECT_EQ(SortedOrder(views, ignoreCase), expected);
    }
}

TEST(SortKeys, EntriesGoWhereLstrcmpAPutsThemAndALoadedListSortsAlike) {
    const std::vector<std::string> names = {"b.bmp",   "B.bmp", "a.bmp",  "_x.bmp", "\xE9t\xE9.bmp",
                                            "Zed.bmp", "a.bmp", "10.bmp", "ete.bmp"};
    ListRows oneByOne, loaded;
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < names.size(); ++i) {
        oneByOne.Insert(SortedPosition(oneByOne, names[i]), {names[i], std::to_string(i)});
        rows.push_back({names[i], std::to_string(i)});
    }
    AssignSorted(loaded, rows);
    std::vector<std::string> expected = names;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::string& a, const std::string& b) { return lstrcmpA(a.c_str(), b.c_str()) < 0; });
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(expected[i]);
        EXPECT_EQ(oneByOne.Cell(i, 0), expected[i]);
        EXPECT_EQ(loaded.Cell(i, 0), expected[i]);
        EXPECT_EQ(loaded.Cell(i, 1), oneByOne.Cell(i, 1)) << "equal names keep their order";
    }
}
