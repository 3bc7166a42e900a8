// Splitting URLs: the scheme table, the cut order, escaped delimiters, the 2059-character
// bounds, the probes of all three outputs, and rules that hold for every URL of the corpus.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "keldanu.h"
#include "support/corpus.h"
#include "support/support.h"
#include "support/url_forms.h"

namespace {

using test::url_buffer_chars;
using test::url_max_chars;
constexpr DWORD unknown = 65535;

struct ansi_form : test::ansi_url_form {
    static BOOL call(const ch* url, DWORD* scheme, ch* host, ch* path) { return INetParseUrlA(url, scheme, host, path); }
    static BOOL decode(ch* url) { return INetCanonicalizeUrlA(url, 0); }
};

struct wide_form : test::wide_url_form {
    static BOOL call(const ch* url, DWORD* scheme, ch* host, ch* path) { return INetParseUrlW(url, scheme, host, path); }
    static BOOL decode(ch* url) { return INetCanonicalizeUrlW(url, 0); }
};

template <class Form>
class INetParseUrl : public ::testing::Test {
protected:
    using ch = typename Form::ch;
    using text = typename Form::text;

    struct parsed {
        BOOL result;
        DWORD scheme;
        text host;
        text path;
    };

    // Parses into a scheme word and two buffers of exactly 2061 characters, each ending at a
    // no-access page and filled with a marker first.
    parsed parse(const text& url) {
        test::guarded_buffer scheme(sizeof(DWORD), 0xCC);
        test::guarded_buffer host(url_buffer_chars * sizeof(ch), 0xCC);
        test::guarded_buffer path(url_buffer_chars * sizeof(ch), 0xCC);
        parsed p;
        p.result = Form::call(url.c_str(), static_cast<DWORD*>(scheme.data()), Form::chars(host), Form::chars(path));
        p.scheme = *static_cast<DWORD*>(scheme.data());
        p.host = Form::chars(host);
        p.path = Form::chars(path);
        return p;
    }
};
using forms = ::testing::Types<ansi_form, wide_form>;
TYPED_TEST_SUITE(INetParseUrl, forms);

struct parse_row {
    const char* url;
    DWORD scheme;
    const char* host;
    const char* path;
    const char* why;
};

const parse_row parse_rows[] = {
    // Every scheme of the table.
    {"file:///C:/dir/x.txt", 1, "", "/C:/dir/x.txt", "file, with an empty host"},
    {"ftp://ftphost/pub/file.zip", 2, "ftphost", "/pub/file.zip", "ftp"},
    {"http://host/index.html", 3, "host", "/index.html", "http"},
    {"https://securehost", 4, "securehost", "", "https without a path"},
    {"mailto:/x", 5, "", "/x", "mailto"},
    {"news://nsrv/alt.test", 6, "nsrv", "/alt.test", "news"},
    {"nntp://nsrv/group/5", 7, "nsrv", "/group/5", "nntp"},
    {"telnet://host:23", 8, "host:23", "", "telnet: the port stays in the host"},
    {"gopher://gsrv/1/menu", 9, "gsrv", "/1/menu", "gopher"},
    {"gopher:x/y", 9, "", "x/y", "gopher without slashes after the colon"},
    {"prospero://psrv/x", 10, "psrv", "/x", "prospero"},
    {"wais://wsrv/db", 11, "wsrv", "/db", "wais"},
    {"HtTpS://X/Y", 4, "X", "/Y", "the scheme is lower-cased, the host keeps its case"},
    {"FILE:/x", 1, "", "/x", "an upper-case file scheme"},
    {"httpx://h/p", unknown, "h", "/p", "a name that only begins like http"},
    {"htt://h/p", unknown, "h", "/p", "a name that is part of http"},
    {"wais2://h/p", unknown, "h", "/p", "a digit makes another name"},
    // Texts without any "/" are file names, uncut.
    {"C:\\Windows\\file.txt", 1, "", "C:\\Windows\\file.txt", "a Windows path"},
    {"news:alt.test", 1, "", "news:alt.test", "a news URL without a slash"},
    {"mailto:someone@example.com", 1, "", "mailto:someone@example.com", "a mailto URL without a slash"},
    {"a#b?c;d:e", 1, "", "a#b?c;d:e", "nothing is cut without a slash"},
    {"", 1, "", "", "the empty text"},
    {"file://C:\\dir\\x.txt", 1, "C:\\dir\\x.txt", "", "backslashes are not separators"},
    // Without a scheme.
    {"/usr/local/file.txt", unknown, "", "/usr/local/file.txt", "a plain path"},
    {"//server/share/x", unknown, "server", "/share/x", "two slashes without a scheme"},
    {"/path/to:file", unknown, "", "file", "a colon after slashes still ends a scheme"},
    {":foo/bar", unknown, "", "foo/bar", "an empty scheme"},
    // A delimiter before the first colon ends the scheme and is dropped.
    {"a.1:80/index.html", unknown, "", "1:80/index.html", "a full stop"},
    {"my-scheme:foo/bar", unknown, "", "scheme:foo/bar", "a hyphen"},
    {"x+y://h/p", unknown, "", "y://h/p", "a plus sign"},
    {"http.x://h/p", 3, "", "x://h/p", "a known name ended early"},
    {"a!b:/c", unknown, "", "b:/c", "0x21, the first delimiter"},
    {"a.b:/c", unknown, "", "b:/c", "0x2E, the last of the first range"},
    {"a;b:/c", unknown, "", "b:/c", "0x3B, the first of the second range"},
    {"a=b:/c", unknown, "", "b:/c", "0x3D, an equals sign"},
    {"a>b:/c", unknown, "", "b:/c", "0x3E"},
    {"a_b:/c", unknown, "", "/c", "an underscore is no delimiter"},
    {"a@b:/c", unknown, "", "/c", "nor is an at sign"},
    {"a.b/c", unknown, "", "a.b/c", "a delimiter without any colon ends nothing"},
    // The cut order: fragment, scheme, host, query, parameters.
    {"HTTP://Host:8080/dir/page.html?q=1#top", 3, "Host:8080", "/dir/page.html", "query and fragment"},
    {"http://host/a;type=i?b=2", 3, "host", "/a", "parameters before a query"},
    {"http://host/a?b=2;c", 3, "host", "/a", "a query before parameters"},
    {"abc#def/ghi", unknown, "", "abc", "the fragment goes first, taking the only slash with it"},
    {"http://h/p#x:y", 3, "h", "/p", "a colon in the fragment is gone before the scheme is sought"},
    {"a#b:c/d", unknown, "", "a", "so is a colon after the fragment"},
    {"http://host?x=1", 3, "host?x=1", "", "no path: the query stays in the host"},
    {"http://host;p", 3, "host;p", "", "no path: the parameters stay in the host"},
    {"http://host?x/y", 3, "host?x", "/y", "the host runs to the next slash"},
    {"http://u:p@host/x", 3, "u:p@host", "/x", "user and password stay in the host"},
    {"ftp://u:p@host/pub", 2, "u:p@host", "/pub", "an ftp login"},
    {"http://", 3, "", "", "nothing after the slashes"},
    {"http:/x", 3, "", "/x", "one slash is no host"},
    {"http:///x", 3, "", "/x", "three slashes: an empty host"},
    {"http:////x", 3, "", "//x", "four slashes"},
    {"http://h//x", 3, "h", "//x", "a double slash in the path"},
    {"http://h/a:b/c", 3, "h", "/a:b/c", "only the first colon ends the scheme"},
    // Escapes are decoded before anything is cut.
    {"http://h/a%20b%2Fc", 3, "h", "/a b/c", "an escaped slash in the path"},
    {"http:%2F%2Fh%2Fp", 3, "h", "/p", "escaped slashes introduce the host"},
    {"http://h/p%3Fq", 3, "h", "/p", "an escaped question mark cuts the query"},
    {"http://h/p%23q", 3, "h", "/p", "an escaped number sign cuts the fragment"},
    {"http://h/p%3Bq", 3, "h", "/p", "an escaped semicolon cuts the parameters"},
    {"http%3A//h/p", 3, "h", "/p", "an escaped colon ends the scheme"},
    {"%68ttp://h/p", 3, "h", "/p", "an escaped letter of the scheme"},
    {"a%2Fb", unknown, "", "a/b", "an escaped slash makes a text no file name"},
    {"http://h/%2541", 3, "h", "/A", "a decoded % decodes again"},
    {"http://h/a%00b", 3, "h", "/ab", "%00 leaves nothing"},
};

TYPED_TEST(INetParseUrl, Table) {
    for (const parse_row& row : parse_rows) {
        SCOPED_TRACE(row.why);
        SCOPED_TRACE(testing::Message() << "url \"" << row.url << "\"");
        SetLastError(0xDEADBEEF);
        const auto p = this->parse(TypeParam::from(row.url));
        EXPECT_EQ(p.result, 1);
        EXPECT_EQ(p.scheme, row.scheme);
        EXPECT_EQ(p.host, TypeParam::from(row.host));
        EXPECT_EQ(p.path, TypeParam::from(row.path));
        EXPECT_EQ(GetLastError(), 0xDEADBEEFu);
    }
}

// The W form decodes an escape to one unit, so a decoded character beyond ASCII is one unit
// of the path and never a code-page character.
TEST(INetParseUrlW, EscapesBecomeSingleUnits) {
    wchar_t host[url_buffer_chars], path[url_buffer_chars];
    DWORD scheme = 0;
    ASSERT_EQ(INetParseUrlW(L"http://h%C3%A9/%E9\x3042", &scheme, host, path), 1);
    EXPECT_EQ(scheme, 3u);
    EXPECT_STREQ(host, L"h\x00C3\x00A9");
    EXPECT_STREQ(path, L"/\x00E9\x3042");
}

// The input is not probed; a null URL is taken as the empty text, a file name.
TYPED_TEST(INetParseUrl, NullUrlIsEmpty) {
    using ch = typename TypeParam::ch;
    ch host[url_buffer_chars], path[url_buffer_chars];
    host[0] = path[0] = ch('x');
    DWORD scheme = 0;
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(TypeParam::call(nullptr, &scheme, host, path), 1);
    EXPECT_EQ(scheme, 1u);
    EXPECT_EQ(host[0], ch(0));
    EXPECT_EQ(path[0], ch(0));
    EXPECT_EQ(GetLastError(), 0xDEADBEEFu);
}

// Each probe on its own: the output that fails it, NULL or 2061 characters that run into a
// no-access page (4 bytes for the scheme), makes the call fail before anything is written.
TYPED_TEST(INetParseUrl, EveryProbeFailsBeforeWriting) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    using ch = typename TypeParam::ch;
    const auto url = TypeParam::from("http://h/p");
    const size_t full = url_buffer_chars * sizeof(ch);
    const size_t short_by_one = full - sizeof(ch);
    struct probe_row {
        bool null_scheme, null_host, null_path;
        size_t scheme_bytes, host_bytes, path_bytes;
        const char* why;
    };
    const probe_row rows[] = {
        {true, false, false, 4, full, full, "NULL scheme"},
        {false, true, false, 4, full, full, "NULL host"},
        {false, false, true, 4, full, full, "NULL path"},
        {false, false, false, 3, full, full, "a scheme word with 3 writable bytes"},
        {false, false, false, 4, short_by_one, full, "a host buffer of 2060 characters"},
        {false, false, false, 4, full, short_by_one, "a path buffer of 2060 characters"},
    };
    for (const probe_row& row : rows) {
        SCOPED_TRACE(row.why);
        test::guarded_buffer scheme(row.scheme_bytes, 0x5A);
        test::guarded_buffer host(row.host_bytes, 0x5A);
        test::guarded_buffer path(row.path_bytes, 0x5A);
        SetLastError(0xDEADBEEF);
        EXPECT_EQ(TypeParam::call(url.c_str(), row.null_scheme ? nullptr : static_cast<DWORD*>(scheme.data()),
                                  row.null_host ? nullptr : TypeParam::chars(host),
                                  row.null_path ? nullptr : TypeParam::chars(path)),
                  0);
        EXPECT_EQ(GetLastError(), 0xDEADBEEFu);
        for (const auto* b : {&scheme, &host, &path}) {
            const auto* bytes = static_cast<const unsigned char*>(b->data());
            const size_t size = static_cast<const char*>(b->end()) - static_cast<const char*>(b->data());
            for (size_t i = 0; i < size; ++i) ASSERT_EQ(bytes[i], 0x5A) << "an output was written at byte " << i;
        }
    }
}

