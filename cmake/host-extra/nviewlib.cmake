# Picture library, host tree only: fuzz targets with their corpus-replay tests, and the JPEG
# decoding benchmark.

# Fuzz targets compile the module sources themselves, with the fuzzer and the sanitizers.
set(NVIEWLIB_FUZZ_FLAGS ${SANITIZE} -fsanitize=fuzzer -O1)
set(NVIEWLIB_SEEDS ${CMAKE_SOURCE_DIR}/tests/nviewlib/data)

add_executable(pcx_fuzz tests/fuzz/PcxReaderFuzz.cpp nviewlib/PcxReader.cpp)
add_executable(stb_fuzz tests/fuzz/StbDecodeFuzz.cpp nviewlib/StbDecode.cpp)
foreach(target pcx_fuzz stb_fuzz)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${target} PRIVATE ${NVIEWLIB_FUZZ_FLAGS})
    target_link_options(${target} PRIVATE ${NVIEWLIB_FUZZ_FLAGS})
endforeach()

# Quick replay of the seeds (the test pictures and the inputs fuzzing once found) under the sanitizers.
add_test(NAME fuzz.pcx.corpus COMMAND pcx_fuzz -runs=0 ${NVIEWLIB_SEEDS})
add_test(NAME fuzz.stb.corpus COMMAND stb_fuzz -runs=0 ${NVIEWLIB_SEEDS})

# JPEG decoding through the library next to libjpeg-turbo: optimised, without sanitizers.
find_package(benchmark REQUIRED)
find_library(NVIEWLIB_TURBOJPEG turbojpeg)
find_path(NVIEWLIB_TURBOJPEG_INCLUDE turbojpeg.h)
if(NVIEWLIB_TURBOJPEG AND NVIEWLIB_TURBOJPEG_INCLUDE)
    add_executable(jpeg_bench tests/bench/JpegDecodeBench.cpp nviewlib/StbDecode.cpp)
    target_include_directories(jpeg_bench PRIVATE ${CMAKE_SOURCE_DIR} ${NVIEWLIB_TURBOJPEG_INCLUDE})
    target_compile_options(jpeg_bench PRIVATE -O2 -DNDEBUG)
    target_link_libraries(jpeg_bench PRIVATE benchmark::benchmark ${NVIEWLIB_TURBOJPEG})
    set_target_properties(jpeg_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
else()
    message(WARNING "libturbojpeg0-dev is missing (scripts/install-deps.sh installs it): no jpeg_bench")
endif()
