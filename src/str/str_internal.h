// What the string utilities offer the other subsystems. Each template is instantiated for
// ansi_text and wide_text at the end of its own .cpp file.
#pragma once

#include "frame/text.h"

namespace keldanu {

// ---- hexadecimal text (hex.cpp) ----
// The value of a text of hexadecimal digits, optionally ended by "h"/"H"; `error_value` when
// it holds any other character, 0 when it is empty. Wraps modulo 2^32. The URL decoder calls
// it on the (at most two) digits after each "%" with an error value of 0.
template <class T> int str_hex_to_decimal(const typename T::ch* text, int error_value);

}  // namespace keldanu
