// Byte counts as all their digits with a point between groups of three: "1.234.567". The
// separator is always the point, whatever the user's locale, and no unit is added.
#include "frame/limits.h"
#include "str/str_internal.h"

namespace keldanu {

namespace {

// The largest count, 18446744073709551615, has 20 digits and a grouped text of 26
// characters; the buffer keeps a comfortable 256.
constexpr int result_chars = 256;
constexpr int group_digits = 3;

}  // namespace

// The digits are written to the start of the result; then each full group counted from the
// right moves right by the points still to go in before it, the last group first, so every
// digit is read before anything is written over it. The first group, 1 to 3 digits, stays.
template <class T>
typename T::ch* str_format_byte_points(ULONGLONG count, typename T::ch* buf, int cch) {
    using ch = typename T::ch;
    ch result[result_chars];
    ch* from = put_decimal<T>(result, count);
    ch* to = from + (from - result - 1) / group_digits;
    *to = 0;
    while (to > from) {
        for (int i = 0; i < group_digits; ++i) *--to = *--from;
        *--to = dot;
    }
    return T::copy_n(buf, result, cch);
}

#define INSTANTIATE(T) template T::ch* str_format_byte_points<T>(ULONGLONG, T::ch*, int);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
