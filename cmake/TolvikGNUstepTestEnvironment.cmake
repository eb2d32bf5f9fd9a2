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
