// Shell-link shortcuts: round trips through the system's object; a scripted one for calls, failures, releases.
#include <memory>

#include "support/scripted_shell_link.h"

namespace {

using fields = std::vector<std::wstring>;  // target, description, directory, arguments, and the file
const std::wstring untouched(test::path_chars - 1, L'A');

// Reads into four buffers of 259 'A's ending at a no-access page; `null_field` passes NULL.
template <class C>
std::pair<BOOL, fields> read(const std::wstring& file, int null_field = -1, bool null_name = false) {
    std::unique_ptr<test::guarded<C>> out[4];
    C* p[4];
    for (int i = 0; i < 4; ++i) {
        out[i].reset(new test::guarded<C>(test::path_chars, test::text<C>(test::acp(untouched))));
        p[i] = i == null_field ? nullptr : out[i]->p();
    }
    const BOOL result =
        AW(C, PathReadShortcut)(nullptr, null_name ? nullptr : test::native<C>(file).c_str(), p[0], p[1], p[2], p[3]);
    fields got;
    for (auto& o : out) got.push_back(test::text<wchar_t>(test::shown(o->s())));
    return {result, got};
}

// Saves `f` (target, description, directory, arguments, file) with the C form; "-" is NULL.
template <class C>
BOOL save(const fields& f) {
    test::str<C> t[5];
    const C* p[5];
    for (int i = 0; i < 5; ++i) p[i] = f[i] == L"-" ? nullptr : (t[i] = test::native<C>(f[i])).c_str();
    return AW(C, PathSaveShortcut)(p[4], p[0], p[1], p[2], p[3]);
}

struct PathShortcut : ::testing::Test {
    test::com_scope com;
    test::temp_dir dir;
    const std::wstring target = dir.file(L"target.exe");
    const fields all = {target, L"A shortcut", dir.path, L"/x \"two words\"", dir.file(L"all.lnk")};
    void SetUp() override {
        CloseHandle(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    }
};

// Through the system's object: a field left out reads back empty; a NULL output is left alone.
TEST_F(PathShortcut, RoundTripsWithAFieldLeftOutAndAnOutputNull) {
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "saved with W" : "saved with A");
        const fields f = {all[0], L"-", all[2], all[3], dir.file(wide ? L"w.lnk" : L"a.lnk")};
        ASSERT_EQ(wide ? save<wchar_t>(f) : save<char>(f), TRUE);
        EXPECT_EQ(read<char>(f[4]), std::make_pair(TRUE, fields{all[0], L"", all[2], all[3]}));
        EXPECT_EQ(read<wchar_t>(f[4], 3), std::make_pair(TRUE, fields{all[0], L"", all[2], untouched}));
    }
}

TEST_F(PathShortcut, WhatIsNoShortcutGivesZeroAndEmptyOutputs) {
    const auto nothing = std::make_pair(FALSE, fields(4));
    EXPECT_EQ(read<char>(dir.file(L"missing.lnk")), nothing);
    EXPECT_EQ(read<char>(L"", -1, true), nothing) << "a NULL file name";
    EXPECT_EQ(save<char>({target, L"d", L"-", L"-", L"-"}), FALSE);
    EXPECT_EQ(save<wchar_t>({target, L"d", L"-", L"-", L"-"}), FALSE);
    // An ANSI name too long for the 260 wide characters it becomes fails rather than being cut.
    const std::wstring folder = dir.file(std::wstring(60, L'f'));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    std::wstring name = folder + L"\\" + std::wstring(253 - folder.size(), L'n') + L".lnk";
    ASSERT_EQ(name.size(), 258u);
    for (BOOL result : {TRUE, FALSE}) {
        name.insert(name.size() - 4, L"n");
        EXPECT_EQ(save<char>({target, L"d", L"-", L"-", name}), result) << name.size();
    }
    EXPECT_EQ(GetFileAttributesW(name.substr(0, 259).c_str()), INVALID_FILE_ATTRIBUTES) << "saved under a cut name";
}

std::vector<std::pair<BOOL, fields>> read_scripted(const test::shell_link_script& script) {
    std::vector<std::pair<BOOL, fields>> results;
    for (bool wide : {false, true}) {
        test::scripted_shell_link link(script);
        results.push_back(wide ? read<wchar_t>(L"C:\\some.lnk") : read<char>(L"C:\\some.lnk"));
        EXPECT_EQ(test::references, 0) << (wide ? "W" : "A") << ": a reference was not given back";
    }
    return results;
}

