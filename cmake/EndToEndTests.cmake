# End-to-end tests: a GoogleTest program that starts the finished QZSelect.exe under Wine and
# drives it from outside through its windows. The program is copied beside the test program,
# where the tests find it; each test runs it from a fresh folder of its own.
set(E2E_OUTPUT_DIR ${CMAKE_BINARY_DIR}/e2e)

add_executable(e2e_tests
    tests/e2e/Driver.cpp
    tests/e2e/StartUpTest.cpp
    tests/e2e/SessionEndTest.cpp
    tests/e2e/HelpViewer.cpp
    tests/e2e/HelpTest.cpp
    ${RUNTIME_9X_OBJECTS}
)
target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(e2e_tests PRIVATE gtest_main gtest user32 kernel32)
target_link_options(e2e_tests PRIVATE ${STATIC_RUNTIME})
set_target_properties(e2e_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${E2E_OUTPUT_DIR})
# The copy follows every new build of the program, also when the tests themselves are unchanged.
add_custom_command(OUTPUT ${E2E_OUTPUT_DIR}/QZSelect.exe
    COMMAND ${CMAKE_COMMAND} -E make_directory ${E2E_OUTPUT_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:QZSelect> ${E2E_OUTPUT_DIR}/QZSelect.exe
    DEPENDS QZSelect
    COMMENT "Copying QZSelect.exe beside the end-to-end tests")
# The help beside them, which the help test puts beside its program.
add_custom_command(OUTPUT ${E2E_OUTPUT_DIR}/tanu.hlp ${E2E_OUTPUT_DIR}/tanu.cnt ${E2E_OUTPUT_DIR}/tanu.chm
    COMMAND ${CMAKE_COMMAND} -E make_directory ${E2E_OUTPUT_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROGRAM_OUTPUT_DIR}/tanu.hlp ${PROGRAM_OUTPUT_DIR}/tanu.cnt
        ${PROGRAM_OUTPUT_DIR}/tanu.chm ${E2E_OUTPUT_DIR}/
    DEPENDS ${PROGRAM_OUTPUT_DIR}/tanu.hlp ${PROGRAM_OUTPUT_DIR}/tanu.cnt ${PROGRAM_OUTPUT_DIR}/tanu.chm
    COMMENT "Copying the help beside the end-to-end tests")
add_custom_target(e2e_program ALL DEPENDS ${E2E_OUTPUT_DIR}/QZSelect.exe ${E2E_OUTPUT_DIR}/tanu.hlp)
add_dependencies(e2e_program help_files)
# The window watch's hook, which the tests load into the program they follow.
add_library(WindowWatchHook SHARED tests/e2e/WindowWatchHook.cpp ${RUNTIME_9X_OBJECTS})
target_include_directories(WindowWatchHook PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(WindowWatchHook PRIVATE ${STATIC_RUNTIME})
set_target_properties(WindowWatchHook PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${E2E_OUTPUT_DIR})
add_dependencies(e2e_tests QZSelect e2e_program WindowWatchHook)

include(GoogleTest)
gtest_discover_tests(e2e_tests TEST_PREFIX "e2e." DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${E2E_OUTPUT_DIR} PROPERTIES TIMEOUT 60)

# The release: the zip of `make dist` checked and then unpacked into a fresh Wine prefix, where
# release_tests.exe drives the programs from the unpacked folder. Not run as Windows 98 again.
add_executable(release_tests tests/release/ReleaseTest.cpp tests/e2e/Driver.cpp tests/e2e/HelpViewer.cpp
    ${RUNTIME_9X_OBJECTS})
target_include_directories(release_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(release_tests PRIVATE gtest_main gtest user32 kernel32)
target_link_options(release_tests PRIVATE ${STATIC_RUNTIME})
add_test(NAME release COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/release-test.sh ${CMAKE_BINARY_DIR}
    $<TARGET_FILE:release_tests> ${DIST_OUTPUT_DIR}/${RELEASE_NAME}.zip)
set_tests_properties(release PROPERTIES TIMEOUT 900)
