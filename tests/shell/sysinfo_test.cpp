// Version outputs, the common-controls version and the scroll-lines cache: probes, refresh, driver window, races.
#include "support/support.h"

namespace {

// The library's import slot that holds kernel32's `name`, or NULL.
void** import_slot(const char* name) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(L"KELDANU.dll"));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY iat = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
    void** const first = reinterpret_cast<void**>(base + iat.VirtualAddress);
    void** const end = first + iat.Size / sizeof(void*);
    void** const slot = std::find(first, end, (void*)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name));
    return slot == end ? nullptr : slot;
}

// While it lives, the library's version query answers distinct numbers and a service-pack text
// filling all 128 characters of its record, with no terminator.
template <class C>
struct version_stand_in {
    using record = std::conditional_t<sizeof(C) == 1, OSVERSIONINFOA, OSVERSIONINFOW>;
    static constexpr DWORD numbers[4] = {5, 1, 2600, 2};  // major, minor, build, platform
    static BOOL WINAPI answer(record* r) {
        if (r->dwOSVersionInfoSize != sizeof(record)) return FALSE;
        *r = {sizeof(record), numbers[0], numbers[1], numbers[2], numbers[3]};
        std::fill(std::begin(r->szCSDVersion), std::end(r->szCSDVersion), C('x'));
        return TRUE;
    }
    void** const slot = import_slot(sizeof(C) == 1 ? "GetVersionExA" : "GetVersionExW");
    void* const real = slot ? std::exchange(*slot, (void*)&answer) : nullptr;
    ~version_stand_in() {
        if (slot) *slot = real;
    }
};

// Each output in turn NULL (0-4) or at a no-access page (5-9), then a text buffer one short of
// 128 characters (10): only that output is passed over, the others are written. The text is cut
// inside the record.
TEST(ShlGetWindowsVersion, EachOutputIsWrittenOnlyWhenWritable) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::both([](auto c) {
        using C = decltype(c);
        const version_stand_in<C> system;
        ASSERT_NE(system.slot, nullptr) << "the version query is not among the library's imports";
        test::guarded<char> nothing(0);
        for (int damaged = 0; damaged < 11; ++damaged) {
            SCOPED_TRACE(damaged);
            DWORD n[4] = {test::sentinel, test::sentinel, test::sentinel, test::sentinel};
            test::guarded<C> text(damaged == 10 ? 127 : 128);
            void* out[5] = {&n[0], &n[1], &n[2], &n[3], text.p()};
            if (damaged < 10) out[damaged % 5] = damaged < 5 ? nullptr : nothing.p();
            AW(C, ShlGetWindowsVersion)((DWORD*)out[0], (DWORD*)out[1], (DWORD*)out[2], (DWORD*)out[3], (C*)out[4]);
            for (int i = 0; i < 4; ++i) EXPECT_EQ(n[i], out[i] == &n[i] ? system.numbers[i] : test::sentinel) << i;
            if (out[4] == text.p() && damaged != 10)
                EXPECT_EQ(test::str<C>(text.p(), 128), test::str<C>(127, C('x')) + C(0));
            else
                EXPECT_TRUE(text.marked_from(0));
        }
    });
}

TEST(ShlGetComCtlVersion, TheLibrarysOwnVersionAndNullOutputs) {
    DWORD own[5] = {sizeof own};  // the DLLVERSIONINFO of comctl32's own DllGetVersion
    const HMODULE comctl = LoadLibraryA("comctl32.dll");
    const FARPROC entry = GetProcAddress(comctl, "DllGetVersion");
    ASSERT_GE(reinterpret_cast<HRESULT(WINAPI*)(DWORD*)>(reinterpret_cast<void*>(entry))(own), 0);
    FreeLibrary(comctl);
    DWORD major = test::sentinel, minor = test::sentinel;
    EXPECT_EQ(ShlGetComCtlVersion(&major, &minor), TRUE);
    EXPECT_EQ(major, own[1]);
    EXPECT_EQ(minor, own[2]);
    major = minor = test::sentinel;
    EXPECT_EQ(ShlGetComCtlVersion(nullptr, &minor), FALSE);
    EXPECT_EQ(ShlGetComCtlVersion(&major, nullptr), FALSE);
    EXPECT_EQ(major, test::sentinel) << "written although the call failed";
    EXPECT_EQ(minor, test::sentinel) << "written although the call failed";
}

