# The project's own code builds clean with -Wall -Wextra. Third-party headers
# (GNUstep's) come in as system headers, so their warnings stay silent.
add_library(tolvik_warnings INTERFACE)
target_compile_options(tolvik_warnings INTERFACE -Wall -Wextra -Wnon-virtual-dtor)