TEST(PathShortcutScripted, ReadsAndFailuresOnEachPath) {
    test::com_scope com;
    {
        test::scripted_shell_link link({});
        EXPECT_EQ(PathReadShortcutA(GetDesktopWindow(), "C:\\some.lnk", nullptr, nullptr, nullptr, nullptr), TRUE);
        EXPECT_EQ(test::calls,
                  " Load 0 C:\\some.lnk Resolve 2 desktop GetPath 261 2 GetDescription 261 GetWorkingDirectory 261"
                  " GetArguments 261");
    }
    const test::shell_link_script plain;
    const fields all(plain.fields, plain.fields + 4), none(4);
    const struct {
        HRESULT test::shell_link_script::*step;
        int getter;
        HRESULT answer;
        BOOL result;
        fields want;
        const char* why;
    } rows[] = {
        {&test::shell_link_script::create, 0, E_FAIL, FALSE, none, "the object cannot be made"},
        {&test::shell_link_script::persist, 0, E_NOINTERFACE, FALSE, none, "no IPersistFile"},
        {&test::shell_link_script::load, 0, E_FAIL, FALSE, none, "Load fails"},
        {&test::shell_link_script::resolve, 0, E_FAIL, FALSE, none, "Resolve fails"},
        {nullptr, 0, E_FAIL, TRUE, {L"", all[1], all[2], all[3]}, "GetPath fails: only its output is empty"},
        {nullptr, 2, E_FAIL, TRUE, {all[0], all[1], L"", all[3]}, "GetWorkingDirectory fails"},
        {nullptr, 3, E_FAIL, FALSE, {all[0], all[1], all[2], L""}, "GetArguments fails"},
        {nullptr, 3, S_FALSE, FALSE, all, "only S_OK from GetArguments is success; the text still arrives"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        test::shell_link_script script;
        (row.step ? script.*row.step : script.get[row.getter]) = row.answer;
        for (const auto& got : read_scripted(script)) EXPECT_EQ(got, std::make_pair(row.result, row.want));
    }
    // Getters that fill the whole count without a terminator: each field ends at 259.
    test::shell_link_script script;
    script.fill_without_terminator = true;
    script.fields[1] = std::wstring(400, L'd');
    for (const auto& got : read_scripted(script)) EXPECT_EQ(got.second[1], std::wstring(259, L'd'));
}

// An output with room for less than its field and the terminator (then a no-access page) is
// only emptied: the probe asks for no more than that room, also for a field cut to 259.
TEST(PathShortcutScripted, AnOutputTooShortForItsFieldIsPassedOver) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::com_scope com;
    test::shell_link_script script;
    script.fields[1] = std::wstring(400, L'd');
    const struct {
        int field;
        size_t chars;
        std::string text;
    } rows[] = {{3, 10, ""}, {3, 11, "/arguments"}, {1, 259, ""}, {1, 260, std::string(259, 'd')}};
    for (const auto& row : rows) {
        test::both([&](auto c) {
            using C = decltype(c);
            test::scripted_shell_link link(script);
            test::guarded<C> out(row.chars);
            C* p[4] = {};
            p[row.field] = out.p();
            EXPECT_EQ(AW(C, PathReadShortcut)(nullptr, test::text<C>("C:\\x.lnk").c_str(), p[0], p[1], p[2], p[3]), 1);
            EXPECT_EQ(test::shown(out.s()), row.text) << row.chars;
        });
    }
}

TEST(PathShortcutScripted, TheCallsOfASave) {
    test::com_scope com;
    const char* const setters[] = {" SetPath", " SetDescription", " SetWorkingDirectory", " SetArguments"};
    const struct {
        HRESULT persist, save;
        fields f;
        BOOL result;
        const char* tail;  // after the setters of the fields given
    } rows[] = {
        {S_OK, S_OK, {L"t", L"d", L"w", L"-v", L"o"}, TRUE, " Save 1 o SaveCompleted"},
        {S_OK, S_FALSE, {L"t", L"-", L"-", L"-", L"o"}, FALSE, " Save 1 o SaveCompleted"},
        {S_OK, E_FAIL, {L"t", L"-", L"-", L"-", L"o"}, FALSE, " Save 1 o"},
        {E_NOINTERFACE, S_OK, {L"t", L"-", L"-", L"-", L"o"}, FALSE, nullptr},  // nothing is set or saved
    };
    for (const auto& row : rows) {
        std::string calls;
        for (int i = 0; i < 4 && row.tail; ++i) calls += row.f[i] == L"-" ? "" : setters[i];
        test::both([&](auto c) {
            test::shell_link_script script;
            script.persist = row.persist, script.save = row.save;
            test::scripted_shell_link link(script);
            EXPECT_EQ(save<decltype(c)>(row.f), row.result);
            EXPECT_EQ(test::calls, row.tail ? calls + row.tail : "");
            EXPECT_EQ(test::references, 0);
        });
    }
}

}  // namespace
