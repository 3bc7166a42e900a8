// Shell-link shortcut files: round trips through the system's shell-link object in a
// temporary folder, the failures it can report, a thread without COM, and, with a scripted
// stand-in registered for the shell-link class, the rules that the system's object cannot be
// made to exercise (a failing getter, S_FALSE, references given back on every path).
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "keldanu.h"
#include "support/scripted_shell_link.h"
#include "support/support.h"

namespace {

using test::widen;

constexpr size_t field_chars = MAX_PATH;  // the callers' buffers

// COM on this thread, single-threaded apartment, for the length of a scope.
class com_thread {
public:
    com_thread() : hr_(CoInitialize(nullptr)) {}
    ~com_thread() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    HRESULT result() const { return hr_; }

private:
    HRESULT hr_;
};

std::string narrow(const std::wstring& w) { return test::acp_from_wide(w); }

// The four outputs of a read, each in a buffer of exactly 260 characters that ends at a
// no-access page and starts filled with a marker.
template <class Ch>
struct outputs {
    test::guarded_buffer target{field_chars * sizeof(Ch), 0x41};
    test::guarded_buffer description{field_chars * sizeof(Ch), 0x41};
    test::guarded_buffer directory{field_chars * sizeof(Ch), 0x41};
    test::guarded_buffer arguments{field_chars * sizeof(Ch), 0x41};

    // The marker ends with a terminator in the last character, so an output the library
    // leaves alone reads as 259 'A's.
    outputs() {
        for (const test::guarded_buffer* b : {&target, &description, &directory, &arguments}) at(*b)[field_chars - 1] = 0;
    }
    Ch* at(const test::guarded_buffer& b) const { return static_cast<Ch*>(b.data()); }
    // The text an output holds; a missing terminator shows as a failure.
    std::wstring text(const test::guarded_buffer& b) const {
        const Ch* p = at(b);
        size_t n = 0;
        while (n < field_chars && p[n]) ++n;
        EXPECT_LT(n, field_chars) << "an output was left unterminated";
        std::wstring w;
        for (size_t i = 0; i < n; ++i) w.push_back(static_cast<wchar_t>(static_cast<std::make_unsigned_t<Ch>>(p[i])));
        return w;
    }
    std::vector<std::wstring> texts() const {
        return {text(target), text(description), text(directory), text(arguments)};
    }
};

// Reads with the A or W form into fresh outputs; `null_field` (0..3) passes NULL there.
struct read_result {
    BOOL result;
    std::vector<std::wstring> fields;
};

read_result read_a(const std::wstring& file, int null_field = -1) {
    outputs<char> out;
    char* p[4] = {out.at(out.target), out.at(out.description), out.at(out.directory), out.at(out.arguments)};
    if (null_field >= 0) p[null_field] = nullptr;
    const std::string name = narrow(file);
    const BOOL r = PathReadShortcutA(nullptr, name.c_str(), p[0], p[1], p[2], p[3]);
    return {r, out.texts()};
}

read_result read_w(const std::wstring& file, int null_field = -1) {
    outputs<wchar_t> out;
    wchar_t* p[4] = {out.at(out.target), out.at(out.description), out.at(out.directory), out.at(out.arguments)};
    if (null_field >= 0) p[null_field] = nullptr;
    const BOOL r = PathReadShortcutW(nullptr, file.c_str(), p[0], p[1], p[2], p[3]);
    return {r, out.texts()};
}

// Saves with the A or W form; a NULL field is passed as NULL.
BOOL save_a(const std::wstring& file, const wchar_t* const fields[4]) {
    std::string f[4];
    const char* p[4] = {};
    for (int i = 0; i < 4; ++i)
        if (fields[i]) p[i] = (f[i] = narrow(fields[i])).c_str();
    return PathSaveShortcutA(narrow(file).c_str(), p[0], p[1], p[2], p[3]);
}

BOOL save_w(const std::wstring& file, const wchar_t* const fields[4]) {
    return PathSaveShortcutW(file.c_str(), fields[0], fields[1], fields[2], fields[3]);
}

bool exists(const std::wstring& file) { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Files in a folder other than "." and "..".
size_t files_in(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    size_t n = 0;
    do {
        if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L"..")) ++n;
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return n;
}

void write_file(const std::wstring& file, const char* content) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, content, static_cast<DWORD>(strlen(content)), &written, nullptr);
    CloseHandle(h);
}

