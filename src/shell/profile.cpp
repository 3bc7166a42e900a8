// Registry text values with a default: the readers and writers behind ShlGetProfileString and
// ShlWriteProfileString, also used by the create-shortcut launcher and the combo-box history.
#include "frame/guards.h"
#include "shell/shell_internal.h"

#include <climits>
#include <cstring>

namespace keldanu {

namespace {

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
        registry_key opened;
        // With no data buffer the first query asks only whether the value exists.
        if (T::reg_open(key, sub_key, KEY_QUERY_VALUE, opened.put()) == ERROR_SUCCESS &&
            T::reg_query(opened.get(), value, nullptr, nullptr) == ERROR_SUCCESS) {
            DWORD size = bytes;
            fetched = T::reg_query(opened.get(), value, buf, &size) == ERROR_SUCCESS;
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
    registry_key opened;
    if (T::reg_create(key, sub_key, KEY_WRITE, opened.put()) != ERROR_SUCCESS) return FALSE;
    // The stored data is the characters without the terminating zero.
    const DWORD bytes = static_cast<DWORD>(T::len(data)) * sizeof(typename T::ch);
    return T::reg_set_text(opened.get(), value, data, bytes) == ERROR_SUCCESS;
}

#define INSTANTIATE(T)                                                                                  \
    template BOOL profile_get_string<T>(HKEY, const T::ch*, const T::ch*, const T::ch*, T::ch*, DWORD); \
    template BOOL profile_write_string<T>(HKEY, const T::ch*, const T::ch*, const T::ch*);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
