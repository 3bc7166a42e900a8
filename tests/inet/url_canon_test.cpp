// Percent-escape decoding in place: the case table for both forms, the 2059-character cut,
// the buffer probe, and agreement with the restart-from-the-beginning method on the corpus
// and on generated texts full of escapes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "keldanu.h"
#include "support/corpus.h"
#include "support/support.h"
#include "support/url_forms.h"

namespace {

using test::url_buffer_chars;
using test::url_max_chars;

struct ansi_form : test::ansi_url_form {
    static BOOL call(ch* url, DWORD reserved) { return INetCanonicalizeUrlA(url, reserved); }
};

struct wide_form : test::wide_url_form {
    static BOOL call(ch* url, DWORD reserved) { return INetCanonicalizeUrlW(url, reserved); }
};

// The decoding method written the plain way: take the first "%", put the character its two
// following characters give (nothing for 0) in place of the three, start again from the
// beginning. Slow, obviously right, and independent of the library.
template <class Text>
Text decode_by_restarting(Text s) {
    using ch = typename Text::value_type;
    auto digit = [](ch c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c == 'h' || c == 'H') return -2;
        return -1;
    };
    for (size_t at; (at = s.find(ch('%'))) != Text::npos;) {
        const Text digits = s.substr(at + 1, 2);
        unsigned value = 0;
        for (ch c : digits) {
            const int d = digit(c);
            if (d == -2) break;
            if (d == -1) {
                value = 0;
                break;
            }
            value = value * 16 + d;
        }
        Text next = s.substr(0, at);
        if (value != 0) next.push_back(static_cast<ch>(value));
        if (at + 3 < s.size()) next += s.substr(at + 3);
        s = next;
    }
    return s;
}

template <class Form>
class INetCanonicalizeUrl : public ::testing::Test {
protected:
    using ch = typename Form::ch;
    using text = typename Form::text;

    // Decodes `input` in a buffer of exactly 2061 characters that ends at a no-access page.
    text decode(const text& input, BOOL* result = nullptr) {
        ch* url = Form::chars(buffer_);
        std::memcpy(url, input.c_str(), (input.size() + 1) * sizeof(ch));
        const BOOL r = Form::call(url, 0);
        if (result) *result = r;
        return text(url);
    }

private:
    test::guarded_buffer buffer_{url_buffer_chars * sizeof(ch)};
};
using forms = ::testing::Types<ansi_form, wide_form>;
TYPED_TEST_SUITE(INetCanonicalizeUrl, forms);

struct canon_row {
    const char* input;
    const char* expected;
    const char* why;
};

const canon_row canon_rows[] = {
    {"a%20b", "a b", "a space"},
    {"%41%42", "AB", "two escapes in a row"},
    {"%2541", "A", "a decoded % opens a further escape"},
    {"%252541", "A", "and so on, as often as it is decoded"},
    {"x%25%41y", "x1y", "a decoded % takes the next two characters, %4 here, as its digits"},
    {"%2%41", "41", "the digits 2% are not a number: the escape is dropped"},
    {"50%off", "50f", "o is no digit: the escape gives 0 and leaves nothing"},
    {"%00x", "x", "%00 leaves nothing"},
    {"%zzA", "A", "letters that are not digits"},
    {"%%41", "1", "the second % is a digit that is not allowed"},
    {"%4h", "\x04", "an h after one digit ends it early"},
    {"%h41", "1", "an h first gives 0"},
    {"%7e%7E", "~~", "both cases of digits"},
    {"ftp://h/a%2Fb", "ftp://h/a/b", "an escaped slash"},
    {"no escape at all", "no escape at all", "unchanged"},
    {"", "", "the empty text"},
    {"%", "", "a % at the very end has no digits"},
    {"a%4", "a\x04", "one digit at the end is decoded by itself"},
    {"a%", "a", "a final % gives nothing"},
    {"%%", "", "two final %"},
    {"%25", "", "a decoded % at the very end"},
    {"%254", "\x04", "a decoded % with one digit left"},
    {"A%2B%2b", "A++", "plus signs"},
    {"%3F%23%3B", "?#;", "escaped delimiters become delimiters"},
    {"%20%20", "  ", "two spaces"},
    {"100%", "100", "a percent sign at the end of a sentence"},
};

TYPED_TEST(INetCanonicalizeUrl, Table) {
    for (const canon_row& row : canon_rows) {
        SCOPED_TRACE(row.why);
        SCOPED_TRACE(testing::Message() << "input \"" << row.input << "\"");
        SetLastError(0xDEADBEEF);
        BOOL result = 0;
        EXPECT_EQ(this->decode(TypeParam::from(row.input), &result), TypeParam::from(row.expected));
        EXPECT_EQ(result, 1);
        EXPECT_EQ(GetLastError(), 0xDEADBEEFu);
    }
}

