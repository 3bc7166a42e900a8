// The exported entries that have an operation behind them: each passes its arguments,
// unchanged and in order, to one internal routine and returns that routine's result.
// Names and ordinals are in keldanu.def; the notice stubs live in notice.cpp.
#include "keldanu.h"

#include "frame/notice.h"
#include "inet/inet_internal.h"
#include "path/path_internal.h"
#include "str/str_internal.h"

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
extern "C" BOOL WINAPI INetCanonicalizeUrlA(LPSTR url, DWORD reserved) { return keldanu::url_canonicalize<ansi_text>(url, reserved); }
extern "C" BOOL WINAPI INetCanonicalizeUrlW(LPWSTR url, DWORD reserved) { return keldanu::url_canonicalize<wide_text>(url, reserved); }
extern "C" BOOL WINAPI INetParseUrlA(LPCSTR url, LPDWORD scheme, LPSTR host, LPSTR path) { return keldanu::url_parse<ansi_text>(url, scheme, host, path); }
extern "C" BOOL WINAPI INetParseUrlW(LPCWSTR url, LPDWORD scheme, LPWSTR host, LPWSTR path) { return keldanu::url_parse<wide_text>(url, scheme, host, path); }
extern "C" BOOL WINAPI INetReadShortcutA(LPCSTR file, LPSTR url) { return keldanu::inet_read_shortcut<ansi_text>(file, url); }
extern "C" BOOL WINAPI INetReadShortcutW(LPCWSTR file, LPWSTR url) { return keldanu::inet_read_shortcut<wide_text>(file, url); }
extern "C" BOOL WINAPI INetSaveShortcutA(LPCSTR file, LPCSTR url) { return keldanu::inet_save_shortcut<ansi_text>(file, url); }
extern "C" BOOL WINAPI INetSaveShortcutW(LPCWSTR file, LPCWSTR url) { return keldanu::inet_save_shortcut<wide_text>(file, url); }

// ---- registry profile strings ----

// ---- folder browsing, special folders, system image list ----
// ShlGetSpecialFolderLocationW is a second name of this entry (keldanu.def).
extern "C" BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path, UINT title_id) {
    return keldanu::silent_stub(instance, owner, path, title_id);
}

// ---- system queries ----

// ---- create-shortcut launcher ----

// ---- hexadecimal text ----
extern "C" int WINAPI StrHexStringToDecimalA(LPCSTR text, int error_value) { return keldanu::str_hex_to_decimal<ansi_text>(text, error_value); }
extern "C" int WINAPI StrHexStringToDecimalW(LPCWSTR text, int error_value) { return keldanu::str_hex_to_decimal<wide_text>(text, error_value); }

// ---- byte sizes ----

// ---- byte counts with points ----

// ---- combo boxes ----
