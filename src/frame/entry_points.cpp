// The exported entries that have an operation behind them: each passes its arguments,
// unchanged and in order, to one internal routine and returns that routine's result.
// Names and ordinals are in keldanu.def; the notice stubs live in notice.cpp.
#include "keldanu.h"

#include "frame/notice.h"
#include "inet/inet_internal.h"
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
extern "C" LPSTR WINAPI PathFindNextComponentA(LPCSTR path) {
    return keldanu::path_find_next_component<ansi_text>(path);
}
extern "C" LPWSTR WINAPI PathFindNextComponentW(LPCWSTR path) {
    return keldanu::path_find_next_component<wide_text>(path);
}
extern "C" BOOL WINAPI PathIsRootA(LPCSTR path) { return keldanu::path_is_root<ansi_text>(path); }
extern "C" BOOL WINAPI PathIsRootW(LPCWSTR path) { return keldanu::path_is_root<wide_text>(path); }
extern "C" BOOL WINAPI PathIsUNCA(LPCSTR path) { return keldanu::path_is_unc<ansi_text>(path); }
extern "C" BOOL WINAPI PathIsUNCW(LPCWSTR path) { return keldanu::path_is_unc<wide_text>(path); }
extern "C" BOOL WINAPI PathIsRelativeA(LPCSTR path) { return keldanu::path_is_relative<ansi_text>(path); }
extern "C" BOOL WINAPI PathIsRelativeW(LPCWSTR path) { return keldanu::path_is_relative<wide_text>(path); }

// ---- path editing ----
extern "C" LPSTR WINAPI PathAddBackslashA(LPSTR path) { return keldanu::path_add_backslash<ansi_text>(path); }
extern "C" LPWSTR WINAPI PathAddBackslashW(LPWSTR path) { return keldanu::path_add_backslash<wide_text>(path); }
extern "C" LPSTR WINAPI PathRemoveBackslashA(LPSTR path) { return keldanu::path_remove_backslash<ansi_text>(path); }
extern "C" LPWSTR WINAPI PathRemoveBackslashW(LPWSTR path) { return keldanu::path_remove_backslash<wide_text>(path); }
extern "C" BOOL WINAPI PathAppendA(LPSTR path, LPCSTR more) { return keldanu::path_append<ansi_text>(path, more); }
extern "C" BOOL WINAPI PathAppendW(LPWSTR path, LPCWSTR more) { return keldanu::path_append<wide_text>(path, more); }
extern "C" BOOL WINAPI PathRemoveFileSpecA(LPSTR path) { return keldanu::path_remove_file_spec<ansi_text>(path); }
extern "C" BOOL WINAPI PathRemoveFileSpecW(LPWSTR path) { return keldanu::path_remove_file_spec<wide_text>(path); }
extern "C" BOOL WINAPI PathStripToRootA(LPSTR path) { return keldanu::path_strip_to_root<ansi_text>(path); }
extern "C" BOOL WINAPI PathStripToRootW(LPWSTR path) { return keldanu::path_strip_to_root<wide_text>(path); }
extern "C" LPSTR WINAPI PathSkipRootA(LPCSTR path) { return keldanu::path_skip_root<ansi_text>(path); }
extern "C" LPWSTR WINAPI PathSkipRootW(LPCWSTR path) { return keldanu::path_skip_root<wide_text>(path); }
extern "C" void WINAPI PathQuoteSpacesA(LPSTR path) { keldanu::path_quote_spaces<ansi_text>(path); }
extern "C" void WINAPI PathQuoteSpacesW(LPWSTR path) { keldanu::path_quote_spaces<wide_text>(path); }
extern "C" BOOL WINAPI PathIsDirectoryA(LPCSTR path) { return keldanu::path_is_directory<ansi_text>(path); }
extern "C" BOOL WINAPI PathIsDirectoryW(LPCWSTR path) { return keldanu::path_is_directory<wide_text>(path); }

// ---- path canonical form ----
extern "C" BOOL WINAPI PathCanonicalizeA(LPSTR dest, LPCSTR path) { return keldanu::path_canonicalize(dest, path); }
extern "C" BOOL WINAPI PathCanonicalizeW(LPWSTR dest, LPCWSTR path) { return keldanu::silent_stub(dest, path); }

// ---- path display ----
extern "C" BOOL WINAPI PathCompactPathA(HDC dc, LPSTR path, UINT width) {
    return keldanu::path_compact_path<ansi_text>(dc, path, width);
}
extern "C" BOOL WINAPI PathCompactPathW(HDC dc, LPWSTR path, UINT width) {
    return keldanu::path_compact_path<wide_text>(dc, path, width);
}
extern "C" BOOL WINAPI PathSetDlgItemPathA(HWND dialog, int id, LPCSTR path) {
    return keldanu::path_set_dlg_item_path<ansi_text>(dialog, id, path);
}
extern "C" BOOL WINAPI PathSetDlgItemPathW(HWND dialog, int id, LPCWSTR path) {
    return keldanu::path_set_dlg_item_path<wide_text>(dialog, id, path);
}

