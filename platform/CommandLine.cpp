#include "platform/CommandLine.h"

namespace {
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Reads one parameter starting at pos; returns false when only blanks are left.
bool NextParameter(const std::string& line, std::size_t& pos, std::string& parameter) {
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    if (pos >= line.size()) return false;
    parameter.clear();
    bool quoted = false;
    while (pos < line.size() && (quoted || !IsBlank(line[pos]))) {
        if (line[pos] == '"')
            quoted = !quoted;
        else
            parameter += line[pos];
        ++pos;
    }
    return true;
}
} // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> parameters;
    std::size_t pos = 0;
    std::string parameter;
    if (!NextParameter(commandLine, pos, parameter)) return parameters; // the program name
    while (NextParameter(commandLine, pos, parameter))
        parameters.push_back(parameter);
    return parameters;
}

bool IsUninstallParameter(const std::string& parameter) {
    std::size_t first = 0;
    if (!parameter.empty() && (parameter[0] == '+' || parameter[0] == '-' || parameter[0] == '/')) first = 1;
    return first < parameter.size() && (parameter[first] == 'U' || parameter[first] == 'u');
}

bool HasUninstallParameter(const std::vector<std::string>& parameters) {
    for (const std::string& parameter : parameters)
        if (IsUninstallParameter(parameter)) return true;
    return false;
}
