// The four forms of a count formatter behind one call, each into an exact-capacity buffer at a no-access page.
#pragma once

#include "support/support.h"

namespace test {

enum count_form { form_a, form_w, form_ex_a, form_ex_w };
constexpr count_form count_forms[] = {form_a, form_w, form_ex_a, form_ex_w};

// Calls one form of a family: `a` and `w` are the two buffers, one of them used.
using count_call = void* (*)(count_form f, ULONGLONG count, char* a, wchar_t* w, int capacity, BOOL comma);

// What form `f` leaves in a buffer of `capacity` characters ("<null>", "<not the buffer>" for
// other results); it sets no error code and writes nothing after the text's terminator.
template <class C>
std::string format(count_call call, count_form f, ULONGLONG count, int capacity = 64, BOOL comma = FALSE) {
    guarded<C> buf(capacity, 0x7F);
    SetLastError(sentinel);
    void* got = call(f, count, reinterpret_cast<char*>(buf.p()), reinterpret_cast<wchar_t*>(buf.p()), capacity, comma);
    EXPECT_EQ(GetLastError(), sentinel);
    if (!got) return "<null>";
    if (got != buf.p()) return "<not the buffer>";
    if (capacity == 0 || buf.marked_from(0)) return "<untouched>";
    const std::string text = shown(buf.s());
    EXPECT_TRUE(buf.marked_from(text.size() + 1)) << "written after the terminator";
    return text;
}

// Every form that takes `count` (the 32-bit ones below 2^32) must give `expected`.
inline void expect_all(count_call call, ULONGLONG count, const std::string& expected, int capacity = 64,
                       BOOL comma = FALSE) {
    for (count_form f : count_forms) {
        if (count > 0xFFFFFFFFull && (f == form_a || f == form_w)) continue;
        EXPECT_EQ(
            f % 2 ? format<wchar_t>(call, f, count, capacity, comma) : format<char>(call, f, count, capacity, comma),
            expected)
            << "form " << f << ", count " << count << ", capacity " << capacity;
    }
}

}  // namespace test
