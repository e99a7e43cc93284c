# NViewLib.dll beside the program: the picture library for wallpapers.
add_library(NViewLib SHARED nviewlib/NViewLib.cpp ${RUNTIME_9X_OBJECTS})
target_link_libraries(NViewLib PRIVATE platform)
# Undecorated export name: NViewLibLoad, as the program looks it up.
target_link_options(NViewLib PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at -Wl,--subsystem,windows:4.0)
set_target_properties(NViewLib PROPERTIES PREFIX "" OUTPUT_NAME NViewLib RUNTIME_OUTPUT_DIRECTORY ${PROGRAM_OUTPUT_DIR})
add_dependencies(QZSelect NViewLib)
