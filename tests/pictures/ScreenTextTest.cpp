#include "pictures/ScreenText.h"

#include <gtest/gtest.h>

#include <set>

TEST(ScreenText, ProposedPathIsANewNameBesideThePicture) {
    const std::set<std::string> existing = {"C:\\screens\\logo screen.bmp", "C:\\screens\\logo screen 2.bmp"};
    auto taken = [&](const std::string& path) { return existing.count(path) > 0; };
    const struct {
        const char* picture;
        const char* proposed;
    } cases[] = {
        {"C:\\PHOTOS\\SUMMER.JPG", "C:\\PHOTOS\\SUMMER screen.bmp"},
        {"C:\\PHOTOS\\beach.day.png", "C:\\PHOTOS\\beach.day screen.bmp"},
        {"C:\\screens\\logo.bmp", "C:\\screens\\logo screen 3.bmp"},
        {"C:\\PICS.OLD\\README", "C:\\PICS.OLD\\README screen.bmp"},
        {"C:\\PICS\\.hidden", "C:\\PICS\\.hidden screen.bmp"},
        {"C:SUN.GIF", "C:SUN screen.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        EXPECT_EQ(ProposedScreenPath(c.picture, taken), c.proposed);
    }
}

TEST(ScreenText, FailuresNameTheFileAndSayNothingWasMade) {
    using Outcome = ScreenResult::Outcome;
    const struct {
        Outcome outcome;
        const char* text;
    } cases[] = {
        {Outcome::Made, ""},
        {Outcome::Unreadable,
         "The file C:\\A.JPG\n\rcould not be read as a picture.\n\rBad data.\n\rNo screen was made."},
        {Outcome::NoPicture, "The file C:\\A.JPG\n\rholds no picture (0 x 0 pixels).\n\rNo screen was made."},
        {Outcome::NoMemory, "There is not enough memory to make a screen of C:\\A.JPG\n\rNo screen was made."},
        {Outcome::NotWritten, "Cannot create file D:\\LOCKED\\A.bmp\n\rBad data.\n\rNo screen was made."},
        {Outcome::OverSource,
         "The screen cannot be written over the picture it is made of:\n\rC:\\A.JPG\n\rNo screen was made."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ScreenFailureText({c.outcome, "C:\\A.JPG", "D:\\LOCKED\\A.bmp", "Bad data."}), c.text);
    }
}