// Only the first 2059 characters of the URL count; host and path are cut with it.
TYPED_TEST(INetParseUrl, UrlsAreCutAt2059Characters) {
    using ch = typename TypeParam::ch;
    using text = typename TypeParam::text;
    for (size_t length : {2058u, 2059u, 2060u, 2061u, 3000u}) {
        SCOPED_TRACE(testing::Message() << length << " characters");
        const size_t kept = length < url_max_chars ? length : url_max_chars;

        // A path alone: "/" and letters.
        text url = TypeParam::from("/") + text(length - 1, ch('p'));
        auto p = this->parse(url);
        EXPECT_EQ(p.result, 1);
        EXPECT_EQ(p.scheme, unknown);
        EXPECT_EQ(p.host, text());
        EXPECT_EQ(p.path, url.substr(0, kept));

        // A host alone: "//" and letters.
        url = TypeParam::from("//") + text(length - 2, ch('h'));
        p = this->parse(url);
        EXPECT_EQ(p.host, url.substr(2, kept - 2));
        EXPECT_EQ(p.path, text());

        // A file name: no slash at all.
        url = text(length, ch('f'));
        p = this->parse(url);
        EXPECT_EQ(p.scheme, 1u);
        EXPECT_EQ(p.path, url.substr(0, kept));

        // A "?" just past the cut does not matter; one inside it cuts the path.
        url = TypeParam::from("http://h/") + text(length - 10, ch('q')) + TypeParam::from("?");
        p = this->parse(url);
        EXPECT_EQ(p.scheme, 3u);
        // The path starts at index 8; the "?" stands at index length - 1.
        const size_t path_end = kept < length - 1 ? kept : length - 1;
        EXPECT_EQ(p.path, url.substr(8, path_end - 8));
    }
    // A slash beyond the cut does not count: what is left has none and is a file name.
    const text url = text(url_max_chars, ch('f')) + TypeParam::from("/x");
    const auto p = this->parse(url);
    EXPECT_EQ(p.scheme, 1u);
    EXPECT_EQ(p.path, url.substr(0, url_max_chars));
}

