# Benchmark programs of the Win32 tree, built into ${CMAKE_BINARY_DIR}/bench:
#   MinimalWindow - the smallest program that opens one window (baseline for start-up time)
#   SameWindows   - a bare program making the windows the program must make at its start (reference)
#   StartupProbe  - starts a program and measures the time until its main window is shown and idle
# Standalone: no dependency on the program's own targets. scripts/bench.sh builds and runs them.
set(BENCH_OUTPUT_DIR ${CMAKE_BINARY_DIR}/bench)
set(BENCH_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/bench)

add_executable(MinimalWindow WIN32 ${BENCH_SOURCE_DIR}/MinimalWindow.cpp)
target_link_options(MinimalWindow PRIVATE ${STATIC_RUNTIME})

add_executable(SameWindows WIN32 ${BENCH_SOURCE_DIR}/SameWindows.cpp)
target_link_options(SameWindows PRIVATE ${STATIC_RUNTIME})
target_link_libraries(SameWindows PRIVATE comctl32)

add_executable(StartupProbe ${BENCH_SOURCE_DIR}/StartupProbe.cpp)
target_link_options(StartupProbe PRIVATE ${STATIC_RUNTIME})

set_target_properties(MinimalWindow SameWindows StartupProbe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BENCH_OUTPUT_DIR})

# The real program driven from outside: choosing pictures in its browser until the preview is
# painted, against libjpeg-turbo's own reduced decode of the same file; its peak working set.
add_executable(PreviewProbe ${BENCH_SOURCE_DIR}/PreviewProbe.cpp)
target_include_directories(PreviewProbe PRIVATE ${CMAKE_SOURCE_DIR} ${DECODERS_PREFIX}/include)
target_link_libraries(PreviewProbe PRIVATE psapi ${DECODERS_PREFIX}/lib/libturbojpeg.a)
target_link_options(PreviewProbe PRIVATE ${STATIC_RUNTIME})
set_target_properties(PreviewProbe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BENCH_OUTPUT_DIR})

# The browser's file list against a bare FindFirstFileA loop over a folder of 20,000 files.
add_executable(FileListBench ${BENCH_SOURCE_DIR}/FileListBench.cpp)
target_link_libraries(FileListBench PRIVATE program)
target_link_options(FileListBench PRIVATE ${STATIC_RUNTIME})
set_target_properties(FileListBench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BENCH_OUTPUT_DIR})

# The selection lists at scale in the real main window.
add_executable(ListBench ${BENCH_SOURCE_DIR}/ListBench.cpp ${PROGRAM_RESOURCES})
target_link_libraries(ListBench PRIVATE program psapi)
target_link_options(ListBench PRIVATE ${STATIC_RUNTIME})
set_target_properties(ListBench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BENCH_OUTPUT_DIR})

# The full-screen window and F4 for a 3840 x 2160 JPEG, next to bare Win32 floors doing the same work.
add_executable(WallpaperBench ${BENCH_SOURCE_DIR}/WallpaperBench.cpp ${PROGRAM_RESOURCES})
target_link_libraries(WallpaperBench PRIVATE program psapi)
target_link_options(WallpaperBench PRIVATE ${STATIC_RUNTIME})
set_target_properties(WallpaperBench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BENCH_OUTPUT_DIR})

# One log-on run of the randomizer with 4 x 25,000 entries against an empty GUI program.
add_executable(EmptyProgram WIN32 ${BENCH_SOURCE_DIR}/EmptyProgram.cpp)
target_link_options(EmptyProgram PRIVATE ${STATIC_RUNTIME})
add_executable(EmptyUser32Program WIN32 ${BENCH_SOURCE_DIR}/EmptyProgram.cpp)
target_compile_definitions(EmptyUser32Program PRIVATE EMPTY_WITH_USER32)
target_link_options(EmptyUser32Program PRIVATE ${STATIC_RUNTIME})
add_executable(RandomizerBench ${BENCH_SOURCE_DIR}/RandomizerBench.cpp)
target_link_libraries(RandomizerBench PRIVATE randomizer psapi)
target_link_options(RandomizerBench PRIVATE ${STATIC_RUNTIME})
set_target_properties(EmptyProgram EmptyUser32Program RandomizerBench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BENCH_OUTPUT_DIR})

# A 4000 x 3000 JPEG to a finished screen file, next to the picture library's decode alone.
add_executable(ScreenBench ${BENCH_SOURCE_DIR}/ScreenBench.cpp)
target_link_libraries(ScreenBench PRIVATE program)
target_link_options(ScreenBench PRIVATE ${STATIC_RUNTIME})
set_target_properties(ScreenBench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BENCH_OUTPUT_DIR})

# The picture library's decoders against the reference reads of their formats, all 32-bit: the
# decoder libraries and libjpeg-turbo's TurboJPEG API as built by scripts/reference-decoders.sh.
add_executable(DecoderBench ${BENCH_SOURCE_DIR}/DecoderBench.cpp)
target_include_directories(DecoderBench PRIVATE ${CMAKE_SOURCE_DIR} ${DECODERS_PREFIX}/include)
target_link_libraries(DecoderBench PRIVATE portable ${DECODERS_PREFIX}/lib/libturbojpeg.a)
target_link_options(DecoderBench PRIVATE ${STATIC_RUNTIME})
set_target_properties(DecoderBench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BENCH_OUTPUT_DIR})
add_dependencies(DecoderBench NViewLib)

# One step of the start-up screen's moving bar against one plain StretchDIBits of the same pixels.
add_executable(AnimationBench ${BENCH_SOURCE_DIR}/AnimationBench.cpp ${PROGRAM_RESOURCES})
target_link_libraries(AnimationBench PRIVATE program)
target_link_options(AnimationBench PRIVATE ${STATIC_RUNTIME})
set_target_properties(AnimationBench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BENCH_OUTPUT_DIR})
