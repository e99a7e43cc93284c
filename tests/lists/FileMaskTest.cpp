#include "lists/FileMask.h"

#include <gtest/gtest.h>

TEST(FileMask, PatternsIgnoreCase) {
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"sun.bmp", "*.bmp", true},     {"SUN.BMP", "*.bmp", true},     {"sun.bmp.txt", "*.bmp", false},
        {"sun.bmpx", "*.bmp", false},   {"README", "*.*", true},        {"a.b.c", "*.c", true},
        {"logo.sys", "logo.???", true}, {"logo.sy", "logo.???", false}, {"x", "*", true},
        {"photo.jif", "*.jpg", false},  {"photo.jpeg", "*.jpe", false}, {"abcabd", "*abd", true},
        {"", "*.bmp", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " ~ " + c.pattern);
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches);
    }
}

TEST(FileMask, MasksOfSeveralPatterns) {
    const std::string screens = "*.bmp;*.sys;";
    const std::string wallpapers = "*.bmp;*.jpg;*.jpeg;*.jif;*.gif;*.dib;*.rle;*.tga;*.pcx;*.sys;";
    EXPECT_TRUE(MatchesMask("logo.SYS", screens));
    EXPECT_FALSE(MatchesMask("photo.jif", screens));
    EXPECT_TRUE(MatchesMask("photo.jif", wallpapers));
    EXPECT_TRUE(MatchesMask("PHOTO.JPEG", wallpapers));
    EXPECT_FALSE(MatchesMask("noextension", screens)) << "the empty pattern after the last ; matches nothing";
    EXPECT_FALSE(MatchesMask("anything", ""));
    EXPECT_TRUE(MatchesMask("anything", "*.*"));
}
