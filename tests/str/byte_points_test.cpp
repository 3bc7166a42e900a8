// StrFormatByteWithPointsA/W and StrFormatByteWithPointsExA/W: the grouping at every digit
// count, agreement of the four forms over a sweep checked against points inserted here from
// the right, and the copy into the caller's buffer.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "keldanu.h"
#include "support/byte_counts.h"
#include "support/support.h"

namespace {

using test::every_form;
using test::form;

const char* const names[] = {"StrFormatByteWithPointsA", "StrFormatByteWithPointsW", "StrFormatByteWithPointsExA",
                             "StrFormatByteWithPointsExW"};

void* call(form f, unsigned long long count, char* a, wchar_t* w, int capacity, BOOL) {
    const DWORD low = static_cast<DWORD>(count);
    switch (f) {
        case form::a: return StrFormatByteWithPointsA(low, a, capacity);
        case form::w: return StrFormatByteWithPointsW(low, w, capacity);
        case form::ex_a: return StrFormatByteWithPointsExA(count, a, capacity);
        case form::ex_w: return StrFormatByteWithPointsExW(count, w, capacity);
    }
    return nullptr;
}

// Checks every form that takes `count`; reports the first form that differs.
bool all_forms_give(unsigned long long count, const std::string& expected) {
    for (form f : every_form) {
        if (!test::takes(f, count)) continue;
        const std::string got = test::text_of(call, f, count);
        if (got != expected) {
            ADD_FAILURE() << names[static_cast<int>(f)] << "(" << count << ") gave \"" << got << "\", expected \"" << expected << "\"";
            return false;
        }
    }
    return true;
}

// The reference: the digits from the C++ library, a point inserted every three from the right.
std::string with_points(unsigned long long count) {
    std::string s = std::to_string(count);
    for (size_t at = s.size(); at > 3; at -= 3) s.insert(at - 3, ".");
    return s;
}

struct points_row {
    unsigned long long count;
    const char* text;
    const char* why;
};

const points_row rows[] = {
    {0, "0", "zero is one digit"},
    {7, "7", "one digit"},
    {999, "999", "three digits: no point"},
    {1000, "1.000", "four digits: the first point"},
    {12345, "12.345", "five digits"},
    {123456, "123.456", "six digits: one point, not before the first digit"},
    {1234567, "1.234.567", "seven digits: two points"},
    {2147483647, "2.147.483.647", "largest signed 32-bit count"},
    {2147483648ull, "2.147.483.648", "2^31 is not read as negative"},
    {4294967295ull, "4.294.967.295", "largest 32-bit count"},
    // 64-bit counts only.
    {4294967296ull, "4.294.967.296", "2^32"},
    {1099511627776ull, "1.099.511.627.776", "a terabyte"},
    {999999999999999999ull, "999.999.999.999.999.999", "eighteen digits"},
    {1000000000000000000ull, "1.000.000.000.000.000.000", "nineteen digits"},
    {9223372036854775808ull, "9.223.372.036.854.775.808", "2^63 is not read as negative"},
    {10000000000000000000ull, "10.000.000.000.000.000.000", "twenty digits"},
    {18446744073709551615ull, "18.446.744.073.709.551.615", "largest 64-bit count"},
};

TEST(BytePoints, GroupsInEveryForm) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(with_points(row.count), row.text) << "the reference itself";
        all_forms_give(row.count, row.text);
    }
}

// Every count up to 20000, each power of ten and its neighbours, and counts spread over every
// bit width.
TEST(BytePoints, SweepMatchesPointsInsertedFromTheRight) {
    std::vector<unsigned long long> counts;
    for (unsigned long long n = 0; n <= 20000; ++n) counts.push_back(n);
    for (unsigned long long p = 10; p <= 10000000000000000000ull; p *= 10) {
        for (unsigned long long n = p - 2; n <= p + 2; ++n) counts.push_back(n);
        if (p > ~0ull / 10) break;
    }
    test::count_source source(0x0123456789ABCDEFull);
    for (int i = 0; i < 20000; ++i) counts.push_back(source.spread(32));
    for (int i = 0; i < 20000; ++i) counts.push_back(source.spread(64));
    int failures = 0;
    for (unsigned long long n : counts)
        if (!all_forms_give(n, with_points(n)) && ++failures == 20) FAIL() << "stopping after 20 differences";
}

