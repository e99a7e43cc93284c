#include "shell/VersionText.h"

#include <gtest/gtest.h>

TEST(VersionText, CutsVersionAndBuild) {
    struct Case {
        std::optional<std::string> fileVersion;
        const char* version;
        const char* build;
    } cases[] = {
        {"2.92.0.12", "2.92", "12"},
        {"10.20.30.40", "10.20", "40"},
        {"3.1.4", "3", "4"},
        {"1.0", "", "0"},          // two parts: nothing is left for the version
        {".5", "", "5"},           // a leading dot is still a dot
        {std::nullopt, "2.7", ""}, // no version resource
        {"", "2.7", ""},           // resource without the string
        {"292", "2.7", ""},        // no dot at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileVersion.value_or("<none>"));
        VersionAndBuild result = CutVersion(c.fileVersion);
        EXPECT_EQ(result.version, c.version);
        EXPECT_EQ(result.build, c.build);
    }
}
