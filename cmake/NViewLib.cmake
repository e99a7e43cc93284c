# The decoders' libraries, built for this target from Debian's sources by
# scripts/reference-decoders.sh (scripts/build.sh runs it), linked statically.
set(DECODERS_PREFIX ${CMAKE_SOURCE_DIR}/build/decoders/i686 CACHE PATH "Decoder libraries built for i686")
if(NOT EXISTS ${DECODERS_PREFIX}/.complete)
    message(FATAL_ERROR "No decoder libraries in ${DECODERS_PREFIX}: run scripts/reference-decoders.sh")
endif()
# NViewLib.cpp holds the row readers, whose headers name the libraries' types.
foreach(source ${NVIEWLIB_DECODER_SOURCES} nviewlib/NViewLib.cpp)
    set_property(SOURCE ${CMAKE_SOURCE_DIR}/${source} APPEND PROPERTY INCLUDE_DIRECTORIES ${DECODERS_PREFIX}/include)
endforeach()
set(DECODER_LIBRARIES ${DECODERS_PREFIX}/lib/libjpeg.a ${DECODERS_PREFIX}/lib/libpng16.a
    ${DECODERS_PREFIX}/lib/libgif.a ${DECODERS_PREFIX}/lib/libz.a)
target_link_libraries(portable PUBLIC ${DECODER_LIBRARIES})

# NViewLib.dll beside the program: the picture library for wallpapers.
add_library(NViewLib SHARED nviewlib/NViewLib.cpp nviewlib/res/NViewLib.rc ${RUNTIME_9X_OBJECTS})
target_link_libraries(NViewLib PRIVATE platform)
# Undecorated export name: NViewLibLoad, as the program looks it up.
target_link_options(NViewLib PRIVATE ${STATIC_RUNTIME} ${REPRODUCIBLE_LINK} -Wl,--kill-at -Wl,--subsystem,windows:4.0)
set_target_properties(NViewLib PROPERTIES PREFIX "" OUTPUT_NAME NViewLib RUNTIME_OUTPUT_DIRECTORY ${PROGRAM_OUTPUT_DIR})
add_dependencies(QZSelect NViewLib)