// A second load of the library under another name: its cache starts empty at every reload.
struct fresh_library {
    test::temp_dir dir;
    const std::wstring copy = dir.file(L"fresh.dll");
    HMODULE module = nullptr;
    int(WINAPI* lines)(BOOL) = nullptr;
    fresh_library() { CopyFileW(test::beside_me(L"KELDANU.dll").c_str(), copy.c_str(), FALSE), reload(); }
    ~fresh_library() { FreeLibrary(module); }
    void reload() {
        if (module) FreeLibrary(module);
        module = LoadLibraryW(copy.c_str());
        lines = reinterpret_cast<int(WINAPI*)(BOOL)>(GetProcAddress(module, "ShlGetMouseScrollLines"));
    }
};

struct wheel_setting {
    UINT saved = 3;
    wheel_setting() { SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0); }
    ~wheel_setting() { set(saved); }
    static void set(UINT lines) { SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0); }
};

// A wheel driver window of our own: class "MouseZ", answering the registered message after
// `delay` ms.
LRESULT driver_answer = 0;
DWORD delay = 0;
LRESULT CALLBACK driver_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != RegisterWindowMessageA("MSH_SCROLL_LINES_MSG")) return DefWindowProcA(w, msg, wp, lp);
    EXPECT_EQ(wp | lp, 0) << "the driver is asked with no parameters";
    Sleep(delay);
    return driver_answer;
}
struct driver_window {
    HWND window;
    driver_window(LRESULT answer, const char* title = "Magellan MSWHEEL") {
        WNDCLASSA wc = {0, driver_proc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "MouseZ"};
        driver_answer = answer, RegisterClassA(&wc);
        window = CreateWindowExA(0, "MouseZ", title, WS_OVERLAPPED, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    }
    ~driver_window() { DestroyWindow(window), UnregisterClassA("MouseZ", nullptr), delay = 0; }
};

// Waits up to a minute for `threads`, serving this thread's windows meanwhile.
bool serve_until_done(DWORD count, const HANDLE* threads) {
    for (DWORD waited = 0; waited < 60000; waited += 10) {
        if (WaitForMultipleObjects(count, threads, TRUE, 10) != WAIT_TIMEOUT) return true;
        for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
    }
    return false;
}

TEST(ShlGetMouseScrollLines, FirstCallProbesLaterOnesUseTheCache) {
    wheel_setting setting;
    wheel_setting::set(7);
    fresh_library lib;
    EXPECT_EQ(lib.lines(0), 7) << "the first call probes whatever its refresh flag";
    wheel_setting::set(12);
    {
        driver_window driver(40);
        EXPECT_EQ(lib.lines(0), 7) << "refresh 0 answers from the cache, asking nobody";
    }
    EXPECT_EQ(lib.lines(1), 12) << "refresh 1 sees the change";
    EXPECT_EQ(lib.lines(0), 12);
    // The driver's answer wins as it is, and stays cached after its window has gone.
    const struct {
        LRESULT answer;
        const char* title;
        int expected;
    } rows[] = {
        {17, "Magellan MSWHEEL", 17}, {0, "Magellan MSWHEEL", 0}, {-5, "Magellan MSWHEEL", -5}, {17, "Other", 12}};
    for (const auto& row : rows) {
        lib.reload();
        {
            driver_window driver(row.answer, row.title);
            EXPECT_EQ(lib.lines(0), row.expected) << row.answer;
        }
        EXPECT_EQ(lib.lines(0), row.expected) << row.answer;
        EXPECT_EQ(lib.lines(1), 12) << row.answer;
    }
}

struct racer {
    const fresh_library* lib;
    HANDLE go;
    int answer;
};

DWORD WINAPI race(void* p) {
    auto* r = static_cast<racer*>(p);
    WaitForSingleObject(r->go, INFINITE);
    return r->answer = r->lib->lines(0), 0;
}

// Six threads make a fresh load's first call at once while a slow driver window keeps the
// first probe going: each gets the count a probe stored, never the empty cache's 0.
TEST(ShlGetMouseScrollLines, ConcurrentFirstCallsAllGetTheProbedAnswer) {
    if (test::faults_end_process()) GTEST_SKIP() << "Wine under qemu crashed (signal 11) while the six threads raced";
    fresh_library lib;
    driver_window driver(11);
    delay = 20;
    for (int round = 0; round < 3; ++round) {
        lib.reload();
        racer racers[6];
        HANDLE threads[6], go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        for (int i = 0; i < 6; ++i)
            racers[i] = {&lib, go, -100}, threads[i] = CreateThread(nullptr, 0, race, &racers[i], 0, nullptr);
        SetEvent(go);
        EXPECT_TRUE(serve_until_done(6, threads)) << "the racing calls did not return";
        for (int i = 0; i < 6; ++i) EXPECT_EQ(racers[i].answer, 11) << "round " << round << ", thread " << i;
        for (HANDLE h : threads) CloseHandle(h);
        CloseHandle(go);
    }
}

}  // namespace
