# Small helper programs for the scripts.
add_executable(WaitForWindow tools/WaitForWindow.cpp)
target_link_options(WaitForWindow PRIVATE ${STATIC_RUNTIME})
set_target_properties(WaitForWindow PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
