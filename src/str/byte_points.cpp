// Byte counts as all their digits with a point between groups of three: "1.234.567". The
// separator is always the point, whatever the user's locale, and no unit is added.
// Platform calls: _ui64toa/_ui64tow (the C runtime's unsigned conversion) and
// lstrcpynA/lstrcpynW (KERNEL32).
#include <cstdlib>

#include "str/str_internal.h"

namespace keldanu {

namespace {

// The digits of the largest count, 18446744073709551615, are 20 characters and its grouped
// text 26; both buffers keep a comfortable 256.
constexpr int digit_chars = 256;
constexpr int result_chars = 256;
constexpr int group_digits = 3;

template <class T>
void put_digits(ULONGLONG count, typename T::ch* digits) {
    if constexpr (T::wide)
        _ui64tow(count, digits, 10);
    else
        _ui64toa(count, digits, 10);
}

}  // namespace

template <class T>
typename T::ch* str_format_byte_points(ULONGLONG count, typename T::ch* buf, int cch) {
    using ch = typename T::ch;
    ch digits[digit_chars] = {};
    ch result[result_chars] = {};
    put_digits<T>(count, digits);
    const int length = T::len(digits);
    int out = 0;
    for (int i = 0; i < length; ++i) {
        // A point before each digit that opens a full group counted from the right, never
        // before the first digit.
        if (i > 0 && (length - i) % group_digits == 0) result[out++] = '.';
        result[out++] = digits[i];
    }
    result[out] = 0;
    return T::copy_n(buf, result, cch);
}

#define KELDANU_INSTANTIATE(T) \
    template T::ch* str_format_byte_points<T>(ULONGLONG, T::ch*, int);
KELDANU_INSTANTIATE(ansi_text)
KELDANU_INSTANTIATE(wide_text)
#undef KELDANU_INSTANTIATE

}  // namespace keldanu
