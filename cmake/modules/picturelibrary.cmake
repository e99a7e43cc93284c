list(APPEND PORTABLE_SOURCES nviewlib/DecodePicture.cpp)
list(APPEND HOST_TEST_SOURCES tests/nviewlib/DecodePictureTest.cpp)
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/nviewlib/DecodePictureTest.cpp
    PROPERTIES COMPILE_DEFINITIONS NVIEWLIB_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/nviewlib/data")
