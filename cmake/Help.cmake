# The help, from one halibut source: the WinHelp file and its contents file in the program folder
# (F1 up to Windows XP) and the compiled HTML help beside them (F1 from Windows Vista on). Halibut
# dates the WinHelp file by SOURCE_DATE_EPOCH. Beside it, the release's readme.txt: a first read,
# with the version filled in.
find_program(HALIBUT halibut REQUIRED)
find_program(PERL perl REQUIRED)
set(HELP_SOURCE ${CMAKE_SOURCE_DIR}/help/tanu.but)
set(HELP_DIR ${CMAKE_BINARY_DIR}/help)
set(HELP_README ${HELP_DIR}/readme.txt)
configure_file(help/version.but.in ${HELP_DIR}/version.but @ONLY)
configure_file(help/readme.txt.in ${HELP_README} @ONLY)
set(HELP_INPUTS ${HELP_DIR}/version.but ${HELP_SOURCE})
set(HELP_OUTPUTS ${PROGRAM_OUTPUT_DIR}/tanu.hlp ${PROGRAM_OUTPUT_DIR}/tanu.cnt ${PROGRAM_OUTPUT_DIR}/tanu.chm)

# The check reads the help as HTML pages whose only links are its jumps: one page per topic, each
# listing only the topics below it, as the WinHelp contents do.
add_custom_command(OUTPUT ${HELP_OUTPUTS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROGRAM_OUTPUT_DIR}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${VISTREL_RELEASE_EPOCH} ${HALIBUT}
        --winhelp=${PROGRAM_OUTPUT_DIR}/tanu.hlp --chm=${PROGRAM_OUTPUT_DIR}/tanu.chm ${HELP_INPUTS}
    COMMAND ${CMAKE_COMMAND} -DFILE=${PROGRAM_OUTPUT_DIR}/tanu.cnt -P ${CMAKE_SOURCE_DIR}/cmake/CrLf.cmake
    # Halibut's HTML help writes no search index: no Search tab rather than one that finds nothing.
    COMMAND ${PERL} ${CMAKE_SOURCE_DIR}/scripts/chm-no-search.pl ${PROGRAM_OUTPUT_DIR}/tanu.chm ${HELP_DIR}/chm-windows
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${HELP_DIR}/check
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HELP_DIR}/check
    COMMAND ${CMAKE_COMMAND} -E chdir ${HELP_DIR}/check ${HALIBUT} --html
        -Chtml-leaf-level:infinite -Chtml-suppress-navlinks:true
        -Chtml-contents-depth:0:1 -Chtml-contents-depth:1:2 -Chtml-contents-depth:2:3 -Chtml-contents-depth:3:4
        ${HELP_INPUTS}
    COMMAND ${CMAKE_COMMAND} -DPAGES=${HELP_DIR}/check -P ${CMAKE_SOURCE_DIR}/cmake/HelpCheck.cmake
    DEPENDS ${HELP_INPUTS} ${CMAKE_SOURCE_DIR}/cmake/HelpCheck.cmake ${CMAKE_SOURCE_DIR}/cmake/CrLf.cmake
        ${CMAKE_SOURCE_DIR}/scripts/chm-no-search.pl
    COMMENT "Writing the help with halibut"
    VERBATIM)
add_custom_target(help_files ALL DEPENDS ${HELP_OUTPUTS} ${HELP_README})
