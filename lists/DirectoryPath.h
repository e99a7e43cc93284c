#pragma once
// Folder paths as the browser shows them: "C:\" for a root, "C:\PICS\SUN" without a trailing
// backslash for any other folder.
#include <string>
#include <vector>

// The path as the browser reports it: a trailing backslash only at the root of a drive.
std::string BrowserPath(const std::string& path);

// The folders from the root down: "C:\PICS\SUN" gives "C:\", "PICS", "SUN".
std::vector<std::string> PathLevels(const std::string& path);

// The path of the first `count` levels: for the levels above and count 2, "C:\PICS".
std::string PathOfLevels(const std::vector<std::string>& levels, std::size_t count);

// A folder and a name joined with one backslash.
std::string JoinPath(const std::string& folder, const std::string& name);
