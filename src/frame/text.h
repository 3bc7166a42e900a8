// Character traits that let one template body serve both the ANSI and the wide form of an
// operation. A member pairs one service's A form with its W form (or a C runtime routine with
// its wide twin) and nothing more: a routine names the service and the traits pick the width.
// What a subsystem does around a call stays in that subsystem. The text members are the
// platform's own string services or a standard library search, so the library adds no string
// code of its own where the platform has it.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

// The shell-link interfaces are only named here, so this header needs no shell headers; the
// files that use them get those through frame/guards.h.
struct IShellLinkA;
struct IShellLinkW;

namespace keldanu {

struct ansi_text {
    using ch = char;
    using uch = unsigned char;

    // Picks the narrow literal out of a pair written with KELDANU_TEXT.
    static constexpr const ch* pick(const char* a, const wchar_t*) { return a; }

    static int len(const ch* s) { return lstrlenA(s); }
    static ch* copy(ch* d, const ch* s) { return lstrcpyA(d, s); }
    static ch* copy_n(ch* d, const ch* s, int n) { return lstrcpynA(d, s, n); }
    static ch* cat(ch* d, const ch* s) { return lstrcatA(d, s); }
    static int cmp(const ch* a, const ch* b) { return lstrcmpA(a, b); }
    static int cmp_i(const ch* a, const ch* b) { return lstrcmpiA(a, b); }
    static ch* next(const ch* p) { return CharNextA(p); }
    static ch* prev(const ch* start, const ch* p) { return CharPrevA(start, p); }
    static ch* lower(ch* s) { return CharLowerA(s); }
    // True when c opens a double-byte character in the active code page.
    static bool lead_byte(ch c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != 0; }
    static const ch* find(const ch* s, ch c) { return std::strchr(s, c); }
    static const ch* find_any(const ch* s, const ch* set) { return std::strpbrk(s, set); }
    // True when `chars` characters at p cannot all be written.
    static bool bad_write(const void* p, UINT_PTR chars) {
        return IsBadWritePtr(const_cast<void*>(p), chars * sizeof(ch)) != 0;
    }

    // ---- the current directory: path editing ----
    static DWORD get_current_directory(DWORD chars, ch* buf) { return GetCurrentDirectoryA(chars, buf); }
    static BOOL set_current_directory(const ch* path) { return SetCurrentDirectoryA(path); }
    // True when `saved`, the current directory as GetCurrentDirectoryA read it, leads back to
    // it: widened as SetCurrentDirectoryA widens it, it is exactly the wide current directory.
    // A character the code page lacks reads back as "?" or a best-fit letter and fails this.
    static bool names_current_directory(const ch* saved) {
        wchar_t widened[MAX_PATH] = {}, current[MAX_PATH] = {};
        const DWORD chars = GetCurrentDirectoryW(MAX_PATH, current);
        return chars != 0 && chars < MAX_PATH && MultiByteToWideChar(CP_ACP, 0, saved, -1, widened, MAX_PATH) != 0 &&
               std::wcscmp(widened, current) == 0;
    }

    // ---- text drawing and dialog items: path display ----
    static int draw_text(HDC dc, ch* text, int n, RECT* r, UINT format) { return DrawTextA(dc, text, n, r, format); }
    static BOOL set_dlg_item_text(HWND dialog, int id, const ch* text) { return SetDlgItemTextA(dialog, id, text); }

    // ---- the shell-link object: shell-link shortcuts ----
    using shell_link = IShellLinkA;
    using find_data = WIN32_FIND_DATAA;

    // ---- private-profile (INI) files: internet shortcuts ----
    static DWORD get_private_profile_string(const ch* section, const ch* key, const ch* fallback, ch* buf, DWORD chars,
                                            const ch* file) {
        return GetPrivateProfileStringA(section, key, fallback, buf, chars, file);
    }
    static BOOL write_private_profile_string(const ch* section, const ch* key, const ch* value, const ch* file) {
        return WritePrivateProfileStringA(section, key, value, file);
    }

