// What the system says about itself: the Windows version (KERNEL32 GetVersionExA/W), the
// common-controls version (LoadLibraryA, GetProcAddress "DllGetVersion", FreeLibrary) and the
// mouse-wheel scroll lines (USER32 RegisterWindowMessageA, FindWindowA, SendMessageA,
// SystemParametersInfoA; ADVAPI32 RegOpenKeyExA, RegQueryValueExA, RegCloseKey). Outputs are
// probed with IsBadWritePtr before they are written.
#include "shell/shell_internal.h"

#include <atomic>
#include <cstdlib>

namespace keldanu {

namespace {

// The service-pack text of both version records: 128 characters, terminator included.
constexpr int service_pack_chars = 128;
constexpr UINT_PTR number_bytes = sizeof(DWORD);

BOOL get_version(OSVERSIONINFOA* info) { return GetVersionExA(info); }
BOOL get_version(OSVERSIONINFOW* info) { return GetVersionExW(info); }

template <class T>
using version_record = std::conditional_t<T::wide, OSVERSIONINFOW, OSVERSIONINFOA>;

static_assert(sizeof(OSVERSIONINFOA) == 148 && sizeof(OSVERSIONINFOW) == 276);

// Stores `value` at `out` unless those four bytes cannot be written (NULL included).
void put_number(DWORD* out, DWORD value) {
    if (!IsBadWritePtr(out, number_bytes)) *out = value;
}

}  // namespace

template <class T>
void sysinfo_get_windows_version(DWORD* major, DWORD* minor, DWORD* build, DWORD* platform,
                                 typename T::ch* service_pack) {
    version_record<T> info = {};
    info.dwOSVersionInfoSize = sizeof info;
    get_version(&info);
    // A failed query leaves the zeroed record: every number 0 and an empty text. The last
    // character is cleared so the copy below can never run past the record.
    info.szCSDVersion[service_pack_chars - 1] = 0;
    put_number(major, info.dwMajorVersion);
    put_number(minor, info.dwMinorVersion);
    put_number(build, info.dwBuildNumber);
    put_number(platform, info.dwPlatformId);
    if (!T::bad_write(service_pack, service_pack_chars)) T::copy(service_pack, info.szCSDVersion);
}

// ---- common controls ----

namespace {

// The version record that a library's "DllGetVersion" fills (shlwapi.h's DLLVERSIONINFO,
// which this library cannot include beside its own header).
struct library_version {
    DWORD size;
    DWORD major;
    DWORD minor;
    DWORD build;
    DWORD platform;
};
static_assert(sizeof(library_version) == 20);

using dll_get_version = HRESULT(WINAPI*)(library_version*);

// A library loaded for one call and freed on every path.
class loaded_library {
public:
    explicit loaded_library(const char* name) : module_(LoadLibraryA(name)) {}
    ~loaded_library() {
        if (module_) FreeLibrary(module_);
    }
    loaded_library(const loaded_library&) = delete;
    loaded_library& operator=(const loaded_library&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

// What a common-controls library without a version entry is taken to be.
constexpr DWORD comctl_major_without_entry = 4;
constexpr DWORD comctl_minor_without_entry = 0;

}  // namespace

BOOL sysinfo_get_comctl_version(DWORD* major, DWORD* minor) {
    if (IsBadWritePtr(major, number_bytes) || IsBadWritePtr(minor, number_bytes)) return 0;
    // Loaded and freed on every call: the version is never cached.
    const loaded_library comctl("ComCtl32.Dll");
    if (!comctl.get()) return 0;
    const auto get_version_entry =
        reinterpret_cast<dll_get_version>(reinterpret_cast<void*>(GetProcAddress(comctl.get(), "DllGetVersion")));
    if (!get_version_entry) {
        *major = comctl_major_without_entry;
        *minor = comctl_minor_without_entry;
        return 1;
    }
    library_version version = {};
    version.size = sizeof version;
    const HRESULT result = get_version_entry(&version);
    if (result < 0) return 0;
    *major = version.major;
    *minor = version.minor;
    return 1;
}

// ---- mouse-wheel scroll lines ----

namespace {

constexpr int default_scroll_lines = 3;
constexpr DWORD scroll_value_bytes = 128;

enum wheel_message_state : WORD { wheel_not_tried = 0, wheel_failed = 1, wheel_registered = 2 };

// The library's one piece of state between calls, empty at every load. The probed flag and
// the line count are read without the lock, so that a cached answer costs two comparisons
// and no system call; everything else is touched only while a probe holds the lock.
struct scroll_lines_cache {
    std::atomic<LONG> probed{0};
    std::atomic<int> lines{0};
    UINT wheel_message = 0;
    WORD wheel_state = wheel_not_tried;
};
static_assert(std::atomic<LONG>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

scroll_lines_cache cache;
// One probe at a time: a call that waited for another's probe and asks no refresh answers
// with that probe's result, as if the two calls had come one after the other.
SRWLOCK probe_lock = SRWLOCK_INIT;

class exclusive {
public:
    explicit exclusive(SRWLOCK* lock) : lock_(lock) { AcquireSRWLockExclusive(lock_); }
    ~exclusive() { ReleaseSRWLockExclusive(lock_); }
    exclusive(const exclusive&) = delete;
    exclusive& operator=(const exclusive&) = delete;

private:
    SRWLOCK* lock_;
};

class registry_key {
public:
    registry_key() = default;
    ~registry_key() {
        if (key_) RegCloseKey(key_);
    }
    registry_key(const registry_key&) = delete;
    registry_key& operator=(const registry_key&) = delete;
    HKEY* put() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The wheel driver's own answer, when it has a window and the message could be registered.
bool ask_wheel_driver(int* lines) {
    if (cache.wheel_state == wheel_not_tried) {
        cache.wheel_message = RegisterWindowMessageA("MSH_SCROLL_LINES_MSG");
        // Tried once per process: a failure is never retried.
        cache.wheel_state = cache.wheel_message ? wheel_registered : wheel_failed;
    }
    if (cache.wheel_state != wheel_registered) return false;
    HWND driver = FindWindowA("MouseZ", "Magellan MSWHEEL");
    if (!driver || !cache.wheel_message) return false;
    // Whatever the driver answers is passed on, 0 and nonsense included.
    *lines = static_cast<int>(SendMessageA(driver, cache.wheel_message, 0, 0));
    return true;
}

// Windows before version 4 kept the setting only as text in the registry.
int read_registry_scroll_lines() {
    registry_key desktop;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, desktop.put()) != ERROR_SUCCESS)
        return default_scroll_lines;
    // One byte more than the system may fill, so a value without a terminator still ends.
    char text[scroll_value_bytes + 1] = {};
    DWORD size = scroll_value_bytes;
    if (RegQueryValueExA(desktop.get(), "WheelScrollLines", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
        ERROR_SUCCESS)
        return default_scroll_lines;
    text[size < scroll_value_bytes ? size : scroll_value_bytes] = 0;
    // strtoul's wrap-around is intended: "4294967295" and anything larger come back as -1.
    return static_cast<int>(std::strtoul(text, nullptr, 10));
}

int ask_system() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return default_scroll_lines;
    if (info.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS && info.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return default_scroll_lines;
    if (info.dwMajorVersion >= 4u) {
        // The Windows 95 family has no such setting without a driver window.
        if (info.dwPlatformId != VER_PLATFORM_WIN32_NT) return default_scroll_lines;
        int lines = default_scroll_lines;  // stands if the system writes nothing
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        return lines;
    }
    return read_registry_scroll_lines();
}

}  // namespace

int sysinfo_get_mouse_scroll_lines(BOOL refresh) {
    if (!refresh && cache.probed.load(std::memory_order_acquire)) return cache.lines.load(std::memory_order_relaxed);
    const exclusive hold(&probe_lock);
    // Another call may have probed while this one waited for the lock.
    if (!refresh && cache.probed.load(std::memory_order_acquire)) return cache.lines.load(std::memory_order_relaxed);
    int lines = 0;
    if (!ask_wheel_driver(&lines)) lines = ask_system();
    cache.lines.store(lines, std::memory_order_relaxed);
    // Set only once the line count is in place, so a caller that sees it never reads a
    // count from before the first probe.
    cache.probed.store(1, std::memory_order_release);
    return lines;
}

template void sysinfo_get_windows_version<ansi_text>(DWORD*, DWORD*, DWORD*, DWORD*, char*);
template void sysinfo_get_windows_version<wide_text>(DWORD*, DWORD*, DWORD*, DWORD*, wchar_t*);

}  // namespace keldanu
