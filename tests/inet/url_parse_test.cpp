// Splitting URLs: the scheme table, the cut order, escaped delimiters, the bounds, the probes of all outputs.
#include "support/support.h"

namespace {

constexpr DWORD unknown = 65535;

struct parsed {  // what the three outputs hold
    DWORD scheme;
    std::string host, path;
};
// One assertion for each output.
void expect_parsed(const parsed& got, const parsed& want, const std::string& why) {
    EXPECT_EQ(got.scheme, want.scheme) << why;
    EXPECT_EQ(got.host, want.host) << why;
    EXPECT_EQ(got.path, want.path) << why;
}

// Parses into a scheme word and two 2061-character buffers, each ending at a no-access page.
template <class C>
parsed parse(const std::string& url) {
    test::guarded<char> scheme(sizeof(DWORD));
    test::guarded<C> host(test::url_chars), path(test::url_chars);
    SetLastError(test::sentinel);
    EXPECT_EQ(AW(C, INetParseUrl)(test::text<C>(url).c_str(), (DWORD*)scheme.p(), host.p(), path.p()), 1);
    EXPECT_EQ(GetLastError(), test::sentinel);
    return {*(DWORD*)scheme.p(), test::shown(host.s()), test::shown(path.s())};
}

struct row {
    const char* url;
    DWORD scheme;
    const char *host, *path, *why;
};

const row rows[] = {
    {"file:///C:/dir/x.txt", 1, "", "/C:/dir/x.txt", "file, with an empty host"},
    {"HtTpS://X/Y", 4, "X", "/Y", "the scheme is lower-cased, the host keeps its case"},
    {"telnet://host:23", 8, "host:23", "", "telnet: the port stays in the host"},
    {"httpx://h/p", unknown, "h", "/p", "a name that only begins like http"},
    {"C:\\Windows\\file.txt", 1, "", "C:\\Windows\\file.txt", "no slash: a file name, uncut"},
    {"", 1, "", "", "the empty text"},
    {"//server/share/x", unknown, "server", "/share/x", "two slashes without a scheme"},
    {"/path/to:file", unknown, "", "file", "a colon after slashes still ends a scheme"},
    {":foo/bar", unknown, "", "foo/bar", "an empty scheme"},
    {"a!b:/c", unknown, "", "b:/c", "0x21, the first delimiter, ends the scheme and is dropped"},
    {"a;b:/c", unknown, "", "b:/c", "0x3B, the first of the second range"},
    {"a>b:/c", unknown, "", "b:/c", "0x3E, the last of it"},
    {"a_b:/c", unknown, "", "/c", "an underscore is no delimiter"},
    {"http.x://h/p", 3, "", "x://h/p", "a known name ended early"},
    {"HTTP://Host:8080/dir/page.html?q=1#top", 3, "Host:8080", "/dir/page.html", "query and fragment"},
    {"abc#def/ghi", unknown, "", "abc", "the fragment goes first, taking the only slash with it"},
    {"http://h/p#x:y", 3, "h", "/p", "a colon in the fragment is gone before the scheme is sought"},
    {"http://host?x=1", 3, "host?x=1", "", "no path: the query stays in the host"},
    {"http://host?x/y", 3, "host?x", "/y", "the host runs to the next slash"},
    {"http:%2F%2Fh%2Fp", 3, "h", "/p", "escapes are decoded before anything is cut"},
    {"http%3A//h/p", 3, "h", "/p", "an escaped colon ends the scheme"},
};

TEST(INetParseUrl, Rows) {
    test::both([](auto c) {
        using C = decltype(c);
        for (const row& r : rows)
            expect_parsed(parse<C>(r.url), {r.scheme, r.host, r.path}, std::string(r.why) + ": " + r.url);
        // A null URL is the empty text; the input is not probed.
        C host[test::url_chars] = {C('x')}, path[test::url_chars] = {C('x')};
        DWORD scheme = 0;
        EXPECT_EQ(AW(C, INetParseUrl)(nullptr, &scheme, host, path), 1);
        EXPECT_EQ(scheme, 1u);
        EXPECT_EQ(host[0], 0);
        EXPECT_EQ(path[0], 0);
    });
    // The W form decodes an escape to one unit, never through a code page.
    wchar_t host[test::url_chars], path[test::url_chars];
    DWORD scheme = 0;
    ASSERT_EQ(INetParseUrlW(L"http://h%C3%A9/%E9\x3042", &scheme, host, path), 1);
    EXPECT_EQ(std::wstring(host), L"h\x00C3\x00A9");
    EXPECT_EQ(std::wstring(path), L"/\x00E9\x3042");
}

// Each output in turn NULL or one unit short at a no-access page: a failure, nothing written.
TEST(INetParseUrl, EveryProbeFailsBeforeWriting) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::both([](auto c) {
        using C = decltype(c);
        for (int bad = 0; bad < 6; ++bad) {
            const size_t full[3] = {4, test::url_chars * sizeof(C), test::url_chars * sizeof(C)},
                         less = bad % 3 ? sizeof(C) : 1;
            test::guarded<char> out[3] = {test::guarded<char>(full[0] - (bad == 3) * less),
                                          test::guarded<char>(full[1] - (bad == 4) * less),
                                          test::guarded<char>(full[2] - (bad == 5) * less)};
            void* p[3] = {bad == 0 ? nullptr : out[0].p(), bad == 1 ? nullptr : out[1].p(),
                          bad == 2 ? nullptr : out[2].p()};
            SetLastError(test::sentinel);
            EXPECT_EQ(AW(C, INetParseUrl)(test::text<C>("http://h/p").c_str(), (DWORD*)p[0], (C*)p[1], (C*)p[2]), 0)
                << bad;
            EXPECT_EQ(GetLastError(), test::sentinel);
            for (auto& o : out) EXPECT_TRUE(o.marked_from(0)) << bad;
        }
    });
}

// Only the first 2059 characters count; a "?" or "/" past them does not.
TEST(INetParseUrl, UrlsAreCutAt2059Characters) {
    const size_t kept = test::url_longest;
    test::both([&](auto c) {
        using C = decltype(c);
        for (size_t length : {2058u, 2059u, 3000u}) {
            const std::string path(length, 'p'), host(length - 2, 'h'), query = std::string(length - 1, 'q') + "?";
            expect_parsed(parse<C>("/" + path), {unknown, "", "/" + path.substr(0, kept - 1)}, std::to_string(length));
            expect_parsed(parse<C>("//" + host), {unknown, host.substr(0, kept - 2), ""}, std::to_string(length));
            EXPECT_EQ(parse<C>("http://h/" + query).path, "/" + query.substr(0, kept - 9))
                << "? beyond the cut";
        }
        expect_parsed(parse<C>(std::string(kept, 'f') + "/x"), {1, "", std::string(kept, 'f')}, "no slash in 2059");
    });
}

// No trail byte of code page 932 is a delimiter; two escapes may make one character.
TEST(INetParseUrlCp932, DoubleByteHostAndPath) {
    ASSERT_EQ(GetACP(), 932u);
    const row cp932_rows[] = {
        {"http://\x83\x5C\x83\x74/\x83\x5C?q", 3, "\x83\x5C\x83\x74", "/\x83\x5C", "katakana with trail byte 0x5C"},
        {"http://h/%82%A0", 3, "h", "/\x82\xA0", "two escapes forming hiragana A"},
        {"\x82\xA0:/x", unknown, "", "/x", "a double-byte scheme name"},
    };
    for (const row& r : cp932_rows) expect_parsed(parse<char>(r.url), {r.scheme, r.host, r.path}, r.why);
}

}  // namespace
