// Byte counts as all their digits with a point between groups of three: "1.234.567". The
// separator is always the point, whatever the user's locale, and no unit is added.
// Platform calls: _ultoa/_ultow and _ui64toa/_ui64tow (the C runtime's unsigned conversions)
// and lstrcpynA/lstrcpynW (KERNEL32).
#include <climits>
#include <limits>

#include "frame/limits.h"
#include "str/str_internal.h"

namespace keldanu {

namespace {

// The largest count, 18446744073709551615, has 20 digits and a grouped text of 26
// characters; the buffer keeps a comfortable 256.
constexpr int result_chars = 256;
constexpr int group_digits = 3;
constexpr int decimal_radix = 10;

// How many digits the conversion writes for `count`: 1 for zero. The bound stops before it
// would pass the range of the type.
template <class Count>
int decimal_digits(Count count) {
    constexpr int most_digits = std::numeric_limits<Count>::digits10 + 1;
    int digits = 1;
    for (Count bound = decimal_radix; digits < most_digits && count >= bound; bound *= decimal_radix) ++digits;
    return digits;
}

template <class T>
void put_digits(ULONG count, typename T::ch* at) {
    T::ulong_to_text(count, at, decimal_radix);
}

template <class T>
void put_digits(ULONGLONG count, typename T::ch* at) {
    T::ulonglong_to_text(count, at, decimal_radix);
}

// The digits are converted to the start of the result; then each full group counted from the
// right moves right by the points still to go in before it, the last group first, so every
// digit is read before anything is written over it. The first group, 1 to 3 digits, stays.
template <class T, class Count>
typename T::ch* group_and_copy(Count count, typename T::ch* buf, int cch) {
    using ch = typename T::ch;
    ch result[result_chars];
    put_digits<T>(count, result);
    const int length = decimal_digits(count);
    ch* from = result + length;
    ch* to = from + (length - 1) / group_digits;
    *to = 0;
    while (to > from) {
        for (int i = 0; i < group_digits; ++i) *--to = *--from;
        *--to = dot;
    }
    return T::copy_n(buf, result, cch);
}

}  // namespace

template <class T>
typename T::ch* str_format_byte_points(ULONGLONG count, typename T::ch* buf, int cch) {
    // A count that fits 32 bits gets the same digits from the 32-bit conversion, and its
    // grouping needs no 64-bit arithmetic.
    if (count <= ULONG_MAX) return group_and_copy<T>(static_cast<ULONG>(count), buf, cch);
    return group_and_copy<T>(count, buf, cch);
}

#define KELDANU_INSTANTIATE(T) template T::ch* str_format_byte_points<T>(ULONGLONG, T::ch*, int);
KELDANU_FOR_BOTH_WIDTHS(KELDANU_INSTANTIATE)
#undef KELDANU_INSTANTIATE

}  // namespace keldanu
