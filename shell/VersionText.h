#pragma once
// The program's version and build, cut from the FileVersion string of its version resource.
#include <optional>
#include <string>

struct VersionAndBuild {
    std::string version;
    std::string build;
};

// Shown when the program carries no usable version resource.
inline constexpr const char* kFallbackVersion = "2.7";

// "a.b.c.d" gives version "a.b" and build "d": the build is the text after the last dot, the
// part before it is dropped with its dot. No resource, or a FileVersion without any dot, gives
// the fallback version and an empty build.
VersionAndBuild CutVersion(const std::optional<std::string>& fileVersion);
