// Hexadecimal text to numbers, both forms from one table.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "keldanu.h"
#include "support/support.h"

namespace {

struct ansi_form {
    static int call(const std::string& s, int error_value) { return StrHexStringToDecimalA(s.c_str(), error_value); }
    static int call_null(int error_value) { return StrHexStringToDecimalA(nullptr, error_value); }
};

struct wide_form {
    static int call(const std::string& s, int error_value) {
        return StrHexStringToDecimalW(test::widen(s).c_str(), error_value);
    }
    static int call_null(int error_value) { return StrHexStringToDecimalW(nullptr, error_value); }
};

template <class Form>
class StrHexStringToDecimal : public ::testing::Test {};
using forms = ::testing::Types<ansi_form, wide_form>;
TYPED_TEST_SUITE(StrHexStringToDecimal, forms);

struct hex_row {
    const char* text;
    int error_value;
    int expected;
    const char* why;
};

const hex_row hex_rows[] = {
    {"", 99, 0, "an empty text is 0, not the error value"},
    {"0", 99, 0, "zero"},
    {"1f", 99, 31, "lower-case digits"},
    {"1F", 99, 31, "upper-case digits"},
    {"FF", 99, 255, "two digits"},
    {"aBcDeF", 99, 0xABCDEF, "mixed case"},
    {"0123456789", 99, 0x23456789, "all decimal digits, wrapped past eight"},
    {"1Fh", 99, 31, "a trailing h is a suffix"},
    {"1FH", 99, 31, "so is H"},
    {"12h34", 99, 18, "an h in the middle ends the number"},
    {"12hzz", 99, 18, "what follows the h is never examined"},
    {"h", 99, 0, "an h first gives 0"},
    {"H1", 99, 0, "an H first gives 0 too"},
    {"0x1F", 99, 99, "no 0x prefix: the x is not allowed"},
    {" 1", 99, 99, "no leading blank"},
    {"1 ", 99, 99, "no trailing blank"},
    {"-1", 99, 99, "no sign"},
    {"+1", 99, 99, "no plus sign"},
    {"1g", 99, 99, "g is not a digit"},
    {"1G", 99, 99, "nor is G"},
    {"@", 99, 99, "the character before A"},
    {"`", 99, 99, "the character before a"},
    {"/", 99, 99, "the character before 0"},
    {":", 99, 99, "the character after 9"},
    {"\xC4", 99, 99, "a byte above 0x7F (U+00C4 in the W form)"},
    {"1\xFF", 99, 99, "0xFF after a digit"},
    {"7fffffff", 99, 2147483647, "the largest positive value"},
    {"80000000", 99, -2147483647 - 1, "the sign bit alone"},
    {"FFFFFFFF", 99, -1, "all ones"},
    {"123456789", 99, 591751049, "nine digits keep the last eight"},
    {"100000000", 99, 0, "the ninth digit pushes the 1 out"},
    {"zz", 0, 0, "the error value the URL decoder passes"},
    {"zz", -7, -7, "a negative error value comes back unchanged"},
    {"1fz", 42, 42, "what was accumulated is discarded"},
};

TYPED_TEST(StrHexStringToDecimal, Table) {
    for (const hex_row& row : hex_rows) {
        SCOPED_TRACE(row.why);
        SetLastError(0xDEADBEEF);
        EXPECT_EQ(TypeParam::call(row.text, row.error_value), row.expected) << "text \"" << row.text << "\"";
        EXPECT_EQ(GetLastError(), 0xDEADBEEFu);
    }
}

TYPED_TEST(StrHexStringToDecimal, NullIsZero) {
    EXPECT_EQ(TypeParam::call_null(99), 0);
}

// Digits beyond ASCII are not digits: fullwidth and Arabic-Indic digits, and the letters
// whose lower case would be a-f under some mapping.
TEST(StrHexStringToDecimalW, UnitsOutsideAsciiAreNotDigits) {
    for (const wchar_t* text : {L"\xFF11", L"\x0661", L"1\xFF21", L"\x0130", L"\x0100"}) {
        SCOPED_TRACE(testing::Message() << "first unit U+" << std::hex << static_cast<unsigned>(text[0]));
        EXPECT_EQ(StrHexStringToDecimalW(text, 99), 99);
    }
    // A unit whose low byte is a digit is still not one.
    EXPECT_EQ(StrHexStringToDecimalW(L"\x0141", 99), 99);
}

// Lead bytes of code page 932 are disallowed like any byte of 0x80 and above, and a
// double-byte character whose trail byte is an ASCII digit or letter gives the error value too.
TEST(StrHexStringToDecimalCp932, DoubleByteCharactersAreNotDigits) {
    ASSERT_EQ(GetACP(), 932u);
    ASSERT_TRUE(IsDBCSLeadByte(0x82));
    EXPECT_EQ(StrHexStringToDecimalA("\x82\x4F", 99), 99);   // fullwidth digit zero
    EXPECT_EQ(StrHexStringToDecimalA("1\x83\x41", 99), 99);  // katakana with trail byte 'A'
    EXPECT_EQ(StrHexStringToDecimalA("1Fh\x82\xA0", 99), 31); // never examined after the h
}

}  // namespace
