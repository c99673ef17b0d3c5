# Run by CPack on the files it is about to package (CPACK_PRE_BUILD_SCRIPTS): strips the program
# with the arguments dh_strip uses for a program.
set(_program ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/tovrin)
if(NOT EXISTS ${_program})
    message(FATAL_ERROR "no program to strip at ${_program}")
endif()
execute_process(COMMAND ${CPACK_STRIP_PROGRAM} --remove-section=.comment --remove-section=.note
                        ${_program}
                COMMAND_ERROR_IS_FATAL ANY)