// ---- shell-link shortcuts ----
extern "C" BOOL WINAPI PathReadShortcutA(HWND owner, LPCSTR file, LPSTR target, LPSTR description, LPSTR directory,
                                         LPSTR arguments) {
    return keldanu::path_read_shortcut<ansi_text>(owner, file, target, description, directory, arguments);
}
extern "C" BOOL WINAPI PathReadShortcutW(HWND owner, LPCWSTR file, LPWSTR target, LPWSTR description, LPWSTR directory,
                                         LPWSTR arguments) {
    return keldanu::path_read_shortcut<wide_text>(owner, file, target, description, directory, arguments);
}
extern "C" BOOL WINAPI PathSaveShortcutA(LPCSTR file, LPCSTR target, LPCSTR description, LPCSTR directory,
                                         LPCSTR arguments) {
    return keldanu::path_save_shortcut<ansi_text>(file, target, description, directory, arguments);
}
extern "C" BOOL WINAPI PathSaveShortcutW(LPCWSTR file, LPCWSTR target, LPCWSTR description, LPCWSTR directory,
                                         LPCWSTR arguments) {
    return keldanu::path_save_shortcut<wide_text>(file, target, description, directory, arguments);
}

// ---- URLs and internet shortcuts ----
extern "C" BOOL WINAPI INetCanonicalizeUrlA(LPSTR url, DWORD reserved) {
    return keldanu::url_canonicalize<ansi_text>(url, reserved);
}
extern "C" BOOL WINAPI INetCanonicalizeUrlW(LPWSTR url, DWORD reserved) {
    return keldanu::url_canonicalize<wide_text>(url, reserved);
}
extern "C" BOOL WINAPI INetParseUrlA(LPCSTR url, LPDWORD scheme, LPSTR host, LPSTR path) {
    return keldanu::url_parse<ansi_text>(url, scheme, host, path);
}
extern "C" BOOL WINAPI INetParseUrlW(LPCWSTR url, LPDWORD scheme, LPWSTR host, LPWSTR path) {
    return keldanu::url_parse<wide_text>(url, scheme, host, path);
}
extern "C" BOOL WINAPI INetReadShortcutA(LPCSTR file, LPSTR url) {
    return keldanu::inet_read_shortcut<ansi_text>(file, url);
}
extern "C" BOOL WINAPI INetReadShortcutW(LPCWSTR file, LPWSTR url) {
    return keldanu::inet_read_shortcut<wide_text>(file, url);
}
extern "C" BOOL WINAPI INetSaveShortcutA(LPCSTR file, LPCSTR url) {
    return keldanu::inet_save_shortcut<ansi_text>(file, url);
}
extern "C" BOOL WINAPI INetSaveShortcutW(LPCWSTR file, LPCWSTR url) {
    return keldanu::inet_save_shortcut<wide_text>(file, url);
}

// ---- registry profile strings ----
extern "C" BOOL WINAPI ShlGetProfileStringA(HKEY key, LPCSTR sub_key, LPCSTR value, LPCSTR fallback, LPSTR buf,
                                            DWORD chars) {
    return keldanu::profile_get_string<ansi_text>(key, sub_key, value, fallback, buf, chars);
}
extern "C" BOOL WINAPI ShlGetProfileStringW(HKEY key, LPCWSTR sub_key, LPCWSTR value, LPCWSTR fallback, LPWSTR buf,
                                            DWORD chars) {
    return keldanu::profile_get_string<wide_text>(key, sub_key, value, fallback, buf, chars);
}
extern "C" BOOL WINAPI ShlWriteProfileStringA(HKEY key, LPCSTR sub_key, LPCSTR value, LPCSTR data) {
    return keldanu::profile_write_string<ansi_text>(key, sub_key, value, data);
}
extern "C" BOOL WINAPI ShlWriteProfileStringW(HKEY key, LPCWSTR sub_key, LPCWSTR value, LPCWSTR data) {
    return keldanu::profile_write_string<wide_text>(key, sub_key, value, data);
}

// ---- folder browsing, special folders, system image list ----
extern "C" BOOL WINAPI ShlBrowseForFolderA(HINSTANCE instance, HWND owner, LPSTR path, UINT title_id) {
    return keldanu::folders_browse(instance, owner, path, title_id);
}
// ShlGetSpecialFolderLocationW is a second name of this entry (keldanu.def).
extern "C" BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path, UINT title_id) {
    return keldanu::silent_stub(instance, owner, path, title_id);
}
extern "C" BOOL WINAPI ShlGetSpecialFolderLocationA(HWND owner, int folder, LPSTR path, int capacity) {
    return keldanu::folders_get_special_location(owner, folder, path, capacity);
}
extern "C" HIMAGELIST WINAPI ShlGetSystemImageList(BOOL small_icons) {
    return keldanu::folders_get_system_image_list(small_icons);
}

