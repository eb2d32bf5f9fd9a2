# Keeps GNUstep's per-user state (defaults, temporary files) inside the build
# tree, so tests and the demo neither read nor litter the user's home.
set(_gnustep_state ${CMAKE_BINARY_DIR}/gnustep-state)
file(MAKE_DIRECTORY ${_gnustep_state}/Defaults ${_gnustep_state}/Library ${_gnustep_state}/tmp)
file(WRITE ${_gnustep_state}/GNUstep.conf
"GNUSTEP_USER_CONFIG_FILE=${_gnustep_state}/user.conf
GNUSTEP_USER_DEFAULTS_DIR=${_gnustep_state}/Defaults
GNUSTEP_USER_DIR_LIBRARY=${_gnustep_state}/Library
")
set(TOLVIK_GNUSTEP_TEST_ENVIRONMENT
    "GNUSTEP_CONFIG_FILE=${_gnustep_state}/GNUstep.conf"
    "TEMP=${_gnustep_state}/tmp")

# tolvik_discover_gnustep_tests(TARGET NAME name PREFIX prefix LABEL label
#                               [TEST_FILTER filter] [EXTRA_ARGS args...])
# Each GoogleTest case of TARGET becomes a CTest test of its own, listed when
# ctest runs, labelled LABEL, limited to 60 seconds, and run in the GNUstep
# test environment above. A list-valued property (two environment variables)
# does not survive discovery's property pass-through, so a script that ctest
# includes after the discovered tests sets it on them.
function(tolvik_discover_gnustep_tests target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "NAME;PREFIX;LABEL;TEST_FILTER" "EXTRA_ARGS")
    set(filter_args "")
    if(ARG_TEST_FILTER)
        set(filter_args TEST_FILTER ${ARG_TEST_FILTER})
    endif()
    gtest_discover_tests(${target}
        TEST_PREFIX ${ARG_PREFIX}
        ${filter_args}
        EXTRA_ARGS ${ARG_EXTRA_ARGS}
        TEST_LIST ${ARG_NAME}_tests
        PROPERTIES LABELS ${ARG_LABEL} TIMEOUT 60)
    set(script ${CMAKE_CURRENT_BINARY_DIR}/gnustep_test_environment.cmake)
    get_property(registered DIRECTORY PROPERTY TOLVIK_GNUSTEP_ENVIRONMENT_SCRIPT)
    if(NOT registered)
        file(WRITE ${script} "")
        set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
        set_property(DIRECTORY PROPERTY TOLVIK_GNUSTEP_ENVIRONMENT_SCRIPT ${script})
    endif()
    file(APPEND ${script}
        "if(${ARG_NAME}_tests)\n"
        "    set_tests_properties(\${${ARG_NAME}_tests} PROPERTIES ENVIRONMENT [==[${TOLVIK_GNUSTEP_TEST_ENVIRONMENT}]==])\n"
        "endif()\n")
endfunction()
