list(APPEND PORTABLE_SOURCES lists/FileMask.cpp lists/DirectoryPath.cpp)
list(APPEND HOST_TEST_SOURCES tests/lists/FileMaskTest.cpp tests/lists/DirectoryPathTest.cpp)
