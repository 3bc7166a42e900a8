// What the string and control routines offer the entry points and the other subsystems.
// Each template is instantiated for ansi_text and wide_text at the end of its own .cpp file.
#pragma once

#include "frame/text.h"

#include <climits>

namespace keldanu {

// ---- decimal digits: the byte sizes, the byte counts with points, the history value names ----
// Writes `value` in decimal, without leading zeros, and a terminator at `at`; returns the
// position of the terminator, so a caller that goes on writing or needs the length has it
// without counting. `at` has room for the digits and the zero: 11 characters for a value that
// fits 32 bits, 21 for any.
// The digits are the C runtime's unsigned conversion, the 32-bit one for a value that fits it:
// it costs less, and grouping digits must cost no more than that conversion.
template <class T>
typename T::ch* put_decimal(typename T::ch* at, ULONGLONG value) {
    constexpr int radix = 10;
    if (value <= ULONG_MAX)
        T::ulong_to_text(static_cast<ULONG>(value), at, radix);
    else
        T::ulonglong_to_text(value, at, radix);
    while (*at) ++at;
    return at;
}

// ---- byte sizes (byte_size.cpp) ----
// Writes `count` as a short size ("1023 Bytes", "1.5 KB", "100 KB", "4.0 GB") into `buf` with
// lstrcpyn semantics (at most `cch` - 1 characters and a zero; nothing when `cch` is 0), with a
// decimal comma when `comma` is nonzero. Returns `buf`, or NULL when it could not be written.
template <class T>
typename T::ch* str_format_byte_size(ULONGLONG count, typename T::ch* buf, int cch, BOOL comma);

// ---- byte counts with points (byte_points.cpp) ----
// Writes all the digits of `count`, a point before each full group of three counted from the
// right ("1.234.567"), into `buf` with lstrcpyn semantics. Returns `buf`, or NULL when it could
// not be written.
template <class T>
typename T::ch* str_format_byte_points(ULONGLONG count, typename T::ch* buf, int cch);
// ---- hexadecimal text (hex.cpp) ----
// The value of a text of hexadecimal digits, optionally ended by "h"/"H"; `error_value` when
// it holds any other character, 0 when it is empty. Wraps modulo 2^32. The URL decoder calls
// it on the (at most two) digits after each "%" with an error value of 0.
template <class T>
int str_hex_to_decimal(const typename T::ch* text, int error_value);
// ---- combo boxes (combo.cpp) ----
// Appends the "|"-separated items of string resource `string_id` to the combo box's list and
// selects entry `select` unless it is -1. Always TRUE.
template <class T>
BOOL combo_fill(HINSTANCE module, HWND combo, UINT string_id, int select);
// Appends the history values 0 .. max_entries-1 of `key`\`sub_key` that are neither empty nor
// already in the list (compared ignoring case).
template <class T>
void combo_read_history(HWND combo, HKEY key, const typename T::ch* sub_key, int max_entries);
// Moves the edit text to the top of the list and stores the first max_entries entries as
// history values 0, 1, ...
template <class T>
void combo_save_history(HWND combo, HKEY key, const typename T::ch* sub_key, int max_entries);

}  // namespace keldanu
