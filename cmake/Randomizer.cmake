# QZRandom.exe beside the program: the randomizer Windows starts at every log-on. It links the
# operations and the portable modules, no form.
set(RANDOMIZER_SOURCES randomizer/RandomizerRun.cpp)
add_library(randomizer STATIC ${RANDOMIZER_SOURCES})
target_link_libraries(randomizer PUBLIC operations)

add_executable(QZRandom WIN32 randomizer/QZRandom.cpp randomizer/res/QZRandom.rc ${RUNTIME_9X_OBJECTS})
target_link_libraries(QZRandom PRIVATE randomizer)
target_link_options(QZRandom PRIVATE ${STATIC_RUNTIME} ${REPRODUCIBLE_LINK} -Wl,--subsystem,windows:4.0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
set_target_properties(QZRandom PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROGRAM_OUTPUT_DIR})
add_dependencies(QZSelect QZRandom)
