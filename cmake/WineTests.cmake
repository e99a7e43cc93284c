# Wine tests: GoogleTest programs run by CTest through Wine.
set(WINE_TEST_SOURCES
    tests/WineTestMain.cpp
    tests/platform/FormKeysTest.cpp
    tests/platform/ControlsTest.cpp
    tests/platform/SideBySideTest.cpp
    tests/platform/BitmapsTest.cpp
    tests/platform/RegistryTest.cpp
    tests/platform/FilesTest.cpp
    tests/platform/ListViewTest.cpp
    tests/shell/MainWindowTest.cpp
    tests/shell/FormSelectBrowserTest.cpp
    tests/shell/FormSelectListFileTest.cpp
    tests/shell/FormSelectListsTest.cpp
    tests/shell/FormSelectPreviewTest.cpp
    tests/shell/UPreviewTest.cpp
    tests/shell/FormSelectWallpaperTest.cpp
    tests/shell/FormSelectMakeScreenTest.cpp
    tests/shell/StartUpTest.cpp
    tests/shell/AboutBoxTest.cpp
    tests/shell/SettingsTest.cpp
    tests/platform/MessageDlgTest.cpp
    tests/platform/RuntimeOn9xTest.cpp
    tests/shell/FormSelectSystemTest.cpp
    tests/randomizer/RandomizerTest.cpp
    tests/nviewlib/NViewLibTest.cpp
    tests/lists/SortKeysTest.cpp
)
# The picture library's test pictures, read through Wine's drive of the root folder.
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/nviewlib/NViewLibTest.cpp
    PROPERTIES COMPILE_DEFINITIONS NVIEWLIB_TEST_DATA="Z:${CMAKE_SOURCE_DIR}/tests/nviewlib/data")
add_executable(wine_tests ${WINE_TEST_SOURCES} ${PROGRAM_RESOURCES} ${RUNTIME_9X_OBJECTS})
target_link_libraries(wine_tests PRIVATE program randomizer gtest)
target_include_directories(wine_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(wine_tests PRIVATE ${STATIC_RUNTIME})
# The help's source, whose short-cut chapter the full-screen tests hold against the menus.
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/shell/UPreviewTest.cpp
    PROPERTIES COMPILE_DEFINITIONS HELP_SOURCE="Z:${CMAKE_SOURCE_DIR}/help/tanu.but")
# The JPEG the wallpaper tests apply, as Wine reaches it through its Z: drive.
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/shell/FormSelectWallpaperTest.cpp PROPERTIES
    COMPILE_DEFINITIONS "JPEG_PICTURE=\"Z:${CMAKE_SOURCE_DIR}/tests/nviewlib/data/picture.jpg\"")
# The randomizer's, the preview's and the full-screen window's tests make large JPEGs with libjpeg.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/tests/randomizer/RandomizerTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/shell/FormSelectPreviewTest.cpp ${CMAKE_SOURCE_DIR}/tests/shell/UPreviewTest.cpp
    APPEND PROPERTY INCLUDE_DIRECTORIES
    ${DECODERS_PREFIX}/include)
# A folder nobody may write to, not even root (the immutable attribute), for the screen maker's
# error; unlocked after the tests so that the build folder can be removed.
set(LOCKED_FOLDER ${CMAKE_BINARY_DIR}/locked-folder)
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/shell/FormSelectMakeScreenTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/shell/FormSelectSystemTest.cpp PROPERTIES COMPILE_DEFINITIONS
    "JPEG_PICTURE=\"Z:${CMAKE_SOURCE_DIR}/tests/nviewlib/data/picture.jpg\";LOCKED_FOLDER=\"Z:${LOCKED_FOLDER}\"")
# A program folder nobody may write to, holding the randomizer and a list of screens kept elsewhere.
set(LOCKED_PROGRAM ${CMAKE_BINARY_DIR}/locked-program)
set(RANDOMIZER_PICTURES ${CMAKE_BINARY_DIR}/randomizer-pictures)
set(LOCK_PROGRAM_FOLDER sh ${CMAKE_SOURCE_DIR}/tests/randomizer/lock-program-folder.sh)
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/randomizer/RandomizerTest.cpp PROPERTIES COMPILE_DEFINITIONS
    "JPEG_PICTURE=\"Z:${CMAKE_SOURCE_DIR}/tests/nviewlib/data/picture.jpg\";LOCKED_PROGRAM=\"Z:${LOCKED_PROGRAM}\";RANDOMIZER_PICTURES=\"Z:${RANDOMIZER_PICTURES}\"")