// The W form gives the unit with the escape's number; the A form the byte. Neither reads the
// escapes as UTF-8 or through a code page.
TEST(INetCanonicalizeUrlW, EscapesAreSingleUnits) {
    wchar_t url[url_buffer_chars] = L"%C4%c3%A9%FF%80%7F";
    ASSERT_EQ(INetCanonicalizeUrlW(url, 0), 1);
    EXPECT_STREQ(url, L"\x00C4\x00C3\x00A9\x00FF\x0080\x007F");
}

TEST(INetCanonicalizeUrlA, EscapesAreSingleBytes) {
    char url[url_buffer_chars] = "%C4%c3%A9%FF%80%7F";
    ASSERT_EQ(INetCanonicalizeUrlA(url, 0), 1);
    EXPECT_STREQ(url, "\xC4\xC3\xA9\xFF\x80\x7F");
}

// Characters beyond ASCII that are already in the text stay as they are.
TEST(INetCanonicalizeUrlW, OtherUnitsAreKept) {
    wchar_t url[url_buffer_chars] = L"\x3042%41\xD800\x20AC";
    ASSERT_EQ(INetCanonicalizeUrlW(url, 0), 1);
    EXPECT_STREQ(url, L"\x3042" L"A\xD800\x20AC");
}

TYPED_TEST(INetCanonicalizeUrl, ReservedNotZeroFailsAndTouchesNothing) {
    using ch = typename TypeParam::ch;
    ch url[url_buffer_chars];
    const auto input = TypeParam::from("a%20b");
    std::memcpy(url, input.c_str(), (input.size() + 1) * sizeof(ch));
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(TypeParam::call(url, 1), 0);
    EXPECT_EQ(TypeParam::call(url, 0x80000000u), 0);
    EXPECT_EQ(typename TypeParam::text(url), input);
    // The buffer is not even probed.
    EXPECT_EQ(TypeParam::call(nullptr, 1), 0);
    EXPECT_EQ(GetLastError(), 0xDEADBEEFu);
}

TYPED_TEST(INetCanonicalizeUrl, ProbesAll2061Characters) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    using ch = typename TypeParam::ch;
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(TypeParam::call(nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), 0xDEADBEEFu);

    // 2060 characters and then the no-access page: the probe fails and nothing is written.
    test::guarded_buffer short_buffer((url_buffer_chars - 1) * sizeof(ch), 0x41);
    ch* url = TypeParam::chars(short_buffer);
    const auto input = TypeParam::from("a%20b");
    std::memcpy(url, input.c_str(), (input.size() + 1) * sizeof(ch));
    EXPECT_EQ(TypeParam::call(url, 0), 0);
    EXPECT_EQ(typename TypeParam::text(url), input);
    const auto* bytes = reinterpret_cast<const unsigned char*>(url + input.size() + 1);
    const size_t rest = (url_buffer_chars - 1 - input.size() - 1) * sizeof(ch);
    for (size_t i = 0; i < rest; ++i) ASSERT_EQ(bytes[i], 0x41) << "byte " << i << " after the text";

    // Exactly 2061 characters pass.
    BOOL result = 0;
    EXPECT_EQ(this->decode(input, &result), TypeParam::from("a b"));
    EXPECT_EQ(result, 1);
}

// A text longer than 2059 characters comes back cut to 2059, escapes or not; an escape cut
// by the limit is decoded from what is left of it.
TYPED_TEST(INetCanonicalizeUrl, CutAt2059Characters) {
    using ch = typename TypeParam::ch;
    using text = typename TypeParam::text;
    const text a(1, ch('a'));
    struct bound_row {
        size_t length;
        size_t kept;
    };
    for (const bound_row row : {bound_row{2058, 2058}, {2059, 2059}, {2060, 2059}, {2061, 2059}, {2100, 2059}}) {
        SCOPED_TRACE(testing::Message() << row.length << " characters without escapes");
        // A buffer with room for the whole text and its terminator, and never less than the
        // 2061 characters the call probes.
        test::guarded_buffer buffer(std::max(row.length + 1, url_buffer_chars) * sizeof(ch), 0);
        ch* url = TypeParam::chars(buffer);
        for (size_t i = 0; i < row.length; ++i) url[i] = ch('a' + i % 26);
        const text input(url);
        EXPECT_EQ(TypeParam::call(url, 0), 1);
        EXPECT_EQ(text(url), input.substr(0, row.kept));
    }

    struct escape_row {
        size_t before;  // characters before a final %41
        const char* tail;
        const char* why;
    };
    const escape_row escape_rows[] = {
        {2056, "A", "the escape ends at character 2059"},
        {2057, "\x04", "the 1 is cut off: %4 is left"},
        {2058, "", "only the % is left"},
        {2059, "", "the whole escape is cut off"},
    };
    for (const escape_row& row : escape_rows) {
        SCOPED_TRACE(row.why);
        const text input = text(row.before, ch('x')) + TypeParam::from("%41");
        test::guarded_buffer buffer(std::max(input.size() + 1, url_buffer_chars) * sizeof(ch), 0);
        ch* url = TypeParam::chars(buffer);
        std::memcpy(url, input.c_str(), (input.size() + 1) * sizeof(ch));
        EXPECT_EQ(TypeParam::call(url, 0), 1);
        EXPECT_EQ(text(url), text(row.before < 2059 ? row.before : 2059, ch('x')) + TypeParam::from(row.tail));
    }
}

