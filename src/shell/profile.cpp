// Registry text values with a default: the readers and writers behind ShlGetProfileString and
// ShlWriteProfileString, also used by the create-shortcut launcher and the combo-box history.
// Platform services: RegOpenKeyExA/W, RegQueryValueExA/W, RegCreateKeyExA/W, RegSetValueExA/W
// and RegCloseKey (ADVAPI32); IsBadWritePtr, lstrcpynA/W and lstrlenA/W (KERNEL32).
#include "shell/shell_internal.h"

#include <climits>
#include <cstring>

namespace keldanu {

namespace {

// Closes an opened registry key when the routine that opened it returns.
class key_guard {
public:
    key_guard() = default;
    ~key_guard() {
        if (key_) RegCloseKey(key_);
    }
    key_guard(const key_guard&) = delete;
    key_guard& operator=(const key_guard&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

template <class T>
LSTATUS open_for_query(HKEY key, const typename T::ch* sub_key, HKEY* opened) {
    if constexpr (T::wide)
        return RegOpenKeyExW(key, sub_key, 0, KEY_QUERY_VALUE, opened);
    else
        return RegOpenKeyExA(key, sub_key, 0, KEY_QUERY_VALUE, opened);
}

template <class T>
LSTATUS query_value(HKEY key, const typename T::ch* value, void* data, DWORD* bytes) {
    if constexpr (T::wide)
        return RegQueryValueExW(key, value, nullptr, nullptr, static_cast<BYTE*>(data), bytes);
    else
        return RegQueryValueExA(key, value, nullptr, nullptr, static_cast<BYTE*>(data), bytes);
}

template <class T>
LSTATUS create_for_write(HKEY key, const typename T::ch* sub_key, HKEY* opened) {
    if constexpr (T::wide)
        return RegCreateKeyExW(key, sub_key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, opened, nullptr);
    else
        return RegCreateKeyExA(key, sub_key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, opened, nullptr);
}

template <class T>
LSTATUS set_text_value(HKEY key, const typename T::ch* value, const typename T::ch* data, DWORD bytes) {
    if constexpr (T::wide)
        return RegSetValueExW(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), bytes);
    else
        return RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), bytes);
}

// The largest capacity whose size in bytes still fits a DWORD, so that the probe, the
// clearing and the size offered to the registry all speak of the same bytes.
template <class T>
constexpr DWORD max_chars = MAXDWORD / sizeof(typename T::ch);

}  // namespace

template <class T>
BOOL profile_get_string(HKEY key, const typename T::ch* sub_key, const typename T::ch* value,
                        const typename T::ch* fallback, typename T::ch* buf, DWORD chars) {
    using ch = typename T::ch;
    if (chars > max_chars<T> || T::bad_write(buf, chars)) return FALSE;
    const DWORD bytes = chars * sizeof(ch);
    if (bytes) std::memset(buf, 0, bytes);
    if (!sub_key) return FALSE;

    bool fetched = false;
    {
        key_guard opened;
        if (open_for_query<T>(key, sub_key, opened.out()) == ERROR_SUCCESS &&
            query_value<T>(opened.get(), value, nullptr, nullptr) == ERROR_SUCCESS) {
            DWORD size = bytes;
            fetched = query_value<T>(opened.get(), value, buf, &size) == ERROR_SUCCESS;
        }
    }
    // Data that fills the buffer to its last character leaves no room for the terminating
    // zero; such a read is refused like data that does not fit, so that a caller never gets
    // an unterminated string back. (A zero-sized buffer cannot hold even the empty text.)
    if (fetched && chars > 0 && buf[chars - 1] == 0) return TRUE;

    // A refused read may have left part of the data behind: clear it, so the buffer holds
    // the default followed by zeros and nothing of the value.
    if (bytes) std::memset(buf, 0, bytes);
    if (fallback && chars > 0) T::copy_n(buf, fallback, static_cast<int>(chars > INT_MAX ? INT_MAX : chars));
    return FALSE;
}

template <class T>
BOOL profile_write_string(HKEY key, const typename T::ch* sub_key, const typename T::ch* value,
                          const typename T::ch* data) {
    if (!sub_key) return FALSE;
    key_guard opened;
    if (create_for_write<T>(key, sub_key, opened.out()) != ERROR_SUCCESS) return FALSE;
    // The stored data is the characters without the terminating zero.
    const DWORD bytes = static_cast<DWORD>(T::len(data)) * sizeof(typename T::ch);
    return set_text_value<T>(opened.get(), value, data, bytes) == ERROR_SUCCESS;
}

template BOOL profile_get_string<ansi_text>(HKEY, const char*, const char*, const char*, char*, DWORD);
template BOOL profile_get_string<wide_text>(HKEY, const wchar_t*, const wchar_t*, const wchar_t*, wchar_t*, DWORD);
template BOOL profile_write_string<ansi_text>(HKEY, const char*, const char*, const char*);
template BOOL profile_write_string<wide_text>(HKEY, const wchar_t*, const wchar_t*, const wchar_t*);

}  // namespace keldanu
