// In-place editing of paths in the caller's buffer: trailing backslash, appending, removing
// the last component, stripping to and skipping the root, quoting, and the directory test.
// Nothing is probed: the path must be a valid string in a buffer of the stated size.
#include "frame/limits.h"
#include "path/path_internal.h"

namespace keldanu {

template <class T>
typename T::ch* path_add_backslash(typename T::ch* path) {
    using ch = typename T::ch;
    const int length = T::len(path);
    // Refused even when the path already ends in a backslash: the limit is on the length.
    if (length >= longest_path) return nullptr;
    ch* end = path + length;
    if (length == 0) return end;
    // CharPrev, so that the trail byte of a final double-byte character is not taken for a
    // backslash.
    if (*T::prev(path, end) == backslash) return end;
    end[0] = backslash;
    end[1] = 0;
    return end + 1;
}

template <class T>
typename T::ch* path_remove_backslash(typename T::ch* path) {
    using ch = typename T::ch;
    const int length = T::len(path);
    // An empty path has no last character; its terminating zero (the path itself) is the
    // only position inside it.
    if (length == 0) return path;
    // The last unit on its own, without double-byte stepping: a final double-byte character
    // whose trail byte is 0x5C loses that byte.
    ch* last = path + length - 1;
    if (*last == backslash) *last = 0;
    return last;
}

template <class T>
BOOL path_append(typename T::ch* path, const typename T::ch* more) {
    // Together below longest_path, so the separator still fits.
    if (T::len(path) + T::len(more) >= longest_path) return 0;
    path_add_backslash<T>(path);
    T::cat(path, more);
    return 1;
}

template <class T>
BOOL path_remove_file_spec(typename T::ch* path) {
    using ch = typename T::ch;
    ch* cut = path;
    for (ch* p = path; *p; p = T::next(p)) {
        if (*p == backslash) {
            cut = p;
        } else if (*p == colon) {
            // A backslash right after a colon belongs to the drive root, so it is stepped
            // over and never becomes the cut.
            ch* after = T::next(p);
            if (*after == backslash) p = after;
            cut = T::next(p);
        }
    }
    if (*cut == 0) return 0;
    if (cut == path && *cut == backslash) {
        // A path such as \dir keeps its leading backslash; \ alone has nothing to remove.
        if (cut[1] == 0) return 0;
        cut[1] = 0;
        return 1;
    }
    *cut = 0;
    return 1;
}

template <class T>
BOOL path_strip_to_root(typename T::ch* path) {
    if (path_is_root<T>(path)) return 1;
    // Each successful removal makes the path shorter, so this ends.
    while (path_remove_file_spec<T>(path)) {
        if (path_is_root<T>(path)) return 1;
    }
    return 0;
}

template <class T>
typename T::ch* path_skip_root(const typename T::ch* path) {
    using ch = typename T::ch;
    const int length = T::len(path);
    // A path that does not fit the working copy is not examined at all: cutting it to fit
    // could cut through a server or share name and report a root that the whole path lacks.
    if (length >= path_chars) return nullptr;
    ch root[path_chars];
    T::copy(root, path);
    if (!path_strip_to_root<T>(root)) return nullptr;
    return const_cast<ch*>(path) + T::len(root);
}

template <class T>
void path_quote_spaces(typename T::ch* path) {
    using ch = typename T::ch;
    if (!T::find(path, space)) return;
    // The quotes add a character at each end. The quoted text must fit the working copy and,
    // like every grown path, stay within longest_path; a longer path is left as it was.
    const int length = T::len(path);
    if (length + 2 > longest_path) return;
    ch quoted[path_chars];
    quoted[0] = quote;
    T::copy(quoted + 1, path);
    quoted[length + 1] = quote;
    quoted[length + 2] = 0;
    T::copy(path, quoted);
}

template <class T>
BOOL path_is_directory(const typename T::ch* path) {
    using ch = typename T::ch;
    ch saved[path_chars] = {};
    // The current directory is entered again afterwards, so nothing is tried (the answer is 0)
    // unless its name was read whole and leads back to it. Wine answers 0 for a directory
    // longer than the buffer (in the A form a double-byte name may need more than 260 bytes);
    // an ANSI name with "?" or a best-fit letter for a character the code page lacks would
    // restore nothing, or another directory.
    const DWORD saved_chars = T::get_current_directory(path_chars, saved);
    if (saved_chars == 0 || saved_chars >= static_cast<DWORD>(path_chars) || !T::names_current_directory(saved))
        return 0;
    const BOOL entered = T::set_current_directory(path);
    T::set_current_directory(saved);
    return entered;
}

#define INSTANTIATE(T)                                  \
    template T::ch* path_add_backslash<T>(T::ch*);      \
    template T::ch* path_remove_backslash<T>(T::ch*);   \
    template BOOL path_append<T>(T::ch*, const T::ch*); \
    template BOOL path_remove_file_spec<T>(T::ch*);     \
    template BOOL path_strip_to_root<T>(T::ch*);        \
    template T::ch* path_skip_root<T>(const T::ch*);    \
    template void path_quote_spaces<T>(T::ch*);         \
    template BOOL path_is_directory<T>(const T::ch*);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
