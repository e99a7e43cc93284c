#include "pictures/PictureText.h"

std::string SizeText(int width, int height) {
    return "Size : " + std::to_string(width) + " X " + std::to_string(height);
}

std::string FileInfoText(int width, int height, PixelFormat format) {
    return SizeText(width, height) + "\n\r" + "Bits per pixel : " + PixelFormatName(format) + "\n\r";
}