// ---- system queries ----
extern "C" void WINAPI ShlGetWindowsVersionA(LPDWORD major, LPDWORD minor, LPDWORD build, LPDWORD platform,
                                             LPSTR service_pack) {
    keldanu::sysinfo_get_windows_version<ansi_text>(major, minor, build, platform, service_pack);
}
extern "C" void WINAPI ShlGetWindowsVersionW(LPDWORD major, LPDWORD minor, LPDWORD build, LPDWORD platform,
                                             LPWSTR service_pack) {
    keldanu::sysinfo_get_windows_version<wide_text>(major, minor, build, platform, service_pack);
}
extern "C" BOOL WINAPI ShlGetComCtlVersion(LPDWORD major, LPDWORD minor) {
    return keldanu::sysinfo_get_comctl_version(major, minor);
}
extern "C" int WINAPI ShlGetMouseScrollLines(BOOL refresh) { return keldanu::sysinfo_get_mouse_scroll_lines(refresh); }

// ---- create-shortcut launcher ----
extern "C" BOOL WINAPI ShlDoCreateShortcutDlgA(LPCSTR folder) {
    return keldanu::create_shortcut_launch<ansi_text>(folder);
}
extern "C" BOOL WINAPI ShlDoCreateShortcutDlgW(LPCWSTR folder) {
    return keldanu::create_shortcut_launch<wide_text>(folder);
}

// ---- hexadecimal text ----
extern "C" int WINAPI StrHexStringToDecimalA(LPCSTR text, int error_value) {
    return keldanu::str_hex_to_decimal<ansi_text>(text, error_value);
}
extern "C" int WINAPI StrHexStringToDecimalW(LPCWSTR text, int error_value) {
    return keldanu::str_hex_to_decimal<wide_text>(text, error_value);
}

// ---- byte sizes ----
extern "C" LPSTR WINAPI StrFormatByteSizeA(DWORD count, LPSTR buf, int chars, BOOL comma) {
    return keldanu::str_format_byte_size<ansi_text>(count, buf, chars, comma);
}
extern "C" LPWSTR WINAPI StrFormatByteSizeW(DWORD count, LPWSTR buf, int chars, BOOL comma) {
    return keldanu::str_format_byte_size<wide_text>(count, buf, chars, comma);
}
extern "C" LPSTR WINAPI StrFormatByteSizeExA(ULONGLONG count, LPSTR buf, int chars, BOOL comma) {
    return keldanu::str_format_byte_size<ansi_text>(count, buf, chars, comma);
}
extern "C" LPWSTR WINAPI StrFormatByteSizeExW(ULONGLONG count, LPWSTR buf, int chars, BOOL comma) {
    return keldanu::str_format_byte_size<wide_text>(count, buf, chars, comma);
}

// ---- byte counts with points ----
extern "C" LPSTR WINAPI StrFormatByteWithPointsA(DWORD count, LPSTR buf, int chars) {
    return keldanu::str_format_byte_points<ansi_text>(count, buf, chars);
}
extern "C" LPWSTR WINAPI StrFormatByteWithPointsW(DWORD count, LPWSTR buf, int chars) {
    return keldanu::str_format_byte_points<wide_text>(count, buf, chars);
}
extern "C" LPSTR WINAPI StrFormatByteWithPointsExA(ULONGLONG count, LPSTR buf, int chars) {
    return keldanu::str_format_byte_points<ansi_text>(count, buf, chars);
}
extern "C" LPWSTR WINAPI StrFormatByteWithPointsExW(ULONGLONG count, LPWSTR buf, int chars) {
    return keldanu::str_format_byte_points<wide_text>(count, buf, chars);
}

// ---- combo boxes ----
extern "C" BOOL WINAPI StrFillComboWithStringsA(HINSTANCE module, HWND combo, UINT string_id, int select) {
    return keldanu::combo_fill<ansi_text>(module, combo, string_id, select);
}
extern "C" BOOL WINAPI StrFillComboWithStringsW(HINSTANCE module, HWND combo, UINT string_id, int select) {
    return keldanu::combo_fill<wide_text>(module, combo, string_id, select);
}
extern "C" void WINAPI StrReadComboHistoryA(HWND combo, HKEY key, LPCSTR sub_key, int max_entries) {
    keldanu::combo_read_history<ansi_text>(combo, key, sub_key, max_entries);
}
extern "C" void WINAPI StrReadComboHistoryW(HWND combo, HKEY key, LPCWSTR sub_key, int max_entries) {
    keldanu::combo_read_history<wide_text>(combo, key, sub_key, max_entries);
}
extern "C" void WINAPI StrSaveComboHistoryA(HWND combo, HKEY key, LPCSTR sub_key, int max_entries) {
    keldanu::combo_save_history<ansi_text>(combo, key, sub_key, max_entries);
}
extern "C" void WINAPI StrSaveComboHistoryW(HWND combo, HKEY key, LPCWSTR sub_key, int max_entries) {
    keldanu::combo_save_history<wide_text>(combo, key, sub_key, max_entries);
}
