// The entries that have no operation behind them yet: each announces "Not implemented yet"
// in a modal message box captioned with its own export name (USER32 MessageBoxA/W), then
// returns a fixed value without reading its arguments. Also the silent stub, which shows
// nothing and returns 0.
#include "keldanu.h"

#include "frame/notice.h"

namespace keldanu {

namespace {
constexpr UINT notice_style = MB_OK | MB_ICONINFORMATION;
}

int notice_ansi(const char* caption) {
    return MessageBoxA(nullptr, "Not implemented yet", caption, notice_style);
}

int notice_wide(const wchar_t* caption) {
    return MessageBoxW(nullptr, L"Not implemented yet", caption, notice_style);
}

int silent_stub(...) {
    return 0;
}

}  // namespace keldanu

// One row per pair: the A and W result types, the fixed result, the name without its suffix,
// the A and W parameter lists.
// The parameters are unnamed: a stub never reads them. The caption is the export's own name,
// suffix included.
#define KELDANU_NOTICE_PAIR(RA, RW, result, name, a_params, w_params)       \
    extern "C" RA WINAPI name##A a_params {                                     \
        keldanu::notice_ansi(#name "A");                                       \
        return result;                                                         \
    }                                                                          \
    extern "C" RW WINAPI name##W w_params {                                     \
        keldanu::notice_wide(L"" #name "W");                                   \
        return result;                                                         \
    }

#define KELDANU_NOTICE_PAIR_VOID(name, a_params, w_params)                     \
    extern "C" void WINAPI name##A a_params { keldanu::notice_ansi(#name "A"); } \
    extern "C" void WINAPI name##W w_params { keldanu::notice_wide(L"" #name "W"); }

KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathAddExtension, (LPSTR, LPCSTR), (LPWSTR, LPCWSTR))
KELDANU_NOTICE_PAIR(LPSTR, LPWSTR, nullptr, PathBuildRoot, (LPSTR, int), (LPWSTR, int))
KELDANU_NOTICE_PAIR(LPSTR, LPWSTR, nullptr, PathCombine, (LPSTR, LPCSTR, LPCSTR), (LPWSTR, LPCWSTR, LPCWSTR))
KELDANU_NOTICE_PAIR(int, int, -1, PathCommonPrefix, (LPCSTR, LPCSTR, LPSTR), (LPCWSTR, LPCWSTR, LPWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathCompactPathEx, (LPSTR, LPCSTR, UINT, DWORD), (LPWSTR, LPCWSTR, UINT, DWORD))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathFileExists, (LPCSTR), (LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathFindOnPath, (LPSTR, LPCSTR*), (LPWSTR, LPCWSTR*))
KELDANU_NOTICE_PAIR(LPSTR, LPWSTR, nullptr, PathGetArgs, (LPCSTR), (LPCWSTR))
KELDANU_NOTICE_PAIR(UINT, UINT, 0, PathGetCharType, (UCHAR), (WCHAR))
KELDANU_NOTICE_PAIR(int, int, -1, PathGetDriveNumber, (LPCSTR), (LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathIsContentType, (LPCSTR, LPCSTR), (LPCWSTR, LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathIsFileSpec, (LPCSTR), (LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathIsPrefix, (LPCSTR, LPCSTR), (LPCWSTR, LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathIsSameRoot, (LPCSTR, LPCSTR), (LPCWSTR, LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathIsSystemFolder, (LPCSTR, DWORD), (LPCWSTR, DWORD))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathIsUNCServer, (LPCSTR), (LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathIsUNCServerShare, (LPCSTR), (LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathIsURL, (LPCSTR), (LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathMakePretty, (LPSTR), (LPWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathMakeSystemFolder, (LPCSTR), (LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathMatchSpec, (LPCSTR, LPCSTR), (LPCWSTR, LPCWSTR))
KELDANU_NOTICE_PAIR(int, int, -1, PathParseIconLocation, (LPSTR), (LPWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathRelativePathTo, (LPSTR, LPCSTR, DWORD, LPCSTR, DWORD), (LPWSTR, LPCWSTR, DWORD, LPCWSTR, DWORD))
KELDANU_NOTICE_PAIR_VOID(PathRemoveArgs, (LPSTR), (LPWSTR))
KELDANU_NOTICE_PAIR_VOID(PathRemoveBlanks, (LPSTR), (LPWSTR))
KELDANU_NOTICE_PAIR_VOID(PathRemoveExtension, (LPSTR), (LPWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathRenameExtension, (LPSTR, LPCSTR), (LPWSTR, LPCWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathSearchAndQualify, (LPCSTR, LPSTR, UINT), (LPCWSTR, LPWSTR, UINT))
KELDANU_NOTICE_PAIR_VOID(PathStripPath, (LPSTR), (LPWSTR))
KELDANU_NOTICE_PAIR(BOOL, BOOL, 0, PathUnmakeSystemFolder, (LPCSTR), (LPCWSTR))
KELDANU_NOTICE_PAIR_VOID(PathUnquoteSpaces, (LPSTR), (LPWSTR))