add_test(NAME wine.setup.LockProgramFolder COMMAND ${LOCK_PROGRAM_FOLDER} lock ${LOCKED_PROGRAM}
    $<TARGET_FILE:QZRandom> $<TARGET_FILE:NViewLib> ${RANDOMIZER_PICTURES})
add_test(NAME wine.cleanup.UnlockProgramFolder COMMAND ${LOCK_PROGRAM_FOLDER} unlock ${LOCKED_PROGRAM})
set_tests_properties(wine.setup.LockProgramFolder PROPERTIES FIXTURES_SETUP locked_folder)
set_tests_properties(wine.cleanup.UnlockProgramFolder PROPERTIES FIXTURES_CLEANUP locked_folder)
add_test(NAME wine.setup.LockFolder COMMAND sh -c "mkdir -p '${LOCKED_FOLDER}' && (chattr -i '${LOCKED_FOLDER}'; chattr +i '${LOCKED_FOLDER}' || true)")
add_test(NAME wine.cleanup.UnlockFolder COMMAND sh -c "chattr -i '${LOCKED_FOLDER}' 2>/dev/null || true")
set_tests_properties(wine.setup.LockFolder PROPERTIES FIXTURES_SETUP locked_folder)
set_tests_properties(wine.cleanup.UnlockFolder PROPERTIES FIXTURES_CLEANUP locked_folder)
include(GoogleTest)
gtest_discover_tests(wine_tests TEST_PREFIX "wine." DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
    PROPERTIES FIXTURES_REQUIRED locked_folder)

# The reader of windows from another process, beside the tests that start it.
add_executable(WindowReader tests/support/WindowReader.cpp ${RUNTIME_9X_OBJECTS})
target_link_options(WindowReader PRIVATE ${STATIC_RUNTIME})
target_link_libraries(WindowReader PRIVATE comctl32)
add_dependencies(wine_tests WindowReader)

# The wine tests are a program too: the picture library and the randomizer lie beside them, copied
# again whenever either is built anew, whether the tests are linked again or not.
set(BESIDE_WINE_TESTS ${CMAKE_CURRENT_BINARY_DIR}/NViewLib.dll ${CMAKE_CURRENT_BINARY_DIR}/QZRandom.exe)
add_custom_command(OUTPUT ${BESIDE_WINE_TESTS}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:NViewLib> $<TARGET_FILE:QZRandom> ${CMAKE_CURRENT_BINARY_DIR}
    DEPENDS NViewLib QZRandom)
add_custom_target(wine_tests_beside ALL DEPENDS ${BESIDE_WINE_TESTS})
add_dependencies(wine_tests wine_tests_beside)

# The tests of a desk with two monitors run on an X display of two screens that their script
# starts, in a Wine prefix of its own. The stand-in for the shell's per-monitor wallpapers of
# Windows 8 and later (Wine has none) lies beside them; the tests register it.
add_library(FakeDesktopWallpaper SHARED tests/support/FakeDesktopWallpaper.cpp)
target_include_directories(FakeDesktopWallpaper PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(FakeDesktopWallpaper PRIVATE ole32)
target_link_options(FakeDesktopWallpaper PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at)
set_target_properties(FakeDesktopWallpaper PROPERTIES PREFIX "")
add_executable(monitor_tests tests/WineTestMain.cpp tests/monitors/TwoMonitorsTest.cpp ${PROGRAM_RESOURCES}
    ${RUNTIME_9X_OBJECTS})
target_link_libraries(monitor_tests PRIVATE program randomizer gtest)
target_include_directories(monitor_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(monitor_tests PRIVATE ${STATIC_RUNTIME})
add_dependencies(monitor_tests FakeDesktopWallpaper wine_tests_beside)
add_test(NAME wine.TwoMonitors COMMAND ${CMAKE_SOURCE_DIR}/tests/monitors/two-monitors.sh
    $<TARGET_FILE:monitor_tests>)