// ---- the system's shell-link object ----

class PathShortcut : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(com_.result()));
        links_ = dir_.path() + L"\\links";
        CreateDirectoryW(links_.c_str(), nullptr);
        target_ = dir_.file(L"target.exe");
        write_file(target_, "MZ");
        work_ = dir_.path();
    }
    com_thread com_;
    test::temp_dir dir_;
    std::wstring links_, target_, work_;
};

TEST_F(PathShortcut, RoundTripsWithEachFieldLeftOut) {
    struct row {
        int missing;  // the field passed as NULL, or -1
        const char* why;
    };
    static const row rows[] = {
        {-1, "all four fields"},     {0, "no target path"},     {1, "no description"},
        {2, "no working directory"}, {3, "no arguments"},
    };
    int n = 0;
    for (const row& r : rows) {
        for (const bool wide : {false, true}) {
            SCOPED_TRACE(std::string(r.why) + (wide ? " (W)" : " (A)"));
            const wchar_t* fields[4] = {target_.c_str(), L"A shortcut for the tests", work_.c_str(), L"/x \"two words\""};
            if (r.missing >= 0) fields[r.missing] = nullptr;
            const std::wstring file = links_ + L"\\" + std::to_wstring(++n) + L".lnk";
            SetLastError(0xDEADBEEF);
            EXPECT_EQ(wide ? save_w(file, fields) : save_a(file, fields), TRUE);
            ASSERT_TRUE(exists(file));
            // Read back with both forms, whichever wrote it.
            for (const read_result& got : {read_a(file), read_w(file)}) {
                EXPECT_EQ(got.result, TRUE);
                for (int i = 0; i < 4; ++i) {
                    SCOPED_TRACE(i);
                    EXPECT_EQ(got.fields[i], fields[i] ? fields[i] : L"");
                }
            }
        }
    }
}

TEST_F(PathShortcut, ANullOutputIsLeftAloneAndTheOthersFilled) {
    const std::wstring file = links_ + L"\\null_output.lnk";
    const wchar_t* fields[4] = {target_.c_str(), L"described", work_.c_str(), L"-a"};
    ASSERT_EQ(save_w(file, fields), TRUE);
    for (int null_field = 0; null_field < 4; ++null_field) {
        SCOPED_TRACE(null_field);
        // The marker bytes 0x41 read as 'A' in the A form and as U+4141 in the W form.
        const read_result reads[] = {read_a(file, null_field), read_w(file, null_field)};
        for (const read_result& got : reads) {
            const wchar_t marker = &got == &reads[0] ? L'A' : L'\x4141';
            EXPECT_EQ(got.result, TRUE);
            for (int i = 0; i < 4; ++i) {
                if (i == null_field)
                    EXPECT_EQ(got.fields[i], std::wstring(field_chars - 1, marker)) << "written although NULL was passed";
                else
                    EXPECT_EQ(got.fields[i], fields[i]);
            }
        }
    }
}

TEST_F(PathShortcut, AnUnwritableOutputIsLeftAlone) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    const std::wstring file = links_ + L"\\read_only.lnk";
    const wchar_t* fields[4] = {target_.c_str(), L"described", work_.c_str(), L"-a"};
    ASSERT_EQ(save_w(file, fields), TRUE);
    // A read-only page as the description's buffer: probed, found unwritable, skipped.
    void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(page, nullptr);
    memset(page, 'R', 4096);
    DWORD old;
    VirtualProtect(page, 4096, PAGE_READONLY, &old);
    outputs<wchar_t> out;
    EXPECT_EQ(PathReadShortcutW(nullptr, file.c_str(), out.at(out.target), static_cast<wchar_t*>(page),
                                out.at(out.directory), out.at(out.arguments)),
              TRUE);
    EXPECT_EQ(out.text(out.target), target_);
    EXPECT_EQ(out.text(out.directory), work_);
    EXPECT_EQ(out.text(out.arguments), L"-a");
    EXPECT_EQ(static_cast<char*>(page)[0], 'R');
    VirtualFree(page, 0, MEM_RELEASE);
}

