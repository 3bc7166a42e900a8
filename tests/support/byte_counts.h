// Helpers for the tests of the count formatters: their four forms behind one call, the copy
// into a caller's buffer checked for every form, a repeatable source of counts spread over
// every magnitude, and a page that cannot be written.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace test {

// xorshift64*, fixed seed: the same counts in every run, so a failure can be repeated.
class count_source {
public:
    explicit count_source(unsigned long long seed = 0x9E3779B97F4A7C15ull) : state_(seed) {}

    unsigned long long next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }

    // A count whose bit width is uniform in 0..max_bits, so every band gets its share.
    unsigned long long spread(int max_bits) {
        const int width = static_cast<int>(next() % static_cast<unsigned>(max_bits + 1));
        if (width == 0) return 0;
        const unsigned long long top = 1ull << (width - 1);
        const unsigned long long below = width == 1 ? 0 : next() & (top - 1);
        return top | below;
    }

private:
    unsigned long long state_;
};

// The result of a W formatter as narrow text; a unit outside ASCII shows as '?' so that the
// comparison with the expected text fails visibly.
inline std::string ascii_of(const wchar_t* w) {
    std::string s;
    for (; *w; ++w) s.push_back(*w < 0x80 ? static_cast<char>(*w) : '?');
    return s;
}

// The four forms of a count formatter: a 32-bit or a 64-bit count, ANSI or wide text.
enum class form { a, w, ex_a, ex_w };
inline constexpr form every_form[] = {form::a, form::w, form::ex_a, form::ex_w};
inline bool is_wide(form f) { return f == form::w || f == form::ex_w; }
// The 32-bit forms take only counts below 2^32.
inline bool takes(form f, unsigned long long count) {
    return count <= 0xFFFFFFFFull || f == form::ex_a || f == form::ex_w;
}

// One family's four entries: calls form `f` with the buffer of its width (`a` or `w`) and
// returns what the entry returned. `comma` is the byte-size entries' last argument; the
// digit-grouping entries have none and ignore it.
using formatter = void* (*)(form f, unsigned long long count, char* a, wchar_t* w, int capacity, BOOL comma);

// The text form `f` writes into a roomy buffer, or a marker when it does not return the buffer.
inline std::string text_of(formatter call, form f, unsigned long long count, BOOL comma = FALSE) {
    constexpr int capacity = 64;
    char a[capacity];
    wchar_t w[capacity];
    void* const got = call(f, count, a, w, capacity, comma);
    if (got != (is_wide(f) ? static_cast<void*>(w) : static_cast<void*>(a))) return "<not the buffer>";
    return is_wide(f) ? ascii_of(w) : std::string(a);
}

struct copy_row {
    unsigned long long count;
    int capacity;
    BOOL comma;
    const char* text;  // what the buffer holds afterwards; NULL: untouched
    const char* why;
};

// Each row in every form, on a 32-unit buffer of markers: the entry returns the buffer, sets
// no error code, writes the row's text and its terminator and nothing after them.
template <size_t rows>
void check_copies(formatter call, const char* const (&names)[4], const copy_row (&table)[rows]) {
    constexpr int marker = 0x7F;
    for (const copy_row& row : table) {
        SCOPED_TRACE(row.why);
        for (form f : every_form) {
            SCOPED_TRACE(names[static_cast<int>(f)]);
            char a[32];
            wchar_t w[32];
            std::fill(std::begin(a), std::end(a), static_cast<char>(marker));
            std::fill(std::begin(w), std::end(w), static_cast<wchar_t>(marker));
            // The error code is read right after the call, and only then is the buffer read.
            SetLastError(0xDEADBEEF);
            void* const got = call(f, row.count, a, w, row.capacity, row.comma);
            EXPECT_EQ(GetLastError(), 0xDEADBEEFu) << "an error code was set";
            const bool wide = is_wide(f);
            EXPECT_EQ(got, wide ? static_cast<void*>(w) : static_cast<void*>(a));
            int written = 0;
            if (row.text) {
                EXPECT_EQ(wide ? ascii_of(w) : std::string(a), row.text);
                written = static_cast<int>(std::string(row.text).size()) + 1;
            }
            for (int i = written; i < 32; ++i)
                ASSERT_EQ(wide ? static_cast<int>(w[i]) : static_cast<int>(a[i]), marker) << "written at " << i;
        }
    }
}

// One committed page filled with `fill` and then made read-only.
class read_only_page {
public:
    explicit read_only_page(unsigned char fill = 0x5A) {
        base_ = static_cast<unsigned char*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!base_) return;
        FillMemory(base_, bytes, fill);
        DWORD old;
        VirtualProtect(base_, bytes, PAGE_READONLY, &old);
    }
    ~read_only_page() {
        if (base_) VirtualFree(base_, 0, MEM_RELEASE);
    }
    read_only_page(const read_only_page&) = delete;
    read_only_page& operator=(const read_only_page&) = delete;

    unsigned char* data() const { return base_; }
    // True when every byte still holds `fill`.
    bool untouched(unsigned char fill = 0x5A) const {
        for (size_t i = 0; i < bytes; ++i)
            if (base_[i] != fill) return false;
        return true;
    }
    static constexpr size_t bytes = 4096;

private:
    unsigned char* base_ = nullptr;
};

}  // namespace test
