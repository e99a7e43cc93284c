list(APPEND PORTABLE_SOURCES lists/FileMask.cpp lists/DirectoryPath.cpp lists/ListFileFormat.cpp lists/ListMessages.cpp)
list(APPEND HOST_TEST_SOURCES tests/lists/FileMaskTest.cpp tests/lists/DirectoryPathTest.cpp
    tests/lists/ListFileFormatTest.cpp tests/lists/ListMessagesTest.cpp)
