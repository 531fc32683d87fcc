# Our own targets build with warnings as errors; third-party headers are included as system headers.
function(ventaro_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Woverloaded-virtual -Werror)
    # GCC 12's -Wrestrict misfires on `"literal" + std::string` once -O3 inlines it: still shown,
    # but a compiler's false positive must never stop a user's build.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
endfunction()
