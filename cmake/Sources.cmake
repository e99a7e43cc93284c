# Portable modules: no <windows.h>. They build into both trees.
set(PORTABLE_SOURCES
    platform/Shortcut.cpp
    platform/MenuItem.cpp
    platform/AlignLayout.cpp
    platform/TabOrder.cpp
    platform/FilterList.cpp
    platform/MessageText.cpp
    platform/SettingsText.cpp
    platform/ListRows.cpp
    platform/KeyOrder.cpp
    platform/FolderNames.cpp
    platform/TextSink.cpp
    platform/DropDownKeys.cpp
    platform/HelpViewer.cpp
    shell/VersionText.cpp
    shell/CommandLine.cpp
    shell/ProgramDir.cpp
)

# Portable tests, run natively in the host tree.
set(HOST_TEST_SOURCES
    tests/platform/ShortcutTest.cpp
    tests/platform/MenuItemTest.cpp
    tests/platform/AlignLayoutTest.cpp
    tests/platform/TabOrderTest.cpp
    tests/platform/FilterListTest.cpp
    tests/platform/MessageTextTest.cpp
    tests/platform/SettingsTextTest.cpp
    tests/platform/ListRowsTest.cpp
    tests/platform/KeyOrderTest.cpp
    tests/platform/FolderNamesTest.cpp
    tests/platform/TextSinkTest.cpp
    tests/platform/DropDownKeysTest.cpp
    tests/platform/HelpViewerTest.cpp
    tests/shell/VersionTextTest.cpp
    tests/shell/CommandLineTest.cpp
    tests/shell/ProgramDirTest.cpp
)

# The Win32 layer the forms stand on.
set(PLATFORM_WIN32_SOURCES
    platform/Application.cpp
    platform/Window.cpp
    platform/Controls.cpp
    platform/ListControls.cpp
    platform/ComboBox.cpp
    platform/BrowserControls.cpp
    platform/Bitmaps.cpp
    platform/Files.cpp
    platform/Registry.cpp
    platform/SortKeys.cpp
    platform/Form.cpp
    platform/Menus.cpp
    platform/MessageDlg.cpp
    platform/Fonts.cpp
    platform/Version.cpp
)

# The operations that change the system, without any form: the program and the randomizer share them.
set(OPERATIONS_SOURCES
    system/SystemOperations.cpp
    pictures/PictureLibrary.cpp
    pictures/Wallpaper.cpp
)

# The program's forms and handlers, by subsystem.
set(PROGRAM_SOURCES
    shell/UOpstartScherm.cpp
    shell/USelect5.cpp
    shell/USelect5Layout.cpp
    shell/Categories.cpp
    shell/Settings.cpp
    shell/UAbout.cpp
    shell/StartUp.cpp
    pictures/UPreview.cpp
    lists/ListHandlers.cpp
    lists/BrowserHandlers.cpp
    lists/ListFile.cpp
    pictures/PreviewHandlers.cpp
    pictures/PictureLoading.cpp
    system/SystemHandlers.cpp
)

# Each module of the program may add its portable sources and host tests from its own file.
file(GLOB MODULE_LISTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/modules/*.cmake)
foreach(module ${MODULE_LISTS})
    include(${module})
endforeach()
