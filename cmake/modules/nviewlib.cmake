# Picture library: PCX reader, stb_image decoding and the choice of decoder, with their host tests.
list(APPEND PORTABLE_SOURCES nviewlib/PcxReader.cpp nviewlib/StbDecode.cpp nviewlib/PictureKind.cpp)
list(APPEND HOST_TEST_SOURCES
    tests/nviewlib/PcxReaderTest.cpp
    tests/nviewlib/StbDecodeTest.cpp
    tests/nviewlib/PictureKindTest.cpp
)

# stb_image.h comes from Debian's libstb-dev. Only the one file that compiles it gets its folder,
# so that /usr/include never shadows the MinGW headers of the Win32 tree.
set_source_files_properties(${CMAKE_SOURCE_DIR}/nviewlib/StbDecode.cpp PROPERTIES INCLUDE_DIRECTORIES /usr/include/stb)

# The tests read the pictures made by tests/nviewlib/data/make-test-pictures.sh.
set_source_files_properties(
    ${CMAKE_SOURCE_DIR}/tests/nviewlib/PcxReaderTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/nviewlib/StbDecodeTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/nviewlib/PictureKindTest.cpp
    PROPERTIES COMPILE_DEFINITIONS NVIEWLIB_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/nviewlib/data"
)
