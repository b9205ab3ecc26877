# One place for the warning flags every Candora target is built with.
function(candora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
endfunction()
