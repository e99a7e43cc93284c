#pragma once
// What making a screen from a picture did, or why it did not, and the messages the program shows.
#include <functional>
#include <string>

struct ScreenResult {
    enum class Outcome {
        Made,
        Unreadable, // the picture library made no picture of the file
        NoPicture,  // the picture has no width or height
        NoMemory,   // the picture is too large for the memory left
        NotWritten, // the screen file could not be written: an old file there is untouched
        OverSource, // the screen file is the picture itself: nothing written
    };
    Outcome outcome = Outcome::Made;
    std::string source;
    std::string target;
    std::string reason; // the system's or the library's words for a failure
    bool Ok() const { return outcome == Outcome::Made; }
};

// The message for a screen that was not made; empty when it was.
std::string ScreenFailureText(const ScreenResult& result);

// The file the Save As box proposes, never the picture itself: in the picture's folder, its name
// with " screen.bmp" instead of its extension, or " screen 2.bmp", " screen 3.bmp", ... while
// `taken` says the name is taken.
std::string ProposedScreenPath(const std::string& picture, const std::function<bool(const std::string&)>& taken);

inline constexpr const char* kScreenSaveFilter = "Bitmaps (*.bmp)|*.bmp|All files (*.*)|*.*";
