#include "lists/ListMessages.h"

#include <gtest/gtest.h>

TEST(ListMessages, RefusalsByteForByte) {
    EXPECT_EQ(SizeErrorText("C:\\PICS\\big.bmp", 640, 480), "Size Error C:\\PICS\\big.bmp,\x0A\x0D"
                                                            "Invallid Width or Height.\x0A\x0D"
                                                            "Size is : 640 x 480,\x0A\x0D"
                                                            "Size must be 320 x 400.");
    EXPECT_EQ(DepthErrorText("C:\\deep.bmp", "24"), "Pixel Format Error C:\\deep.bmp,\x0A\x0D"
                                                    "Invallid Pixel depth.\x0A\x0D"
                                                    "Pixel depth is : 24 bpp\x0A\x0D"
                                                    "Pixel depth must be 8 bpp.");
    EXPECT_EQ(LoadErrorText("C:\\x.bmp").substr(0, 20), "Read Error C:\\x.bmp,");
}

TEST(ListMessages, RemovedCounts) {
    EXPECT_EQ(RemovedCountsText(0, 0, 0, 0), "Numbers of removed screens : \n\rStart-Up screens : 0\n\r"
                                             "Waiting screens : 0\n\rShut down screens : 0\n\rWallpaper : 0\n\r");
    EXPECT_EQ(RemovedCountsText(1, 22, 3, 4), "Numbers of removed screens : \n\rStart-Up screens : 1\n\r"
                                              "Waiting screens : 22\n\rShut down screens : 3\n\rWallpaper : 4\n\r");
}
