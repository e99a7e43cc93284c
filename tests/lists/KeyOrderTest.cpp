#include "lists/KeyOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {
std::vector<std::size_t> Order(const std::vector<std::string>& keys) {
    std::string joined;
    std::vector<std::size_t> starts{0};
    for (const std::string& key : keys) {
        joined += key;
        starts.push_back(joined.size());
    }
    return OrderOfKeys(joined, starts);
}

// What the order must be: std::string compares its bytes as unsigned values.
std::vector<std::size_t> StableOrder(const std::vector<std::string>& keys) {
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    return order;
}
} // namespace

TEST(KeyOrder, SmallCases) {
    using std::string;
    struct Case {
        const char* label;
        std::vector<string> keys;
        std::vector<std::size_t> order;
    } cases[] = {
        {"no keys", {}, {}},
        {"one key", {"a"}, {0}},
        {"a key before the longer keys it begins", {"abc", "ab", "abd", "a"}, {3, 1, 0, 2}},
        {"bytes are unsigned", {"\xff", "\x80", "\x7f", string(1, '\0')}, {3, 2, 1, 0}},
        {"the empty key first", {"b", "", "a", ""}, {1, 3, 2, 0}},
        {"equal keys keep their order", {"x", "y", "x", "x", "y"}, {0, 2, 3, 1, 4}},
        {"a zero byte inside a key", {string("a\0b", 3), "a", string("a\0a", 3)}, {1, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Order(c.keys), c.order);
    }
}

// Keys as sort keys of the names of a folder look: long shared beginnings, few distinct bytes,
// repeated keys, and ranges both small and large.
TEST(KeyOrder, SameOrderAsAStableSortOfTheKeys) {
    std::mt19937 random(20261207);
    const std::string alphabet("\x00\x01\x02\x41\x42\x7f\x80\xfe\xff", 9);
    for (std::size_t count : {2u, 5u, 12u, 13u, 40u, 300u, 5000u}) {
        for (int shape = 0; shape < 3; ++shape) {
            SCOPED_TRACE("count " + std::to_string(count) + ", shape " + std::to_string(shape));
            const std::string shared = shape == 0 ? "" : std::string(std::size_t(20 * shape), '\x12');
            std::vector<std::string> keys;
            for (std::size_t i = 0; i < count; ++i) {
                std::string key = shared;
                std::size_t length = random() % (shape == 2 ? 3 : 8);
                for (std::size_t j = 0; j < length; ++j)
                    key += alphabet[random() % alphabet.size()];
                keys.push_back(key);
            }
            EXPECT_EQ(Order(keys), StableOrder(keys));
        }
    }
}

TEST(KeyOrder, ManyEqualKeysKeepTheirOrder) {
    std::vector<std::string> keys(3000, "same key");
    for (std::size_t i = 0; i < keys.size(); i += 7)
        keys[i] = "same kez";
    EXPECT_EQ(Order(keys), StableOrder(keys));
}
