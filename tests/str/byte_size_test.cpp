// StrFormatByteSize(Ex)A/W: band edges and exact rounding ties in every form, the copy, unwritable buffers.
#include "str/count_forms.h"

namespace {

void* byte_size(test::count_form f, ULONGLONG count, char* a, wchar_t* w, int capacity, BOOL comma) {
    switch (f) {
    case test::form_a: return StrFormatByteSizeA(DWORD(count), a, capacity, comma);
    case test::form_w: return StrFormatByteSizeW(DWORD(count), w, capacity, comma);
    case test::form_ex_a: return StrFormatByteSizeExA(count, a, capacity, comma);
    default: return StrFormatByteSizeExW(count, w, capacity, comma);
    }
}

const struct {
    ULONGLONG count;
    const char* text;  // with the point; the comma form differs only there
    const char* why;
} rows[] = {
    {0, "0 Bytes", "zero is in bytes"},
    {1023, "1023 Bytes", "last count in bytes"},
    {1024, "1.0 KB", "first count in kilobytes"},
    {1280, "1.3 KB", "1.25 KB exactly: the tie rounds up"},
    {102349, "100.0 KB", "99.950 KB rounds up to 100.0"},
    {102400, "100 KB", "first whole-kilobyte count"},
    {1048575, "1023 KB", "last whole-kilobyte count"},
    {1048576, "1.0 MB", "first count in megabytes"},
    {1073741823, "1024.0 MB", "last count in megabytes"},
    {1073741824, "1.0 GB", "first count in gigabytes"},
    {4294967295ull, "4.0 GB", "largest 32-bit count"},
    {5637144576ull, "5.3 GB", "5.25 GB exactly, 64-bit only"},
    {9007199523176445ull, "8388608.2 GB", "2^53 + 2^28 - 3 goes to the even double below"},
    {9007199523176447ull, "8388608.3 GB", "2^53 + 2^28 - 1 goes to the tie (ties to even), which rounds up"},
    {18446744073441115135ull, "17179869183.7 GB", "2^64 - 2^28 - 1025 goes to the double below the tie"},
    {18446744073441115136ull, "17179869183.8 GB", "2^64 - 2^28 - 1024, halfway: goes to the even tie"},
    {18446744073709551615ull, "17179869184.0 GB", "largest 64-bit count goes to the double 2^64"},
};

TEST(ByteSize, BandEdgesAndTiesInEveryForm) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        std::string comma = row.text;
        std::replace(comma.begin(), comma.end(), '.', ',');
        test::expect_all(byte_size, row.count, row.text);
        test::expect_all(byte_size, row.count, comma, 64, TRUE);
    }
}

TEST(ByteSize, CopyCutsAtTheCapacity) {
    const struct {
        ULONGLONG count;
        int capacity;
        BOOL comma;
        const char* text;
    } copies[] = {
        {1023, 10, FALSE, "1023 Byte"},  {1023, 11, FALSE, "1023 Bytes"}, {1023, 1, FALSE, ""},
        {1023, 0, FALSE, "<untouched>"}, {1536, 3, TRUE, "1,"},           {~0ull, 17, FALSE, "17179869184.0 GB"},
    };
    for (const auto& row : copies) test::expect_all(byte_size, row.count, row.text, row.capacity, row.comma);
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    // Unwritable memory: NULL back, nothing written; capacity 0 still answers the buffer.
    for (test::count_form f : test::count_forms) {
        test::guarded<char> page(0);
        char* const a = page.p();
        EXPECT_EQ(byte_size(f, 1536, a, reinterpret_cast<wchar_t*>(a), 64, FALSE), nullptr);
        EXPECT_EQ(byte_size(f, 1536, nullptr, nullptr, 64, FALSE), nullptr);
        EXPECT_EQ(byte_size(f, 1536, a, reinterpret_cast<wchar_t*>(a), 0, FALSE), a);
        test::guarded<char> two_chars(4);  // a copy that faults part way
        EXPECT_EQ(byte_size(f, 1023, two_chars.p(), reinterpret_cast<wchar_t*>(two_chars.p()), 64, FALSE), nullptr);
    }
}

}  // namespace
