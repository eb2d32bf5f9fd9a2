# tolvik_add_bundle(NAME PRINCIPAL_CLASS class SOURCES ... [RESOURCES ...])
# A loadable bundle as GNUstep's NSBundle expects it: NAME.bundle/NAME (the
# executable) and NAME.bundle/Resources/Info-gnustep.plist naming the principal
# class, plus any resource files copied next to the plist.

set(_tolvik_bundle_plist_template ${CMAKE_CURRENT_LIST_DIR}/Info-gnustep.plist.in)

function(tolvik_add_bundle name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "PRINCIPAL_CLASS" "SOURCES;RESOURCES")
    set(bundle_dir ${CMAKE_BINARY_DIR}/${name}.bundle)
    add_library(${name} MODULE ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES
        PREFIX "" SUFFIX ""
        LIBRARY_OUTPUT_DIRECTORY ${bundle_dir})

    set(TOLVIK_BUNDLE_EXECUTABLE ${name})
    set(TOLVIK_BUNDLE_PRINCIPAL_CLASS ${ARG_PRINCIPAL_CLASS})
    configure_file(${_tolvik_bundle_plist_template} ${bundle_dir}/Resources/Info-gnustep.plist @ONLY)

    foreach(resource IN LISTS ARG_RESOURCES)
        get_filename_component(resource_name ${resource} NAME)
        add_custom_command(TARGET ${name} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${resource} ${bundle_dir}/Resources/${resource_name})
    endforeach()
    set_property(TARGET ${name} PROPERTY TOLVIK_BUNDLE_DIR ${bundle_dir})
endfunction()