TEST_F(PathShortcut, LongFieldsArriveCutTo259) {
    struct row {
        size_t length;
        size_t expected;
        const char* why;
    };
    static const row rows[] = {
        {258, 258, "shorter than a buffer"},
        {259, 259, "fills a buffer exactly"},
        {260, 259, "one character too long"},
        {400, 259, "far too long"},
    };
    int n = 0;
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        std::wstring description, arguments;
        for (size_t i = 0; i < r.length; ++i) {
            description.push_back(static_cast<wchar_t>(L'a' + i % 26));
            arguments.push_back(static_cast<wchar_t>(L'0' + i % 10));
        }
        const wchar_t* fields[4] = {target_.c_str(), description.c_str(), nullptr, arguments.c_str()};
        for (const bool wide : {false, true}) {
            SCOPED_TRACE(wide ? "W" : "A");
            const std::wstring file = links_ + L"\\long" + std::to_wstring(++n) + L".lnk";
            ASSERT_EQ(wide ? save_w(file, fields) : save_a(file, fields), TRUE);
            for (const read_result& got : {read_a(file), read_w(file)}) {
                EXPECT_EQ(got.fields[0], target_);
                EXPECT_EQ(got.fields[1], description.substr(0, r.expected));
                EXPECT_EQ(got.fields[3], arguments.substr(0, r.expected));
            }
        }
    }
}

TEST_F(PathShortcut, FilesThatAreNoShortcutsGiveZeroAndEmptyOutputs) {
    const std::wstring text_file = dir_.file(L"plain.lnk");
    write_file(text_file, "This is not a shortcut.\r\n");
    const std::wstring empty_file = dir_.file(L"empty.lnk");
    write_file(empty_file, "");
    for (const std::wstring& file : {text_file, empty_file, dir_.file(L"missing.lnk"), dir_.path(), std::wstring()}) {
        SCOPED_TRACE(file);
        for (const read_result& got : {read_a(file), read_w(file)}) {
            EXPECT_EQ(got.result, FALSE);
            EXPECT_EQ(got.fields, std::vector<std::wstring>(4));
        }
    }
}

TEST_F(PathShortcut, ANullFileNameFails) {
    outputs<char> a;
    EXPECT_EQ(PathReadShortcutA(nullptr, nullptr, a.at(a.target), a.at(a.description), a.at(a.directory),
                                a.at(a.arguments)),
              FALSE);
    EXPECT_EQ(a.texts(), std::vector<std::wstring>(4));
    outputs<wchar_t> w;
    EXPECT_EQ(PathReadShortcutW(nullptr, nullptr, w.at(w.target), w.at(w.description), w.at(w.directory),
                                w.at(w.arguments)),
              FALSE);
    EXPECT_EQ(w.texts(), std::vector<std::wstring>(4));

    EXPECT_EQ(PathSaveShortcutA(nullptr, narrow(target_).c_str(), "d", nullptr, nullptr), FALSE);
    EXPECT_EQ(PathSaveShortcutW(nullptr, target_.c_str(), L"d", nullptr, nullptr), FALSE);
    EXPECT_EQ(files_in(links_), 0u);
}

