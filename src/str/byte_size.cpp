// Byte counts as short sizes for display: "1023 Bytes", "1.5 KB", "100 KB", "1.0 MB", "4.0 GB".
// The unit words and the decimal point are fixed and ignore the user's locale. The one-decimal
// figures are computed in whole tenths with integer arithmetic, not printed with "%.1f", because
// the C runtimes round exact ties (1280 bytes is 1.25 KB) differently from one another.
#include "frame/limits.h"
#include "str/str_internal.h"

#include <bit>
#include <iterator>

namespace keldanu {

namespace {

// A double holds 53 significant bits; larger counts are taken to the nearest double first.
constexpr int double_bits = 53;

struct band {
    ULONGLONG below;     // the first count past this band; 0 for the last, open band
    int shift;           // log2 of the unit in bytes
    bool tenths;         // one decimal, or the whole number of units truncated
    const char* unit_a;  // the unit with its leading space
    const wchar_t* unit_w;
};

// Tried in order; each bound is a strict less-than test on the unsigned count. 102400 is
// 100 KB: below it kilobytes carry a decimal, above it they are whole. There is no unit past
// gigabytes, so a terabyte shows as 1024.0 GB.
constexpr band bands[] = {
    {1024, 0, false, " Bytes", L" Bytes"},  // "0 Bytes" to "1023 Bytes"
    {102400, 10, true, " KB", L" KB"},      // "1.0 KB" to "100.0 KB" (102399 rounds up)
    {1048576, 10, false, " KB", L" KB"},    // "100 KB" to "1023 KB"
    {1073741824, 20, true, " MB", L" MB"},  // "1.0 MB" to "1024.0 MB"
    {0, 30, true, " GB", L" GB"},           // "1.0 GB" and up
};

const band& band_of(ULONGLONG count) {
    for (const band& b : bands)
        if (b.below == 0 || count < b.below) return b;
    return bands[std::size(bands) - 1];
}

// The count in units of 2^shift bytes, in tenths, rounded half up on its exact decimal value:
// (count * 10 + 2^(shift - 1)) / 2^shift. A count of 2^53 or more is first rounded to the
// nearest double (ties to even, as a conversion to floating point does), so its figure is the
// one that double stands for; that value is a whole number and is then rounded half up like
// any other. Its significand stays below 2^54 and its exponent at most 12 (the top count
// rounds to 2^64 = 2^52 * 2^12), so neither the product nor the shift overflows.
ULONGLONG unit_tenths(ULONGLONG count, int shift) {
    ULONGLONG significand = count;
    int exponent = 0;
    const int width = std::bit_width(count);
    if (width > double_bits) {
        exponent = width - double_bits;
        significand = count >> exponent;
        const ULONGLONG rest = count & ((1ull << exponent) - 1);
        const ULONGLONG half = 1ull << (exponent - 1);
        if (rest > half || (rest == half && (significand & 1))) ++significand;
        if (significand >> double_bits) {
            // Rounded up to the next power of two.
            significand >>= 1;
            ++exponent;
        }
    }
    // Only the gigabyte band sees counts past 2^53, so the exponent is always below the shift.
    const int drop = shift - exponent;
    return (significand * 10 + (1ull << (drop - 1))) >> drop;
}

}  // namespace

template <class T>
typename T::ch* str_format_byte_size(ULONGLONG count, typename T::ch* buf, int cch, BOOL comma) {
    using ch = typename T::ch;
    // The longest text of any count, "17179869184.0 GB", is 16 characters; the work buffer has
    // the library's usual capacity, a path's.
    ch work[path_chars];
    const band& b = band_of(count);
    ch* end;
    if (b.tenths) {
        const ULONGLONG tenths = unit_tenths(count, b.shift);
        end = put_decimal<T>(work, tenths / 10);
        *end++ = dot;
        end = put_decimal<T>(end, tenths % 10);
    } else {
        // Whole units are truncated, never rounded: 1048575 bytes is 1023 KB.
        end = put_decimal<T>(work, count >> b.shift);
    }
    T::cat(end, T::pick(b.unit_a, b.unit_w));
    if (comma) {
        for (ch* p = work; *p; ++p)
            if (*p == dot) *p = ',';
    }
    return T::copy_n(buf, work, cch);
}

#define INSTANTIATE(T) template T::ch* str_format_byte_size<T>(ULONGLONG, T::ch*, int, BOOL);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