// Every URL of the corpus, in both forms: the call succeeds, writes only inside the 2061
// characters of each output, and its results follow the rules that hold for any input.
TYPED_TEST(INetParseUrl, Corpus) {
    using ch = typename TypeParam::ch;
    using text = typename TypeParam::text;
    static const char* const names[] = {"file", "ftp", "http", "https", "mailto", "news",
                                        "nntp", "telnet", "gopher", "prospero", "wais"};
    const auto lines = test::read_corpus("urls.txt");
    ASSERT_GT(lines.size(), 1000u) << "corpus not found at " << test::acp_from_wide(test::corpus_file("urls.txt"));
    test::guarded_buffer decoded_buffer(url_buffer_chars * sizeof(ch));
    for (const std::wstring& line : lines) {
        const text url = TypeParam::from_wide(line);
        SCOPED_TRACE(testing::Message() << "url \"" << test::acp_from_wide(line) << "\"");
        const auto p = this->parse(url);
        ASSERT_EQ(p.result, 1);

        ch* decoded_chars = TypeParam::chars(decoded_buffer);
        std::memcpy(decoded_chars, url.c_str(), (url.size() + 1) * sizeof(ch));
        ASSERT_EQ(TypeParam::decode(decoded_chars), 1);
        const text decoded = decoded_chars;

        if (decoded.find(ch('/')) == text::npos) {
            EXPECT_EQ(p.scheme, 1u);
            EXPECT_EQ(p.host, text());
            EXPECT_EQ(p.path, decoded);
            continue;
        }
        // Host and path are pieces of the decoded text, in that order, not overlapping.
        const size_t host_at = p.host.empty() ? 0 : decoded.find(p.host);
        ASSERT_NE(host_at, text::npos);
        ASSERT_NE(decoded.find(p.path, p.host.empty() ? 0 : host_at + p.host.size()), text::npos);
        EXPECT_LE(p.host.size() + p.path.size(), decoded.size());
        // The fragment is gone from both; the host holds no slash; the path is cut at its
        // first "?" and ";" and, with a host, starts with "/".
        EXPECT_EQ(p.host.find(ch('#')), text::npos);
        EXPECT_EQ(p.host.find(ch('/')), text::npos);
        EXPECT_EQ(p.path.find(ch('#')), text::npos);
        EXPECT_EQ(p.path.find(ch('?')), text::npos);
        EXPECT_EQ(p.path.find(ch(';')), text::npos);
        if (!p.host.empty() && !p.path.empty()) EXPECT_EQ(p.path[0], ch('/'));
        // A known scheme number means the text begins with that name in some case.
        if (p.scheme == unknown) continue;
        ASSERT_GE(p.scheme, 1u);
        ASSERT_LE(p.scheme, 11u);
        const text name = TypeParam::from(names[p.scheme - 1]);
        text start = decoded.substr(0, name.size());
        for (ch& c : start)
            if (c >= 'A' && c <= 'Z') c = static_cast<ch>(c - 'A' + 'a');
        EXPECT_EQ(start, name);
    }
}

