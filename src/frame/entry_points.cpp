// The exported entries that have an operation behind them: each passes its arguments,
// unchanged and in order, to one internal routine and returns that routine's result.
// Names and ordinals are in keldanu.def; the notice stubs live in notice.cpp.
#include "keldanu.h"

#include "frame/notice.h"
#include "path/path_internal.h"
#include "shell/shell_internal.h"
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

// ---- registry profile strings ----
extern "C" BOOL WINAPI ShlGetProfileStringA(HKEY key, LPCSTR sub_key, LPCSTR value, LPCSTR fallback, LPSTR buf, DWORD chars) { return keldanu::profile_get_string<ansi_text>(key, sub_key, value, fallback, buf, chars); }
extern "C" BOOL WINAPI ShlGetProfileStringW(HKEY key, LPCWSTR sub_key, LPCWSTR value, LPCWSTR fallback, LPWSTR buf, DWORD chars) { return keldanu::profile_get_string<wide_text>(key, sub_key, value, fallback, buf, chars); }
extern "C" BOOL WINAPI ShlWriteProfileStringA(HKEY key, LPCSTR sub_key, LPCSTR value, LPCSTR data) { return keldanu::profile_write_string<ansi_text>(key, sub_key, value, data); }
extern "C" BOOL WINAPI ShlWriteProfileStringW(HKEY key, LPCWSTR sub_key, LPCWSTR value, LPCWSTR data) { return keldanu::profile_write_string<wide_text>(key, sub_key, value, data); }

// ---- folder browsing, special folders, system image list ----
// ShlGetSpecialFolderLocationW is a second name of this entry (keldanu.def).
extern "C" BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path, UINT title_id) {
    return keldanu::silent_stub(instance, owner, path, title_id);
}

// ---- system queries ----

// ---- create-shortcut launcher ----
extern "C" BOOL WINAPI ShlDoCreateShortcutDlgA(LPCSTR folder) { return keldanu::create_shortcut_launch<ansi_text>(folder); }
extern "C" BOOL WINAPI ShlDoCreateShortcutDlgW(LPCWSTR folder) { return keldanu::create_shortcut_launch<wide_text>(folder); }

// ---- hexadecimal text ----

// ---- byte sizes ----

// ---- byte counts with points ----

// ---- combo boxes ----
extern "C" BOOL WINAPI StrFillComboWithStringsA(HINSTANCE module, HWND combo, UINT string_id, int select) { return keldanu::combo_fill<ansi_text>(module, combo, string_id, select); }
extern "C" BOOL WINAPI StrFillComboWithStringsW(HINSTANCE module, HWND combo, UINT string_id, int select) { return keldanu::combo_fill<wide_text>(module, combo, string_id, select); }
extern "C" void WINAPI StrReadComboHistoryA(HWND combo, HKEY key, LPCSTR sub_key, int max_entries) { keldanu::combo_read_history<ansi_text>(combo, key, sub_key, max_entries); }
extern "C" void WINAPI StrReadComboHistoryW(HWND combo, HKEY key, LPCWSTR sub_key, int max_entries) { keldanu::combo_read_history<wide_text>(combo, key, sub_key, max_entries); }
extern "C" void WINAPI StrSaveComboHistoryA(HWND combo, HKEY key, LPCSTR sub_key, int max_entries) { keldanu::combo_save_history<ansi_text>(combo, key, sub_key, max_entries); }
extern "C" void WINAPI StrSaveComboHistoryW(HWND combo, HKEY key, LPCWSTR sub_key, int max_entries) { keldanu::combo_save_history<wide_text>(combo, key, sub_key, max_entries); }
