# Native build of the portable modules and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer. Fuzz targets add the fuzzer; benchmarks build optimised, without
# sanitizers, so their figures mean something.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(portable STATIC ${PORTABLE_SOURCES})
target_include_directories(portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(portable PUBLIC ${SANITIZE})
target_link_options(portable PUBLIC ${SANITIZE})

add_executable(host_tests ${HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE portable GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(host_tests TEST_PREFIX "host." DISCOVERY_TIMEOUT 60)

# Fuzz targets and benchmarks of the modules, each from its own file.
file(GLOB HOST_EXTRAS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/host-extra/*.cmake)
foreach(extra ${HOST_EXTRAS})
    include(${extra})
endforeach()

# Includes point one way (shell over lists, pictures and system over the platform); the check's own
# tests show that it refuses an include that goes up.
set(INCLUDE_CHECK ${CMAKE_SOURCE_DIR}/tests/layers/check-includes.sh)
add_test(NAME layers.IncludesPointOneWay COMMAND bash ${INCLUDE_CHECK} ${CMAKE_SOURCE_DIR})
add_test(NAME layers.CheckRefusesAPlatformIncludeFromAbove COMMAND bash ${INCLUDE_CHECK}
    ${CMAKE_SOURCE_DIR}/tests/layers/forbidden --expect
    "platform/ReachesUp.h:2: includes pictures/Wallpaper.h: the platform includes nothing above it")
foreach(folder lists pictures system randomizer nviewlib tools)
    add_test(NAME layers.CheckRefusesTheShellIncludedIn_${folder} COMMAND bash ${INCLUDE_CHECK}
        ${CMAKE_SOURCE_DIR}/tests/layers/forbidden --expect
        "${folder}/IncludesTheShell.cpp:2: includes shell/USelect5.h: only shell/ may include the shell")
endforeach()

# A clone builds and tests with nothing beside it: no tracked file reads outside the checkout. The
# check's own tests show that it refuses a sibling folder, a machine's path and a climb above the root.
set(PATH_CHECK ${CMAKE_SOURCE_DIR}/tests/standalone/check-paths.sh)
set(PATH_FIXTURES ${CMAKE_SOURCE_DIR}/tests/standalone/reaches-out)
add_test(NAME standalone.NothingReadsOutsideTheCheckout COMMAND bash ${PATH_CHECK} ${CMAKE_SOURCE_DIR})
add_test(NAME standalone.CheckRefusesASiblingFolder COMMAND bash ${PATH_CHECK} ${PATH_FIXTURES} --expect corpus.cmake:2)
add_test(NAME standalone.CheckRefusesAMachinesPath COMMAND bash ${PATH_CHECK} ${PATH_FIXTURES} --expect corpus.cmake:3)
add_test(NAME standalone.CheckRefusesAClimbAboveTheRoot COMMAND bash ${PATH_CHECK} ${PATH_FIXTURES} --expect seeds.sh:3)
