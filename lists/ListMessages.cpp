#include "lists/ListMessages.h"

namespace {
const char kBreak[] = "\n\r";
} // namespace

std::string SizeErrorText(const std::string& path, int width, int height) {
    return "Size Error " + path + "," + kBreak + "Invallid Width or Height." + kBreak +
           "Size is : " + std::to_string(width) + " x " + std::to_string(height) + "," + kBreak +
           "Size must be 320 x 400.";
}

std::string DepthErrorText(const std::string& path, const std::string& pixelFormatName) {
    return "Pixel Format Error " + path + "," + kBreak + "Invallid Pixel depth." + kBreak +
           "Pixel depth is : " + pixelFormatName + " bpp" + kBreak + "Pixel depth must be 8 bpp.";
}

std::string LoadErrorText(const std::string& path) {
    return "Read Error " + path + "," + kBreak + "The file is no picture that can be read.";
}

std::string ListFileReadErrorText(const std::string& path, const std::string& reason) {
    return "Error Reading file " + path + "," + kBreak + reason + kBreak +
           "The lists start empty; saving keeps the unread file as QZDATA.OLD.";
}

std::string RemovedCountsText(int start, int wait, int shut, int wall) {
    return std::string("Numbers of removed screens : ") + kBreak + "Start-Up screens : " + std::to_string(start) +
           kBreak + "Waiting screens : " + std::to_string(wait) + kBreak +
           "Shut down screens : " + std::to_string(shut) + kBreak + "Wallpaper : " + std::to_string(wall) + kBreak;
}
