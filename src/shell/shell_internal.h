// What the shell routines offer the other subsystems. Each template is instantiated for
// ansi_text and wide_text at the end of its own .cpp file.
#pragma once

#include "frame/text.h"

namespace keldanu {

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
template <class T> BOOL create_shortcut_launch(const typename T::ch* folder);

}  // namespace keldanu
