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

// The ready mask tests "*.ext" patterns as an ending; every name must fare as under the general
// wildcard walk of MatchesPattern.
TEST(FileMask, ReadyMaskMatchesAsThePatternsDo) {
    const char* names[] = {"sun.bmp", "SUN.BMP",  ".bmp",    "bmp",    "x.bmpbmp",   "sun.bmp.txt", "a",
                           "",        "logo.sys", "logo.sy", "abcabd", "photo.JPEG", "noextension", "sun.bm"};
    const char* patterns[] = {"*.bmp",    "*bmp", "*",      "*.*", "*.b?p", "a*.bmp",
                              "logo.???", "*abd", "*.JPEG", "?",   "*.",    "sun.*"};
    for (const char* pattern : patterns) {
        const FileMask mask(pattern);
        for (const char* name : names) {
            SCOPED_TRACE(std::string(name) + " ~ " + pattern);
            EXPECT_EQ(mask.Matches(name), MatchesPattern(name, pattern));
        }
    }
    const FileMask screens("*.bmp;*.sys;");
    EXPECT_TRUE(screens.Matches("LOGO.SYS"));
    EXPECT_TRUE(screens.Matches(std::string("sun.bmpx").c_str(), 7)) << "only the given length counts";
    EXPECT_FALSE(screens.Matches("sun.bmpx"));
    EXPECT_FALSE(FileMask("").Matches("anything"));
    EXPECT_FALSE(FileMask(";;").Matches("anything"));
    EXPECT_TRUE(FileMask("*.bmp;*.*").Matches("noextension")) << "\"*.*\" after another pattern";
}
