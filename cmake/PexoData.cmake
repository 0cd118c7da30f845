# pexo_install_data(<files...> DESTINATION <absolute dir>)
#
# Installs data files to a fixed system path and also copies them, at
# configure time, below ${PEXO_SAMPLE_ROOT}, the same tree that the tests and
# the demo lay over the sandbox's root.

set(PEXO_SAMPLE_ROOT "${CMAKE_BINARY_DIR}/sample-root")

function(pexo_install_data)
    cmake_parse_arguments(ARG "" "DESTINATION" "" ${ARGN})
    install(FILES ${ARG_UNPARSED_ARGUMENTS} DESTINATION ${ARG_DESTINATION})
    file(COPY ${ARG_UNPARSED_ARGUMENTS} DESTINATION "${PEXO_SAMPLE_ROOT}${ARG_DESTINATION}")
    # An edited data file is copied again by the next build.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARG_UNPARSED_ARGUMENTS})
endfunction()
