list(APPEND PORTABLE_SOURCES pictures/PixelFormat.cpp pictures/PictureText.cpp)
list(APPEND HOST_TEST_SOURCES tests/pictures/PixelFormatTest.cpp tests/pictures/PictureTextTest.cpp)
