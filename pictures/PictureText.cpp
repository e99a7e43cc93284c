#include "pictures/PictureText.h"

std::string SizeText(int width, int height) {
    return "Size : " + std::to_string(width) + " X " + std::to_string(height);
}

std::string FileInfoText(int width, int height, PixelFormat format) {
    return SizeText(width, height) + "\n\r" + "Bits per pixel : " + PixelFormatName(format) + "\n\r";
}

std::string ScreenInfoText(int width, int height, PixelFormat format, int rotationStart) {
    const std::string rotation =
        rotationStart > 0 ? "Animated bar: entries " + std::to_string(rotationStart) + "-255" : "No animation";
    return FileInfoText(width, height, format) + rotation + "\n\r";
}
