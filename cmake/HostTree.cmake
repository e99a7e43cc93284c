# Native build of the portable modules with AddressSanitizer and UndefinedBehaviorSanitizer.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(${SANITIZE})
add_link_options(${SANITIZE})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(portable STATIC ${PORTABLE_SOURCES})
target_include_directories(portable PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(host_tests ${HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE portable GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(host_tests TEST_PREFIX "host." DISCOVERY_TIMEOUT 60)
