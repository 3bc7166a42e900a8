// The system queries: version numbers with outputs missing or unwritable, the common-controls
// version against the library's own version entry, and the scroll-lines cache (a wheel driver
// window of our own, the system setting, refresh 0 and 1, concurrent first calls, and the
// paths of Windows 95 and NT 3.51, run in a helper process that Wine reports as those).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "keldanu.h"
#include "support/support.h"

namespace {

// ---- Windows version ----

enum slot { major_slot, minor_slot, build_slot, platform_slot, text_slot, slot_count };
enum damage { fine, null_pointer, no_access, short_text };

struct version_row {
    damage outputs[slot_count];
    const char* why;
};

const version_row version_rows[] = {
    {{fine, fine, fine, fine, fine}, "every output writable"},
    {{null_pointer, fine, null_pointer, null_pointer, null_pointer}, "only the minor version"},
    {{null_pointer, fine, fine, fine, fine}, "major NULL"},
    {{fine, no_access, fine, fine, fine}, "minor on a no-access page"},
    {{fine, fine, null_pointer, fine, fine}, "build NULL"},
    {{fine, fine, fine, no_access, fine}, "platform on a no-access page"},
    {{fine, fine, fine, fine, null_pointer}, "text NULL"},
    {{fine, fine, fine, fine, short_text}, "text buffer one character short of 128"},
    {{no_access, no_access, no_access, no_access, no_access}, "nothing writable"},
};

constexpr DWORD untouched = 0xDEADBEEF;
constexpr int service_pack_chars = 128;

template <class C, class Info, class Fn>
void check_version_rows(Fn query, const Info& expected) {
    for (const auto& row : version_rows) {
        SCOPED_TRACE(row.why);
        test::guarded_buffer numbers(4 * sizeof(DWORD), 0xAB);
        test::guarded_buffer text(service_pack_chars * sizeof(C));
        test::guarded_buffer short_buffer((service_pack_chars - 1) * sizeof(C));
        test::guarded_buffer nothing(sizeof(DWORD));
        auto* number_out = static_cast<DWORD*>(numbers.data());
        DWORD* number_args[4];
        for (int i = 0; i < 4; ++i) {
            number_out[i] = untouched;
            switch (row.outputs[i]) {
            case fine: number_args[i] = &number_out[i]; break;
            case no_access: number_args[i] = static_cast<DWORD*>(nothing.end()); break;
            default: number_args[i] = nullptr; break;
            }
        }
        C* text_arg = nullptr;
        switch (row.outputs[text_slot]) {
        case fine: text_arg = static_cast<C*>(text.data()); break;
        case no_access: text_arg = static_cast<C*>(nothing.end()); break;
        case short_text: text_arg = static_cast<C*>(short_buffer.data()); break;
        default: break;
        }

        query(number_args[0], number_args[1], number_args[2], number_args[3], text_arg);

        const DWORD want[4] = {expected.dwMajorVersion, expected.dwMinorVersion, expected.dwBuildNumber,
                               expected.dwPlatformId};
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(number_out[i], row.outputs[i] == fine ? want[i] : untouched);
        }
        if (row.outputs[text_slot] == fine) {
            EXPECT_EQ(std::basic_string<C>(static_cast<C*>(text.data())), std::basic_string<C>(expected.szCSDVersion));
        }
        // A buffer too short for 128 characters gets nothing at all.
        const auto* short_bytes = static_cast<const unsigned char*>(short_buffer.data());
        for (size_t i = 0; i < (service_pack_chars - 1) * sizeof(C); ++i) ASSERT_EQ(short_bytes[i], 0xCC) << i;
    }
}

TEST(ShlGetWindowsVersion, EachOutputIsWrittenOnlyWhenWritable) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    OSVERSIONINFOA ansi = {};
    ansi.dwOSVersionInfoSize = sizeof ansi;
    ASSERT_TRUE(GetVersionExA(&ansi));
    OSVERSIONINFOW wide = {};
    wide.dwOSVersionInfoSize = sizeof wide;
    ASSERT_TRUE(GetVersionExW(&wide));
    {
        SCOPED_TRACE("ShlGetWindowsVersionA");
        check_version_rows<char>(ShlGetWindowsVersionA, ansi);
    }
    {
        SCOPED_TRACE("ShlGetWindowsVersionW");
        check_version_rows<wchar_t>(ShlGetWindowsVersionW, wide);
    }
}

// ---- common-controls version ----

struct dll_version {
    DWORD size, major, minor, build, platform;
};

