#include "pictures/ScreenText.h"

#include <gtest/gtest.h>

TEST(ScreenText, ProposedPathKeepsFolderAndNameWithBmp) {
    const struct {
        const char* picture;
        const char* proposed;
    } cases[] = {
        {"C:\\PHOTOS\\SUMMER.JPG", "C:\\PHOTOS\\SUMMER.bmp"},
        {"C:\\PHOTOS\\beach.day.png", "C:\\PHOTOS\\beach.day.bmp"},
        {"C:\\screens\\logo.bmp", "C:\\screens\\logo.bmp"},
        {"C:\\PICS.OLD\\README", "C:\\PICS.OLD\\README.bmp"},
        {"C:\\PICS\\.hidden", "C:\\PICS\\.hidden.bmp"},
        {"C:SUN.GIF", "C:SUN.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        EXPECT_EQ(ProposedScreenPath(c.picture), c.proposed);
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ScreenFailureText({c.outcome, "C:\\A.JPG", "D:\\LOCKED\\A.bmp", "Bad data."}), c.text);
    }
}
