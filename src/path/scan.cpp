// Read-only scanning of paths: file name, extension, next component, and the root, UNC and
// relative tests. The A forms step by characters and ask about lead bytes, so a double-byte
// character counts as one; only the next-component search looks at single units.
#include "frame/limits.h"
#include "path/path_internal.h"

namespace keldanu {

template <class T>
typename T::ch* path_find_file_name(const typename T::ch* path) {
    using ch = typename T::ch;
    const ch* name = path;
    for (const ch* p = path; *p; p = T::next(p)) {
        if (*p == backslash || *p == colon) {
            // The unit right after a separator, not the next character: a separator is
            // always a single unit.
            const ch after = p[1];
            if (after != 0 && after != backslash) name = p + 1;
        }
    }
    return const_cast<ch*>(name);
}

template <class T>
typename T::ch* path_find_extension(const typename T::ch* path) {
    using ch = typename T::ch;
    const ch* last_dot = nullptr;
    const ch* p = path;
    for (; *p; p = T::next(p)) {
        if (*p == dot)
            last_dot = p;
        else if (*p == space || *p == backslash)
            last_dot = nullptr;
    }
    return const_cast<ch*>(last_dot ? last_dot : p);
}

template <class T>
typename T::ch* path_find_next_component(const typename T::ch* path) {
    using ch = typename T::ch;
    // A plain unit search: in the A form a trail byte 0x5C stops it like a backslash.
    const ch* hit = T::find(path, backslash);
    return const_cast<ch*>(hit ? hit : path + T::len(path));
}

template <class T>
BOOL path_is_root(const typename T::ch* path) {
    using ch = typename T::ch;
    if (*path && !T::lead_byte(*path) && T::cmp_i(T::next(path), KELDANU_TEXT(T, ":\\")) == 0) return 1;
    if (path[0] == backslash && path[1] == 0) return 1;
    if (path[0] != backslash || path[1] != backslash) return 0;
    const ch* p = path + 2;
    if (*p == 0) return 1;
    int separators = 0;
    for (; *p; p = T::next(p)) {
        if (*p == backslash && ++separators > 1) return 0;
    }
    return 1;
}

template <class T>
BOOL path_is_unc(const typename T::ch* path) {
    return path[0] == backslash && path[1] == backslash;
}

template <class T>
BOOL path_is_relative(const typename T::ch* path) {
    if (*path == 0) return 1;
    if (*path == backslash) return 0;
    if (T::lead_byte(*path)) return 1;
    return *T::next(path) == colon ? 0 : 1;
}

#define INSTANTIATE(T)                                         \
    template T::ch* path_find_file_name<T>(const T::ch*);      \
    template T::ch* path_find_extension<T>(const T::ch*);      \
    template T::ch* path_find_next_component<T>(const T::ch*); \
    template BOOL path_is_root<T>(const T::ch*);               \
    template BOOL path_is_unc<T>(const T::ch*);                \
    template BOOL path_is_relative<T>(const T::ch*);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
