// The exported entries that have an operation behind them: each passes its arguments,
// unchanged and in order, to one internal routine and returns that routine's result.
// Names and ordinals are in keldanu.def; the notice stubs live in notice.cpp.
#include "keldanu.h"

#include "frame/notice.h"
#include "path/path_internal.h"

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
extern "C" BOOL WINAPI PathCompactPathA(HDC dc, LPSTR path, UINT width) { return keldanu::path_compact_path<ansi_text>(dc, path, width); }
extern "C" BOOL WINAPI PathCompactPathW(HDC dc, LPWSTR path, UINT width) { return keldanu::path_compact_path<wide_text>(dc, path, width); }
extern "C" BOOL WINAPI PathSetDlgItemPathA(HWND dialog, int id, LPCSTR path) { return keldanu::path_set_dlg_item_path<ansi_text>(dialog, id, path); }
extern "C" BOOL WINAPI PathSetDlgItemPathW(HWND dialog, int id, LPCWSTR path) { return keldanu::path_set_dlg_item_path<wide_text>(dialog, id, path); }

// ---- shell-link shortcuts ----
extern "C" BOOL WINAPI PathReadShortcutA(HWND owner, LPCSTR file, LPSTR target, LPSTR description, LPSTR directory, LPSTR arguments) {
    return keldanu::path_read_shortcut<ansi_text>(owner, file, target, description, directory, arguments);
}
extern "C" BOOL WINAPI PathReadShortcutW(HWND owner, LPCWSTR file, LPWSTR target, LPWSTR description, LPWSTR directory, LPWSTR arguments) {
    return keldanu::path_read_shortcut<wide_text>(owner, file, target, description, directory, arguments);
}
extern "C" BOOL WINAPI PathSaveShortcutA(LPCSTR file, LPCSTR target, LPCSTR description, LPCSTR directory, LPCSTR arguments) {
    return keldanu::path_save_shortcut<ansi_text>(file, target, description, directory, arguments);
}
extern "C" BOOL WINAPI PathSaveShortcutW(LPCWSTR file, LPCWSTR target, LPCWSTR description, LPCWSTR directory, LPCWSTR arguments) {
    return keldanu::path_save_shortcut<wide_text>(file, target, description, directory, arguments);
}

// ---- URLs and internet shortcuts ----

// ---- registry profile strings ----

// ---- folder browsing, special folders, system image list ----
// ShlGetSpecialFolderLocationW is a second name of this entry (keldanu.def).
extern "C" BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path, UINT title_id) {
    return keldanu::silent_stub(instance, owner, path, title_id);
}

// ---- system queries ----

// ---- create-shortcut launcher ----

// ---- hexadecimal text ----

// ---- byte sizes ----

// ---- byte counts with points ----

// ---- combo boxes ----
