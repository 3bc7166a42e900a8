# The SDK that `cmake --install` lays out and `--target package` zips:
#   bin/      KELDANU.dll (stripped; its debug information in KELDANU.dll.debug beside it,
#             found through the DLL's debug link), keldanu.exe
#   include/  keldanu.h
#   lib/      libKELDANU.dll.a (MinGW), KELDANU.lib (MSVC), KELDANU.def,
#             cmake/keldanu/ (find_package), pkgconfig/keldanu.pc
#   share/doc/keldanu/  README.md, LICENSE, CHANGELOG.md
# Every file is made in build/sdk first, so installing is copying.
include(CMakePackageConfigHelpers)

# A cross build has no natural place to install to, and the platform's default
# (C:/Program Files (x86)/keldanu) means nothing on the build machine.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX ${CMAKE_BINARY_DIR}/install CACHE PATH "Where cmake --install puts the SDK" FORCE)
endif()

set(sdk_dir ${CMAKE_BINARY_DIR}/sdk)
set(sdk_def ${KELDANU_DEF})
file(MAKE_DIRECTORY ${sdk_dir})
find_program(KELDANU_OBJCOPY NAMES ${KELDANU_TOOL_PREFIX}-objcopy REQUIRED)
add_custom_command(
  OUTPUT ${sdk_dir}/KELDANU.dll ${sdk_dir}/KELDANU.dll.debug ${sdk_dir}/keldanu.exe
  COMMAND ${KELDANU_OBJCOPY} --only-keep-debug $<TARGET_FILE:keldanu> KELDANU.dll.debug
  COMMAND ${KELDANU_OBJCOPY} --strip-all --add-gnu-debuglink=KELDANU.dll.debug
          $<TARGET_FILE:keldanu> KELDANU.dll
  COMMAND ${KELDANU_OBJCOPY} --strip-all $<TARGET_FILE:keldanu_tool> keldanu.exe
  DEPENDS keldanu keldanu_tool
  WORKING_DIRECTORY ${sdk_dir}
  COMMENT "Stripping KELDANU.dll and keldanu.exe for the SDK"
  VERBATIM)
set(sdk_files ${sdk_dir}/KELDANU.dll)

# KELDANU.lib, for the MSVC linker and lld-link: llvm-dlltool's import library links without
# /safeseh:no (GNU dlltool's objects carry no safe-exception-handler mark), and -k makes its
# decorated symbols (_PathFindFileNameA@4) import the plain export names. The x64 one is made
# the same way from the 64-bit table, whose names carry no decoration.
find_program(KELDANU_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-16 llvm-dlltool-15 llvm-dlltool-14)
if(KELDANU_LLVM_DLLTOOL)
  add_custom_command(OUTPUT ${sdk_dir}/KELDANU.lib
    COMMAND ${KELDANU_LLVM_DLLTOOL} -m ${KELDANU_MACHINE} -k -d ${sdk_def} -l ${sdk_dir}/KELDANU.lib
    DEPENDS ${sdk_def}
    COMMENT "Making the MSVC import library KELDANU.lib"
    VERBATIM)
  list(APPEND sdk_files ${sdk_dir}/KELDANU.lib)
  install(FILES ${sdk_dir}/KELDANU.lib DESTINATION lib)
else()
  message(WARNING "llvm-dlltool not found: the SDK will have no KELDANU.lib for MSVC (install llvm)")
endif()
add_custom_target(keldanu_sdk ALL DEPENDS ${sdk_files})

# The package files name the architecture they were made for; keldanu-config.cmake refuses a
# consumer of the other one itself (the version file is told the package fits any, so that
# the refusal says why instead of listing the package as unsuitable).
if(KELDANU_ARCH STREQUAL win64)
  set(KELDANU_ARCH_WORDS "64-bit Windows programs")
else()
  set(KELDANU_ARCH_WORDS "32-bit Windows programs")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/keldanu.pc.in ${sdk_dir}/keldanu.pc @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/keldanu-config.cmake ${sdk_dir}/keldanu-config.cmake @ONLY)
write_basic_package_version_file(${sdk_dir}/keldanu-config-version.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)

install(FILES ${sdk_dir}/KELDANU.dll ${sdk_dir}/KELDANU.dll.debug DESTINATION bin)
install(PROGRAMS ${sdk_dir}/keldanu.exe DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/include/keldanu.h DESTINATION include)
install(FILES $<TARGET_LINKER_FILE:keldanu> DESTINATION lib)
install(FILES ${sdk_def} DESTINATION lib RENAME KELDANU.def)
install(FILES ${sdk_dir}/keldanu-config.cmake ${sdk_dir}/keldanu-config-version.cmake
        DESTINATION lib/cmake/keldanu)
install(FILES ${sdk_dir}/keldanu.pc DESTINATION lib/pkgconfig)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/CHANGELOG.md
        DESTINATION share/doc/keldanu)

# `cmake --build build --target package` zips the same tree: keldanu-<version>-win32.zip, or
# -win64.zip from a 64-bit build.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME keldanu)
set(CPACK_PACKAGE_VENDOR "The KELDANU developers")
set(CPACK_PACKAGE_FILE_NAME keldanu-${PROJECT_VERSION}-${KELDANU_ARCH})
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
