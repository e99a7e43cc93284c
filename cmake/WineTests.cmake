# Wine tests: GoogleTest programs run by CTest through Wine.
set(WINE_TEST_SOURCES
    tests/WineTestMain.cpp
    tests/platform/FormKeysTest.cpp
    tests/platform/ControlsTest.cpp
    tests/platform/BitmapsTest.cpp
    tests/platform/RegistryTest.cpp
    tests/platform/FilesTest.cpp
    tests/platform/ListViewTest.cpp
    tests/shell/MainWindowTest.cpp
    tests/lists/BrowserTest.cpp
    tests/lists/ListFileTest.cpp
    tests/lists/ListCommandsTest.cpp
    tests/pictures/PreviewTest.cpp
    tests/shell/StartUpTest.cpp
    tests/shell/SettingsTest.cpp
    tests/platform/MessageDlgTest.cpp
    tests/platform/RuntimeOn9xTest.cpp
    tests/nviewlib/NViewLibTest.cpp
    tests/platform/SortKeysTest.cpp
)
# The picture library's test pictures, read through Wine's drive of the root folder.
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/nviewlib/NViewLibTest.cpp
    PROPERTIES COMPILE_DEFINITIONS NVIEWLIB_TEST_DATA="Z:${CMAKE_SOURCE_DIR}/tests/nviewlib/data")
add_executable(wine_tests ${WINE_TEST_SOURCES} ${PROGRAM_RESOURCES} ${RUNTIME_9X_OBJECTS})
target_link_libraries(wine_tests PRIVATE program gtest)
target_include_directories(wine_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(wine_tests PRIVATE ${STATIC_RUNTIME})
include(GoogleTest)
gtest_discover_tests(wine_tests TEST_PREFIX "wine." DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST)

# The wine tests are a program too: the picture library lies beside them.
add_custom_command(TARGET wine_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:NViewLib> $<TARGET_FILE_DIR:wine_tests>)
add_dependencies(wine_tests NViewLib)
