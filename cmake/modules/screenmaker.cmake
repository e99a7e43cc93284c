# Making a screen from any picture: frame, palette, dithering and the 8-bit bitmap, with host tests.
list(APPEND PORTABLE_SOURCES pictures/ScreenMaker.cpp)
list(APPEND HOST_TEST_SOURCES tests/pictures/ScreenMakerTest.cpp)
