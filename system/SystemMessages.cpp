#include "system/SystemMessages.h"

std::string JoinFailureLines(const std::vector<FailureLine>& lines) {
    std::string text;
    for (const FailureLine& line : lines) {
        if (!text.empty()) text += "\n\r";
        text += line.path + ": " + line.reason;
    }
    return text;
}

std::string BackupSideName(const std::string& backup, const std::string& screen) {
    return backup + " (the copy of " + screen + " in the program folder)";
}

std::string KeptOriginalName(const std::string& screen, const std::string& backup) {
    return screen + " (its original stays in " + backup + ")";
}

std::string UnreadableScreenText(const std::string& file) {
    return "The file " + file + "\n\rcould not be read as a picture.\n\rThe screen was not changed.";
}

std::string NotBitmapScreenText(const std::string& file) {
    return "The file " + file + "\n\ris not a bitmap: Windows cannot show it as a screen.\n\r" +
           "Make Screen from Picture (Ctrl+N) makes a screen of it.";
}

std::string InstallFailedText(const std::string& source, const std::string& target, const std::string& reason) {
    return "Cannot copy " + source + "\n\rto " + target + ":\n\r" + reason;
}

std::string BackupFailedText(const std::string& lines) {
    return "These original screens could not be backed up:\n\r" + lines +
           "\n\rSet Original Screens Back will leave them as they are.";
}

std::string RestoreFailedText(const std::string& lines) {
    return "These original screens could not be put back:\n\r" + lines;
}

std::string UninstallRestoreFailedText(const std::string& lines) {
    return RestoreFailedText(lines) + "\n\r\n\r" + kUninstallFailed;
}
