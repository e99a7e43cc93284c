#include "platform/HelpViewer.h"

HelpViewer HelpViewerFor(const WindowsVersion& version) {
    return version.nt && version.major >= 6 ? HelpViewer::HtmlHelp : HelpViewer::WinHelp;
}

namespace {
std::string HtmlHelpFileOf(const std::string& helpFile) {
    const std::size_t folder = helpFile.find_last_of("\\/:");
    const std::size_t dot = helpFile.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (folder == std::string::npos || dot > folder);
    return (hasExtension ? helpFile.substr(0, dot) : helpFile) + ".chm";
}
} // namespace

HelpRequest HelpRequestFor(const WindowsVersion& version, const std::string& helpFile, unsigned winHelpCommand) {
    HelpRequest request;
    request.viewer = HelpViewerFor(version);
    if (request.viewer == HelpViewer::WinHelp) {
        request.file = helpFile;
        request.command = winHelpCommand;
        return request;
    }
    switch (winHelpCommand) {
    case kHelpFinder:
        request.file = HtmlHelpFileOf(helpFile);
        request.command = kHhDisplayToc;
        break;
    case kHelpQuit:
        request.command = kHhCloseAll; // every help window of the program, whatever its file
        break;
    default:
        request.supported = false;
        break;
    }
    return request;
}
