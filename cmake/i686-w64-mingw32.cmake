# Cross-compiling for 32-bit Windows (PE32) with mingw-w64's i686 compilers.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
