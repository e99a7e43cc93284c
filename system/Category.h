#pragma once
// The four categories of pictures: the start-up, waiting and shut-down screens and the wallpaper.
// Each has its list, its section of the list file and, for the three screens, a system file.
#include <optional>

enum class Category { Start, Wait, Shut, Wall };
inline constexpr int kCategoryCount = 4;
inline constexpr Category kCategories[kCategoryCount] = {Category::Start, Category::Wait, Category::Shut,
                                                         Category::Wall};
// The three whose pictures are system screens, in the order the program always handles them.
inline constexpr Category kScreenCategories[] = {Category::Start, Category::Wait, Category::Shut};

inline constexpr bool IsScreen(Category category) {
    return category != Category::Wall;
}

struct CategoryInfo {
    const char* section; // the list file's section name, which the randomizer's log uses too
    const char* header;  // the section's line in the list file
    const char* screen;  // the system screen's name before ".sys" (and its backup's); none for the wallpaper
    int code;            // the number the settings store
};
const CategoryInfo& InfoOf(Category category);

// The settings' number of a category, and back; nothing for a number that names none.
inline int CodeOfCategory(Category category) {
    return InfoOf(category).code;
}
std::optional<Category> CategoryOfCode(int code);
