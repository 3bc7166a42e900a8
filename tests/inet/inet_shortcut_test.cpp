// Internet shortcut files on the real file system: round trips, missing files and folders,
// the 2059-character cut, the probe, and the section and key the file uses.
#include <tuple>

#include "support/support.h"

namespace {

// Reads into a buffer of exactly 2061 characters that ends at a no-access page.
template <class C> std::string read(const std::wstring& file) {
    test::guarded<C> url(test::url_chars, 'Z');
    EXPECT_EQ(AW(C, INetReadShortcut)(test::pick<C>(test::acp(file), file).c_str(), url.p()), 1);
    return test::shown(url.s());
}

template <class C> BOOL save(const std::wstring& file, const std::string& url) {
    return AW(C, INetSaveShortcut)(test::pick<C>(test::acp(file), file).c_str(), test::text<C>(url).c_str());
}

TEST(INetShortcut, RoundTripsCutsAndMissingFiles) {
    test::temp_dir dir;
    const std::wstring file = dir.file(L"x.url");
    test::both([&](auto c) {
        using C = decltype(c);
        for (const std::string url : {"http://h/a%20b%2Fc%2541", "ftp://u:p@h:21/x;type=i?q=1#frag", "http://h/\xE9\xFC", ""}) {
            SCOPED_TRACE(url);
            EXPECT_EQ(save<C>(file, url), 1);
            EXPECT_EQ(read<C>(file), url) << "kept as it was, neither decoded nor encoded";
        }
        for (size_t length : {2059u, 2060u, 5000u}) {
            const std::string url = "http://h/" + std::string(length - 9, 'a');
            EXPECT_EQ(save<C>(file, url), 1);
            EXPECT_EQ(read<C>(file), url.substr(0, test::url_longest)) << length;
        }
        // A missing file or folder reads as empty, and saving into a missing folder makes none.
        EXPECT_EQ(read<C>(dir.file(L"missing.url")), "");
        EXPECT_EQ(save<C>(dir.file(L"no folder\\x.url"), "http://h/"), 1);
        EXPECT_EQ(GetFileAttributesW(dir.file(L"no folder").c_str()), INVALID_FILE_ATTRIBUTES);
    });
}

// The file's names match the platform's INI reader in both directions, and a save leaves
// the rest of the file alone.
TEST(INetShortcut, SectionInternetShortcutKeyUrl) {
    test::temp_dir dir;
    const std::wstring file = dir.file(L"by-hand.url");
    ASSERT_TRUE(WritePrivateProfileStringW(L"Other", L"URL", L"http://other/", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"InternetShortcut", L"IconIndex", L"0", file.c_str()));
    EXPECT_EQ(read<char>(file), "") << "no URL key: empty";
    ASSERT_TRUE(WritePrivateProfileStringW(L"InternetShortcut", L"URL", L"http://by-hand/", file.c_str()));
    EXPECT_EQ(read<wchar_t>(file), "http://by-hand/");
    ASSERT_EQ(save<char>(file, "http://new/"), 1);
    wchar_t value[64];
    for (const auto& [section, key, expected] : {std::tuple{L"InternetShortcut", L"URL", L"http://new/"},
                                                 {L"Other", L"URL", L"http://other/"},
                                                 {L"InternetShortcut", L"IconIndex", L"0"}}) {
        GetPrivateProfileStringW(section, key, L"", value, 64, file.c_str());
        EXPECT_STREQ(value, expected);
    }
}

TEST(INetShortcut, ReadProbesAll2061Characters) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::temp_dir dir;
    const std::wstring file = dir.file(L"probe.url");
    test::both([&](auto c) {
        using C = decltype(c);
        ASSERT_EQ(save<C>(file, "http://probe/"), 1);
        const auto name = test::pick<C>(test::acp(file), file);
        EXPECT_EQ(AW(C, INetReadShortcut)(name.c_str(), nullptr), 0);
        test::guarded<C> short_buffer(test::url_chars - 1);
        EXPECT_EQ(AW(C, INetReadShortcut)(name.c_str(), short_buffer.p()), 0);
        EXPECT_TRUE(short_buffer.marked_from(0));
    });
}

// A file that is already UTF-16 stays so, and keeps any character; in code page 932 the A
// form stores and reads double-byte text unchanged.
TEST(INetShortcut, Utf16FileKeepsEveryCharacter) {
    test::temp_dir dir;
    const std::wstring file = dir.file(L"unicode.url");
    const wchar_t content[] = L"\xFEFF[InternetShortcut]\r\nURL=x\r\n";
    HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, content, sizeof content - sizeof(wchar_t), &written, nullptr);
    CloseHandle(f);
    const wchar_t url[] = L"http://\x3042\x4E2D/\x20AC\xD83D\xDE00";
    EXPECT_EQ(INetSaveShortcutW(file.c_str(), url), 1);
    wchar_t back[test::url_chars];
    EXPECT_EQ(INetReadShortcutW(file.c_str(), back), 1);
    EXPECT_STREQ(back, url);
}

TEST(INetShortcutCp932, DoubleByteRoundTrip) {
    ASSERT_EQ(GetACP(), 932u);
    test::temp_dir dir;
    const std::string url = "http://\x83\x5C\x83\x74/\x82\xA0%82%A0";
    EXPECT_EQ(save<char>(dir.file(L"\x3042.url"), url), 1);
    EXPECT_EQ(read<char>(dir.file(L"\x3042.url")), url);
}

}  // namespace
