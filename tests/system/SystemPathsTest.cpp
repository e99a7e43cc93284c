#include "system/SystemMessages.h"
#include "system/SystemPaths.h"

#include <gtest/gtest.h>

TEST(SystemPaths, ScreensLieAtTheDriveRootAndInTheWindowsDirectory) {
    struct Case {
        const char* windowsDir;
        SystemScreen screen;
        const char* path;
    } cases[] = {
        {"D:\\WIN98", SystemScreen::Start, "D:\\logo.sys"},
        {"D:\\WIN98", SystemScreen::Wait, "D:\\WIN98\\logow.sys"},
        {"D:\\WIN98\\", SystemScreen::Shut, "D:\\WIN98\\logos.sys"},
        {"C:\\WINDOWS", SystemScreen::Start, "C:\\logo.sys"},
        {"C:\\", SystemScreen::Wait, "C:\\logow.sys"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(SystemScreenPath(c.windowsDir, c.screen), c.path);
    }
}

TEST(SystemPaths, CategoriesNameTheirScreens) {
    SystemScreen screen{};
    EXPECT_TRUE(ScreenOfCategory(10, screen));
    EXPECT_EQ(screen, SystemScreen::Start);
    EXPECT_TRUE(ScreenOfCategory(20, screen));
    EXPECT_EQ(screen, SystemScreen::Wait);
    EXPECT_TRUE(ScreenOfCategory(30, screen));
    EXPECT_EQ(screen, SystemScreen::Shut);
    EXPECT_FALSE(ScreenOfCategory(40, screen));
    EXPECT_FALSE(ScreenOfCategory(0, screen));
}

TEST(SystemPaths, BackupsTakeTheNextFreeShortName) {
    EXPECT_EQ(BackupPath("C:\\QZ\\", SystemScreen::Start, 0), "C:\\QZ\\logo.bck");
    EXPECT_EQ(BackupPath("C:\\QZ\\", SystemScreen::Start, 1), "C:\\QZ\\logo1.bck");
    EXPECT_EQ(BackupPath("C:\\QZ\\", SystemScreen::Wait, 0), "C:\\QZ\\logow.bck");
    // The longest name stays a short name of at most eight characters.
    EXPECT_EQ(BackupPath("C:\\QZ\\", SystemScreen::Shut, kMaxBackupAttempt), "C:\\QZ\\logos99.bck");
}

TEST(SystemPaths, QuestionsAreTheProgramsOwnTexts) {
    EXPECT_EQ(InvalidSizeQuestion(640, 480), "This screen has an invallid size\n\rSize is : 640 x 480,\n\r"
                                             "Size must be 320 x 400.\n\rDo you want to cancel copying?");
    EXPECT_EQ(ColorDepthQuestion("24"), "This screens has a incorrect bitmap color depth!\n\rColor depth : 24 bits per "
                                        "pixel. This should be 8 bpp.\n\rDo you want to cancel copying?");
}

TEST(SystemPaths, AutostartCommandIsQuotedOnlyWithABlank) {
    EXPECT_EQ(AutostartCommand("D:\\PROGRAMS\\SELECT\\"), "D:\\PROGRAMS\\SELECT\\QZRandom.exe");
    EXPECT_EQ(AutostartCommand("C:\\Program Files\\Vistrel\\"), "\"C:\\Program Files\\Vistrel\\QZRandom.exe\"");
}

TEST(SystemPaths, OnlyTheRandomizersFileNameCountsAsOn) {
    struct Case {
        const char* command;
        bool on;
    } cases[] = {
        {"D:\\PROGRAMS\\SELECT\\QZRandom.exe", true},
        {"E:\\elsewhere\\qzrandom.EXE", true},
        {"\"C:\\Program Files\\Vistrel\\QZRandom.exe\"", true},
        {"C:QZRANDOM.EXE", true},
        {"QZRandom.exe", true},
        {"", false},
        {"C:\\Other\\Other.exe", false},
        {"C:\\QZRandom.exe\\", false},
        {"C:\\QZRandom.exe /x", false},
        {"\"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(NamesRandomizer(c.command), c.on);
    }
}

TEST(SystemMessages, FailuresAreListedOneALine) {
    EXPECT_EQ(JoinFailureLines({}), "");
    EXPECT_EQ(JoinFailureLines({{"C:\\logo.sys", "Access denied."}, {"C:\\WINDOWS\\logow.sys", "Sharing violation."}}),
              "C:\\logo.sys: Access denied.\n\rC:\\WINDOWS\\logow.sys: Sharing violation.");
    EXPECT_EQ(RestoreFailedText("C:\\logo.sys: Access denied."),
              "These original screens could not be put back:\n\rC:\\logo.sys: Access denied.");
}
