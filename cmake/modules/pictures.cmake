list(APPEND PORTABLE_SOURCES pictures/PixelFormat.cpp pictures/PictureText.cpp)
list(APPEND HOST_TEST_SOURCES tests/pictures/PixelFormatTest.cpp tests/pictures/PictureTextTest.cpp)
# Wallpaper styles: layout geometry, tiles, the averaging scaler, the saved bitmap and its messages.
list(APPEND PORTABLE_SOURCES pictures/WallpaperStyles.cpp pictures/PixelCompose.cpp pictures/WallpaperText.cpp)
list(APPEND HOST_TEST_SOURCES tests/pictures/WallpaperStylesTest.cpp tests/pictures/PixelComposeTest.cpp)