const test::copy_row copy_rows[] = {
    {1234567, 6, FALSE, "1.234", "cut before the second point"},
    {1234567, 3, FALSE, "1.", "cut just after a point"},
    {1234567, 2, FALSE, "1", "cut just before a point"},
    {1234567, 1, FALSE, "", "room for the terminator only"},
    {1234567, 0, FALSE, nullptr, "capacity 0 writes nothing"},
    {1234567, 9, FALSE, "1.234.56", "one character short"},
    {1234567, 10, FALSE, "1.234.567", "exactly enough room"},
    {4294967295ull, 14, FALSE, "4.294.967.295", "the longest 32-bit text fits in 14"},
};

TEST(BytePoints, CopyCutsAtTheCapacityAndLeavesTheRest) { test::check_copies(call, names, copy_rows); }

// The longest text with its terminator exactly fills a buffer that ends at a no-access page.
TEST(BytePoints, NothingIsWrittenPastTheCapacity) {
    const std::string longest = "18.446.744.073.709.551.615";
    const int exact = static_cast<int>(longest.size()) + 1;
    test::guarded_buffer a(exact);
    EXPECT_EQ(StrFormatByteWithPointsExA(~0ull, a.chars(), exact), a.chars());
    EXPECT_STREQ(a.chars(), longest.c_str());
    test::guarded_buffer w(exact * sizeof(wchar_t));
    EXPECT_EQ(StrFormatByteWithPointsExW(~0ull, w.wchars(), exact), w.wchars());
    EXPECT_EQ(test::ascii_of(w.wchars()), longest);
}

TEST(BytePoints, CapacityZeroReturnsTheBufferEvenWhenItCannotBeWritten) {
    test::read_only_page page;
    ASSERT_NE(page.data(), nullptr);
    auto* a = reinterpret_cast<char*>(page.data());
    auto* w = reinterpret_cast<wchar_t*>(page.data());
    EXPECT_EQ(StrFormatByteWithPointsA(1234567, a, 0), a);
    EXPECT_EQ(StrFormatByteWithPointsW(1234567, w, 0), w);
    EXPECT_EQ(StrFormatByteWithPointsExA(1234567, a, 0), a);
    EXPECT_EQ(StrFormatByteWithPointsExW(1234567, w, 0), w);
    EXPECT_TRUE(page.untouched());
}

TEST(BytePoints, UnwritableBufferGivesNull) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::read_only_page page;
    ASSERT_NE(page.data(), nullptr);
    auto* a = reinterpret_cast<char*>(page.data());
    auto* w = reinterpret_cast<wchar_t*>(page.data());
    EXPECT_EQ(StrFormatByteWithPointsA(1234567, a, 64), nullptr);
    EXPECT_EQ(StrFormatByteWithPointsW(1234567, w, 64), nullptr);
    EXPECT_EQ(StrFormatByteWithPointsExA(~0ull, a, 64), nullptr);
    EXPECT_EQ(StrFormatByteWithPointsExW(~0ull, w, 64), nullptr);
    EXPECT_TRUE(page.untouched());
    EXPECT_EQ(StrFormatByteWithPointsA(0, nullptr, 64), nullptr);
    EXPECT_EQ(StrFormatByteWithPointsExW(0, nullptr, 64), nullptr);

    test::guarded_buffer part_a(3);
    EXPECT_EQ(StrFormatByteWithPointsA(1234567, part_a.chars(), 64), nullptr);
    test::guarded_buffer part_w(3 * sizeof(wchar_t));
    EXPECT_EQ(StrFormatByteWithPointsExW(1234567, part_w.wchars(), 64), nullptr);
}

}  // namespace
