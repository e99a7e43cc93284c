# System screens, backups and autostart: paths and texts, with their host tests.
list(APPEND PORTABLE_SOURCES system/SystemPaths.cpp system/SystemMessages.cpp)
list(APPEND HOST_TEST_SOURCES tests/system/SystemPathsTest.cpp)
