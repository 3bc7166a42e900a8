# Cross-compiling for 64-bit Windows (PE32+) with mingw-w64's x86-64 compilers.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
