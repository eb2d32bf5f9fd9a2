# TOLVIK_SANITIZERS applies one -fsanitize= list to every target of the build,
# so the portable code and its tests run instrumented together.
if(TOLVIK_SANITIZERS)
    add_compile_options(-fsanitize=${TOLVIK_SANITIZERS} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${TOLVIK_SANITIZERS})
    if(TOLVIK_SANITIZERS MATCHES "undefined")
        # float-cast-overflow is not part of g++'s "undefined" group.
        add_compile_options(-fsanitize=float-cast-overflow)
        add_link_options(-fsanitize=float-cast-overflow)
    endif()
endif()
