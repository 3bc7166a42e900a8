// Helper for the scroll-lines tests: a process of its own, so that Wine can report an older
// Windows to it (AppDefaults), and so that its first call meets an empty cache.
//   scroll_lines_probe KELDANU-PATH STEP...
// Prints "version MAJOR platform ID", then one line per "call:R" step with
// ShlGetMouseScrollLines(R). "set:TEXT" stores TEXT as HKCU\Control Panel\Desktop
// "WheelScrollLines" (REG_SZ), "del" removes that value. "reenter:N" and "driver-thread:N"
// call ShlGetMouseScrollLines(0) with a wheel driver window answering N, whose window
// procedure calls it once more while the first call waits for the answer; the window belongs
// to the calling thread or to a thread of its own. They print the inner and the outer answer.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

using scroll_lines_fn = int(WINAPI*)(BOOL);
scroll_lines_fn scroll_lines = nullptr;

void print(const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

std::string narrow(const wchar_t* w) {
    std::string s;
    for (; *w; ++w) s.push_back(static_cast<char>(*w));
    return s;
}

// The wheel driver window: answers the scroll-lines message with `answer`, and the first time
// it is asked, asks the library itself from inside its window procedure.
UINT wheel_message = 0;
LRESULT answer = 0;
int inner_answer = -100;
bool asked = false;

LRESULT CALLBACK driver_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == wheel_message && msg != 0) {
        if (!asked) {
            asked = true;
            inner_answer = scroll_lines(0);
        }
        return answer;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

HWND create_driver() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = driver_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = "MouseZ";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "MouseZ", "Magellan MSWHEEL", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// The driver's own thread: makes the window, says so, and serves messages until WM_QUIT.
DWORD WINAPI driver_thread(void* ready) {
    const HWND window = create_driver();
    SetEvent(ready);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
    DestroyWindow(window);
    return 0;
}

void print_answers(int outer) {
    char line[64];
    snprintf(line, sizeof line, "%d %d\n", inner_answer, outer);
    print(line);
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    HMODULE keldanu = LoadLibraryW(argv[1]);
    scroll_lines =
        reinterpret_cast<scroll_lines_fn>(reinterpret_cast<void*>(GetProcAddress(keldanu, "ShlGetMouseScrollLines")));
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
    wheel_message = RegisterWindowMessageA("MSH_SCROLL_LINES_MSG");

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
        } else if (step.rfind("reenter:", 0) == 0) {
            answer = std::stoi(step.substr(8));
            const HWND window = create_driver();
            print_answers(scroll_lines(0));
            DestroyWindow(window);
        } else if (step.rfind("driver-thread:", 0) == 0) {
            answer = std::stoi(step.substr(14));
            const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
            DWORD id = 0;
            const HANDLE thread = CreateThread(nullptr, 0, driver_thread, ready, 0, &id);
            WaitForSingleObject(ready, INFINITE);
            print_answers(scroll_lines(0));
            PostThreadMessageA(id, WM_QUIT, 0, 0);
            WaitForSingleObject(thread, INFINITE);
            CloseHandle(thread);
            CloseHandle(ready);
        }
    }
    RegCloseKey(desktop);
    return 0;
}
