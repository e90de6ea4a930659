# Warnings are on for every target of ours and must stay at zero.
function(tessaryn_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                           -Wnon-virtual-dtor -Wold-style-cast
                                           -Woverloaded-virtual)
endfunction()
