// Hexadecimal text to numbers, both forms from one table.
#include "support/support.h"

namespace {

const struct {
    const char* text;
    int error_value, expected;
    const char* why;
} rows[] = {
    {"", 99, 0, "an empty text is 0, not the error value"},
    {"aBcDeF", 99, 0xABCDEF, "mixed case"},
    {"0123456789", 99, 0x23456789, "all decimal digits, wrapped past eight"},
    {"1FH", 99, 31, "a trailing H is a suffix"},
    {"1g", 99, 99, "g is not a digit: what was accumulated is discarded"},
    {"@", 99, 99, "the character before A"},
    {"`", 99, 99, "the character before a"},
    {"/", 99, 99, "the character before 0"},
    {":", 99, 99, "the character after 9"},
    {"1\xC4", 99, 99, "a byte above 0x7F (U+00C4 in the W form)"},
    {"80000000", 99, -2147483647 - 1, "the sign bit alone"},
    {"100000000", 99, 0, "the ninth digit pushes the 1 out"},
    {"zz", -7, -7, "a negative error value comes back unchanged"},
};

TEST(StrHexStringToDecimal, Rows) {
    test::both([](auto c) {
        using C = decltype(c);
        for (const auto& row : rows) {
            SCOPED_TRACE(row.why);
            SetLastError(test::sentinel);
            EXPECT_EQ(AW(C, StrHexStringToDecimal)(test::text<C>(row.text).c_str(), row.error_value), row.expected);
            EXPECT_EQ(GetLastError(), test::sentinel);
        }
        EXPECT_EQ(AW(C, StrHexStringToDecimal)(nullptr, 99), 0) << "NULL is 0";
    });
    // A unit whose low byte is a digit is still none; nor is a digit beyond ASCII.
    for (const wchar_t* text : {L"\x0141", L"\xFF11", L"1\xFF21"}) EXPECT_EQ(StrHexStringToDecimalW(text, 99), 99);
}

TEST(StrHexStringToDecimalCp932, DoubleByteCharactersAreNotDigits) {
    ASSERT_EQ(GetACP(), 932u);
    EXPECT_EQ(StrHexStringToDecimalA("\x82\x4F", 99), 99);   // fullwidth digit zero
    EXPECT_EQ(StrHexStringToDecimalA("1\x83\x41", 99), 99);  // a trail byte 'A' is no digit
    EXPECT_EQ(StrHexStringToDecimalA("1Fh\x82\xA0", 99), 31);
}

}  // namespace
