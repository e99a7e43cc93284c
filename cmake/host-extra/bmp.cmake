# BMP reader: fuzz target, corpus replay and benchmark (host tree only).
set(BMP_CORPUS_DIR ${CMAKE_SOURCE_DIR}/tests/pictures/bmpsuite)

# libFuzzer target with AddressSanitizer and UndefinedBehaviorSanitizer.
add_executable(bmp_fuzz tests/fuzz/BmpReaderFuzz.cpp pictures/BmpReader.cpp platform/PixelFormat.cpp)
target_include_directories(bmp_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(bmp_fuzz PRIVATE -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=all)
target_link_options(bmp_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)

# Replays every corpus file once (files, not folders: nothing is written into the corpus).
file(GLOB BMP_CORPUS_FILES ${BMP_CORPUS_DIR}/g/* ${BMP_CORPUS_DIR}/q/* ${BMP_CORPUS_DIR}/b/* ${BMP_CORPUS_DIR}/x/*)
add_test(NAME fuzz.bmp.corpus COMMAND bmp_fuzz -runs=0 ${BMP_CORPUS_FILES})

# Benchmark: optimised, without sanitizers.
find_package(benchmark REQUIRED)
add_executable(bmp_bench tests/bench/BmpReaderBench.cpp pictures/BmpReader.cpp platform/PixelFormat.cpp)
target_include_directories(bmp_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(bmp_bench PRIVATE -O2)
target_compile_definitions(bmp_bench PRIVATE NDEBUG)
target_link_libraries(bmp_bench PRIVATE benchmark::benchmark)
set_target_properties(bmp_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
