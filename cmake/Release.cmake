# `make dist`: the release a user downloads, build/dist/vistrel-<version>.zip with its SHA-256
# beside it: the three binaries stripped, the help, the readme (a first read) and the licence
# notices of the libraries linked into them.
set(DIST_OUTPUT_DIR ${CMAKE_SOURCE_DIR}/build/dist CACHE PATH "Folder that receives the release")
set(RELEASE_NAME vistrel-${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
add_custom_target(dist
    COMMAND ${CMAKE_COMMAND} -E env STRIP=${CMAKE_STRIP} SOURCE_DATE_EPOCH=${VISTREL_RELEASE_EPOCH}
        ${CMAKE_SOURCE_DIR}/scripts/pack-release.sh ${RELEASE_NAME} ${PROGRAM_OUTPUT_DIR} ${HELP_README}
        ${DECODERS_PREFIX} ${DIST_OUTPUT_DIR}
    COMMENT "Packing ${DIST_OUTPUT_DIR}/${RELEASE_NAME}.zip"
    VERBATIM)
add_dependencies(dist QZSelect NViewLib QZRandom help_files)
