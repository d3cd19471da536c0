# Warnings that hold on every toolchain; attached to the project's own targets only.
add_library(tarnwick_warnings INTERFACE)
if(MSVC)
  target_compile_options(tarnwick_warnings INTERFACE /W4 /WX)
else()
  target_compile_options(tarnwick_warnings INTERFACE -Wall -Wextra -Werror)
endif()
