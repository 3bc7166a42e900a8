// Registry profile strings on the real registry: what a write stores, what a read hands back
// for each kind of stored data, and the failure rows (default text, empty buffer, untouched
// buffer).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "keldanu.h"
#include "support/scratch_key.h"
#include "support/support.h"

namespace {

using test::scratch_key;
using test::widen;

constexpr BYTE fill = 0xCC;

// What a read must leave: the result, the text, and zeros in every character after it.
struct read_result {
    BOOL ok;
    std::string text;
};

// Reads through the A or the W export into a buffer of `chars` characters that starts full
// of a marker, and checks that everything after the text is zero.
read_result read_a(HKEY key, const char* sub, const char* value, const char* fallback, DWORD chars) {
    std::vector<char> buf(chars + 1, static_cast<char>(fill));
    const BOOL ok = ShlGetProfileStringA(key, sub, value, fallback, buf.data(), chars);
    EXPECT_EQ(static_cast<BYTE>(buf[chars]), fill) << "written past the capacity";
    const std::string text(buf.data());
    for (DWORD i = static_cast<DWORD>(text.size()); i < chars; ++i)
        EXPECT_EQ(buf[i], 0) << "character " << i << " after the text is not zero";
    return {ok, text};
}

read_result read_w(HKEY key, const wchar_t* sub, const wchar_t* value, const wchar_t* fallback, DWORD chars) {
    std::vector<wchar_t> buf(chars + 1, static_cast<wchar_t>(0xCCCC));
    const BOOL ok = ShlGetProfileStringW(key, sub, value, fallback, buf.data(), chars);
    EXPECT_EQ(buf[chars], 0xCCCC) << "written past the capacity";
    const std::wstring text(buf.data());
    for (DWORD i = static_cast<DWORD>(text.size()); i < chars; ++i)
        EXPECT_EQ(buf[i], 0) << "character " << i << " after the text is not zero";
    std::string narrow;
    for (wchar_t c : text) narrow.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    return {ok, narrow};
}

// How a row's value is stored before the read.
enum class stored { none, text, text_no_zero, dword, text_in_default };

struct read_row {
    stored how;
    std::string data;  // the text, or for a dword its decimal value
    bool w_only;       // sizes that only make sense in wide characters
    DWORD chars;
    const char* fallback;
    BOOL ok;
    std::string expected;
    const char* why;
};

const read_row read_rows[] = {
    {stored::text, "abc", false, 260, "none", TRUE, "abc", "a stored text reads back"},
    {stored::text, "", false, 260, "none", TRUE, "", "the empty text is data: the default is not used"},
    {stored::dword, "65", false, 260, "none", TRUE, "A", "a number reads as its raw bytes 65 0 0 0"},
    {stored::none, "", false, 260, "none", FALSE, "none", "a missing value gives the default"},
    {stored::none, "", false, 3, "none", FALSE, "no", "the default is cut to the capacity"},
    {stored::none, "", false, 1, "none", FALSE, "", "capacity 1 holds only the terminator"},
    {stored::none, "", false, 260, nullptr, FALSE, "", "a NULL default leaves the buffer empty"},
    {stored::text_in_default, "dflt", false, 260, "none", TRUE, "dflt", "a NULL value name reads the key's default value"},
    {stored::text_no_zero, "123456789", true, 10, "none", TRUE, "123456789", "9 characters without a terminator fit 10"},
    {stored::text, "123456789", true, 10, "none", TRUE, "123456789", "9 characters with a terminator fit 10 exactly"},
    {stored::text_no_zero, "1234567890", true, 10, "none", FALSE, "none", "10 characters leave no room for a terminator"},
    {stored::text_no_zero, "12345678901", true, 10, "none", FALSE, "none", "larger than the buffer: nothing of it stays"},
    {stored::text_no_zero, std::string(259, 'p'), false, 260, "none", TRUE, std::string(259, 'p'), "259 characters fit a path buffer"},
    {stored::text_no_zero, std::string(260, 'p'), false, 260, "none", FALSE, "none", "260 characters fill a path buffer"},
};

// Stores the row's value as "v" (or as the key's default value) of the scratch key, raw.
void store(const scratch_key& key, const read_row& row) {
    const std::wstring w = widen(row.data);
    switch (row.how) {
    case stored::none:
        break;
    case stored::text:
        key.set_text(L"", L"v", w);
        break;
    case stored::text_in_default:
        key.set_text(L"", nullptr, w);
        break;
    case stored::text_no_zero: {
        // The platform counts a terminator in when the byte after the data is zero, so the
        // character after the stored ones is made nonzero.
        const std::wstring padded = w + L"X";
        key.set(L"", L"v", REG_SZ, padded.c_str(), static_cast<DWORD>(w.size() * sizeof(wchar_t)));
        break;
    }
    case stored::dword: {
        const DWORD n = std::stoul(row.data);
        key.set(L"", L"v", REG_DWORD, &n, sizeof n);
        break;
    }
    }
}

TEST(ProfileRead, EachKindOfStoredData) {
    for (const auto& row : read_rows) {
        SCOPED_TRACE(row.why);
        scratch_key key(L"profile-read");
        store(key, row);
        const char* value = row.how == stored::text_in_default ? nullptr : "v";
        const std::wstring wvalue = value ? widen(value) : L"";
        const std::wstring wfallback = row.fallback ? widen(row.fallback) : L"";
        if (!row.w_only) {
            const read_result a = read_a(key.root(), key.path_a().c_str(), value, row.fallback, row.chars);
            EXPECT_EQ(a.ok, row.ok) << "A";
            EXPECT_EQ(a.text, row.expected) << "A";
        }
        const read_result w = read_w(key.root(), key.path().c_str(), value ? wvalue.c_str() : nullptr,
                                     row.fallback ? wfallback.c_str() : nullptr, row.chars);
        EXPECT_EQ(w.ok, row.ok) << "W";
        EXPECT_EQ(w.text, row.expected) << "W";
    }
}

TEST(ProfileRead, FailuresThatKeepTheDefaultOut) {
    scratch_key key(L"profile-fail");
    key.set_text(L"", L"v", L"data");

    // A NULL subkey fails before the default is copied: the buffer is cleared.
    read_result r = read_a(key.root(), nullptr, "v", "none", 16);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, "");
    r = read_w(key.root(), nullptr, L"v", L"none", 16);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, "");

    // A missing subkey and a key handle that is no key give the default.
    r = read_a(key.root(), key.path_a(L"missing").c_str(), "v", "none", 16);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, "none");
    r = read_w(reinterpret_cast<HKEY>(0x1234), L"x", L"v", L"none", 16);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text, "none");

    // A capacity of 0 cannot hold even the empty text: nothing is written and the read fails.
    char untouched = 'u';
    EXPECT_FALSE(ShlGetProfileStringA(key.root(), key.path_a().c_str(), "v", "none", &untouched, 0));
    EXPECT_EQ(untouched, 'u');
}

