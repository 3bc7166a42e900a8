// Internet shortcut (.url) files: the value "URL" of the section "InternetShortcut". The
// file itself is left to the system's private-profile services, which create, parse and
// rewrite it. The URL is stored and returned as it is, escapes included.
#include "frame/limits.h"
#include "inet/inet_internal.h"

namespace keldanu {

namespace {

// The one value of the file the library touches.
template <class T>
const typename T::ch* shortcut_section() {
    return KELDANU_TEXT(T, "InternetShortcut");
}
template <class T>
const typename T::ch* shortcut_key() {
    return KELDANU_TEXT(T, "URL");
}

}  // namespace

template <class T>
BOOL inet_read_shortcut(const typename T::ch* file, typename T::ch* url) {
    if (T::bad_write(url, url_buffer_chars)) return 0;
    // A missing file, section or key leaves the empty default; what the service reports
    // does not change the result.
    T::get_private_profile_string(shortcut_section<T>(), shortcut_key<T>(), KELDANU_TEXT(T, ""), url, url_copy_count,
                                  file);
    return 1;
}

template <class T>
BOOL inet_save_shortcut(const typename T::ch* file, const typename T::ch* url) {
    // A file that cannot be written is not reported.
    T::write_private_profile_string(shortcut_section<T>(), shortcut_key<T>(), url, file);
    return 1;
}

#define INSTANTIATE(T)                                         \
    template BOOL inet_read_shortcut<T>(const T::ch*, T::ch*); \
    template BOOL inet_save_shortcut<T>(const T::ch*, const T::ch*);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
