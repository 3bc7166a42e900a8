// Registry profile strings on the real registry: each kind of stored data at the terminator's edges; writes.
#include "support/support.h"

namespace {

enum class stored { none, text, unterminated, dword, in_default };

void store(const test::scratch_key& key, stored how, const std::string& data) {
    const std::wstring w = test::text<wchar_t>(data);
    const DWORD number = how == stored::dword ? std::stoul(data) : 0;
    if (how == stored::text || how == stored::in_default) key.set_text(L"", how == stored::text ? L"v" : nullptr, w);
    // The platform counts a terminator in when a zero follows the data, so an X follows.
    if (how == stored::unterminated) key.set(L"", L"v", REG_SZ, (w + L"X").c_str(), DWORD(w.size() * 2));
    if (how == stored::dword) key.set(L"", L"v", REG_DWORD, &number, sizeof number);
}

TEST(ProfileRead, TerminatorEdgesAndDefaults) {
    const std::string p259(259, 'p'), p260(260, 'p');
    const struct {
        stored how;
        std::string data;
        DWORD chars;
        const char* fallback;
        BOOL ok;
        std::string expected;
        const char* why;
    } rows[] = {
        {stored::text, "abc", 260, "none", TRUE, "abc", "a stored text reads back"},
        {stored::text, "", 260, "none", TRUE, "", "the empty text is data: no default"},
        {stored::dword, "65", 260, "none", TRUE, "A", "a number reads as its raw bytes 65 0 0 0"},
        {stored::none, "", 260, "none", FALSE, "none", "a missing value gives the default"},
        {stored::none, "", 3, "none", FALSE, "no", "the default is cut to the capacity"},
        {stored::none, "", 1, "none", FALSE, "", "capacity 1 holds only the terminator"},
        {stored::none, "", 260, nullptr, FALSE, "", "a NULL default leaves the buffer empty"},
        {stored::in_default, "dflt", 260, "none", TRUE, "dflt", "a NULL value name reads the key's default"},
        {stored::unterminated, p259, 260, "none", TRUE, p259, "259 characters without a terminator fit 260"},
        {stored::unterminated, p260, 260, "none", FALSE, "none", "260 leave no room for a terminator"},
        {stored::unterminated, "p" + p260, 260, "none", FALSE, "none", "larger than the buffer: nothing of it stays"},
    };
    test::both([&](auto c) {
        using C = decltype(c);
        for (const auto& row : rows) {
            SCOPED_TRACE(row.why);
            test::scratch_key key(L"profile-read");
            store(key, row.how, row.data);
            test::guarded<C> buf(row.chars + 1);
            const auto v = test::text<C>("v"), fallback = test::text<C>(row.fallback ? row.fallback : ""),
                       path = key.path_in<C>();
            SetLastError(test::sentinel);
            EXPECT_EQ(AW(C, ShlGetProfileString)(key.root(), path.c_str(),
                                                 row.how == stored::in_default ? nullptr : v.c_str(),
                                                 row.fallback ? fallback.c_str() : nullptr, buf.p(), row.chars),
                      row.ok);
            EXPECT_EQ(GetLastError(), test::sentinel);
            EXPECT_EQ(test::shown(buf.s()), row.expected);
            for (size_t i = row.expected.size(); i < row.chars; ++i) ASSERT_EQ(buf.p()[i], 0) << "not cleared at " << i;
            EXPECT_TRUE(buf.marked_from(row.chars)) << "written past the capacity";
        }
    });
}

TEST(ProfileRead, FailuresThatKeepTheDefaultOut) {
    test::scratch_key key(L"profile-fail");
    key.set_text(L"", L"v", L"data");
    test::both([&](auto c) {
        using C = decltype(c);
        const auto v = test::text<C>("v"), none = test::text<C>("none"), x = test::text<C>("x");
        const auto path = key.path_in<C>(L"missing");
        C buf[16];
        EXPECT_FALSE(AW(C, ShlGetProfileString)(key.root(), nullptr, v.c_str(), none.c_str(), buf, 16));
        EXPECT_EQ(buf[0], 0) << "a NULL subkey clears the buffer and gives no default";
        EXPECT_FALSE(AW(C, ShlGetProfileString)(key.root(), path.c_str(), v.c_str(), none.c_str(), buf, 16));
        EXPECT_EQ(test::str<C>(buf), none) << "a missing subkey gives the default";
        buf[0] = C('u');
        EXPECT_FALSE(AW(C, ShlGetProfileString)(key.root(), x.c_str(), v.c_str(), none.c_str(), buf, 0));
        EXPECT_EQ(buf[0], C('u')) << "capacity 0 holds nothing, not even the empty text";
    });
    // A wide capacity whose size in bytes does not fit 32 bits is refused, not wrapped around.
    wchar_t buf[16] = L"kept";
    EXPECT_FALSE(ShlGetProfileStringW(key.root(), key.path().c_str(), L"v", L"none", buf, 0x80000008u));
    EXPECT_STREQ(buf, L"kept");
}

// Ten writable characters before a no-access page: a capacity of 11 fails the probe.
TEST(ProfileRead, ProbesTheWholeBuffer) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::scratch_key key(L"profile-probe");
    key.set_text(L"", L"v", L"data");
    test::both([&](auto c) {
        using C = decltype(c);
        const auto v = test::text<C>("v"), none = test::text<C>("none"), here = key.path_in<C>();
        test::guarded<C> ten(10);
        EXPECT_FALSE(AW(C, ShlGetProfileString)(key.root(), here.c_str(), v.c_str(), none.c_str(), ten.p(), 11));
        EXPECT_TRUE(ten.marked_from(0));
        EXPECT_TRUE(AW(C, ShlGetProfileString)(key.root(), here.c_str(), v.c_str(), none.c_str(), ten.p(), 10));
        EXPECT_EQ(test::shown(ten.s()), "data");
    });
}

TEST(ProfileWrite, StoresTextWithoutTerminatorAndCreatesSubkeys) {
    test::scratch_key key(L"profile-write");
    test::both([&](auto c) {
        using C = decltype(c);
        const auto deep = key.path_in<C>(L"a\\b"), v = test::text<C>("v");
        for (const char* text : {"abc", ""}) {
            EXPECT_TRUE(AW(C, ShlWriteProfileString)(key.root(), deep.c_str(), v.c_str(), test::text<C>(text).c_str()));
            // A zero follows the data, so only the empty text shows that no terminator is stored.
            const auto got = key.get(L"a\\b", L"v");
            EXPECT_EQ(got.type, DWORD(REG_SZ));
            EXPECT_EQ(got.text, test::utf16(text));
            if (!*text) EXPECT_EQ(got.bytes, 0u);
        }
        EXPECT_FALSE(AW(C, ShlWriteProfileString)(key.root(), nullptr, v.c_str(), v.c_str())) << "no subkey";
    });
}

}  // namespace
