# Wallpaper composition benchmark (host tree only): optimised, without sanitizers.
find_package(benchmark REQUIRED)
add_executable(compose_bench tests/bench/ComposeBench.cpp pictures/PixelCompose.cpp pictures/WallpaperStyles.cpp)
target_include_directories(compose_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(compose_bench PRIVATE -O2)
target_compile_definitions(compose_bench PRIVATE NDEBUG)
target_link_libraries(compose_bench PRIVATE benchmark::benchmark)
set_target_properties(compose_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
