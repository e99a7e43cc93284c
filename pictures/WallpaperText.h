#pragma once
// What applying a wallpaper did, or why it did not, and the messages the program shows for it.
#include "pictures/WallpaperStyles.h"

#include <cstdint>
#include <string>

// The temporary wallpaper bitmap in the program folder, and the longest path the system takes.
inline constexpr const char* kWallpaperFileName = "@QZ!BACK.BMP";
constexpr std::size_t kMaxWallpaperPath = 255;

struct WallpaperResult {
    enum class Outcome {
        Applied,
        NoPicture,      // the picture has no width or height: nothing written
        NoMemory,       // too little memory to compose it: nothing written
        PathTooLong,    // the bitmap's path is longer than the system takes: nothing written
        NotWritten,     // the bitmap could not be written: the old file and the registry are untouched
        RegistryFailed, // a desktop value could not be set: the system was not called
        SystemRefused,  // the system did not take the new wallpaper
    };
    Outcome outcome = Outcome::Applied;
    std::string path;        // the bitmap's path
    PixelSize size;          // of the bitmap written
    bool desktopKey = false; // the desktop key existed and its values were written
    bool styleValue = false; // WallpaperStyle was among them
    std::string reason;      // the system's or the registry's words for a failure
    bool Ok() const { return outcome == Outcome::Applied; }
};

// A colour as the desktop's colours are written in the registry, "R G B" in decimal (0 to 255 each,
// blanks between), as 0x00RRGGBB; false for any other text.
bool ParseRgbText(const std::string& text, std::uint32_t& rgb);

// The message for a failed application; empty when it was applied.
std::string WallpaperFailureText(const WallpaperResult& result);

// The file could not be read as a picture, for the reason where one is known (a missing picture
// library); or the preview name shows a file whose picture could not be read.
std::string UnreadablePictureText(const std::string& file, const std::string& reason = "");
// The library made no picture of the file: it has no width or height.
std::string NoPictureText(const std::string& file);
// The picture is too large for the memory left.
std::string NoMemoryText(const std::string& file);
// The style box names no style.
std::string NoStyleText(const std::string& styleText);
