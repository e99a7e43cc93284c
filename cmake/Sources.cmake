# The sources of both trees, by layer. Portable modules (no <windows.h>) build into both trees and
# are tested natively; the rest is Win32 and runs under Wine.
set(PORTABLE_SOURCES
    platform/Shortcut.cpp
    platform/AlignLayout.cpp
    platform/MessageText.cpp
    platform/SettingsText.cpp
    platform/TextSink.cpp
    platform/CommandLine.cpp
    platform/ProgramDir.cpp
    platform/PixelFormat.cpp
    platform/HelpViewer.cpp
    system/Category.cpp
    lists/ListFileFormat.cpp
    lists/FilterList.cpp
    lists/FileMask.cpp
    lists/FolderNames.cpp
    lists/DirectoryPath.cpp
    lists/ListMessages.cpp
    lists/ListRows.cpp
    lists/KeyOrder.cpp
    pictures/BmpReader.cpp
    pictures/ScreenRule.cpp
    pictures/PictureText.cpp
    pictures/WallpaperStyles.cpp
    pictures/PixelCompose.cpp
    pictures/MonitorLayout.cpp
    pictures/TiledBitmap.cpp
    pictures/WallpaperText.cpp
    pictures/ScreenMaker.cpp
    pictures/ScreenText.cpp
    pictures/ShownScreen.cpp
    system/SystemPaths.cpp
    system/SystemMessages.cpp
    system/DesktopPosition.cpp
    randomizer/Rounds.cpp
    randomizer/RandomizerText.cpp
    shell/VersionText.cpp
)

# Portable tests, run natively in the host tree.
set(HOST_TEST_SOURCES
    tests/platform/ShortcutTest.cpp
    tests/platform/AlignLayoutTest.cpp
    tests/platform/MessageTextTest.cpp
    tests/platform/SettingsTextTest.cpp
    tests/platform/TextSinkTest.cpp
    tests/platform/CommandLineTest.cpp
    tests/platform/ProgramDirTest.cpp
    tests/platform/PixelFormatTest.cpp
    tests/platform/HelpViewerTest.cpp
    tests/system/CategoryTest.cpp
    tests/lists/ListFileFormatTest.cpp
    tests/lists/FilterListTest.cpp
    tests/lists/FileMaskTest.cpp
    tests/lists/FolderNamesTest.cpp
    tests/lists/DirectoryPathTest.cpp
    tests/lists/ListMessagesTest.cpp
    tests/lists/ListRowsTest.cpp
    tests/lists/KeyOrderTest.cpp
    tests/pictures/BmpReaderTest.cpp
    tests/pictures/ScreenRuleTest.cpp
    tests/pictures/PictureTextTest.cpp
    tests/pictures/WallpaperStylesTest.cpp
    tests/pictures/PixelComposeTest.cpp
    tests/pictures/MonitorLayoutTest.cpp
    tests/pictures/ScreenMakerTest.cpp
    tests/pictures/ScreenTextTest.cpp
    tests/pictures/ShownScreenTest.cpp
    tests/system/SystemPathsTest.cpp
    tests/system/DesktopPositionTest.cpp
    tests/randomizer/RoundsTest.cpp
    tests/randomizer/RandomizerTextTest.cpp
    tests/shell/VersionTextTest.cpp
)

# The BMP tests read the conformance corpus in tests/pictures/bmpsuite, and the expected pixels made
# from its reference renderings by tests/pictures/data/make-bmp-expectations.sh.
set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/pictures/BmpReaderTest.cpp PROPERTIES COMPILE_DEFINITIONS
    "BMPSUITE_DIR=\"${CMAKE_SOURCE_DIR}/tests/pictures/bmpsuite\";BMP_TEST_DATA=\"${CMAKE_SOURCE_DIR}/tests/pictures/data\""
)

# The Win32 layer the forms stand on.
set(PLATFORM_WIN32_SOURCES
    platform/Application.cpp
    platform/Window.cpp
    platform/Controls.cpp
    platform/ListControls.cpp
    platform/Bitmaps.cpp
    platform/Files.cpp
    platform/Registry.cpp
    platform/Monitors.cpp
    platform/DesktopWallpaper.cpp
    platform/Form.cpp
    platform/MenuItem.cpp
    platform/Menus.cpp
    platform/MessageDlg.cpp
    platform/Guard.cpp
    platform/Fonts.cpp
    platform/Version.cpp
    platform/SaveDialog.cpp
    platform/WaitCursor.cpp
)

# The operations that change the system, without any form: the program and the randomizer share them.
set(OPERATIONS_SOURCES
    lists/SortKeys.cpp
    pictures/PictureLibrary.cpp
    pictures/PictureFile.cpp
    pictures/Transparency.cpp
    pictures/Wallpaper.cpp
    pictures/MonitorDesk.cpp
    pictures/MonitorWallpapers.cpp
    pictures/ScreenFromPicture.cpp
    system/SystemOperations.cpp
)

# Every window of the program: the main window's methods, by what they handle, and the other forms.
set(PROGRAM_SOURCES
    shell/StartUp.cpp
    shell/UOpstartScherm.cpp
    shell/USelect5.cpp
    shell/FormSelectLife.cpp
    shell/USelect5Layout.cpp
    shell/FormSelectCommands.cpp
    shell/Categories.cpp
    shell/Settings.cpp
    shell/FormSelectLists.cpp
    shell/BrowserControls.cpp
    shell/FormSelectBrowser.cpp
    shell/FormSelectListFile.cpp
    shell/FormSelectPicture.cpp
    shell/FormSelectPreview.cpp
    shell/FormSelectMakeScreen.cpp
    shell/FormSelectSystem.cpp
    shell/UPreview.cpp
    shell/UAbout.cpp
)

# The picture library's sources and tests (and any further module) add themselves from their files.
file(GLOB MODULE_LISTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/modules/*.cmake)
foreach(module ${MODULE_LISTS})
    include(${module})
endforeach()
