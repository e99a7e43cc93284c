# Making a screen from any picture: frame, palette, dithering and the 8-bit bitmap, with host tests.
list(APPEND PORTABLE_SOURCES pictures/ScreenMaker.cpp)
list(APPEND HOST_TEST_SOURCES tests/pictures/ScreenMakerTest.cpp)
list(APPEND PORTABLE_SOURCES pictures/ScreenText.cpp)
list(APPEND HOST_TEST_SOURCES tests/pictures/ScreenTextTest.cpp)
# The Save As box and the command of the main window.
list(APPEND PLATFORM_WIN32_SOURCES platform/SaveDialog.cpp)
list(APPEND PROGRAM_SOURCES pictures/ScreenFromPicture.cpp pictures/ScreenHandlers.cpp)
