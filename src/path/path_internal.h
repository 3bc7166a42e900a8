// What the path routines offer each other and the other subsystems. Each template is
// instantiated for ansi_text and wide_text at the end of its own .cpp file.
#pragma once

#include "frame/text.h"

namespace keldanu {

// ---- scanning (scan.cpp) ----
template <class T>
typename T::ch* path_find_file_name(const typename T::ch* path);
template <class T>
typename T::ch* path_find_extension(const typename T::ch* path);
template <class T>
typename T::ch* path_find_next_component(const typename T::ch* path);
template <class T>
BOOL path_is_root(const typename T::ch* path);
template <class T>
BOOL path_is_unc(const typename T::ch* path);
template <class T>
BOOL path_is_relative(const typename T::ch* path);

// ---- editing (edit.cpp) ----
// Appends a backslash unless the path already ends in one; returns the new end, or NULL when
// the result would exceed 259 characters (the path is then left as it was).
template <class T>
typename T::ch* path_add_backslash(typename T::ch* path);
// The last character of the path, after removing it when it is a backslash (a single unit,
// so a trail byte 0x5C goes too); the path itself when it is empty.
template <class T>
typename T::ch* path_remove_backslash(typename T::ch* path);
// Adds a backslash and `more`; 0 (path unchanged) when the two lengths reach 259.
template <class T>
BOOL path_append(typename T::ch* path, const typename T::ch* more);
// Cuts off the last component; 0 when there is nothing left to remove.
template <class T>
BOOL path_remove_file_spec(typename T::ch* path);
// Removes components until the path is a root; 0 when it never becomes one.
template <class T>
BOOL path_strip_to_root(typename T::ch* path);
// The position right after the root, or NULL (no root, or 260 characters or more).
template <class T>
typename T::ch* path_skip_root(const typename T::ch* path);
// Puts quotes around a path that holds a space, unless it would exceed 259 characters.
template <class T>
void path_quote_spaces(typename T::ch* path);
// Nonzero when the path can be made the current directory; the current directory is
// remembered and restored around the try.
template <class T>
BOOL path_is_directory(const typename T::ch* path);

// ---- canonical form (canonical.cpp) ----
// Writes the canonical form of `path` to `dest` (room for the length of path plus 2 bytes,
// not overlapping it); always 1.
BOOL path_canonicalize(char* dest, const char* path);

// ---- display (display.cpp) ----
template <class T>
BOOL path_compact_path(HDC dc, typename T::ch* path, UINT width);
template <class T>
BOOL path_set_dlg_item_path(HWND dialog, int id, const typename T::ch* path);

// ---- shell-link shortcuts (shortcut.cpp) ----
template <class T>
BOOL path_read_shortcut(HWND owner, const typename T::ch* file, typename T::ch* target, typename T::ch* description,
                        typename T::ch* directory, typename T::ch* arguments);
template <class T>
BOOL path_save_shortcut(const typename T::ch* file, const typename T::ch* target, const typename T::ch* description,
                        const typename T::ch* directory, const typename T::ch* arguments);

}  // namespace keldanu
