// StrFormatByteSizeA/W and StrFormatByteSizeExA/W: band edges, exact ties, a sweep checked
// against exact decimal arithmetic done here on digit strings, and the copy into the
// caller's buffer (cut, capacity 0, unwritable memory).
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "keldanu.h"
#include "support/byte_counts.h"
#include "support/support.h"

namespace {

// ---- the four forms ----

using test::every_form;
using test::form;

const char* const names[] = {"StrFormatByteSizeA", "StrFormatByteSizeW", "StrFormatByteSizeExA",
                             "StrFormatByteSizeExW"};

void* call(form f, unsigned long long count, char* a, wchar_t* w, int capacity, BOOL comma) {
    const DWORD low = static_cast<DWORD>(count);
    switch (f) {
        case form::a: return StrFormatByteSizeA(low, a, capacity, comma);
        case form::w: return StrFormatByteSizeW(low, w, capacity, comma);
        case form::ex_a: return StrFormatByteSizeExA(count, a, capacity, comma);
        case form::ex_w: return StrFormatByteSizeExW(count, w, capacity, comma);
    }
    return nullptr;
}

std::string with_comma(std::string s) {
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

// Checks every form that takes `count` (the 32-bit ones only below 2^32), with the point and
// with the comma. Returns false after reporting the first form that differs.
bool all_forms_give(unsigned long long count, const std::string& expected) {
    for (form f : every_form) {
        if (!test::takes(f, count)) continue;
        for (BOOL comma : {FALSE, TRUE}) {
            const std::string want = comma ? with_comma(expected) : expected;
            const std::string got = test::text_of(call, f, count, comma);
            if (got != want) {
                ADD_FAILURE() << names[static_cast<int>(f)] << "(" << count << ", comma " << comma << ") gave \"" << got
                              << "\", expected \"" << want << "\"";
                return false;
            }
        }
    }
    return true;
}

// ---- the reference: exact decimal arithmetic on digit strings ----
// Nothing here shifts or divides binary numbers the way the library does: the figure
// count / 2^k is written out as the exact decimal count * 5^k / 10^k and rounded on its
// digits.

// A whole number as its decimal digits, most significant first.
using decimal = std::string;

decimal times(decimal d, unsigned factor) {
    unsigned carry = 0;
    for (auto it = d.rbegin(); it != d.rend(); ++it) {
        const unsigned v = static_cast<unsigned>(*it - '0') * factor + carry;
        *it = static_cast<char>('0' + v % 10);
        carry = v / 10;
    }
    for (; carry; carry /= 10) d.insert(d.begin(), static_cast<char>('0' + carry % 10));
    return d;
}

decimal plus_one(decimal d) {
    for (auto it = d.rbegin(); it != d.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return d;
        }
        *it = '0';
    }
    return "1" + d;
}

// The number of bytes the figure stands for: the count itself below 2^53; from there the
// value of the double nearest to the count, as the floating-point unit converts it.
decimal bytes_of(unsigned long long count) {
    if (count < (1ull << 53)) return std::to_string(count);
    int exponent = 0;
    const double fraction = std::frexp(static_cast<double>(count), &exponent);
    decimal d = std::to_string(static_cast<unsigned long long>(std::ldexp(fraction, 53)));
    for (int i = 53; i < exponent; ++i) d = times(d, 2);
    return d;
}

// bytes / 2^shift rounded half up to one decimal: "1.3" for 1280 bytes and shift 10.
std::string one_decimal(const decimal& bytes, int shift) {
    decimal d = bytes;
    for (int i = 0; i < shift; ++i) d = times(d, 5);
    const size_t places = static_cast<size_t>(shift);
    if (d.size() <= places) d.insert(0, places + 1 - d.size(), '0');
    const decimal whole = d.substr(0, d.size() - places);
    const decimal fraction = d.substr(d.size() - places);
    decimal tenths = whole + fraction[0];
    // What follows the tenths digit is 0.05 or more exactly when the next digit is 5 or more.
    if (fraction[1] >= '5') tenths = plus_one(tenths);
    while (tenths.size() > 2 && tenths[0] == '0') tenths.erase(0, 1);
    return tenths.substr(0, tenths.size() - 1) + "." + tenths.back();
}

std::string expected_text(unsigned long long count) {
    constexpr unsigned long long kilo = 1024, mega = kilo * kilo, giga = mega * kilo;
    if (count < kilo) return std::to_string(count) + " Bytes";
    if (count < 100 * kilo) return one_decimal(bytes_of(count), 10) + " KB";
    if (count < mega) return std::to_string(count / kilo) + " KB";
    if (count < giga) return one_decimal(bytes_of(count), 20) + " MB";
    return one_decimal(bytes_of(count), 30) + " GB";
}

// ---- band edges and ties ----

struct size_row {
    unsigned long long count;
    const char* text;  // with the point; the comma form differs only there
    const char* why;
};

const size_row edge_rows[] = {
    {0, "0 Bytes", "zero is in bytes"},
    {1, "1 Bytes", "one byte keeps the plural word"},
    {1023, "1023 Bytes", "last count in bytes"},
    {1024, "1.0 KB", "first count in kilobytes"},
    {1075, "1.0 KB", "1.0498 KB rounds down"},
    {1076, "1.1 KB", "1.0508 KB rounds up"},
    {1279, "1.2 KB", "just below the tie 1.25 KB"},
    {1280, "1.3 KB", "1.25 KB exactly: the tie rounds up"},
    {1536, "1.5 KB", "exactly 1.5 KB"},
    {1791, "1.7 KB", "just below the tie 1.75 KB"},
    {1792, "1.8 KB", "1.75 KB exactly: the tie rounds up"},
    {102143, "99.7 KB", "just below the tie 99.75 KB"},
    {102144, "99.8 KB", "99.75 KB exactly: the tie rounds up"},
    {102348, "99.9 KB", "99.949 KB rounds down"},
    {102349, "100.0 KB", "99.950 KB rounds up to 100.0"},
    {102399, "100.0 KB", "last one-decimal kilobyte count shows 100.0"},
    {102400, "100 KB", "first whole-kilobyte count"},
    {103423, "100 KB", "100.999 KB is truncated"},
    {103424, "101 KB", "101 KB"},
    {1048575, "1023 KB", "last whole-kilobyte count, 1023.999 truncated"},
    {1048576, "1.0 MB", "first count in megabytes"},
    {1310719, "1.2 MB", "just below the tie 1.25 MB"},
    {1310720, "1.3 MB", "1.25 MB exactly: the tie rounds up"},
    {1073479679, "1023.7 MB", "just below the tie 1023.75 MB"},
    {1073479680, "1023.8 MB", "1023.75 MB exactly: the tie rounds up"},
    {1073741823, "1024.0 MB", "last count in megabytes shows 1024.0"},
    {1073741824, "1.0 GB", "first count in gigabytes"},
    {1342177279, "1.2 GB", "just below the tie 1.25 GB"},
    {1342177280, "1.3 GB", "1.25 GB exactly: the tie rounds up"},
    {4026531839ull, "3.7 GB", "just below the tie 3.75 GB"},
    {4026531840ull, "3.8 GB", "3.75 GB exactly: the tie rounds up"},
    {4294967295ull, "4.0 GB", "largest 32-bit count"},
    // 64-bit counts only.
    {4294967296ull, "4.0 GB", "2^32"},
    {5368709120ull, "5.0 GB", "5 GB"},
    {5637144576ull, "5.3 GB", "5.25 GB exactly: the tie rounds up"},
    {1099511627776ull, "1024.0 GB", "a terabyte stays in gigabytes"},
    {9007198986305535ull, "8388607.7 GB", "2^53 - 2^28 - 1, just below a tie and still exact"},
    {9007198986305536ull, "8388607.8 GB", "2^53 - 2^28: 8388607.75 GB rounds up"},
    {9007199254740991ull, "8388608.0 GB", "2^53 - 1, the last count a double holds exactly"},
    {9007199254740992ull, "8388608.0 GB", "2^53"},
    {9007199523176445ull, "8388608.2 GB", "2^53 + 2^28 - 3 goes to the even double below"},
    {9007199523176446ull, "8388608.2 GB", "2^53 + 2^28 - 2 is a double, just below the tie"},
    {9007199523176447ull, "8388608.3 GB", "2^53 + 2^28 - 1 goes to the tie (ties to even), which rounds up"},
    {9007199523176448ull, "8388608.3 GB", "2^53 + 2^28: 8388608.25 GB rounds up"},
    {9223372036854775808ull, "8589934592.0 GB", "2^63"},
    {18446744073441115135ull, "17179869183.7 GB", "2^64 - 2^28 - 1025 goes to the double below the tie"},
    {18446744073441115136ull, "17179869183.8 GB", "2^64 - 2^28 - 1024, halfway: goes to the even tie"},
    {18446744073441116159ull, "17179869183.8 GB", "2^64 - 2^28 - 1 goes to the tie"},
    {18446744073441116160ull, "17179869183.8 GB", "2^64 - 2^28: 17179869183.75 GB rounds up"},
    {18446744073709551615ull, "17179869184.0 GB", "largest 64-bit count goes to the double 2^64"},
};

TEST(ByteSize, BandEdgesAndTiesInEveryForm) {
    for (const auto& row : edge_rows) {
        SCOPED_TRACE(row.why);
        all_forms_give(row.count, row.text);
    }
}

// The table above is written by hand; the reference must agree with it before the sweep
// trusts the reference.
TEST(ByteSize, ReferenceAgreesWithTheHandWrittenRows) {
    for (const auto& row : edge_rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(expected_text(row.count), row.text) << row.count;
    }
}

// ---- the sweep ----

// Every tie of a one-decimal band (a count that is 2^(k-2) times an odd number, for the unit
// 2^k) with its neighbours, every count up to 4 KiB, the band edges, and counts spread over
// every bit width.
std::vector<unsigned long long> sweep_counts() {
    std::vector<unsigned long long> counts;
    for (unsigned long long n = 0; n <= 4096; ++n) counts.push_back(n);
    struct band { unsigned long long from, below; int shift; };
    const band bands[] = {{1024, 102400, 10}, {1ull << 20, 1ull << 30, 20}, {1ull << 30, 1ull << 33, 30}};
    for (const band& b : bands) {
        const unsigned long long step = 1ull << (b.shift - 2);
        for (unsigned long long tie = b.from + step; tie < b.below; tie += 2 * step)
            for (unsigned long long n : {tie - 1, tie, tie + 1}) counts.push_back(n);
    }
    for (unsigned long long edge : {1024ull, 102400ull, 1ull << 20, 1ull << 30, 1ull << 32, 1ull << 53})
        for (unsigned long long n = edge - 3; n <= edge + 3; ++n) counts.push_back(n);
    test::count_source source;
    for (int i = 0; i < 30000; ++i) counts.push_back(source.spread(32));
    for (int i = 0; i < 30000; ++i) counts.push_back(source.spread(64));
    // Ties past 2^53 and their neighbours, where the nearest double decides.
    for (int i = 0; i < 3000; ++i) {
        const unsigned long long tie = (source.spread(36) | 1) << 28;
        if (tie < (1ull << 53)) continue;
        for (unsigned long long d : {0ull, 1ull, 2ull, 1023ull, 1024ull, 1025ull}) {
            counts.push_back(tie - d);
            if (tie + d >= tie) counts.push_back(tie + d);
        }
    }
    return counts;
}

TEST(ByteSize, SweepMatchesExactDecimalArithmetic) {
    const std::vector<unsigned long long> counts = sweep_counts();
    int failures = 0;
    for (unsigned long long n : counts)
        if (!all_forms_give(n, expected_text(n)) && ++failures == 20) FAIL() << "stopping after 20 differences";
    RecordProperty("counts", static_cast<int>(counts.size()));
}

// ---- the copy into the caller's buffer ----

const test::copy_row copy_rows[] = {
    {1023, 5, FALSE, "1023", "cut after four characters"},
    {1023, 10, FALSE, "1023 Byte", "one character short"},
    {1023, 11, FALSE, "1023 Bytes", "exactly enough room"},
    {1023, 1, FALSE, "", "room for the terminator only"},
    {1023, 0, FALSE, nullptr, "capacity 0 writes nothing"},
    {1536, 2, TRUE, "1", "cut before the comma"},
    {1536, 3, TRUE, "1,", "cut just after the comma"},
    {1073741823, 10, FALSE, "1024.0 MB", "the longest 32-bit text fits in 10"},
};

TEST(ByteSize, CopyCutsAtTheCapacityAndLeavesTheRest) { test::check_copies(call, names, copy_rows); }

// A buffer that ends at a no-access page: the full text with its terminator exactly fills
// it, and a capacity that matches the buffer cuts the longest 64-bit text without a fault.
TEST(ByteSize, NothingIsWrittenPastTheCapacity) {
    const std::string longest = "17179869184.0 GB";
    const int exact = static_cast<int>(longest.size()) + 1;
    test::guarded_buffer a(exact);
    EXPECT_EQ(StrFormatByteSizeExA(~0ull, a.chars(), exact, FALSE), a.chars());
    EXPECT_STREQ(a.chars(), longest.c_str());
    test::guarded_buffer w(exact * sizeof(wchar_t));
    EXPECT_EQ(StrFormatByteSizeExW(~0ull, w.wchars(), exact, FALSE), w.wchars());
    EXPECT_EQ(test::ascii_of(w.wchars()), longest);

    test::guarded_buffer small_a(4);
    EXPECT_EQ(StrFormatByteSizeExA(~0ull, small_a.chars(), 4, TRUE), small_a.chars());
    EXPECT_STREQ(small_a.chars(), "171");
    test::guarded_buffer small_w(4 * sizeof(wchar_t));
    EXPECT_EQ(StrFormatByteSizeW(1536, small_w.wchars(), 4, TRUE), small_w.wchars());
    EXPECT_EQ(test::ascii_of(small_w.wchars()), "1,5");
}

TEST(ByteSize, CapacityZeroReturnsTheBufferEvenWhenItCannotBeWritten) {
    test::read_only_page page;
    ASSERT_NE(page.data(), nullptr);
    auto* a = reinterpret_cast<char*>(page.data());
    auto* w = reinterpret_cast<wchar_t*>(page.data());
    EXPECT_EQ(StrFormatByteSizeA(1536, a, 0, FALSE), a);
    EXPECT_EQ(StrFormatByteSizeW(1536, w, 0, FALSE), w);
    EXPECT_EQ(StrFormatByteSizeExA(1536, a, 0, FALSE), a);
    EXPECT_EQ(StrFormatByteSizeExW(1536, w, 0, FALSE), w);
    EXPECT_TRUE(page.untouched());
}

TEST(ByteSize, UnwritableBufferGivesNull) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::read_only_page page;
    ASSERT_NE(page.data(), nullptr);
    auto* a = reinterpret_cast<char*>(page.data());
    auto* w = reinterpret_cast<wchar_t*>(page.data());
    EXPECT_EQ(StrFormatByteSizeA(1536, a, 64, FALSE), nullptr);
    EXPECT_EQ(StrFormatByteSizeW(1536, w, 64, FALSE), nullptr);
    EXPECT_EQ(StrFormatByteSizeExA(1ull << 40, a, 64, TRUE), nullptr);
    EXPECT_EQ(StrFormatByteSizeExW(1ull << 40, w, 64, TRUE), nullptr);
    EXPECT_TRUE(page.untouched());
    EXPECT_EQ(StrFormatByteSizeA(1536, nullptr, 64, FALSE), nullptr);
    EXPECT_EQ(StrFormatByteSizeExW(1536, nullptr, 64, FALSE), nullptr);

    // Writable for two characters, then a no-access page: the copy faults part way.
    test::guarded_buffer part_a(2);
    EXPECT_EQ(StrFormatByteSizeA(1023, part_a.chars(), 64, FALSE), nullptr);
    test::guarded_buffer part_w(2 * sizeof(wchar_t));
    EXPECT_EQ(StrFormatByteSizeExW(1023, part_w.wchars(), 64, FALSE), nullptr);
}

}  // namespace
