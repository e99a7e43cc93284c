#include "system/SystemMessages.h"
#include "system/SystemPaths.h"

#include <gtest/gtest.h>

TEST(SystemPaths, ScreensLieAtTheDriveRootAndInTheWindowsDirectory) {
    struct Case {
        const char* windowsDir;
        Category screen;
        const char* path;
    } cases[] = {
        {"D:\\WIN98", Category::Start, "D:\\logo.sys"},
        {"D:\\WIN98", Category::Wait, "D:\\WIN98\\logow.sys"},
        {"D:\\WIN98\\", Category::Shut, "D:\\WIN98\\logos.sys"},
        {"C:\\WINDOWS", Category::Start, "C:\\logo.sys"},
        {"C:\\", Category::Wait, "C:\\logow.sys"},
        {"C:\\WINDOWS", Category::Wall, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(SystemScreenPath(c.windowsDir, c.screen), c.path);
    }
}

TEST(SystemPaths, BackupsTakeTheNextFreeShortName) {
    EXPECT_EQ(BackupPath("C:\\QZ\\", Category::Start, 0), "C:\\QZ\\logo.bck");
    EXPECT_EQ(BackupPath("C:\\QZ\\", Category::Start, 1), "C:\\QZ\\logo1.bck");
    EXPECT_EQ(BackupPath("C:\\QZ\\", Category::Wait, 0), "C:\\QZ\\logow.bck");
    // The longest name stays a short name of at most eight characters.
    EXPECT_EQ(BackupPath("C:\\QZ\\", Category::Shut, kMaxBackupAttempt), "C:\\QZ\\logos99.bck");
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
    EXPECT_EQ(BackupSideName("C:\\QZ\\logo.bck", "C:\\logo.sys"),
              "C:\\QZ\\logo.bck (the copy of C:\\logo.sys in the program folder)");
    EXPECT_EQ(UninstallRestoreFailedText(
                  JoinFailureLines({{KeptOriginalName("C:\\logo.sys", "C:\\QZ\\logo.bck"), "Denied."}})),
              "These original screens could not be put back:\n\rC:\\logo.sys (its original stays in C:\\QZ\\logo.bck): "
              "Denied.\n\r\n\rVistrel is NOT succesfully cleared from the registry");
}