    // ---- registry: the profile strings and the combo history ----
    static LSTATUS reg_open(HKEY key, const ch* sub_key, REGSAM access, HKEY* opened) {
        return RegOpenKeyExA(key, sub_key, 0, access, opened);
    }
    static LSTATUS reg_create(HKEY key, const ch* sub_key, REGSAM access, HKEY* opened) {
        return RegCreateKeyExA(key, sub_key, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, opened, nullptr);
    }
    // The value's raw data, or with no data buffer only whether it exists; its type is not asked.
    static LSTATUS reg_query(HKEY key, const ch* value, void* data, DWORD* bytes) {
        return RegQueryValueExA(key, value, nullptr, nullptr, static_cast<BYTE*>(data), bytes);
    }
    static LSTATUS reg_set_text(HKEY key, const ch* value, const ch* data, DWORD bytes) {
        return RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), bytes);
    }
    // The name of value number `index` of an open key; `chars` is the room in, the length out.
    static LSTATUS reg_value_name(HKEY key, DWORD index, ch* name, DWORD* chars) {
        return RegEnumValueA(key, index, name, chars, nullptr, nullptr, nullptr, nullptr);
    }
    // How many values an open key holds.
    static LSTATUS reg_value_count(HKEY key, DWORD* values) {
        return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, values, nullptr, nullptr,
                                nullptr, nullptr);
    }
    // ---- windows and resources: the combo boxes ----
    static LRESULT send(HWND window, UINT message, WPARAM w, LPARAM l) { return SendMessageA(window, message, w, l); }
    static int load_string(HINSTANCE module, UINT id, ch* buf, int n) { return LoadStringA(module, id, buf, n); }
    static int window_text(HWND window, ch* buf, int chars) { return GetWindowTextA(window, buf, chars); }
    // ---- the system's version record ----
    using version_info = OSVERSIONINFOA;
    static BOOL get_version(version_info* info) { return GetVersionExA(info); }
    // ---- message formatting and programs: the create-shortcut launcher ----
    static DWORD format_message(DWORD flags, const ch* source, ch* out, DWORD chars, va_list* args) {
        return FormatMessageA(flags, source, 0, LANG_USER_DEFAULT, out, chars, args);
    }

    // ---- the C runtime's unsigned conversions (MSVCRT) ----
    static ch* ulong_to_text(ULONG v, ch* d, int radix) { return _ultoa(v, d, radix); }
    static ch* ulonglong_to_text(ULONGLONG v, ch* d, int radix) { return _ui64toa(v, d, radix); }
};

struct wide_text {
    using ch = wchar_t;
    using uch = wchar_t;

    static constexpr const ch* pick(const char*, const wchar_t* w) { return w; }

    static int len(const ch* s) { return lstrlenW(s); }
    static ch* copy(ch* d, const ch* s) { return lstrcpyW(d, s); }
    static ch* copy_n(ch* d, const ch* s, int n) { return lstrcpynW(d, s, n); }
    static ch* cat(ch* d, const ch* s) { return lstrcatW(d, s); }
    static int cmp(const ch* a, const ch* b) { return lstrcmpW(a, b); }
    static int cmp_i(const ch* a, const ch* b) { return lstrcmpiW(a, b); }
    static ch* next(const ch* p) { return CharNextW(p); }
    static ch* prev(const ch* start, const ch* p) { return CharPrevW(start, p); }
    static ch* lower(ch* s) { return CharLowerW(s); }
    // UTF-16 has no lead bytes: false, decided at compile time.
    static constexpr bool lead_byte(ch) { return false; }
    static const ch* find(const ch* s, ch c) { return std::wcschr(s, c); }
    static const ch* find_any(const ch* s, const ch* set) { return std::wcspbrk(s, set); }
    static bool bad_write(const void* p, UINT_PTR chars) {
        return IsBadWritePtr(const_cast<void*>(p), chars * sizeof(ch)) != 0;
    }

