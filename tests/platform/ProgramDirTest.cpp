#include "platform/ProgramDir.h"

#include <gtest/gtest.h>

TEST(ProgramDir, EndsInExactlyOneBackslash) {
    struct Case {
        const char* exe;
        const char* dir;
    } cases[] = {
        {"C:\\QZSelect.exe", "C:\\"},       {"D:\\PROGRAMS\\SELECT\\QZSelect.exe", "D:\\PROGRAMS\\SELECT\\"},
        {"C:\\A\\QZSelect.exe", "C:\\A\\"}, {"\\\\server\\share\\QZSelect.exe", "\\\\server\\share\\"},
        {"C:QZSelect.exe", "C:\\"},         {"QZSelect.exe", "\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exe);
        EXPECT_EQ(ProgramDirFromExePath(c.exe), c.dir);
    }
}
