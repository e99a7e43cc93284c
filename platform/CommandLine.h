#pragma once
// The command line: the only parameter with a meaning is the uninstall start.
#include <string>
#include <vector>

// The parameters after the program name, split as Windows programs traditionally do: blanks and
// control characters separate them, double quotes group blanks into one and are removed.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// Upper-cased, with one leading "+", "-" or "/" removed, the parameter begins with "U".
bool IsUninstallParameter(const std::string& parameter);
bool HasUninstallParameter(const std::vector<std::string>& parameters);