// Double-byte characters in the A form: no trail byte of code page 932 is a delimiter, so
// they pass through host and path whole; two escapes may form one such character.
TEST(INetParseUrlCp932, DoubleByteHostAndPath) {
    ASSERT_EQ(GetACP(), 932u);
    struct row {
        const char* url;
        DWORD scheme;
        const char* host;
        const char* path;
        const char* why;
    };
    const row rows[] = {
        {"http://\x83\x5C\x83\x74\x83\x67/\x83\x5C?q", 3, "\x83\x5C\x83\x74\x83\x67", "/\x83\x5C",
         "katakana whose trail bytes include the backslash"},
        {"http://h/%82%A0", 3, "h", "/\x82\xA0", "two escapes forming hiragana A"},
        {"\x82\xA0:/x", unknown, "", "/x", "a double-byte scheme name"},
        {"\x82\xA0\x82\xA2", 1, "", "\x82\xA0\x82\xA2", "a file name without slashes"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        char host[url_buffer_chars], path[url_buffer_chars];
        DWORD scheme = 0;
        ASSERT_EQ(INetParseUrlA(r.url, &scheme, host, path), 1);
        EXPECT_EQ(scheme, r.scheme);
        EXPECT_STREQ(host, r.host);
        EXPECT_STREQ(path, r.path);
    }
}

}  // namespace