    // ---- the current directory: path editing ----
    static DWORD get_current_directory(DWORD chars, ch* buf) { return GetCurrentDirectoryW(chars, buf); }
    static BOOL set_current_directory(const ch* path) { return SetCurrentDirectoryW(path); }
    // A wide name read whole is the directory's own name.
    static constexpr bool names_current_directory(const ch*) { return true; }

    // ---- text drawing and dialog items: path display ----
    static int draw_text(HDC dc, ch* text, int n, RECT* r, UINT format) { return DrawTextW(dc, text, n, r, format); }
    static BOOL set_dlg_item_text(HWND dialog, int id, const ch* text) { return SetDlgItemTextW(dialog, id, text); }

    // ---- the shell-link object: shell-link shortcuts ----
    using shell_link = IShellLinkW;
    using find_data = WIN32_FIND_DATAW;

    // ---- private-profile (INI) files: internet shortcuts ----
    static DWORD get_private_profile_string(const ch* section, const ch* key, const ch* fallback, ch* buf, DWORD chars,
                                            const ch* file) {
        return GetPrivateProfileStringW(section, key, fallback, buf, chars, file);
    }
    static BOOL write_private_profile_string(const ch* section, const ch* key, const ch* value, const ch* file) {
        return WritePrivateProfileStringW(section, key, value, file);
    }

    // ---- registry: the profile strings and the combo history ----
    static LSTATUS reg_open(HKEY key, const ch* sub_key, REGSAM access, HKEY* opened) {
        return RegOpenKeyExW(key, sub_key, 0, access, opened);
    }
    static LSTATUS reg_create(HKEY key, const ch* sub_key, REGSAM access, HKEY* opened) {
        return RegCreateKeyExW(key, sub_key, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, opened, nullptr);
    }
    static LSTATUS reg_query(HKEY key, const ch* value, void* data, DWORD* bytes) {
        return RegQueryValueExW(key, value, nullptr, nullptr, static_cast<BYTE*>(data), bytes);
    }
    static LSTATUS reg_set_text(HKEY key, const ch* value, const ch* data, DWORD bytes) {
        return RegSetValueExW(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), bytes);
    }
    static LSTATUS reg_value_name(HKEY key, DWORD index, ch* name, DWORD* chars) {
        return RegEnumValueW(key, index, name, chars, nullptr, nullptr, nullptr, nullptr);
    }
    static LSTATUS reg_value_count(HKEY key, DWORD* values) {
        return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, values, nullptr, nullptr,
                                nullptr, nullptr);
    }
    // ---- windows and resources: the combo boxes ----
    static LRESULT send(HWND window, UINT message, WPARAM w, LPARAM l) { return SendMessageW(window, message, w, l); }
    static int load_string(HINSTANCE module, UINT id, ch* buf, int n) { return LoadStringW(module, id, buf, n); }
    static int window_text(HWND window, ch* buf, int chars) { return GetWindowTextW(window, buf, chars); }
    // ---- the system's version record ----
    using version_info = OSVERSIONINFOW;
    static BOOL get_version(version_info* info) { return GetVersionExW(info); }
    // ---- message formatting and programs: the create-shortcut launcher ----
    static DWORD format_message(DWORD flags, const ch* source, ch* out, DWORD chars, va_list* args) {
        return FormatMessageW(flags, source, 0, LANG_USER_DEFAULT, out, chars, args);
    }

    // ---- the C runtime's unsigned conversions (MSVCRT) ----
    static ch* ulong_to_text(ULONG v, ch* d, int radix) { return _ultow(v, d, radix); }
    static ch* ulonglong_to_text(ULONGLONG v, ch* d, int radix) { return _ui64tow(v, d, radix); }
};

// Instantiates a file's templates for both widths, the one way every source file does it:
//   #define INSTANTIATE(T) template BOOL path_is_root<T>(const T::ch*);
//   KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#define KELDANU_FOR_BOTH_WIDTHS(M) M(ansi_text) M(wide_text)

// A literal in both widths; the template picks the one that matches its traits:
// KELDANU_TEXT(T, "KB") is "KB" for ansi_text and L"KB" for wide_text.
#define KELDANU_TEXT(T, s) (T::pick(s, L##s))

}  // namespace keldanu