// An ANSI file name that does not fit the 260 wide characters it is converted into fails; a
// name cut at the buffer's end would be a valid shorter name in the same folder, so the
// folder must stay empty.
TEST_F(PathShortcut, OverlongAnsiFileNamesFail) {
    // The names go into a folder deep enough that their last part stays a legal file name
    // (under 255 characters): only the 260-character conversion may make them fail.
    const std::wstring folder = links_ + L"\\" + std::wstring(60, L'd');
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    for (const size_t length : {260u, 261u, 300u}) {
        SCOPED_TRACE(length);
        std::wstring file = folder + L"\\";
        while (file.size() < length) file.push_back(L'n');
        ASSERT_LT(file.size() - folder.size(), 255u) << "the temporary folder is too shallow for this test";
        const std::string name = narrow(file);
        EXPECT_EQ(PathSaveShortcutA(name.c_str(), narrow(target_).c_str(), "d", nullptr, "-x"), FALSE);
        EXPECT_EQ(files_in(folder), 0u);
        outputs<char> out;
        EXPECT_EQ(PathReadShortcutA(nullptr, name.c_str(), out.at(out.target), out.at(out.description),
                                    out.at(out.directory), out.at(out.arguments)),
                  FALSE);
        EXPECT_EQ(out.texts(), std::vector<std::wstring>(4));
    }
    // 259 characters still fit.
    std::wstring file = links_ + L"\\";
    while (file.size() < 255) file.push_back(L'n');
    file += L".lnk";
    ASSERT_EQ(file.size(), 259u);
    EXPECT_EQ(PathSaveShortcutA(narrow(file).c_str(), narrow(target_).c_str(), "d", nullptr, "-x"), TRUE);
    EXPECT_TRUE(exists(file));
    EXPECT_EQ(read_a(file).fields[3], L"-x");
}

struct without_com_job {
    std::wstring good, fresh;
    BOOL saved_a = -1, saved_w = -1;
    read_result read_a{-1, {}}, read_w{-1, {}};
};

DWORD WINAPI run_without_com(void* p) {
    auto* j = static_cast<without_com_job*>(p);
    const wchar_t* fields[4] = {L"C:\\x.exe", L"d", nullptr, nullptr};
    j->saved_a = save_a(j->fresh, fields);
    j->saved_w = save_w(j->fresh, fields);
    j->read_a = read_a(j->good);
    j->read_w = read_w(j->good);
    return 0;
}

// A thread that never initialised COM: both operations fail, the read still empties its
// outputs, and no file is written.
TEST_F(PathShortcut, AThreadWithoutComGetsZero) {
    const std::wstring good = links_ + L"\\good.lnk";
    const wchar_t* fields[4] = {target_.c_str(), L"described", work_.c_str(), L"-a"};
    ASSERT_EQ(save_w(good, fields), TRUE);
    without_com_job j;
    j.good = good;
    j.fresh = links_ + L"\\fresh.lnk";
    HANDLE thread = CreateThread(nullptr, 0, run_without_com, &j, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(j.saved_a, FALSE);
    EXPECT_EQ(j.saved_w, FALSE);
    EXPECT_FALSE(exists(j.fresh));
    EXPECT_EQ(j.read_a.result, FALSE);
    EXPECT_EQ(j.read_a.fields, std::vector<std::wstring>(4));
    EXPECT_EQ(j.read_w.result, FALSE);
    EXPECT_EQ(j.read_w.fields, std::vector<std::wstring>(4));
}

// ---- a scripted shell-link object ----

class PathShortcutScripted : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(com_.result())); }

    // Runs a read with the A and the W form under `script`, checking for each that every
    // reference was given back, and returns the two results.
    std::vector<read_result> read_both(const test::shell_link_script& script) {
        std::vector<read_result> results;
        for (const bool wide : {false, true}) {
            test::scripted_shell_link link(script);
            EXPECT_TRUE(link.registered());
            results.push_back(wide ? read_w(L"C:\\some.lnk") : read_a(L"C:\\some.lnk"));
            EXPECT_EQ(link.record().objects, 1) << "the scripted object was not used";
            EXPECT_EQ(link.record().references, 0) << (wide ? "W" : "A") << ": a reference was not released";
        }
        return results;
    }

    com_thread com_;
};

