# Cross build for 32-bit Windows with MinGW-w64. Built and linked only: this machine cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TARNWICK_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
