# Picture library, host tree only: the decoder libraries from Debian's native packages (the same
# versions the Win32 tree builds from source), fuzz targets with their corpus-replay tests, and the
# JPEG decoding benchmark.
find_package(JPEG REQUIRED)
find_package(PNG REQUIRED)
find_package(GIF REQUIRED)
set(DECODER_LIBRARIES JPEG::JPEG PNG::PNG GIF::GIF)
target_link_libraries(portable PUBLIC ${DECODER_LIBRARIES})

# Fuzz targets compile the module sources themselves, with the fuzzer and the sanitizers, and link
# the decoder libraries built from the same Debian sources with the same instrumentation
# (scripts/reference-decoders.sh fuzz, run by scripts/build.sh host), so that fuzzing is guided
# through the libraries' code too.
set(NVIEWLIB_FUZZ_FLAGS ${SANITIZE} -fsanitize=fuzzer -O1)
set(FUZZ_DECODERS_PREFIX ${CMAKE_SOURCE_DIR}/build/decoders/fuzz CACHE PATH "Decoder libraries built for fuzzing")
if(NOT EXISTS ${FUZZ_DECODERS_PREFIX}/.complete)
    message(FATAL_ERROR "No decoder libraries in ${FUZZ_DECODERS_PREFIX}: run scripts/reference-decoders.sh fuzz")
endif()
set(FUZZ_DECODER_LIBRARIES ${FUZZ_DECODERS_PREFIX}/lib/libjpeg.a ${FUZZ_DECODERS_PREFIX}/lib/libpng16.a
    ${FUZZ_DECODERS_PREFIX}/lib/libgif.a ${FUZZ_DECODERS_PREFIX}/lib/libz.a m)
set(NVIEWLIB_SEEDS ${CMAKE_SOURCE_DIR}/tests/nviewlib/data)

add_executable(pcx_fuzz tests/fuzz/PcxReaderFuzz.cpp nviewlib/PcxReader.cpp)
foreach(format jpeg png gif tga)
    string(SUBSTRING ${format} 0 1 first)
    string(TOUPPER ${first} first)
    string(SUBSTRING ${format} 1 -1 rest)
    set(setup nviewlib/${first}${rest}Setup.cpp)
    if(format STREQUAL "jpeg")
        list(APPEND setup nviewlib/Orientation.cpp)
    elseif(format STREQUAL "tga")
        set(setup)
    endif()
    add_executable(${format}_fuzz tests/fuzz/DecoderFuzz.cpp nviewlib/${first}${rest}Decode.cpp ${setup})
    target_compile_definitions(${format}_fuzz PRIVATE FUZZ_DECODER=Decode${first}${rest}
        FUZZ_HEADER="nviewlib/${first}${rest}Decode.h")
    target_include_directories(${format}_fuzz BEFORE PRIVATE ${FUZZ_DECODERS_PREFIX}/include)
    target_link_libraries(${format}_fuzz PRIVATE ${FUZZ_DECODER_LIBRARIES})
endforeach()
set_source_files_properties(${CMAKE_SOURCE_DIR}/nviewlib/TgaDecode.cpp PROPERTIES INCLUDE_DIRECTORIES /usr/include/stb)
# The row readers and the wallpaper read from their rows.
add_executable(wallpaper_fuzz tests/fuzz/WallpaperRowsFuzz.cpp nviewlib/JpegRows.cpp nviewlib/JpegSetup.cpp
    nviewlib/PngRows.cpp nviewlib/PngSetup.cpp nviewlib/GifRows.cpp nviewlib/GifSetup.cpp nviewlib/Orientation.cpp
    nviewlib/WallpaperRead.cpp nviewlib/PictureKind.cpp pictures/PixelCompose.cpp pictures/WallpaperStyles.cpp)
target_include_directories(wallpaper_fuzz BEFORE PRIVATE ${FUZZ_DECODERS_PREFIX}/include)
target_link_libraries(wallpaper_fuzz PRIVATE ${FUZZ_DECODER_LIBRARIES})
foreach(target pcx_fuzz jpeg_fuzz png_fuzz gif_fuzz tga_fuzz wallpaper_fuzz)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${target} PRIVATE ${NVIEWLIB_FUZZ_FLAGS})
    target_link_options(${target} PRIVATE ${NVIEWLIB_FUZZ_FLAGS})
    # Quick replay of the seeds (the test pictures and the inputs fuzzing once found) under the
    # sanitizers; no small input may make a decoder allocate much.
    string(REPLACE "_fuzz" "" name ${target})
    add_test(NAME fuzz.${name}.corpus COMMAND ${target} -runs=0 -malloc_limit_mb=256 ${NVIEWLIB_SEEDS}
        ${NVIEWLIB_SEEDS}/fuzz-regressions)
endforeach()

# JPEG decoding through the library next to libjpeg-turbo: optimised, without sanitizers.
find_package(benchmark REQUIRED)
find_library(NVIEWLIB_TURBOJPEG turbojpeg)
find_path(NVIEWLIB_TURBOJPEG_INCLUDE turbojpeg.h)
if(NVIEWLIB_TURBOJPEG AND NVIEWLIB_TURBOJPEG_INCLUDE)
    add_executable(jpeg_bench tests/bench/JpegDecodeBench.cpp nviewlib/JpegDecode.cpp nviewlib/JpegSetup.cpp
        nviewlib/Orientation.cpp)
    target_include_directories(jpeg_bench PRIVATE ${CMAKE_SOURCE_DIR} ${NVIEWLIB_TURBOJPEG_INCLUDE})
    target_compile_options(jpeg_bench PRIVATE -O2 -DNDEBUG)
    target_link_libraries(jpeg_bench PRIVATE benchmark::benchmark ${NVIEWLIB_TURBOJPEG} JPEG::JPEG)
    set_target_properties(jpeg_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
else()
    message(WARNING "libturbojpeg0-dev is missing (scripts/install-deps.sh installs it): no jpeg_bench")
endif()
