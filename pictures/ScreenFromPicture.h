#pragma once
// Making a start-up, waiting or shut-down screen from any picture file, without any window: the
// picture library reads the file, the screen is made and written whole or not at all.
#include "pictures/PictureLibrary.h"
#include "pictures/ScreenText.h"

// Reads `source` through the library, no larger than the screen needs of it, makes the 320 x 400 x 8
// screen of it (with the rotating bar when asked) and writes it to `target`, replacing an old file
// only once every byte is written.
// A target that is the source itself, by whatever name, is refused before anything is read.
ScreenResult MakeScreenFromPicture(TPictureLibrary& library, const std::string& source, const std::string& target,
                                   bool animatedBar);
