// Helper for the scroll-lines tests: a process of its own, so that Wine can report an older
// Windows to it (AppDefaults), and so that its first call meets an empty cache.
//   scroll_lines_probe KELDANU-PATH STEP...
// Prints "version MAJOR platform ID", then one line per "call:R" step with
// ShlGetMouseScrollLines(R). "set:TEXT" stores TEXT as HKCU\Control Panel\Desktop
// "WheelScrollLines" (REG_SZ), "del" removes that value.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void print(const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

std::string narrow(const wchar_t* w) {
    std::string s;
    for (; *w; ++w) s.push_back(static_cast<char>(*w));
    return s;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    HMODULE keldanu = LoadLibraryW(argv[1]);
    auto scroll_lines = reinterpret_cast<int(WINAPI*)(BOOL)>(
        reinterpret_cast<void*>(GetProcAddress(keldanu, "ShlGetMouseScrollLines")));
    if (!scroll_lines) {
        print("no library\n");
        return 1;
    }
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    char line[64];
    snprintf(line, sizeof line, "version %lu platform %lu\n", info.dwMajorVersion, info.dwPlatformId);
    print(line);

    HKEY desktop = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &desktop,
                    nullptr);
    for (int i = 2; i < argc; ++i) {
        const std::string step = narrow(argv[i]);
        if (step.rfind("set:", 0) == 0) {
            const std::string text = step.substr(4);
            RegSetValueExA(desktop, "WheelScrollLines", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
        } else if (step == "del") {
            RegDeleteValueA(desktop, "WheelScrollLines");
        } else if (step.rfind("call:", 0) == 0) {
            snprintf(line, sizeof line, "%d\n", scroll_lines(std::stoi(step.substr(5))));
            print(line);
        }
    }
    RegCloseKey(desktop);
    return 0;
}
