// The entries that are present only as names, listed once: notice.cpp makes the notice stubs
// from this list, keldanu.exe marks and guards them with it, and the tests check them by it.
// Plain macros and nothing else, so that any of them can include it.
//
// KELDANU_NOTICE_STUBS(X) applies X(RA, RW, result, name, a_params, w_params) to every pair of
// notice stubs: the A and W result types, the fixed result both return after the notice (a
// void pair has the result 0, which it never returns), the name without its suffix, and the
// A and W parameter lists. Each stub shows "Not implemented yet" under its own export name,
// suffix included, and never reads its arguments.
#pragma once

#define KELDANU_NOTICE_STUBS(X)                                                                       \
    X(BOOL, BOOL, 0, PathAddExtension, (LPSTR, LPCSTR), (LPWSTR, LPCWSTR))                            \
    X(LPSTR, LPWSTR, 0, PathBuildRoot, (LPSTR, int), (LPWSTR, int))                                   \
    X(LPSTR, LPWSTR, 0, PathCombine, (LPSTR, LPCSTR, LPCSTR), (LPWSTR, LPCWSTR, LPCWSTR))             \
    X(int, int, -1, PathCommonPrefix, (LPCSTR, LPCSTR, LPSTR), (LPCWSTR, LPCWSTR, LPWSTR))            \
    X(BOOL, BOOL, 0, PathCompactPathEx, (LPSTR, LPCSTR, UINT, DWORD), (LPWSTR, LPCWSTR, UINT, DWORD)) \
    X(BOOL, BOOL, 0, PathFileExists, (LPCSTR), (LPCWSTR))                                             \
    X(BOOL, BOOL, 0, PathFindOnPath, (LPSTR, LPCSTR*), (LPWSTR, LPCWSTR*))                            \
    X(LPSTR, LPWSTR, 0, PathGetArgs, (LPCSTR), (LPCWSTR))                                             \
    X(UINT, UINT, 0, PathGetCharType, (UCHAR), (WCHAR))                                               \
    X(int, int, -1, PathGetDriveNumber, (LPCSTR), (LPCWSTR))                                          \
    X(BOOL, BOOL, 0, PathIsContentType, (LPCSTR, LPCSTR), (LPCWSTR, LPCWSTR))                         \
    X(BOOL, BOOL, 0, PathIsFileSpec, (LPCSTR), (LPCWSTR))                                             \
    X(BOOL, BOOL, 0, PathIsPrefix, (LPCSTR, LPCSTR), (LPCWSTR, LPCWSTR))                              \
    X(BOOL, BOOL, 0, PathIsSameRoot, (LPCSTR, LPCSTR), (LPCWSTR, LPCWSTR))                            \
    X(BOOL, BOOL, 0, PathIsSystemFolder, (LPCSTR, DWORD), (LPCWSTR, DWORD))                           \
    X(BOOL, BOOL, 0, PathIsUNCServer, (LPCSTR), (LPCWSTR))                                            \
    X(BOOL, BOOL, 0, PathIsUNCServerShare, (LPCSTR), (LPCWSTR))                                       \
    X(BOOL, BOOL, 0, PathIsURL, (LPCSTR), (LPCWSTR))                                                  \
    X(BOOL, BOOL, 0, PathMakePretty, (LPSTR), (LPWSTR))                                               \
    X(BOOL, BOOL, 0, PathMakeSystemFolder, (LPCSTR), (LPCWSTR))                                       \
    X(BOOL, BOOL, 0, PathMatchSpec, (LPCSTR, LPCSTR), (LPCWSTR, LPCWSTR))                             \
    X(int, int, -1, PathParseIconLocation, (LPSTR), (LPWSTR))                                         \
    X(BOOL, BOOL, 0, PathRelativePathTo, (LPSTR, LPCSTR, DWORD, LPCSTR, DWORD),                       \
      (LPWSTR, LPCWSTR, DWORD, LPCWSTR, DWORD))                                                       \
    X(void, void, 0, PathRemoveArgs, (LPSTR), (LPWSTR))                                               \
    X(void, void, 0, PathRemoveBlanks, (LPSTR), (LPWSTR))                                             \
    X(void, void, 0, PathRemoveExtension, (LPSTR), (LPWSTR))                                          \
    X(BOOL, BOOL, 0, PathRenameExtension, (LPSTR, LPCSTR), (LPWSTR, LPCWSTR))                         \
    X(BOOL, BOOL, 0, PathSearchAndQualify, (LPCSTR, LPSTR, UINT), (LPCWSTR, LPWSTR, UINT))            \
    X(void, void, 0, PathStripPath, (LPSTR), (LPWSTR))                                                \
    X(BOOL, BOOL, 0, PathUnmakeSystemFolder, (LPCSTR), (LPCWSTR))                                     \
    X(void, void, 0, PathUnquoteSpaces, (LPSTR), (LPWSTR))

// KELDANU_SILENT_STUBS(X) applies X(name) to every export served by the silent stub, which
// shows nothing, writes nothing and returns 0 (ShlGetSpecialFolderLocationW is a second name
// of the ShlBrowseForFolderW entry).
#define KELDANU_SILENT_STUBS(X) X(PathCanonicalizeW) X(ShlBrowseForFolderW) X(ShlGetSpecialFolderLocationW)
