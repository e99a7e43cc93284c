#include "system/Category.h"

namespace {
const CategoryInfo kInfo[kCategoryCount] = {
    {"START", "[START]", "logo", 10},
    {"WAIT", "[WAIT]", "logow", 20},
    {"SHUT", "[SHUT]", "logos", 30},
    {"WALLPAPER", "[WALLPAPER]", nullptr, 40},
};
} // namespace

const CategoryInfo& InfoOf(Category category) {
    return kInfo[int(category)];
}

std::optional<Category> CategoryOfCode(int code) {
    for (Category category : kCategories)
        if (InfoOf(category).code == code) return category;
    return std::nullopt;
}
