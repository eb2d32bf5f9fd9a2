# The project's own code builds clean with these warnings; with
# TOLVIK_WARNINGS_AS_ERRORS (CI) it must. Third-party headers (GNUstep's) come
# in as system headers, so their warnings stay silent.
add_library(tolvik_warnings INTERFACE)
target_compile_options(tolvik_warnings INTERFACE -Wall -Wextra -Wnon-virtual-dtor)
if(TOLVIK_WARNINGS_AS_ERRORS)
    target_compile_options(tolvik_warnings INTERFACE -Werror)
endif()
