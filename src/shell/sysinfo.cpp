// What the system says about itself: the Windows version, the common-controls version and the
// mouse-wheel scroll lines. Outputs are probed before they are written.
#include "frame/guards.h"
#include "shell/shell_internal.h"

#include <atomic>
#include <cstdlib>

namespace keldanu {

namespace {

// The service-pack text of both version records: 128 characters, terminator included.
constexpr int service_pack_chars = 128;
constexpr UINT_PTR number_bytes = sizeof(DWORD);

static_assert(sizeof(ansi_text::version_info) == 148 && sizeof(wide_text::version_info) == 276);

// Stores `value` at `out` unless those four bytes cannot be written (NULL included).
void put_number(DWORD* out, DWORD value) {
    if (!IsBadWritePtr(out, number_bytes)) *out = value;
}

}  // namespace

template <class T>
void sysinfo_get_windows_version(DWORD* major, DWORD* minor, DWORD* build, DWORD* platform,
                                 typename T::ch* service_pack) {
    typename T::version_info info = {};
    info.dwOSVersionInfoSize = sizeof info;
    T::get_version(&info);
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

// What a common-controls library without a version entry is taken to be.
constexpr DWORD comctl_major_without_entry = 4;
constexpr DWORD comctl_minor_without_entry = 0;

}  // namespace

BOOL sysinfo_get_comctl_version(DWORD* major, DWORD* minor) {
    if (IsBadWritePtr(major, number_bytes) || IsBadWritePtr(minor, number_bytes)) return 0;
    // Loaded and freed on every call: the version is never cached.
    const loaded_module comctl(LoadLibraryA("ComCtl32.Dll"));
    if (!comctl) return 0;
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

// The wheel message before registration was tried, and after it failed (a registered message
// lies in 0xC000..0xFFFF, so neither can be one).
constexpr UINT wheel_not_tried = 0;
constexpr UINT wheel_failed = 0xFFFFFFFF;

// The library's one piece of state between calls, empty at every load. No lock guards it:
// a probe sends a message to the wheel driver's window, and while it waits, messages sent to
// the calling thread's windows are dispatched and the driver's thread runs its window
// procedure; either may call in again, and a lock held across the message would never be
// let go. Each value is read and written whole instead. The line count is published by the
// probed flag (release) and read only after the flag was seen (acquire), so a cached answer
// is always one that a probe stored. A call that finds no answer yet probes itself; probes
// may overlap, each stores a real answer, and the last one stays.
struct scroll_lines_cache {
    std::atomic<int> probed{0};
    std::atomic<int> lines{0};
    std::atomic<UINT> wheel_message{wheel_not_tried};
};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<UINT>::is_always_lock_free);

scroll_lines_cache cache;

// The wheel driver's own answer, when it has a window and the message could be registered.
bool ask_wheel_driver(int* lines) {
    UINT message = cache.wheel_message.load(std::memory_order_relaxed);
    if (message == wheel_not_tried) {
        // Registering the same name gives the same number, so two first probes that both get
        // here store the same value. Tried once per process: a failure is never retried.
        message = RegisterWindowMessageA("MSH_SCROLL_LINES_MSG");
        if (message == 0) message = wheel_failed;
        cache.wheel_message.store(message, std::memory_order_relaxed);
    }
    if (message == wheel_failed) return false;
    const HWND driver = FindWindowA("MouseZ", "Magellan MSWHEEL");
    if (!driver) return false;
    // Whatever the driver answers is passed on, 0 and nonsense included.
    *lines = static_cast<int>(SendMessageA(driver, message, 0, 0));
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
    int lines = 0;
    if (!ask_wheel_driver(&lines)) lines = ask_system();
    cache.lines.store(lines, std::memory_order_relaxed);
    cache.probed.store(1, std::memory_order_release);
    return lines;
}

#define INSTANTIATE(T) template void sysinfo_get_windows_version<T>(DWORD*, DWORD*, DWORD*, DWORD*, T::ch*);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
