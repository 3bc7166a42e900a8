# What both toolchain files share: mingw-w64's posix-thread compilers (GoogleTest's threading
# needs them) for CMAKE_SYSTEM_PROCESSOR, i686 or x86_64, set by the file that includes this.
# The programs built with them run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(_keldanu_triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${_keldanu_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_keldanu_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${_keldanu_triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_keldanu_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/support/wine-run.sh)
unset(_keldanu_triplet)
