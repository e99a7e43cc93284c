#include "platform/SettingsText.h"

#include <gtest/gtest.h>

TEST(SettingsText, WholeNumbers) {
    struct Case {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"15", 15},
        {"0", 0},
        {"-3", -3},
        {"+7", 7},
        {"  12", 12},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"1.5", std::nullopt},
        {"12 ", std::nullopt},
        {"-", std::nullopt},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"-2147483648", -2147483647 - 1},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseWholeNumber(c.text), c.value);
    }
    EXPECT_EQ(SwitchText(true), "1");
    EXPECT_EQ(SwitchText(false), "0");
}
