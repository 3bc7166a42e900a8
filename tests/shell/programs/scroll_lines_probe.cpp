// A process of its own for the scroll-lines tests, so that Wine can report an older Windows
// to it (AppDefaults) and its first call meets an empty cache.
//   scroll_lines_probe KELDANU-PATH STEP...
// Prints "version MAJOR platform ID", then for each "call:R" ShlGetMouseScrollLines(R).
// "set:TEXT" stores TEXT as HKCU\Control Panel\Desktop "WheelScrollLines", "del" removes it.
#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2) return 2;
    const auto lines = reinterpret_cast<int(WINAPI*)(BOOL)>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(argv[1]), "ShlGetMouseScrollLines")));
    if (!lines) return 1;
    _setmode(_fileno(stdout), _O_BINARY);  // "\n" as it is, for the test's comparison
    OSVERSIONINFOA info = {sizeof info};
    GetVersionExA(&info);
    std::printf("version %lu platform %lu\n", info.dwMajorVersion, info.dwPlatformId);
    HKEY desktop = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &desktop, nullptr);
    for (int i = 2; i < argc; ++i) {
        const std::wstring w = argv[i];
        const std::string step(w.begin(), w.end());  // ASCII
        if (step.rfind("set:", 0) == 0)
            RegSetValueExA(desktop, "WheelScrollLines", 0, REG_SZ, reinterpret_cast<const BYTE*>(step.c_str() + 4), DWORD(step.size() - 3));
        else if (step == "del")
            RegDeleteValueA(desktop, "WheelScrollLines");
        else if (step.rfind("call:", 0) == 0)
            std::printf("%d\n", lines(std::stoi(step.substr(5))));
    }
    RegCloseKey(desktop);
    return 0;
}
