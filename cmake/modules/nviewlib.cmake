# Picture library: PCX reader, the decoders of JPEG (libjpeg-turbo), PNG (libpng), GIF (giflib) and
# TGA (stb_image), and the choice of decoder, with their host tests. Each tree links the decoder
# libraries to `portable`: the host tree Debian's native packages (host-extra/nviewlib.cmake), the
# Win32 tree the static ones built from Debian's sources (NViewLib.cmake).
set(NVIEWLIB_DECODER_SOURCES nviewlib/JpegDecode.cpp nviewlib/PngDecode.cpp nviewlib/GifDecode.cpp
    nviewlib/TgaDecode.cpp nviewlib/JpegSetup.cpp nviewlib/PngSetup.cpp nviewlib/GifSetup.cpp nviewlib/JpegRows.cpp
    nviewlib/PngRows.cpp nviewlib/GifRows.cpp)
list(APPEND PORTABLE_SOURCES nviewlib/PcxReader.cpp nviewlib/PictureKind.cpp nviewlib/Orientation.cpp
    nviewlib/WallpaperRead.cpp ${NVIEWLIB_DECODER_SOURCES})
list(APPEND HOST_TEST_SOURCES
    tests/nviewlib/PcxReaderTest.cpp
    tests/nviewlib/DecodersTest.cpp
    tests/nviewlib/PictureKindTest.cpp
)

# stb_image.h comes from Debian's libstb-dev. Only the one file that compiles it gets its folder,
# so that /usr/include never shadows the MinGW headers of the Win32 tree.
set_source_files_properties(${CMAKE_SOURCE_DIR}/nviewlib/TgaDecode.cpp PROPERTIES INCLUDE_DIRECTORIES /usr/include/stb)

# The tests read the pictures made by tests/nviewlib/data/make-test-pictures.sh.
set_source_files_properties(
    ${CMAKE_SOURCE_DIR}/tests/nviewlib/PcxReaderTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/nviewlib/DecodersTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/nviewlib/PictureKindTest.cpp
    PROPERTIES COMPILE_DEFINITIONS NVIEWLIB_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/nviewlib/data"
)
list(APPEND PORTABLE_SOURCES nviewlib/DecodePicture.cpp)
list(APPEND HOST_TEST_SOURCES tests/nviewlib/DecodePictureTest.cpp tests/nviewlib/WallpaperReadTest.cpp)
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/nviewlib/DecodePictureTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/nviewlib/WallpaperReadTest.cpp
    PROPERTIES COMPILE_DEFINITIONS NVIEWLIB_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/nviewlib/data")
# It makes and compares pictures of 12 million pixels: optimised, with the sanitizers still on.
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/nviewlib/WallpaperReadTest.cpp PROPERTIES COMPILE_OPTIONS -O2)
