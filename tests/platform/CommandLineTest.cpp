#include "platform/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, UninstallParameters) {
    struct Case {
        const char* parameter;
        bool uninstall;
    } cases[] = {
        {"/u", true},  {"-U", true}, {"+uninstall", true}, {"Update", true}, {"u", true},
        {"-x", false}, {"/", false}, {"abc", false},       {"", false},      {"//u", false},
        {"xU", false}, {"-", false}, {"+", false},         {" u", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameter);
        EXPECT_EQ(IsUninstallParameter(c.parameter), c.uninstall);
    }
}

TEST(CommandLine, AnyParameterCounts) {
    EXPECT_TRUE(HasUninstallParameter({"-x", "abc", "/u"}));
    EXPECT_FALSE(HasUninstallParameter({"-x", "/", "abc"}));
    EXPECT_FALSE(HasUninstallParameter({}));
}

TEST(CommandLine, SplitsAfterTheProgramName) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitCommandLine("QZSelect.exe"), V{});
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\QZSelect.exe\" /u"), V{"/u"});
    EXPECT_EQ(SplitCommandLine("QZSelect.exe   -x\t abc "), (V{"-x", "abc"}));
    EXPECT_EQ(SplitCommandLine("QZSelect.exe \"a b\" c\"d e\""), (V{"a b", "cd e"}));
    EXPECT_EQ(SplitCommandLine("QZSelect.exe \"\""), V{""});
    EXPECT_EQ(SplitCommandLine(""), V{});
}
