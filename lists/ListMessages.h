#pragma once
// The messages of the selection lists.
#include <string>

// A screen picture of the wrong size: four lines, LF CR between them.
std::string SizeErrorText(const std::string& path, int width, int height);
// A screen picture of the right size but not 8 bits per pixel.
std::string DepthErrorText(const std::string& path, const std::string& pixelFormatName);
// A chosen file whose picture cannot be read at all.
std::string LoadErrorText(const std::string& path);
// An existing list file that could not be read at start-up, and why.
std::string ListFileReadErrorText(const std::string& path, const std::string& reason);
// What "Remove non existing files from lists" removed from each list.
std::string RemovedCountsText(int start, int wait, int shut, int wall);