TEST(ShlGetComCtlVersion, MatchesTheLibrarysOwnVersionEntry) {
    HMODULE comctl = LoadLibraryA("ComCtl32.Dll");
    ASSERT_NE(comctl, nullptr);
    auto entry = reinterpret_cast<HRESULT(WINAPI*)(dll_version*)>(
        reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
    ASSERT_NE(entry, nullptr) << "this comctl32 has no version entry";
    dll_version own = {sizeof(dll_version), 0, 0, 0, 0};
    ASSERT_GE(entry(&own), 0);
    FreeLibrary(comctl);

    DWORD major = untouched, minor = untouched;
    EXPECT_EQ(ShlGetComCtlVersion(&major, &minor), TRUE);
    EXPECT_EQ(major, own.major);
    EXPECT_EQ(minor, own.minor);
    EXPECT_GE(major, 4u);
}

TEST(ShlGetComCtlVersion, AnUnwritableOutputFailsWithoutWriting) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::guarded_buffer page(sizeof(DWORD));
    DWORD* no_access = static_cast<DWORD*>(page.end());
    struct row {
        bool major_ok, minor_ok;
        DWORD* bad;
        const char* why;
    };
    const row rows[] = {
        {false, true, nullptr, "major NULL"},
        {true, false, nullptr, "minor NULL"},
        {false, true, no_access, "major on a no-access page"},
        {true, false, no_access, "minor on a no-access page"},
        {false, false, nullptr, "both NULL"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        DWORD major = untouched, minor = untouched;
        EXPECT_EQ(ShlGetComCtlVersion(r.major_ok ? &major : r.bad, r.minor_ok ? &minor : r.bad), FALSE);
        EXPECT_EQ(major, untouched);
        EXPECT_EQ(minor, untouched);
    }
}

// ---- mouse-wheel scroll lines ----

using scroll_lines_fn = int(WINAPI*)(BOOL);

HMODULE keldanu_module() { return GetModuleHandleW(L"KELDANU.dll"); }

std::wstring keldanu_path() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(keldanu_module(), path, MAX_PATH);
    return path;
}

// A second load of the library from a copy under another name: its scroll-lines cache starts
// empty whatever the tests before have asked. reload() frees it and loads it again.
class fresh_library {
public:
    fresh_library() : copy_(dir_.file(L"keldanu_fresh.dll")) {
        CopyFileW(keldanu_path().c_str(), copy_.c_str(), FALSE);
        reload();
    }
    ~fresh_library() {
        if (module_) FreeLibrary(module_);
    }
    void reload() {
        if (module_) FreeLibrary(module_);
        module_ = LoadLibraryW(copy_.c_str());
        scroll_lines_ = reinterpret_cast<scroll_lines_fn>(
            reinterpret_cast<void*>(GetProcAddress(module_, "ShlGetMouseScrollLines")));
    }
    bool ok() const { return module_ && module_ != keldanu_module() && scroll_lines_; }
    int scroll_lines(BOOL refresh) const { return scroll_lines_(refresh); }

private:
    test::temp_dir dir_;
    std::wstring copy_;
    HMODULE module_ = nullptr;
    scroll_lines_fn scroll_lines_ = nullptr;
};

// Sets the system's wheel setting for the length of a test and puts the old one back.
class wheel_setting {
public:
    wheel_setting() { SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved_, 0); }
    ~wheel_setting() { set(saved_); }
    static void set(UINT lines) { SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0); }

private:
    UINT saved_ = 3;
};

// A wheel driver window of our own: class "MouseZ", answering the registered scroll-lines
// message with `answer` and counting how often it was asked.
class driver_window {
public:
    driver_window(LRESULT answer, const char* title = "Magellan MSWHEEL") {
        answer_ = answer;
        asked_ = 0;
        message_ = RegisterWindowMessageA("MSH_SCROLL_LINES_MSG");
        WNDCLASSA wc = {};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = "MouseZ";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, "MouseZ", title, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~driver_window() {
        DestroyWindow(window_);
        UnregisterClassA("MouseZ", GetModuleHandleW(nullptr));
    }
    driver_window(const driver_window&) = delete;
    driver_window& operator=(const driver_window&) = delete;
    bool ok() const { return window_ != nullptr && message_ != 0; }
    static int asked() { return asked_; }
    // How long the window procedure takes before it answers.
    static void set_delay(DWORD ms) { delay_ms_ = ms; }

private:
    static LRESULT CALLBACK proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == message_ && msg != 0) {
            ++asked_;
            Sleep(delay_ms_);
            EXPECT_EQ(wp, 0u);
            EXPECT_EQ(lp, 0);
            return answer_;
        }
        return DefWindowProcA(w, msg, wp, lp);
    }
    static inline LRESULT answer_ = 0;
    static inline int asked_ = 0;
    static inline UINT message_ = 0;
    static inline DWORD delay_ms_ = 0;
    HWND window_ = nullptr;
};

