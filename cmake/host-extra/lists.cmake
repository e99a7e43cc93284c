# Fuzz target of the list file reader, and a quick replay of a few seeds on every test run.
add_executable(listfile_fuzz tests/fuzz/ListFileFuzz.cpp lists/ListFileFormat.cpp system/Category.cpp
    pictures/WallpaperStyles.cpp platform/TextSink.cpp)
target_include_directories(listfile_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(listfile_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(listfile_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
add_test(NAME fuzz.listfile.corpus COMMAND listfile_fuzz -runs=0 ${CMAKE_SOURCE_DIR}/tests/lists/data)
