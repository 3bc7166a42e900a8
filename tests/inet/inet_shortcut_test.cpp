// Internet shortcut files on the real file system: round trips, missing files and folders,
// the 2059-character cut, the probe, escapes kept, and the section and key the file uses.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "keldanu.h"
#include "support/support.h"
#include "support/url_forms.h"

namespace {

using test::url_buffer_chars;
using test::url_max_chars;

struct ansi_form : test::ansi_url_form {
    static BOOL read(const text& file, ch* url) { return INetReadShortcutA(file.c_str(), url); }
    static BOOL save(const text& file, const text& url) { return INetSaveShortcutA(file.c_str(), url.c_str()); }
};

struct wide_form : test::wide_url_form {
    static BOOL read(const text& file, ch* url) { return INetReadShortcutW(file.c_str(), url); }
    static BOOL save(const text& file, const text& url) { return INetSaveShortcutW(file.c_str(), url.c_str()); }
};

template <class Form>
class INetShortcut : public ::testing::Test {
protected:
    using ch = typename Form::ch;
    using text = typename Form::text;

    text file(const char* name) { return Form::from_wide(dir_.file(test::widen(name))); }

    // Reads into a buffer of exactly 2061 characters that ends at a no-access page and is
    // filled with a marker first.
    text read(const text& file, BOOL* result = nullptr) {
        test::guarded_buffer buffer(url_buffer_chars * sizeof(ch), 0x5A);
        const BOOL r = Form::read(file, Form::chars(buffer));
        if (result) *result = r;
        return Form::chars(buffer);
    }

