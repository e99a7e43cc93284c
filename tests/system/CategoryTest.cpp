#include "system/Category.h"

#include <gtest/gtest.h>

TEST(Category, TheSettingsNumbersNameTheFourCategoriesAndNothingElse) {
    const std::pair<int, Category> named[] = {
        {10, Category::Start}, {20, Category::Wait}, {30, Category::Shut}, {40, Category::Wall}};
    for (auto [code, category] : named) {
        SCOPED_TRACE(code);
        EXPECT_EQ(CategoryOfCode(code), category);
        EXPECT_EQ(CodeOfCategory(category), code);
    }
    for (int code : {0, 11, 50, -10})
        EXPECT_FALSE(CategoryOfCode(code).has_value()) << code;
}
