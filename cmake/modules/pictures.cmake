list(APPEND PORTABLE_SOURCES pictures/PixelFormat.cpp)
list(APPEND HOST_TEST_SOURCES tests/pictures/PixelFormatTest.cpp)
