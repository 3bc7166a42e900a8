// The system queries: version numbers with outputs missing or unwritable, the common-controls
// version, and the scroll-lines cache (a wheel driver window of our own, the system setting,
// refresh 0 and 1, concurrent first calls).
#include "support/support.h"

namespace {

// Each of the five outputs in turn NULL or at a no-access page, and a text buffer one
// character short of 128: only the writable ones are written.
TEST(ShlGetWindowsVersion, EachOutputIsWrittenOnlyWhenWritable) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::both([](auto c) {
        using C = decltype(c);
        std::conditional_t<sizeof(C) == 1, OSVERSIONINFOA, OSVERSIONINFOW> info = {sizeof info};
        ASSERT_TRUE(test::pick<C>(GetVersionExA, GetVersionExW)(&info));
        const DWORD want[4] = {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId};
        test::guarded<char> nothing(0);
        for (int damaged = -1; damaged < 11; ++damaged) {
            DWORD numbers[4] = {test::sentinel, test::sentinel, test::sentinel, test::sentinel};
            test::guarded<C> text(damaged == 10 ? 127 : 128);
            void* out[5] = {&numbers[0], &numbers[1], &numbers[2], &numbers[3], text.p()};
            if (damaged >= 0 && damaged < 10) out[damaged % 5] = damaged < 5 ? nullptr : nothing.data();
            AW(C, ShlGetWindowsVersion)((DWORD*)out[0], (DWORD*)out[1], (DWORD*)out[2], (DWORD*)out[3], (C*)out[4]);
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(numbers[i], out[i] == &numbers[i] ? want[i] : test::sentinel) << damaged;
            if (out[4] == text.p() && damaged != 10)
                EXPECT_EQ(text.s(), test::str<C>(info.szCSDVersion));
            else
                EXPECT_TRUE(text.marked_from(0)) << damaged;
        }
    });
}

TEST(ShlGetComCtlVersion, TheLibrarysOwnVersionAndUnwritableOutputs) {
    struct {
        DWORD size, major, minor, build, platform;
    } own = {sizeof own};  // shlwapi's DLLVERSIONINFO
    const HMODULE comctl = LoadLibraryA("comctl32.dll");
    ASSERT_GE(reinterpret_cast<HRESULT(WINAPI*)(void*)>(
                  reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")))(&own),
              0);
    FreeLibrary(comctl);
    DWORD major = test::sentinel, minor = test::sentinel;
    EXPECT_EQ(ShlGetComCtlVersion(&major, &minor), TRUE);
    EXPECT_EQ(major * 100 + minor, own.major * 100 + own.minor);
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::guarded<char> page(0);
    for (DWORD* bad : {static_cast<DWORD*>(nullptr), static_cast<DWORD*>(page.data())}) {
        major = minor = test::sentinel;
        EXPECT_EQ(ShlGetComCtlVersion(bad, &minor), FALSE);
        EXPECT_EQ(ShlGetComCtlVersion(&major, bad), FALSE);
        EXPECT_EQ(major & minor, test::sentinel) << "written although the call failed";
    }
}

// ---- mouse-wheel scroll lines ----

// A second load of the library under another name: its cache starts empty, whatever the
// tests before have asked. reload() frees it and loads it again.
class fresh_library {
public:
    fresh_library() {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(GetModuleHandleW(L"KELDANU.dll"), self, MAX_PATH);
        CopyFileW(self, copy_.c_str(), FALSE);
        reload();
    }
    ~fresh_library() { FreeLibrary(module_); }
    void reload() {
        if (module_) FreeLibrary(module_);
        module_ = LoadLibraryW(copy_.c_str());
        lines_ = reinterpret_cast<int(WINAPI*)(BOOL)>(
            reinterpret_cast<void*>(GetProcAddress(module_, "ShlGetMouseScrollLines")));
        ASSERT_NE(lines_, nullptr);
    }
    int lines(BOOL refresh) const { return lines_(refresh); }

private:
    test::temp_dir dir_;
    std::wstring copy_ = dir_.file(L"keldanu_fresh.dll");
    HMODULE module_ = nullptr;
    int(WINAPI* lines_)(BOOL) = nullptr;
};

// The system's wheel setting, put back as it was.
struct wheel_setting {
    UINT saved = 3;
    wheel_setting() { SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0); }
    ~wheel_setting() { set(saved); }
    static void set(UINT lines) { SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0); }
};

// A wheel driver window of our own: class "MouseZ", answering the registered message.
LRESULT driver_answer = 0;
LRESULT CALLBACK driver_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return msg == RegisterWindowMessageA("MSH_SCROLL_LINES_MSG") ? driver_answer : DefWindowProcA(w, msg, wp, lp);
}
struct driver_window {
    HWND window;
    driver_window(LRESULT answer, const char* title = "Magellan MSWHEEL") {
        driver_answer = answer;
        WNDCLASSA wc = {0, driver_proc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr, "MouseZ"};
        RegisterClassA(&wc);
        window = CreateWindowExA(0, "MouseZ", title, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    ~driver_window() { DestroyWindow(window), UnregisterClassA("MouseZ", GetModuleHandleW(nullptr)); }
};

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
        SCOPED_TRACE(row.answer);
        lib.reload();
        {
            driver_window driver(row.answer, row.title);
            EXPECT_EQ(lib.lines(0), row.expected);
        }
        EXPECT_EQ(lib.lines(0), row.expected);
        EXPECT_EQ(lib.lines(1), 12);
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

// Eight threads make the first call of a fresh load at once: each gets the probed count,
// never the empty cache's 0.
TEST(ShlGetMouseScrollLines, ConcurrentFirstCallsAllGetTheProbedAnswer) {
    wheel_setting setting;
    wheel_setting::set(11);
    fresh_library lib;
    for (int round = 0; round < 8; ++round) {
        lib.reload();
        racer racers[8];
        HANDLE threads[8], go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        for (int i = 0; i < 8; ++i)
            racers[i] = {&lib, go, -100}, threads[i] = CreateThread(nullptr, 0, race, &racers[i], 0, nullptr);
        SetEvent(go);
        EXPECT_EQ(WaitForMultipleObjects(8, threads, TRUE, 60000), WAIT_OBJECT_0);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(racers[i].answer, 11) << "round " << round << ", thread " << i;
        for (HANDLE h : threads) CloseHandle(h);
        CloseHandle(go);
    }
}

}  // namespace