TEST_F(PathShortcutScripted, TheCallsOfARead) {
    test::shell_link_script script;
    test::scripted_shell_link link(script);
    ASSERT_TRUE(link.registered());
    outputs<char> out;
    const HWND owner = GetDesktopWindow();
    EXPECT_EQ(PathReadShortcutA(owner, "C:\\some.lnk", out.at(out.target), out.at(out.description),
                                out.at(out.directory), out.at(out.arguments)),
              TRUE);
    const auto& rec = link.record();
    EXPECT_EQ(rec.calls, (std::vector<std::string>{"Load", "Resolve", "GetPath", "GetDescription",
                                                   "GetWorkingDirectory", "GetArguments"}));
    EXPECT_EQ(rec.loaded, L"C:\\some.lnk");
    EXPECT_EQ(rec.load_mode, static_cast<DWORD>(STGM_READ));
    EXPECT_EQ(rec.resolve_owner, owner);
    EXPECT_EQ(rec.resolve_flags, static_cast<DWORD>(SLR_ANY_MATCH));
    EXPECT_EQ(rec.get_path_flags, static_cast<DWORD>(SLGP_UNCPRIORITY));
    EXPECT_EQ(rec.getter_counts, (std::vector<int>{261, 261, 261, 261}));
    EXPECT_EQ(rec.references, 0);
    EXPECT_EQ(out.texts(), (std::vector<std::wstring>{L"C:\\target.exe", L"description", L"C:\\work", L"/arguments"}));
}

