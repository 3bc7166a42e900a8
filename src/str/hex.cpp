// Hexadecimal text to a number. The digits are plain ASCII comparisons, so the result never
// depends on the code page.
#include "str/str_internal.h"

namespace keldanu {

namespace {

// The digit's value, or -1 for a character that is not a hexadecimal digit. Compared as
// unsigned units so that ANSI bytes of 0x80 and above (lead bytes too) are never digits.
template <class T>
int hex_digit_value(typename T::uch c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

template <class T>
int str_hex_to_decimal(const typename T::ch* text, int error_value) {
    using uch = typename T::uch;
    // A null text gives 0 like an empty one. It is answered here rather than left to
    // lstrlen, which gets there only by catching the access fault.
    if (!text) return 0;
    const int length = T::len(text);
    if (length < 1) return 0;
    DWORD value = 0;  // unsigned so that more than eight digits wrap instead of overflowing
    for (int i = 0; i < length; ++i) {
        const uch c = static_cast<uch>(text[i]);
        if (c == 'h' || c == 'H') break;  // a suffix "h" ends the number; what follows is not read
        const int digit = hex_digit_value<T>(c);
        if (digit < 0) return error_value;
        value = (value << 4) + static_cast<DWORD>(digit);
    }
    return static_cast<int>(value);
}

#define INSTANTIATE(T) template int str_hex_to_decimal<T>(const T::ch*, int);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