TEST(ProfileRead, UnwritableBufferIsLeftAlone) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    scratch_key key(L"profile-probe");
    key.set_text(L"", L"v", L"data");
    // Ten writable characters, then a no-access page: a capacity of 11 fails the probe.
    test::guarded_buffer a(10), w(20);
    EXPECT_FALSE(ShlGetProfileStringA(key.root(), key.path_a().c_str(), "v", "none", a.chars(), 11));
    EXPECT_FALSE(ShlGetProfileStringW(key.root(), key.path().c_str(), L"v", L"none", w.wchars(), 11));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(static_cast<BYTE>(a.chars()[i]), fill);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(static_cast<BYTE>(w.chars()[i]), fill);
    // The same buffers at their true capacity work, up to the page.
    EXPECT_TRUE(ShlGetProfileStringA(key.root(), key.path_a().c_str(), "v", "none", a.chars(), 10));
    EXPECT_STREQ(a.chars(), "data");
    EXPECT_TRUE(ShlGetProfileStringW(key.root(), key.path().c_str(), L"v", L"none", w.wchars(), 10));
    EXPECT_STREQ(w.wchars(), L"data");
    // A wide capacity whose byte count does not fit 32 bits is refused, not wrapped around.
    EXPECT_FALSE(ShlGetProfileStringW(key.root(), key.path().c_str(), L"v", L"none", w.wchars(), 0x80000008u));
    EXPECT_STREQ(w.wchars(), L"data");
}