// Only S_OK from GetArguments counts as success; the fields are delivered either way.
TEST_F(PathShortcutScripted, OnlySOkFromGetArgumentsIsSuccess) {
    struct row {
        HRESULT answer;
        BOOL expected;
        bool delivered;
        const char* why;
    };
    static const row rows[] = {
        {S_OK, TRUE, true, "S_OK"},
        {S_FALSE, FALSE, true, "S_FALSE: the arguments still arrive"},
        {2, FALSE, true, "another success code"},
        {E_FAIL, FALSE, false, "a failure: the arguments stay empty"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        test::shell_link_script script;
        script.get_arguments = r.answer;
        for (const read_result& got : read_both(script)) {
            EXPECT_EQ(got.result, r.expected);
            EXPECT_EQ(got.fields[0], L"C:\\target.exe");
            EXPECT_EQ(got.fields[3], r.delivered ? L"/arguments" : L"");
        }
    }
}

// A getter that fails leaves only its own output empty; every failure before the getters
// gives 0 with all outputs empty; references are given back on each of these paths.
TEST_F(PathShortcutScripted, FailuresOnEachPath) {
    const std::vector<std::wstring> all = {L"C:\\target.exe", L"description", L"C:\\work", L"/arguments"};
    struct row {
        HRESULT test::shell_link_script::*step;
        BOOL expected;
        int emptied;  // the one field left empty, -1 for all four, -2 for none
        const char* why;
    };
    static const row rows[] = {
        {&test::shell_link_script::create, FALSE, -1, "the object cannot be made"},
        {&test::shell_link_script::persist, FALSE, -1, "no IPersistFile"},
        {&test::shell_link_script::load, FALSE, -1, "Load fails"},
        {&test::shell_link_script::resolve, FALSE, -1, "Resolve fails"},
        {&test::shell_link_script::get_path, TRUE, 0, "GetPath fails"},
        {&test::shell_link_script::get_description, TRUE, 1, "GetDescription fails"},
        {&test::shell_link_script::get_directory, TRUE, 2, "GetWorkingDirectory fails"},
        {&test::shell_link_script::save, TRUE, -2, "a failing Save does not matter to a read"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        test::shell_link_script script;
        script.*r.step = E_FAIL;
        if (r.step == &test::shell_link_script::create) {
            // No object is made, so there is nothing to count; the outputs are emptied.
            test::scripted_shell_link link(script);
            EXPECT_EQ(read_a(L"C:\\some.lnk").fields, std::vector<std::wstring>(4));
            EXPECT_EQ(read_w(L"C:\\some.lnk").result, FALSE);
            EXPECT_EQ(link.record().objects, 0);
            continue;
        }
        for (const read_result& got : read_both(script)) {
            EXPECT_EQ(got.result, r.expected);
            for (int i = 0; i < 4; ++i) {
                const bool empty = r.emptied == -1 || r.emptied == i;
                EXPECT_EQ(got.fields[i], empty ? L"" : all[i]) << i;
            }
        }
    }
}

// Getters that fill the whole offered buffer without a terminator: the copy-out is bounded
// and ends each field at 259 characters.
TEST_F(PathShortcutScripted, UnterminatedGetterResultsAreCut) {
    test::shell_link_script script;
    script.fill_without_terminator = true;
    script.description = std::wstring(400, L'd');
    script.arguments = std::wstring(261, L'a');
    script.directory = std::wstring(259, L'w');
    for (const read_result& got : read_both(script)) {
        EXPECT_EQ(got.result, TRUE);
        EXPECT_EQ(got.fields[0], L"C:\\target.exe");
        EXPECT_EQ(got.fields[1], std::wstring(259, L'd'));
        EXPECT_EQ(got.fields[2], std::wstring(259, L'w'));
        EXPECT_EQ(got.fields[3], std::wstring(259, L'a'));
    }
}

TEST_F(PathShortcutScripted, TheCallsOfASave) {
    struct row {
        int missing;
        HRESULT save;
        BOOL expected;
        const char* why;
    };
    static const row rows[] = {
        {-1, S_OK, TRUE, "every field"},     {0, S_OK, TRUE, "no target"},
        {2, S_OK, TRUE, "no directory"},     {-1, S_FALSE, FALSE, "Save answers S_FALSE"},
        {-1, E_FAIL, FALSE, "Save fails"},
    };
    static const char* const setters[] = {"SetPath", "SetDescription", "SetWorkingDirectory", "SetArguments"};
    for (const row& r : rows) {
        for (const bool wide : {false, true}) {
            SCOPED_TRACE(std::string(r.why) + (wide ? " (W)" : " (A)"));
            test::shell_link_script script;
            script.save = r.save;
            test::scripted_shell_link link(script);
            const wchar_t* fields[4] = {L"C:\\t.exe", L"desc", L"C:\\dir", L"-v"};
            if (r.missing >= 0) fields[r.missing] = nullptr;
            EXPECT_EQ(wide ? save_w(L"C:\\out.lnk", fields) : save_a(L"C:\\out.lnk", fields), r.expected);
            const auto& rec = link.record();
            std::vector<std::string> calls;
            for (int i = 0; i < 4; ++i)
                if (fields[i]) calls.push_back(setters[i]);
            calls.push_back("Save");
            if (SUCCEEDED(r.save)) calls.push_back("SaveCompleted");
            EXPECT_EQ(rec.calls, calls);
            EXPECT_EQ(rec.saved, L"C:\\out.lnk");
            EXPECT_EQ(rec.save_remember, TRUE);
            if (SUCCEEDED(r.save)) EXPECT_EQ(rec.save_completed, L"C:\\out.lnk");
            EXPECT_EQ(rec.set_description, fields[1] ? L"desc" : L"");
            EXPECT_EQ(rec.references, 0);
        }
    }
    // No IPersistFile: nothing is set or saved, and the shell link is still given back.
    test::shell_link_script script;
    script.persist = E_NOINTERFACE;
    test::scripted_shell_link link(script);
    const wchar_t* fields[4] = {L"C:\\t.exe", nullptr, nullptr, nullptr};
    EXPECT_EQ(save_w(L"C:\\out.lnk", fields), FALSE);
    EXPECT_TRUE(link.record().calls.empty());
    EXPECT_EQ(link.record().references, 0);
}

}  // namespace
