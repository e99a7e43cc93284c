#pragma once
#include <string>

// The folder of the program's executable with exactly one trailing backslash: a root folder keeps
// its own ("C:\"), any other folder gets one ("C:\PROGRAMS\SELECT\").
std::string ProgramDirFromExePath(const std::string& exePath);
