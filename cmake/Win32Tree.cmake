# Cross-compiled tree: the program, its program folder, and the Wine tests.
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
include(cmake/Tools.cmake)
add_compile_definitions(WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400 NOMINMAX)
set(PROGRAM_OUTPUT_DIR ${CMAKE_BINARY_DIR}/program CACHE PATH "Folder that receives the finished program")
# The same sources give the same binaries wherever they are built: no build folder in them, and
# (below) no link time in the shipped ones.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
set(REPRODUCIBLE_LINK -Wl,--no-insert-timestamp)

# The version resource of every binary, made from the one version (CMakeLists.txt).
configure_file(cmake/VersionInfo.rc.in ${CMAKE_BINARY_DIR}/generated/VersionInfo.rc @ONLY)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_BINARY_DIR}/generated")

add_library(portable STATIC ${PORTABLE_SOURCES})
target_include_directories(portable PUBLIC ${CMAKE_SOURCE_DIR})

add_library(platform STATIC ${PLATFORM_WIN32_SOURCES})
target_link_libraries(platform PUBLIC portable comctl32 gdi32 user32 version)

add_library(operations STATIC ${OPERATIONS_SOURCES})
target_link_libraries(operations PUBLIC platform)

add_library(program STATIC ${PROGRAM_SOURCES})
target_link_libraries(program PUBLIC operations)

# The runtime's fill-ins for Windows 95/98/ME: an object of its own in every binary that ships or
# runs the program's code (from an archive the linker would not take it).
add_library(runtime9x OBJECT platform/RuntimeOn9x.cpp)
set(RUNTIME_9X_OBJECTS $<TARGET_OBJECTS:runtime9x>)

# Everything stored with the forms: icon, splash logo, version information.
set(PROGRAM_RESOURCES ${CMAKE_SOURCE_DIR}/shell/res/QZSelect.rc)
# Both programs' resources take in the one manifest: a change to it builds them again.
set_source_files_properties(${PROGRAM_RESOURCES} ${CMAKE_SOURCE_DIR}/randomizer/res/QZRandom.rc
    PROPERTIES OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/shell/res/QZSelect.manifest)

add_executable(QZSelect WIN32 shell/QZSelect.cpp ${PROGRAM_RESOURCES} ${RUNTIME_9X_OBJECTS})
target_link_libraries(QZSelect PRIVATE program)
# Subsystem version 4.0, so the program also runs on old 32-bit Windows.
target_link_options(QZSelect PRIVATE ${STATIC_RUNTIME} ${REPRODUCIBLE_LINK} -Wl,--subsystem,windows:4.0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
set_target_properties(QZSelect PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROGRAM_OUTPUT_DIR})
include(cmake/NViewLib.cmake)
include(cmake/Randomizer.cmake)
include(cmake/Help.cmake)
include(cmake/Release.cmake)
include(cmake/ImportAudit.cmake)
include(cmake/InstructionAudit.cmake)
include(cmake/Bench.cmake)

# Wine tests: real forms, controls, registry and files.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The win32 thread model has no std::mutex. GoogleTest's Windows mutexes and threads are Win32
# ones already; only its Notification needs std::mutex, and it takes ours instead.
target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
target_compile_options(gtest PUBLIC -include ${CMAKE_SOURCE_DIR}/tests/support/GtestNotification.h)

include(cmake/WineTests.cmake)
include(cmake/EndToEndTests.cmake OPTIONAL)