    test::temp_dir dir_;
};
using forms = ::testing::Types<ansi_form, wide_form>;
TYPED_TEST_SUITE(INetShortcut, forms);

struct round_trip_row {
    const char* url;
    const char* why;
};

const round_trip_row round_trip_rows[] = {
    {"http://host/index.html", "a plain URL"},
    {"http://h/a%20b%2Fc%2541", "escapes are kept, neither decoded nor re-encoded"},
    {"ftp://u:p@h:21/x;type=i?q=1#frag", "every delimiter"},
    {"file:///C:/dir/x.txt", "a file URL"},
    {"C:\\dir\\x.txt", "a Windows path"},
    {"http://h/\xE9\xFC", "Latin-1 letters, which code page 1252 holds"},
    {"", "the empty URL"},
};

TYPED_TEST(INetShortcut, RoundTrip) {
    const auto file = this->file("round.url");
    for (const round_trip_row& row : round_trip_rows) {
        SCOPED_TRACE(row.why);
        const auto url = TypeParam::from(row.url);
        EXPECT_EQ(TypeParam::save(file, url), 1);
        BOOL result = 0;
        EXPECT_EQ(this->read(file, &result), url);
        EXPECT_EQ(result, 1);
    }
}

TYPED_TEST(INetShortcut, MissingFileReadsEmpty) {
    BOOL result = 0;
    EXPECT_EQ(this->read(this->file("missing.url"), &result), typename TypeParam::text());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(this->read(this->file("no such folder\\x.url"), &result), typename TypeParam::text());
    EXPECT_EQ(result, 1);
}

TYPED_TEST(INetShortcut, SaveIntoMissingFolderStillReturnsOne) {
    const auto file = this->file("no such folder\\x.url");
    EXPECT_EQ(TypeParam::save(file, TypeParam::from("http://h/")), 1);
    EXPECT_EQ(GetFileAttributesW(this->dir_.file(L"no such folder").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the folder was created";
}

// The file's value is found by the platform's INI reader under the names the library uses,
// and a file written by hand is read back: the names match in both directions.
TYPED_TEST(INetShortcut, SectionInternetShortcutKeyUrl) {
    const auto saved = this->dir_.file(L"saved.url");
    ASSERT_EQ(TypeParam::save(TypeParam::from_wide(saved), TypeParam::from("http://saved/")), 1);
    wchar_t value[64] = {};
    GetPrivateProfileStringW(L"InternetShortcut", L"URL", L"", value, 64, saved.c_str());
    EXPECT_STREQ(value, L"http://saved/");

    const auto by_hand = this->dir_.file(L"by-hand.url");
    const char content[] = "[Other]\r\nURL=http://other/\r\n[InternetShortcut]\r\nIconIndex=0\r\nURL=http://by-hand/\r\n";
    HANDLE f = CreateFileW(by_hand.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, content, static_cast<DWORD>(std::strlen(content)), &written, nullptr);
    CloseHandle(f);
    EXPECT_EQ(this->read(TypeParam::from_wide(by_hand)), TypeParam::from("http://by-hand/"));

    // Saving replaces the value and leaves the rest of the file alone.
    ASSERT_EQ(TypeParam::save(TypeParam::from_wide(by_hand), TypeParam::from("http://new/")), 1);
    EXPECT_EQ(this->read(TypeParam::from_wide(by_hand)), TypeParam::from("http://new/"));
    GetPrivateProfileStringW(L"Other", L"URL", L"", value, 64, by_hand.c_str());
    EXPECT_STREQ(value, L"http://other/");
    GetPrivateProfileStringW(L"InternetShortcut", L"IconIndex", L"", value, 64, by_hand.c_str());
    EXPECT_STREQ(value, L"0");
}

// A file whose section or key is missing reads as empty, like a missing file.
TYPED_TEST(INetShortcut, MissingKeyReadsEmpty) {
    const auto file = this->dir_.file(L"other.url");
    ASSERT_TRUE(WritePrivateProfileStringW(L"InternetShortcut", L"IconFile", L"x.ico", file.c_str()));
    EXPECT_EQ(this->read(TypeParam::from_wide(file)), typename TypeParam::text());
}

TYPED_TEST(INetShortcut, LongValuesAreCutTo2059) {
    using ch = typename TypeParam::ch;
    using text = typename TypeParam::text;
    const auto file = this->file("long.url");
    for (size_t length : {2058u, 2059u, 2060u, 2061u, 5000u}) {
        SCOPED_TRACE(testing::Message() << length << " characters");
        text url = TypeParam::from("http://h/");
        for (size_t i = url.size(); i < length; ++i) url.push_back(static_cast<ch>('a' + i % 26));
        EXPECT_EQ(TypeParam::save(file, url), 1);
        BOOL result = 0;
        EXPECT_EQ(this->read(file, &result), url.substr(0, length < url_max_chars ? length : url_max_chars));
        EXPECT_EQ(result, 1);
    }
}

TYPED_TEST(INetShortcut, ReadProbesAll2061Characters) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    using ch = typename TypeParam::ch;
    const auto file = this->file("probe.url");
    ASSERT_EQ(TypeParam::save(file, TypeParam::from("http://probe/")), 1);
    EXPECT_EQ(TypeParam::read(file, nullptr), 0);

    test::guarded_buffer short_buffer((url_buffer_chars - 1) * sizeof(ch), 0x5A);
    EXPECT_EQ(TypeParam::read(file, TypeParam::chars(short_buffer)), 0);
    const auto* bytes = static_cast<const unsigned char*>(short_buffer.data());
    for (size_t i = 0; i < (url_buffer_chars - 1) * sizeof(ch); ++i) ASSERT_EQ(bytes[i], 0x5A) << "byte " << i;

    BOOL result = 0;
    EXPECT_EQ(this->read(file, &result), TypeParam::from("http://probe/"));
    EXPECT_EQ(result, 1);
}

// A new file is written in the ANSI code page even by the W form, so only characters of that
// code page survive a round trip there. A file that already is UTF-16 (it starts with the
// byte-order mark) stays UTF-16, and then any character survives.
TEST(INetShortcutW, Utf16FileKeepsEveryCharacter) {
    test::temp_dir dir;
    const std::wstring file = dir.file(L"unicode.url");
    const wchar_t content[] = L"\xFEFF[InternetShortcut]\r\nURL=x\r\n";
    HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, content, sizeof content - sizeof(wchar_t), &written, nullptr);
    CloseHandle(f);

    const wchar_t url[] = L"http://\x3042\x4E2D/\x20AC\xD83D\xDE00";
    EXPECT_EQ(INetSaveShortcutW(file.c_str(), url), 1);
    wchar_t back[url_buffer_chars];
    EXPECT_EQ(INetReadShortcutW(file.c_str(), back), 1);
    EXPECT_STREQ(back, url);
}

// In a code-page-932 process the A form stores and reads double-byte text unchanged.
TEST(INetShortcutCp932, DoubleByteRoundTrip) {
    ASSERT_EQ(GetACP(), 932u);
    test::temp_dir dir;
    const std::string file = test::acp_from_wide(dir.file(L"\x3042.url"));
    const char url[] = "http://\x83\x5C\x83\x74\x83\x67/\x82\xA0%82%A0";
    EXPECT_EQ(INetSaveShortcutA(file.c_str(), url), 1);
    char back[url_buffer_chars];
    EXPECT_EQ(INetReadShortcutA(file.c_str(), back), 1);
    EXPECT_STREQ(back, url);
}

}  // namespace