TEST(ShlGetMouseScrollLines, FirstCallProbesAndLaterOnesUseTheCache) {
    wheel_setting setting;
    fresh_library lib;
    ASSERT_TRUE(lib.ok());
    wheel_setting::set(7);
    EXPECT_EQ(lib.scroll_lines(0), 7) << "the first call probes whatever its refresh flag";
    wheel_setting::set(12);
    EXPECT_EQ(lib.scroll_lines(0), 7) << "refresh 0 answers from the cache";
    {
        // Neither the driver window nor the setting is looked at for a cached answer.
        driver_window driver(40);
        ASSERT_TRUE(driver.ok());
        EXPECT_EQ(lib.scroll_lines(0), 7);
        EXPECT_EQ(driver_window::asked(), 0);
    }
    EXPECT_EQ(lib.scroll_lines(1), 12) << "refresh 1 sees the change";
    EXPECT_EQ(lib.scroll_lines(0), 12);
    // Every load starts with an empty cache.
    wheel_setting::set(5);
    lib.reload();
    ASSERT_TRUE(lib.ok());
    EXPECT_EQ(lib.scroll_lines(0), 5);
}

TEST(ShlGetMouseScrollLines, TheDriverWindowsAnswerWinsAsItIs) {
    wheel_setting setting;
    wheel_setting::set(7);
    struct row {
        LRESULT answer;
        const char* title;
        int expected;
        const char* why;
    };
    const row rows[] = {
        {17, "Magellan MSWHEEL", 17, "the driver's count"},
        {0, "Magellan MSWHEEL", 0, "0 is passed on"},
        {-5, "Magellan MSWHEEL", -5, "a nonsensical count is passed on"},
        {17, "Some other MouseZ", 7, "a MouseZ window with another title is no driver"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        fresh_library lib;
        ASSERT_TRUE(lib.ok());
        {
            driver_window driver(r.answer, r.title);
            ASSERT_TRUE(driver.ok());
            EXPECT_EQ(lib.scroll_lines(0), r.expected);
            EXPECT_EQ(lib.scroll_lines(1), r.expected);
        }
        // The driver's answer stays cached after its window has gone.
        EXPECT_EQ(lib.scroll_lines(0), r.expected);
        EXPECT_EQ(lib.scroll_lines(1), 7);
    }
}

struct race {
    fresh_library* lib;
    HANDLE go;
    int answer;
};

DWORD WINAPI race_thread(void* param) {
    auto* r = static_cast<race*>(param);
    WaitForSingleObject(r->go, INFINITE);
    r->answer = r->lib->scroll_lines(0);
    return 0;
}

// A driver window that takes a while to answer keeps the first probe going while the other
// calls arrive: each must answer with a count that a probe stored, never the empty cache's.
TEST(ShlGetMouseScrollLines, ConcurrentFirstCallsAllGetTheProbedAnswer) {
    fresh_library lib;
    driver_window driver(11);
    ASSERT_TRUE(driver.ok());
    driver_window::set_delay(20);
    constexpr int rounds = 3;
    constexpr int threads = 6;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        lib.reload();
        ASSERT_TRUE(lib.ok());
        HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        race races[threads];
        HANDLE handles[threads];
        for (int i = 0; i < threads; ++i) {
            races[i] = {&lib, go, -100};
            handles[i] = CreateThread(nullptr, 0, race_thread, &races[i], 0, nullptr);
        }
        SetEvent(go);
        // The driver window belongs to this thread, which serves its messages while it waits.
        for (DWORD waited = 0; WaitForMultipleObjects(threads, handles, TRUE, 10) == WAIT_TIMEOUT; waited += 10) {
            MSG m;
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
            ASSERT_LT(waited, 60000u) << "the racing calls did not return";
        }
        for (int i = 0; i < threads; ++i) {
            CloseHandle(handles[i]);
            EXPECT_EQ(races[i].answer, 11) << "thread " << i;
        }
        CloseHandle(go);
    }
    driver_window::set_delay(0);
}

// ---- older systems, in a helper process ----

