# One place for the warning set, so every target is held to the same bar.
function(keldwick_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion)
  endif()
endfunction()
