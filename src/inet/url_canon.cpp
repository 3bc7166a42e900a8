// Percent-escape decoding of a URL in the caller's buffer; each escape's digits are read by
// the hexadecimal converter.
#include "frame/limits.h"
#include "inet/inet_internal.h"
#include "str/str_internal.h"

namespace keldanu {

namespace {

constexpr char escape_mark = '%';

// Decodes the escapes of `text` in place. The result is the one of the plain method -- take
// the first "%" of the whole text, put the character its two following characters give in
// place of all three (nothing for the value 0), and search again from the beginning -- but
// it costs one pass. In the plain method the text before the first "%" never changes again,
// so it is final at once; the only thing that sends the search back is a decoded "%", which
// is then the first "%" of the text and takes the next two characters as its digits. So
// "%2541" becomes "A", and so does "%252541".
// Writing never overtakes reading (an escape gives at most one character for at least two
// read), so the digits still to be read are never overwritten.
template <class T>
void decode_escapes(typename T::ch* text) {
    using ch = typename T::ch;
    const int length = T::len(text);
    int read = 0;
    int write = 0;
    while (read < length) {
        if (text[read] != escape_mark) {
            text[write++] = text[read++];
            continue;
        }
        int digits = read + 1;  // the first digit of the escape being decoded
        for (;;) {
            // The next two characters, or fewer where the text ends.
            ch digit_text[3];
            T::copy_n(digit_text, text + digits, 3);
            // The A form keeps the low 8 bits and the W form the low 16: the value itself is
            // the character code (a byte of the code page, or a unit U+0000 to U+00FF).
            const ch decoded = static_cast<ch>(str_hex_to_decimal<T>(digit_text, 0));
            // Whatever followed the escape goes on after its two digits. An escape among the
            // last two characters has nothing after it.
            read = digits + 2 < length ? digits + 2 : length;
            if (decoded != escape_mark) {
                if (decoded != 0) text[write++] = decoded;
                break;
            }
            digits = read;
        }
    }
    text[write] = 0;
}

}  // namespace

template <class T>
BOOL url_canonicalize(typename T::ch* url, DWORD reserved) {
    using ch = typename T::ch;
    if (reserved != 0) return 0;
    if (T::bad_write(url, url_buffer_chars)) return 0;
    // Decoded in a copy of at most 2059 characters, so a longer text comes back cut there and
    // nothing beyond the caller's 2061 characters is ever read.
    ch work[url_buffer_chars];
    T::copy_n(work, url, url_copy_count);
    decode_escapes<T>(work);
    T::copy_n(url, work, url_copy_count);
    return 1;
}

#define INSTANTIATE(T) template BOOL url_canonicalize<T>(T::ch*, DWORD);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
