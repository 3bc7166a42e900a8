// What the string utilities offer the other subsystems. Each template is instantiated for
// ansi_text and wide_text at the end of its own .cpp file.
#pragma once

#include "frame/text.h"

namespace keldanu {

// ---- combo boxes (combo.cpp) ----
// Appends the "|"-separated items of string resource `string_id` to the combo box's list and
// selects entry `select` unless it is -1. Always TRUE.
template <class T> BOOL combo_fill(HINSTANCE module, HWND combo, UINT string_id, int select);
// Appends the history values 0 .. max_entries-1 of `key`\`sub_key` that are neither empty nor
// already in the list (compared ignoring case).
template <class T> void combo_read_history(HWND combo, HKEY key, const typename T::ch* sub_key, int max_entries);
// Moves the edit text to the top of the list and stores the first max_entries entries as
// history values 0, 1, ...
template <class T> void combo_save_history(HWND combo, HKEY key, const typename T::ch* sub_key, int max_entries);

}  // namespace keldanu