// The registry text that Windows before version 4 keeps, put back as it was at the end.
class registry_wheel_value {
public:
    registry_wheel_value() {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
        DWORD size = sizeof saved_;
        had_ = RegQueryValueExW(key_, L"WheelScrollLines", nullptr, &type_, saved_, &size) == ERROR_SUCCESS;
        size_ = size;
    }
    ~registry_wheel_value() {
        if (had_)
            RegSetValueExW(key_, L"WheelScrollLines", 0, type_, saved_, size_);
        else
            RegDeleteValueW(key_, L"WheelScrollLines");
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
    bool had_ = false;
    DWORD type_ = 0;
    BYTE saved_[512] = {};
    DWORD size_ = 0;
};

// Makes Wine report `version` ("win95", "nt351") to the helper program, for as long as this lives.
class reported_version {
public:
    explicit reported_version(const wchar_t* version) {
        RegCreateKeyExW(HKEY_CURRENT_USER, key_path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        RegSetValueExW(key_, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    }
    ~reported_version() {
        RegCloseKey(key_);
        RegDeleteKeyW(HKEY_CURRENT_USER, key_path);
    }

private:
    static constexpr const wchar_t* key_path = L"Software\\Wine\\AppDefaults\\scroll_lines_probe.exe";
    HKEY key_ = nullptr;
};

// A Wine process takes a long time to start where 32-bit code runs under emulation.
constexpr DWORD probe_wait_ms = 240000;

// Runs tests\scroll_lines_probe.exe (beside this program) with the library's path and the
// given steps; returns what it printed.
std::string run_probe(const std::wstring& steps) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring program = self;
    program = program.substr(0, program.find_last_of(L'\\') + 1) + L"scroll_lines_probe.exe";
    std::wstring command = L"\"" + program + L"\" \"" + keldanu_path() + L"\" " + steps;

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read_end = nullptr, write_end = nullptr;
    if (!CreatePipe(&read_end, &write_end, &inherit, 0)) return "no pipe";
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = write_end;
    start.hStdError = write_end;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(0);
    const BOOL started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &start, &process);
    CloseHandle(write_end);
    std::string output;
    if (started) {
        // A helper that hangs is ended, so that the test fails instead of waiting for ever. Its
        // few lines fit the pipe, so it never waits for them to be read.
        const bool ended = WaitForSingleObject(process.hProcess, probe_wait_ms) == WAIT_OBJECT_0;
        if (!ended) TerminateProcess(process.hProcess, 1);
        char chunk[256];
        DWORD got = 0;
        while (ReadFile(read_end, chunk, sizeof chunk, &got, nullptr) && got) output.append(chunk, got);
        if (!ended) output += "hung\n";
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    } else {
        output = "not started";
    }
    CloseHandle(read_end);
    return output;
}

// One helper process per system: the version it was told, then one answer per call step.
// "set:TEXT" stores TEXT as the registry value, "del" removes it, "call:R" prints
// ShlGetMouseScrollLines(R).
TEST(ShlGetMouseScrollLines, OlderSystemsUseTheirOwnSources) {
    struct row {
        const wchar_t* version;
        const wchar_t* steps;
        const char* expected;
        const char* why;
    };
    const row rows[] = {
        {L"win95", L"set:7 call:0 call:1", "version 4 platform 1\n3\n3\n",
         "the Windows 95 family without a driver answers 3 and reads no registry"},
        {L"nt351", L"set:\" 7\" call:0 set:x call:0 call:1 del call:1 set:12abc call:1 set:4294967295 call:1",
         "version 3 platform 2\n7\n7\n0\n3\n12\n-1\n",
         "before version 4 the registry text is read: blank and 7, x, none, digits then letters, too large"},
    };
    registry_wheel_value keep;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        reported_version version(r.version);
        EXPECT_EQ(run_probe(r.steps), r.expected);
    }
}

// Calls made while the first probe waits for the driver's answer: from the driver's window
// procedure on the calling thread, and from the driver window's own thread. Each probes for
// itself and returns, and so does the first call.
TEST(ShlGetMouseScrollLines, CallsDuringTheFirstProbeReturn) {
    struct row {
        const wchar_t* steps;
        const char* expected;
        const char* why;
    };
    const row rows[] = {
        {L"reenter:21", "21 21\n", "a window procedure of the calling thread calls again"},
        {L"driver-thread:21", "21 21\n", "the driver window's own thread calls"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        const std::string output = run_probe(r.steps);
        EXPECT_EQ(output.substr(output.find('\n') + 1), r.expected);
    }
}

}  // namespace
