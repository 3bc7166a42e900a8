# find_package(keldanu) gives the imported target keldanu::keldanu: KELDANU.dll with its
# header and the import library that suits the compiler (KELDANU.lib for MSVC and clang-cl,
# libKELDANU.dll.a for MinGW). The paths are found from this file's own place, so the
# installed tree may be moved or unzipped anywhere. A program needs KELDANU.dll beside it at
# run time; $<TARGET_RUNTIME_DLLS:your_program> names it for a copy step.
get_filename_component(_keldanu_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
if(NOT TARGET keldanu::keldanu)
  if(MSVC)
    set(_keldanu_implib "${_keldanu_prefix}/lib/KELDANU.lib")
  else()
    set(_keldanu_implib "${_keldanu_prefix}/lib/libKELDANU.dll.a")
  endif()
  add_library(keldanu::keldanu SHARED IMPORTED)
  set_target_properties(keldanu::keldanu PROPERTIES
    IMPORTED_LOCATION "${_keldanu_prefix}/bin/KELDANU.dll"
    IMPORTED_IMPLIB "${_keldanu_implib}"
    INTERFACE_INCLUDE_DIRECTORIES "${_keldanu_prefix}/include")
  unset(_keldanu_implib)
endif()
unset(_keldanu_prefix)
