# find_package(keldanu) gives the imported target keldanu::keldanu: KELDANU.dll with its
# header and the import library that suits the compiler (KELDANU.lib for MSVC and clang-cl,
# libKELDANU.dll.a for MinGW). The paths are found from this file's own place, so the
# installed tree may be moved or unzipped anywhere. A program needs KELDANU.dll beside it at
# run time; $<TARGET_RUNTIME_DLLS:your_program> names it for a copy step.
#
# This tree holds the @KELDANU_ARCH@ build (for @KELDANU_ARCH_WORDS@); a project that builds
# for the other architecture is refused here, before it links a DLL it cannot load.
get_filename_component(_keldanu_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
if(NOT CMAKE_SIZEOF_VOID_P EQUAL @CMAKE_SIZEOF_VOID_P@)
  math(EXPR _keldanu_bits "${CMAKE_SIZEOF_VOID_P} * 8")
  string(CONCAT keldanu_NOT_FOUND_MESSAGE "KELDANU in ${_keldanu_prefix} is the @KELDANU_ARCH@ build, made for "
      "@KELDANU_ARCH_WORDS@, but this project builds ${_keldanu_bits}-bit programs: use the "
      "keldanu-${keldanu_VERSION}-win${_keldanu_bits} package instead.")
  set(keldanu_FOUND FALSE)
  unset(_keldanu_bits)
  unset(_keldanu_prefix)
  return()
endif()
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
