// The exported entries that have an operation behind them: each passes its arguments,
// unchanged and in order, to one internal routine and returns that routine's result.
// Names and ordinals are in keldanu.def; the notice stubs live in notice.cpp.
#include "keldanu.h"

#include "frame/notice.h"
#include "path/path_internal.h"
#include "shell/shell_internal.h"

using keldanu::ansi_text;
using keldanu::wide_text;

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// ---- path scanning ----
extern "C" LPSTR WINAPI PathFindFileNameA(LPCSTR path) { return keldanu::path_find_file_name<ansi_text>(path); }
extern "C" LPWSTR WINAPI PathFindFileNameW(LPCWSTR path) { return keldanu::path_find_file_name<wide_text>(path); }
extern "C" LPSTR WINAPI PathFindExtensionA(LPCSTR path) { return keldanu::path_find_extension<ansi_text>(path); }
extern "C" LPWSTR WINAPI PathFindExtensionW(LPCWSTR path) { return keldanu::path_find_extension<wide_text>(path); }
extern "C" LPSTR WINAPI PathFindNextComponentA(LPCSTR path) { return keldanu::path_find_next_component<ansi_text>(path); }
extern "C" LPWSTR WINAPI PathFindNextComponentW(LPCWSTR path) { return keldanu::path_find_next_component<wide_text>(path); }
extern "C" BOOL WINAPI PathIsRootA(LPCSTR path) { return keldanu::path_is_root<ansi_text>(path); }
extern "C" BOOL WINAPI PathIsRootW(LPCWSTR path) { return keldanu::path_is_root<wide_text>(path); }
extern "C" BOOL WINAPI PathIsUNCA(LPCSTR path) { return keldanu::path_is_unc<ansi_text>(path); }
extern "C" BOOL WINAPI PathIsUNCW(LPCWSTR path) { return keldanu::path_is_unc<wide_text>(path); }
extern "C" BOOL WINAPI PathIsRelativeA(LPCSTR path) { return keldanu::path_is_relative<ansi_text>(path); }
extern "C" BOOL WINAPI PathIsRelativeW(LPCWSTR path) { return keldanu::path_is_relative<wide_text>(path); }

// ---- path editing ----

// ---- path canonical form ----
extern "C" BOOL WINAPI PathCanonicalizeW(LPWSTR dest, LPCWSTR path) { return keldanu::silent_stub(dest, path); }

// ---- path display ----

// ---- shell-link shortcuts ----

// ---- URLs and internet shortcuts ----

// ---- registry profile strings ----

// ---- folder browsing, special folders, system image list ----
extern "C" BOOL WINAPI ShlBrowseForFolderA(HINSTANCE instance, HWND owner, LPSTR path, UINT title_id) { return keldanu::folders_browse(instance, owner, path, title_id); }
// ShlGetSpecialFolderLocationW is a second name of this entry (keldanu.def).
extern "C" BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path, UINT title_id) {
    return keldanu::silent_stub(instance, owner, path, title_id);
}
extern "C" BOOL WINAPI ShlGetSpecialFolderLocationA(HWND owner, int folder, LPSTR path, int capacity) { return keldanu::folders_get_special_location(owner, folder, path, capacity); }
extern "C" HIMAGELIST WINAPI ShlGetSystemImageList(BOOL small_icons) { return keldanu::folders_get_system_image_list(small_icons); }

// ---- system queries ----
extern "C" void WINAPI ShlGetWindowsVersionA(LPDWORD major, LPDWORD minor, LPDWORD build, LPDWORD platform, LPSTR service_pack) { keldanu::sysinfo_get_windows_version<ansi_text>(major, minor, build, platform, service_pack); }
extern "C" void WINAPI ShlGetWindowsVersionW(LPDWORD major, LPDWORD minor, LPDWORD build, LPDWORD platform, LPWSTR service_pack) { keldanu::sysinfo_get_windows_version<wide_text>(major, minor, build, platform, service_pack); }
extern "C" BOOL WINAPI ShlGetComCtlVersion(LPDWORD major, LPDWORD minor) { return keldanu::sysinfo_get_comctl_version(major, minor); }
extern "C" int WINAPI ShlGetMouseScrollLines(BOOL refresh) { return keldanu::sysinfo_get_mouse_scroll_lines(refresh); }

// ---- create-shortcut launcher ----

// ---- hexadecimal text ----

// ---- byte sizes ----

// ---- byte counts with points ----

// ---- combo boxes ----