// A buffer of exactly 2061 characters that holds no terminator at all: only 2059 characters
// are read, the terminator goes at 2059 and the 2061st character is left alone.
TYPED_TEST(INetCanonicalizeUrl, UnterminatedBufferIsReadOnlyTo2059) {
    using ch = typename TypeParam::ch;
    test::guarded_buffer buffer(url_buffer_chars * sizeof(ch), 0);
    ch* url = TypeParam::chars(buffer);
    for (size_t i = 0; i < url_buffer_chars; ++i) url[i] = ch('b');
    EXPECT_EQ(TypeParam::call(url, 0), 1);
    EXPECT_EQ(url[url_max_chars - 1], ch('b'));
    EXPECT_EQ(url[url_max_chars], ch(0));
    EXPECT_EQ(url[url_max_chars + 1], ch('b'));
}

// Texts made of few characters in many combinations: every "%", digit, "h" and non-digit
// next to each other, decoded by the library and by the plain method.
TYPED_TEST(INetCanonicalizeUrl, AgreesWithRestartingOnGeneratedTexts) {
    using text = typename TypeParam::text;
    const char alphabet[] = "%%%2541hHz0F";
    const size_t letters = std::size(alphabet) - 1;
    size_t checked = 0;
    // Every text of up to four characters over the alphabet, then longer pseudo-random ones.
    for (size_t length = 0; length <= 4; ++length) {
        size_t total = 1;
        for (size_t i = 0; i < length; ++i) total *= letters;
        for (size_t n = 0; n < total; ++n) {
            std::string s;
            for (size_t i = 0, k = n; i < length; ++i, k /= letters) s.push_back(alphabet[k % letters]);
            const text input = TypeParam::from(s);
            ASSERT_EQ(this->decode(input), decode_by_restarting(input)) << "input \"" << s << "\"";
            ++checked;
        }
    }
    unsigned seed = 12345;
    for (int n = 0; n < 300; ++n) {
        std::string s;
        // Up to 2060 characters, the most a 2061-character buffer holds with its terminator:
        // one past the cut.
        const size_t length = std::min<size_t>(20 + n * 7, url_max_chars + 1);
        for (size_t i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            s.push_back(alphabet[(seed >> 16) % letters]);
        }
        const text input = TypeParam::from(s);
        ASSERT_EQ(this->decode(input), decode_by_restarting(input.substr(0, url_max_chars))) << "input \"" << s << "\"";
        ++checked;
    }
    EXPECT_GT(checked, 20000u);
}

// Every URL of the corpus: the call succeeds, writes only inside the 2061 characters, leaves
// no "%", never lengthens the text, and gives what the plain method gives.
TYPED_TEST(INetCanonicalizeUrl, Corpus) {
    using text = typename TypeParam::text;
    const auto lines = test::read_corpus("urls.txt");
    ASSERT_GT(lines.size(), 1000u) << "corpus not found at " << test::acp_from_wide(test::corpus_file("urls.txt"));
    for (const std::wstring& line : lines) {
        const text input = TypeParam::from_wide(line);
        SCOPED_TRACE(testing::Message() << "line of " << input.size() << " characters: \"" << test::acp_from_wide(line) << "\"");
        BOOL result = 0;
        const text output = this->decode(input, &result);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(output.find(typename TypeParam::ch('%')), text::npos);
        EXPECT_LE(output.size(), input.size());
        EXPECT_EQ(output, decode_by_restarting(input));
    }
}

// Two escapes may together form one double-byte character of the code page.
TEST(INetCanonicalizeUrlCp932, TwoEscapesMakeOneDoubleByteCharacter) {
    ASSERT_EQ(GetACP(), 932u);
    char url[url_buffer_chars] = "/%82%A0/%83%5C";
    ASSERT_EQ(INetCanonicalizeUrlA(url, 0), 1);
    EXPECT_STREQ(url, "/\x82\xA0/\x83\x5C");
    // The bytes are taken as they are: the decoded text is hiragana A and katakana SO.
    wchar_t wide[8] = {};
    MultiByteToWideChar(CP_ACP, 0, url, -1, wide, 8);
    EXPECT_STREQ(wide, L"/\x3042/\x30BD");
}

// A lead byte right before an escape: the decoder looks at single bytes, not characters, so
// the "%" after it still opens an escape.
TEST(INetCanonicalizeUrlCp932, DecodingDoesNotStepByCharacters) {
    ASSERT_EQ(GetACP(), 932u);
    char url[url_buffer_chars] = "\x82%A0";
    ASSERT_EQ(INetCanonicalizeUrlA(url, 0), 1);
    EXPECT_STREQ(url, "\x82\xA0");
}

}  // namespace
