// StrFormatByteWithPoints(Ex)A/W: every digit count in every form, the copy into the buffer.
#include "str/count_forms.h"

namespace {

void* points(test::count_form f, ULONGLONG count, char* a, wchar_t* w, int capacity, BOOL) {
    switch (f) {
    case test::form_a: return StrFormatByteWithPointsA(DWORD(count), a, capacity);
    case test::form_w: return StrFormatByteWithPointsW(DWORD(count), w, capacity);
    case test::form_ex_a: return StrFormatByteWithPointsExA(count, a, capacity);
    default: return StrFormatByteWithPointsExW(count, w, capacity);
    }
}

std::string with_points(ULONGLONG count) {
    std::string s = std::to_string(count);
    for (size_t at = s.size(); at > 3; at -= 3) s.insert(at - 3, 1, '.');
    return s;
}

TEST(BytePoints, EveryDigitCountInEveryForm) {
    // Each power of ten and its neighbours: every digit count, and zeros inside the groups.
    std::vector<ULONGLONG> counts = {0, ~0ull, 2147483648ull, 9223372036854775808ull};
    for (ULONGLONG p = 10; p <= 10000000000000000000ull; p *= 10) {
        counts.insert(counts.end(), {p - 1, p, p + 1});
        if (p > ~0ull / 10) break;
    }
    for (ULONGLONG n : counts) test::expect_all(points, n, with_points(n));
}

TEST(BytePoints, CopyCutsAtTheCapacity) {
    const struct {
        int capacity;
        const char* text;
    } copies[] = {{6, "1.234"}, {3, "1."}, {2, "1"}, {1, ""}, {0, "<untouched>"}, {9, "1.234.56"}, {10, "1.234.567"}};
    for (const auto& row : copies) test::expect_all(points, 1234567, row.text, row.capacity);
    test::expect_all(points, ~0ull, "18.446.744.073.709.551.615", 27);  // the longest text fits 27
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    for (test::count_form f : test::count_forms) {
        test::guarded<char> page(0), three(6);
        char* const a = page.p();
        EXPECT_EQ(points(f, 1234567, a, reinterpret_cast<wchar_t*>(a), 64, 0), nullptr);
        EXPECT_EQ(points(f, 1234567, a, reinterpret_cast<wchar_t*>(a), 0, 0), a);
        EXPECT_EQ(points(f, 1234567, three.p(), reinterpret_cast<wchar_t*>(three.p()), 64, 0), nullptr);
    }
}

}  // namespace
