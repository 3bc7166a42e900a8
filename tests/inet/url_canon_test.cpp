// Percent-escape decoding in place: rows, the cut, the probe.
#include "support/support.h"

namespace {

// Decodes `input` in a buffer of 2061 characters that ends at a no-access page.
template <class C>
std::string decode(const test::str<C>& input) {
    test::guarded<C> url(std::max<size_t>(test::url_chars, input.size() + 1), input);
    SetLastError(test::sentinel);
    EXPECT_EQ(AW(C, INetCanonicalizeUrl)(url.p(), 0), 1);
    EXPECT_EQ(GetLastError(), test::sentinel);
    return test::shown(url.s());
}

const struct {
    const char* input;
    const char* expected;
    const char* why;
} rows[] = {
    {"a%20b", "a b", "a space"},
    {"%2541", "A", "a decoded % opens a further escape"},
    {"x%25%41y", "x1y", "a decoded % takes the next two characters, %4 here, as its digits"},
    {"50%off", "50f", "o is no digit: the escape gives 0 and leaves nothing"},
    {"%4h", "\x04", "an h after one digit ends it early"},
    {"%h41", "1", "an h first gives 0"},
    {"%7e%7E%C4", "~~\xC4", "both cases of digits; a byte or unit, never a code-page character"},
    {"a%4", "a\x04", "one digit at the end is decoded by itself"},
    {"a%", "a", "a final % gives nothing"},
    {"%3F%23%3B", "?#;", "escaped delimiters become delimiters"},
};

TEST(INetCanonicalizeUrl, RowsAndBounds) {
    test::both([](auto c) {
        using C = decltype(c);
        for (const auto& row : rows)
            EXPECT_EQ(decode<C>(test::text<C>(row.input)), row.expected) << row.why << ": " << row.input;
        // A text is cut to 2059 characters; an escape cut by the limit is decoded from what is left.
        for (size_t length : {2059u, 2060u, 2100u})
            EXPECT_EQ(decode<C>(test::str<C>(length, C('a'))), std::string(test::url_longest, 'a'));
        for (const auto& [before, tail] : {std::pair{2056, "A"}, {2057, "\x04"}, {2058, ""}})
            EXPECT_EQ(decode<C>(test::text<C>(std::string(before, 'x') + "%41")), std::string(before, 'x') + tail);
        // A reserved word other than 0 fails before anything is touched, even a NULL buffer.
        C text[] = {C('%'), C('4'), C('1'), 0};
        SetLastError(test::sentinel);
        EXPECT_EQ(AW(C, INetCanonicalizeUrl)(text, 1), 0);
        EXPECT_EQ(AW(C, INetCanonicalizeUrl)(nullptr, 0x80000000u), 0);
        EXPECT_EQ(text[2], C('1'));
        EXPECT_EQ(GetLastError(), test::sentinel);
    });
}

// 2060 characters before the no-access page: the probe fails, nothing is written.
TEST(INetCanonicalizeUrl, ProbesAll2061Characters) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::both([](auto c) {
        using C = decltype(c);
        test::guarded<C> short_buffer(test::url_chars - 1, test::text<C>("a%20b"), 'A');
        EXPECT_EQ(AW(C, INetCanonicalizeUrl)(short_buffer.p(), 0), 0);
        EXPECT_EQ(test::shown(short_buffer.s()), "a%20b");
        EXPECT_TRUE(short_buffer.marked_from(6));
        EXPECT_EQ(AW(C, INetCanonicalizeUrl)(nullptr, 0), 0);
    });
}

TEST(INetCanonicalizeUrlCp932, DecodingLooksAtBytesNotCharacters) {
    ASSERT_EQ(GetACP(), 932u);
    EXPECT_EQ(decode<char>("/%82%A0/%83%5C"), "/\x82\xA0/\x83\x5C") << "two escapes make one character";
    EXPECT_EQ(decode<char>("\x82%A0"), "\x82\xA0") << "a lead byte does not swallow the %";
}

}  // namespace
