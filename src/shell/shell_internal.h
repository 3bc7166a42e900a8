// What the shell routines offer the other subsystems. Each template is instantiated for
// ansi_text and wide_text at the end of its own .cpp file.
#pragma once

#include "frame/text.h"

#include <commctrl.h>

namespace keldanu {

// ---- folder browsing, special folders, system image list (folders.cpp) ----
// Shows the shell's folder browser titled with string `title_id` of `instance`, starting on
// the folder named in `path` (MAX_PATH characters); on OK the chosen folder's path replaces
// it and the result is TRUE, on cancel the buffer is left alone and the result is FALSE.
BOOL folders_browse(HINSTANCE instance, HWND owner, char* path, UINT title_id);
// The file-system path of special folder `folder` (a CSIDL number), cut to `capacity`
// characters with its terminator. FALSE with an empty buffer when it has none; FALSE with
// nothing written when the buffer cannot take `capacity` bytes or `capacity` is not positive.
BOOL folders_get_special_location(HWND owner, int folder, char* path, int capacity);
// The shell's own image list of small (nonzero) or large (0) icons; NULL on failure.
HIMAGELIST folders_get_system_image_list(BOOL small_icons);

// ---- system queries (sysinfo.cpp) ----
// The Windows version's numbers and service-pack text (128 characters); an output that
// cannot be written is skipped.
template <class T>
void sysinfo_get_windows_version(DWORD* major, DWORD* minor, DWORD* build, DWORD* platform,
                                 typename T::ch* service_pack);
// The common-controls library's major and minor version; FALSE with neither written when an
// output is unwritable or the library cannot tell.
BOOL sysinfo_get_comctl_version(DWORD* major, DWORD* minor);
// Lines per wheel notch: the cached answer unless `refresh` is set or nothing is cached yet.
int sysinfo_get_mouse_scroll_lines(BOOL refresh);

// ---- registry profile strings (profile.cpp) ----
// Reads value `value` of `key`\`sub_key` into `buf` (capacity `chars` characters, cleared
// first). TRUE with the value's raw data, zero-terminated; otherwise FALSE with `fallback`
// (cut to fit) or, for an unwritable buffer or a NULL sub_key, nothing.
template <class T>
BOOL profile_get_string(HKEY key, const typename T::ch* sub_key, const typename T::ch* value,
                        const typename T::ch* fallback, typename T::ch* buf, DWORD chars);

// Stores `data` as a REG_SZ value without its terminating zero, creating the subkey if
// needed. TRUE when the value was stored.
template <class T>
BOOL profile_write_string(HKEY key, const typename T::ch* sub_key, const typename T::ch* value,
                          const typename T::ch* data);

// ---- create-shortcut launcher (create_shortcut.cpp) ----
// Starts the shell's registered create-shortcut command with `folder` put in for %1 and %2.
// TRUE when a program was started.
template <class T>
BOOL create_shortcut_launch(const typename T::ch* folder);

}  // namespace keldanu
