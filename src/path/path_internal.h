// What the path routines offer each other and the other subsystems. Each template is
// instantiated for ansi_text and wide_text at the end of its own .cpp file.
#pragma once

#include "frame/text.h"

namespace keldanu {

// ---- scanning (scan.cpp) ----
template <class T> typename T::ch* path_find_file_name(const typename T::ch* path);
template <class T> typename T::ch* path_find_extension(const typename T::ch* path);
template <class T> typename T::ch* path_find_next_component(const typename T::ch* path);
template <class T> BOOL path_is_root(const typename T::ch* path);
template <class T> BOOL path_is_unc(const typename T::ch* path);
template <class T> BOOL path_is_relative(const typename T::ch* path);

// The last character in [start, end) that equals `wanted` (its first byte, and for a
// double-byte character its trail byte too), stepping by characters; NULL when none.
// A NULL end stands for the terminating zero of the string at start.
char* path_find_last_char(const char* start, const char* end, WORD wanted);

// ---- editing (edit.cpp) ----
// Appends a backslash unless the path already ends in one; returns the new end, or NULL when
// the result would exceed 259 characters (the path is then left as it was).
template <class T> typename T::ch* path_add_backslash(typename T::ch* path);

// ---- display (display.cpp) ----
template <class T> BOOL path_compact_path(HDC dc, typename T::ch* path, UINT width);
template <class T> BOOL path_set_dlg_item_path(HWND dialog, int id, const typename T::ch* path);

// ---- shell-link shortcuts (shortcut.cpp) ----
template <class T>
BOOL path_read_shortcut(HWND owner, const typename T::ch* file, typename T::ch* target, typename T::ch* description,
                        typename T::ch* directory, typename T::ch* arguments);
template <class T>
BOOL path_save_shortcut(const typename T::ch* file, const typename T::ch* target, const typename T::ch* description,
                        const typename T::ch* directory, const typename T::ch* arguments);

}  // namespace keldanu
