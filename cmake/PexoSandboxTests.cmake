# Tests that run inside pexo-sandbox: a fresh HOME, private overlays of
# /usr/share, /etc/xdg and /usr/bin, an Xvfb display, a private session bus
# and the window-manager command listener. Of the rest of the file system only
# the build tree is writable.
#
#   pexo_add_tests(<sources...> LINK_LIBRARIES <libs...> [NAME_PREFIX <prefix>] [GUI]
#                  [TARGET_NAMES_VAR <var>] [TEST_NAMES_VAR <var>] [TIMEOUT <seconds>])
#
# PEXO_SANDBOX is the script; PEXO_SANDBOX_COMMAND is the script with the
# options for this build, ready to be followed by a command, e.g.
#   add_test(NAME foo COMMAND ${PEXO_SANDBOX_COMMAND} $<TARGET_FILE:foo>)

include(ECMAddTests)

set(PEXO_SANDBOX "${CMAKE_CURRENT_LIST_DIR}/../autotests/sandbox/pexo-sandbox")
get_filename_component(PEXO_SANDBOX "${PEXO_SANDBOX}" ABSOLUTE)
set(PEXO_SANDBOX_COMMAND
    "${PEXO_SANDBOX}"
    --listener "${CMAKE_BINARY_DIR}/bin/pexo-wm-listen"
    --bin-dir "${CMAKE_BINARY_DIR}/bin"
    --writable "${CMAKE_BINARY_DIR}"
    --
)
# Room for a machine busy with other work: only a fault should run out of it.
set(PEXO_TEST_TIMEOUT 300 CACHE STRING "Timeout in seconds of each sandboxed test")

function(pexo_add_tests)
    cmake_parse_arguments(ARG "GUI" "NAME_PREFIX;TARGET_NAMES_VAR;TEST_NAMES_VAR;TIMEOUT" "LINK_LIBRARIES" ${ARGN})
    if(NOT ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "pexo_add_tests() needs at least one source file")
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT ${PEXO_TEST_TIMEOUT})
    endif()
    set(gui)
    if(ARG_GUI)
        set(gui GUI)
    endif()
    ecm_add_tests(${ARG_UNPARSED_ARGUMENTS}
        LINK_LIBRARIES ${ARG_LINK_LIBRARIES}
        NAME_PREFIX "${ARG_NAME_PREFIX}"
        TARGET_NAMES_VAR targets
        TEST_NAMES_VAR tests
        ${gui}
    )
    # add_test() puts a target's emulator in front of its command, also when not cross-compiling.
    set_target_properties(${targets} PROPERTIES CROSSCOMPILING_EMULATOR "${PEXO_SANDBOX_COMMAND}")
    set_tests_properties(${tests} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    if(TARGET pexo-wm-listen)
        foreach(target IN LISTS targets)
            add_dependencies(${target} pexo-wm-listen)
        endforeach()
    endif()
    if(ARG_TARGET_NAMES_VAR)
        set(${ARG_TARGET_NAMES_VAR} "${targets}" PARENT_SCOPE)
    endif()
    if(ARG_TEST_NAMES_VAR)
        set(${ARG_TEST_NAMES_VAR} "${tests}" PARENT_SCOPE)
    endif()
endfunction()
