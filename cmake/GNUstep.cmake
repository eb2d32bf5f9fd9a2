# GNUstep's Foundation and AppKit as imported interface targets, from
# gnustep-config. Its include directories become system include directories,
# which silences the warnings GNUstep's own headers raise under g++ for those
# headers only. Dependency-file and optimisation flags are dropped: the build
# type decides those, and -MMD would leave .d files inside the bundles.

find_program(GNUSTEP_CONFIG gnustep-config REQUIRED)

function(_tolvik_gnustep_config out)
    execute_process(COMMAND ${GNUSTEP_CONFIG} ${ARGN}
                    OUTPUT_VARIABLE text OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(text UNIX_COMMAND "${text}")
    set(${out} ${text} PARENT_SCOPE)
endfunction()

_tolvik_gnustep_config(_objc_flags --objc-flags)
set(_compile_options "")
set(_include_dirs "")
foreach(flag IN LISTS _objc_flags)
    if(flag MATCHES "^-I(.+)$")
        if(NOT CMAKE_MATCH_1 STREQUAL "." AND IS_DIRECTORY "${CMAKE_MATCH_1}")
            list(APPEND _include_dirs "${CMAKE_MATCH_1}")
        endif()
    elseif(flag MATCHES "^-(MMD|MP|g|O[0-9s]?|Wall)$")
        # decided by the build, not by GNUstep
    else()
        list(APPEND _compile_options "${flag}")
    endif()
endforeach()

function(_tolvik_gnustep_target name config_flag)
    _tolvik_gnustep_config(libs ${config_flag})
    add_library(${name} INTERFACE IMPORTED GLOBAL)
    target_include_directories(${name} SYSTEM INTERFACE ${_include_dirs})
    # g++ knows only manual reference counting, which the code is written for.
    target_compile_options(${name} INTERFACE "$<$<COMPILE_LANGUAGE:OBJCXX>:${_compile_options}>")
    # Libraries must follow the objects on the link line; options may not.
    foreach(flag IN LISTS libs)
        if(flag MATCHES "^-l")
            target_link_libraries(${name} INTERFACE "${flag}")
        elseif(flag MATCHES "^-L(.+)$")
            if(IS_DIRECTORY "${CMAKE_MATCH_1}")
                target_link_directories(${name} INTERFACE "${CMAKE_MATCH_1}")
            endif()
        else()
            target_link_options(${name} INTERFACE "${flag}")
        endif()
    endforeach()
endfunction()

_tolvik_gnustep_target(GNUstep::Foundation --base-libs)
_tolvik_gnustep_target(GNUstep::AppKit --gui-libs)
