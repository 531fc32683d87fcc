# Our own targets build with warnings as errors; third-party headers are included as system headers.
function(ventaro_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Woverloaded-virtual -Werror)
endfunction()
