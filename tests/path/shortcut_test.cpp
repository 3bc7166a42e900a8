// Shell-link shortcut files: round trips through the system's shell-link object, the failures
// it reports, a thread without COM, and, with a scripted stand-in registered for the class,
// a failing getter, S_FALSE, and every reference given back on each path.
#include <shlobj.h>

#include <memory>

#include "support/scripted_shell_link.h"
#include "support/support.h"

namespace {

using fields = std::vector<std::wstring>;  // target, description, directory, arguments

struct read_result {
    BOOL result;
    fields got;
};

// Reads with the C form into four buffers of 260 characters that end at a no-access page and
// hold 259 'A's and a terminator; `null_field` is passed as NULL instead.
template <class C> read_result read(const std::wstring& file, int null_field = -1, bool null_name = false) {
    std::vector<std::unique_ptr<test::guarded<C>>> out;
    C* p[4];
    for (int i = 0; i < 4; ++i) {
        out.emplace_back(new test::guarded<C>(test::path_chars, test::str<C>(test::path_chars - 1, C('A'))));
        p[i] = i == null_field ? nullptr : out[i]->p();
    }
    const auto file_c = test::pick<C>(test::acp(file), file);
    read_result r{AW(C, PathReadShortcut)(nullptr, null_name ? nullptr : file_c.c_str(), p[0], p[1], p[2], p[3]), {}};
    for (auto& o : out) r.got.push_back(test::text<wchar_t>(test::shown(o->s())));
    return r;
}

template <class C> BOOL save(const std::wstring& file, const fields& f) {
    std::vector<test::str<C>> t;
    for (const auto& s : f) t.push_back(test::pick<C>(test::acp(s), s));
    const auto arg = [&](int i) { return f[i] == L"-" ? nullptr : t[i].c_str(); };  // "-" passes NULL
    return AW(C, PathSaveShortcut)(t[4].c_str(), arg(0), arg(1), arg(2), arg(3));
}

const std::wstring filled(test::path_chars - 1, L'A');  // an output left alone

class PathShortcut : public ::testing::Test {
protected:
    test::com_scope com;
    test::temp_dir dir;
    const std::wstring target = dir.file(L"target.exe");
    fields all = {target, L"A shortcut", dir.path(), L"/x \"two words\""};
    void SetUp() override { CloseHandle(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)); }
    std::wstring link(int n) { return dir.file(std::to_wstring(n) + L".lnk"); }
};

TEST_F(PathShortcut, RoundTripsWithEachFieldLeftOutAndEachOutputNull) {
    for (int missing = -1, n = 0; missing < 4; ++missing) {
        for (bool wide : {false, true}) {
            SCOPED_TRACE(testing::Message() << "field " << missing << " left out, saved with " << (wide ? "W" : "A"));
            fields f = all;
            if (missing >= 0) f[missing] = L"-";
            f.push_back(link(++n));
            ASSERT_EQ(wide ? save<wchar_t>(f[4], f) : save<char>(f[4], f), TRUE);
            for (int null_field : {-1, 3 - std::max(missing, 0)}) {
                fields want(f.begin(), f.begin() + 4);
                for (auto& w : want) w = w == L"-" ? L"" : w;
                if (null_field >= 0) want[null_field] = filled;
                EXPECT_EQ(read<char>(f[4], null_field).got, want);
                EXPECT_EQ(read<wchar_t>(f[4], null_field).got, want);
            }
        }
    }
}

TEST_F(PathShortcut, LongFieldsArriveCutTo259) {
    for (size_t length : {259u, 260u, 400u}) {
        SCOPED_TRACE(length);
        const std::wstring text(length, L'd');
        const fields f = {target, text, L"-", text, link(int(length))};
        ASSERT_EQ(save<char>(f[4], f), TRUE);
        const fields want = {target, text.substr(0, 259), L"", text.substr(0, 259)};
        EXPECT_EQ(read<char>(f[4]).got, want);
        EXPECT_EQ(read<wchar_t>(f[4]).got, want);
    }
}

