// Internet shortcut files on the real file system: round trips, failures, the 2059-character cut, the probe.
#include "support/support.h"

namespace {

// Reads into a buffer of 2061 characters that ends at a no-access page.
template <class C>
std::string read(const std::wstring& file) {
    test::guarded<C> url(test::url_chars, 'Z');
    EXPECT_EQ(AW(C, INetReadShortcut)(test::native<C>(file).c_str(), url.p()), 1);
    return test::shown(url.s());
}

template <class C>
BOOL save(const std::wstring& file, const std::string& url) {
    return AW(C, INetSaveShortcut)(test::native<C>(file).c_str(), test::text<C>(url).c_str());
}

TEST(INetShortcut, RoundTripsCutsAndMissingFiles) {
    test::temp_dir dir;
    const std::wstring file = dir.file(L"x.url");
    test::both([&](auto c) {
        using C = decltype(c);
        for (const std::string& url :
             {std::string("http://h/a%20b%2F?q=1#f"), std::string("http://h/\xE9\xFC"), std::string(5000, 'a')}) {
            EXPECT_EQ(save<C>(file, url), 1);
            EXPECT_EQ(read<C>(file), url.substr(0, test::url_longest)) << "kept as it was, at most 2059 characters";
        }
        EXPECT_EQ(read<C>(dir.file(L"missing.url")), "");
        EXPECT_EQ(save<C>(dir.file(L"no folder\\x.url"), "http://h/"), 1) << "a missing folder is no failure";
        // The file is an INI file: section InternetShortcut, key URL.
        ASSERT_TRUE(WritePrivateProfileStringW(L"InternetShortcut", L"URL", L"http://by-hand/", file.c_str()));
        EXPECT_EQ(read<C>(file), "http://by-hand/");
        ASSERT_TRUE(WritePrivateProfileStringW(L"InternetShortcut", L"URL", nullptr, file.c_str()));
        EXPECT_EQ(read<C>(file), "") << "no URL key: empty";
    });
}

// The whole 2061 characters are probed before the file is looked at.
TEST(INetShortcut, ReadProbesAll2061Characters) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::both([](auto c) {
        using C = decltype(c);
        test::guarded<C> short_buffer(test::url_chars - 1);
        EXPECT_EQ(AW(C, INetReadShortcut)(test::text<C>("C:\\missing.url").c_str(), short_buffer.p()), 0);
        EXPECT_EQ(AW(C, INetReadShortcut)(test::text<C>("C:\\missing.url").c_str(), nullptr), 0);
        EXPECT_TRUE(short_buffer.marked_from(0));
    });
}

}  // namespace