TEST(ProfileWrite, StoresTextWithoutTerminator) {
    scratch_key key(L"profile-write");
    EXPECT_TRUE(ShlWriteProfileStringA(key.root(), key.path_a().c_str(), "a", "abc"));
    EXPECT_TRUE(ShlWriteProfileStringW(key.root(), key.path().c_str(), L"w", L"abc"));
    for (const wchar_t* name : {L"a", L"w"}) {
        const auto v = key.get(L"", name);
        ASSERT_TRUE(v.present);
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(v.text(), L"abc");
    }

    // The platform adds a terminator to a count that leaves it out when a zero follows the
    // data, so the stored length shows only with the empty text: no data bytes at all.
    EXPECT_TRUE(ShlWriteProfileStringA(key.root(), key.path_a().c_str(), "ea", ""));
    EXPECT_TRUE(ShlWriteProfileStringW(key.root(), key.path().c_str(), L"ew", L""));
    for (const wchar_t* name : {L"ea", L"ew"}) {
        const auto v = key.get(L"", name);
        ASSERT_TRUE(v.present);
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(v.data.size(), 0u);
    }

    // Read back through the library: the text, TRUE.
    char a[16];
    EXPECT_TRUE(ShlGetProfileStringA(key.root(), key.path_a().c_str(), "w", "none", a, 16));
    EXPECT_STREQ(a, "abc");
    wchar_t w[16];
    EXPECT_TRUE(ShlGetProfileStringW(key.root(), key.path().c_str(), L"ea", L"none", w, 16));
    EXPECT_STREQ(w, L"");
}

TEST(ProfileWrite, CreatesSubkeysAndFailsWithoutOne) {
    scratch_key key(L"profile-create");
    EXPECT_TRUE(ShlWriteProfileStringA(key.root(), key.path_a(L"a\\b\\c").c_str(), "v", "deep"));
    EXPECT_EQ(key.get(L"a\\b\\c", L"v").text(), L"deep");
    // NULL and empty names are the key's default value.
    EXPECT_TRUE(ShlWriteProfileStringW(key.root(), key.path(L"d").c_str(), nullptr, L"first"));
    EXPECT_EQ(key.get(L"d", nullptr).text(), L"first");
    EXPECT_TRUE(ShlWriteProfileStringW(key.root(), key.path(L"d").c_str(), L"", L"second"));
    EXPECT_EQ(key.get(L"d", L"").text(), L"second");
    // Overwriting replaces the data.
    EXPECT_TRUE(ShlWriteProfileStringA(key.root(), key.path_a(L"a\\b\\c").c_str(), "v", "x"));
    EXPECT_EQ(key.get(L"a\\b\\c", L"v").text(), L"x");

    EXPECT_FALSE(ShlWriteProfileStringA(key.root(), nullptr, "v", "data"));
    EXPECT_FALSE(ShlWriteProfileStringW(key.root(), nullptr, L"v", L"data"));
    EXPECT_FALSE(ShlWriteProfileStringW(reinterpret_cast<HKEY>(0x1234), L"x", L"v", L"data"));
}

// Double-byte text goes through the registry in the active code page 932.
TEST(ProfileCp932, DoubleByteTextRoundTrips) {
    ASSERT_EQ(GetACP(), 932u);
    scratch_key key(L"profile-932");
    const std::wstring wide = test::wide_from_utf8("\xE8\xA1\xA8\xE7\xA4\xBA");  // two kanji
    const std::string narrow = test::acp_from_wide(wide);
    ASSERT_EQ(narrow.size(), 4u);
    EXPECT_TRUE(ShlWriteProfileStringA(key.root(), key.path_a().c_str(), "v", narrow.c_str()));
    EXPECT_EQ(key.get(L"", L"v").text(), wide);
    char buf[8];
    EXPECT_TRUE(ShlGetProfileStringA(key.root(), key.path_a().c_str(), "v", "none", buf, 8));
    EXPECT_EQ(std::string(buf), narrow);
    // Four bytes fill a buffer of four: refused, the default stands in.
    EXPECT_FALSE(ShlGetProfileStringA(key.root(), key.path_a().c_str(), "v", "no", buf, 4));
    EXPECT_STREQ(buf, "no");
}

}  // namespace