TEST_F(PathShortcut, WhatIsNoShortcutGivesZeroAndEmptyOutputs) {
    CloseHandle(CreateFileW(dir.file(L"empty.lnk").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const fields none(4);
    for (const std::wstring& file : {dir.file(L"empty.lnk"), dir.file(L"missing.lnk"), dir.path(), std::wstring()}) {
        SCOPED_TRACE(test::acp(file));
        EXPECT_EQ(read<char>(file).result, FALSE);
        EXPECT_EQ(read<wchar_t>(file).got, none);
    }
    EXPECT_EQ(read<char>(L"", -1, true).got, none) << "a NULL file name";
    EXPECT_EQ(read<wchar_t>(L"", -1, true).result, FALSE);
    EXPECT_EQ(PathSaveShortcutA(nullptr, "C:\\t.exe", "d", nullptr, nullptr), FALSE);
    EXPECT_EQ(PathSaveShortcutW(nullptr, L"C:\\t.exe", L"d", nullptr, nullptr), FALSE);
    // An ANSI name too long for the 260 wide characters it becomes fails rather than being cut
    // to a valid shorter name; 259 characters still fit.
    const std::wstring folder = dir.file(std::wstring(60, L'f'));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    std::wstring name = folder + L"\\" + std::wstring(259 - folder.size() - 5, L'n') + L".lnk";
    ASSERT_EQ(name.size(), 259u);
    EXPECT_EQ(save<char>(name, {target, L"d", L"-", L"-", name}), TRUE);
    name.insert(name.size() - 4, L"n");
    EXPECT_EQ(save<char>(name, {target, L"d", L"-", L"-", name}), FALSE);
    EXPECT_EQ(GetFileAttributesW(name.substr(0, 259).c_str()), INVALID_FILE_ATTRIBUTES) << "saved under a cut name";
    EXPECT_EQ(read<char>(name).result, FALSE);
}

TEST_F(PathShortcut, AnUnwritableOutputIsLeftAlone) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    fields f = all;
    f.push_back(link(1));
    ASSERT_EQ(save<wchar_t>(f[4], f), TRUE);
    // The description's buffer is a no-access page: probed, found unwritable, passed over.
    test::guarded<wchar_t> target_out(260), unwritable(0), directory_out(260), arguments_out(260);
    EXPECT_EQ(PathReadShortcutW(nullptr, f[4].c_str(), target_out.p(), unwritable.p(), directory_out.p(),
                                arguments_out.p()), TRUE);
    EXPECT_EQ(arguments_out.s(), all[3]);
}

DWORD WINAPI without_com(void* file) {
    const std::wstring& lnk = *static_cast<std::wstring*>(file);
    const bool failed = read<char>(lnk).got == fields(4) && read<wchar_t>(lnk).result == FALSE &&
                        save<wchar_t>(lnk + L"2", {L"C:\\x.exe", L"-", L"-", L"-", lnk + L"2"}) == FALSE;
    return failed && GetFileAttributesW((lnk + L"2").c_str()) == INVALID_FILE_ATTRIBUTES;
}

TEST_F(PathShortcut, AThreadWithoutComGetsZero) {
    fields f = all;
    f.push_back(link(1));
    ASSERT_EQ(save<wchar_t>(f[4], f), TRUE);
    HANDLE thread = CreateThread(nullptr, 0, without_com, &f[4], 0, nullptr);
    DWORD failed_cleanly = 0;
    WaitForSingleObject(thread, INFINITE);
    GetExitCodeThread(thread, &failed_cleanly);
    CloseHandle(thread);
    EXPECT_EQ(failed_cleanly, 1u);
}

// ---- the scripted stand-in ----

// Reads with both forms under `script`; each must give back every reference it took.
std::vector<read_result> read_scripted(const test::shell_link_script& script) {
    std::vector<read_result> results;
    for (bool wide : {false, true}) {
        test::scripted_shell_link link(script);
        EXPECT_TRUE(link.registered());
        results.push_back(wide ? read<wchar_t>(L"C:\\some.lnk") : read<char>(L"C:\\some.lnk"));
        EXPECT_EQ(link.record().references, 0) << (wide ? "W" : "A") << ": a reference was not released";
    }
    return results;
}

TEST(PathShortcutScripted, TheCallsOfARead) {
    test::com_scope com;
    test::scripted_shell_link link({});
    EXPECT_EQ(PathReadShortcutA(GetDesktopWindow(), "C:\\some.lnk", nullptr, nullptr, nullptr, nullptr), TRUE);
    const auto& r = link.record();
    EXPECT_EQ(r.calls, "Load Resolve GetPath GetDescription GetWorkingDirectory GetArguments");
    EXPECT_EQ(r.loaded, L"C:\\some.lnk");
    EXPECT_EQ(r.load_mode, DWORD(STGM_READ));
    EXPECT_EQ(r.resolve_owner, GetDesktopWindow());
    EXPECT_EQ(r.resolve_flags, DWORD(SLR_ANY_MATCH));
    EXPECT_EQ(r.get_path_flags, DWORD(SLGP_UNCPRIORITY));
    EXPECT_EQ(r.counts, (std::vector<int>{261, 261, 261, 261}));
    EXPECT_EQ(r.references, 0);
}

TEST(PathShortcutScripted, FailuresOnEachPath) {
    test::com_scope com;
    const test::shell_link_script plain;
    const fields all(std::begin(plain.fields), std::end(plain.fields)), none(4);
    const struct {
        HRESULT test::shell_link_script::*step;
        int getter;  // or -1
        HRESULT answer;
        BOOL result;
        fields want;
        const char* why;
    } rows[] = {
        {&test::shell_link_script::create, -1, E_FAIL, FALSE, none, "the object cannot be made"},
        {&test::shell_link_script::persist, -1, E_NOINTERFACE, FALSE, none, "no IPersistFile"},
        {&test::shell_link_script::load, -1, E_FAIL, FALSE, none, "Load fails"},
        {&test::shell_link_script::resolve, -1, E_FAIL, FALSE, none, "Resolve fails"},
        {nullptr, 0, E_FAIL, TRUE, {L"", all[1], all[2], all[3]}, "GetPath fails: only its output is empty"},
        {nullptr, 2, E_FAIL, TRUE, {all[0], all[1], L"", all[3]}, "GetWorkingDirectory fails"},
        {nullptr, 3, E_FAIL, FALSE, {all[0], all[1], all[2], L""}, "GetArguments fails"},
        {nullptr, 3, S_FALSE, FALSE, all, "only S_OK from GetArguments is success; the text still arrives"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        test::shell_link_script script;
        if (row.step) script.*row.step = row.answer;
        else script.get[row.getter] = row.answer;
        for (const read_result& r : read_scripted(script)) {
            EXPECT_EQ(r.result, row.result);
            EXPECT_EQ(r.got, row.want);
        }
    }
    // Getters that fill the whole count without a terminator: each field ends at 259.
    test::shell_link_script script;
    script.fill_without_terminator = true;
    script.fields[1] = std::wstring(400, L'd');
    script.fields[3] = std::wstring(261, L'a');
    for (const read_result& r : read_scripted(script))
        EXPECT_EQ(r.got, (fields{all[0], std::wstring(259, L'd'), all[2], std::wstring(259, L'a')}));
}

TEST(PathShortcutScripted, TheCallsOfASave) {
    test::com_scope com;
    const struct {
        HRESULT persist, save;
        fields f;
        BOOL result;
        const char* calls;
    } rows[] = {
        {S_OK, S_OK, {L"t", L"desc", L"dir", L"-v", L"C:\\out.lnk"}, TRUE,
         "SetPath SetDescription SetWorkingDirectory SetArguments Save SaveCompleted"},
        {S_OK, S_OK, {L"-", L"desc", L"-", L"-v", L"C:\\out.lnk"}, TRUE, "SetDescription SetArguments Save SaveCompleted"},
        {S_OK, S_FALSE, {L"t", L"-", L"-", L"-", L"C:\\out.lnk"}, FALSE, "SetPath Save SaveCompleted"},
        {S_OK, E_FAIL, {L"t", L"-", L"-", L"-", L"C:\\out.lnk"}, FALSE, "SetPath Save"},
        {E_NOINTERFACE, S_OK, {L"t", L"-", L"-", L"-", L"C:\\out.lnk"}, FALSE, ""},
    };
    for (const auto& row : rows) {
        test::both([&](auto c) {
            SCOPED_TRACE(row.calls);
            test::shell_link_script script;
            script.persist = row.persist;
            script.save = row.save;
            test::scripted_shell_link link(script);
            EXPECT_EQ(save<decltype(c)>(row.f[4], row.f), row.result);
            EXPECT_EQ(link.record().calls, row.calls);
            EXPECT_EQ(link.record().references, 0);
            if (*row.calls) EXPECT_EQ(link.record().saved + L" " + std::to_wstring(link.record().remember), L"C:\\out.lnk 1");
        });
    }
}

}  // namespace
