// keldanu.exe commands for internet shortcut (.url) files.
#include "commands.h"

#include "keldanu.h"

namespace {

using namespace tool;

constexpr size_t url_buffer_chars = 2061;

const command commands[] = {
    {"INetReadShortcutA", "FILE", 1,
     [](const args& a) {
         static char url[url_buffer_chars];
         const BOOL result = INetReadShortcutA(to_acp(a[0]).c_str(), url);
         out_line(number(result) + L" " + quoted(url));
         return result ? 0 : 1;
     }},
    {"INetReadShortcutW", "FILE", 1,
     [](const args& a) {
         static wchar_t url[url_buffer_chars];
         const BOOL result = INetReadShortcutW(a[0].c_str(), url);
         out_line(number(result) + L" " + quoted(url));
         return result ? 0 : 1;
     }},
    {"INetSaveShortcutA", "FILE URL", 2,
     [](const args& a) {
         out_line(number(INetSaveShortcutA(to_acp(a[0]).c_str(), to_acp(a[1]).c_str())));
         return 0;
     }},
    {"INetSaveShortcutW", "FILE URL", 2,
     [](const args& a) {
         out_line(number(INetSaveShortcutW(a[0].c_str(), a[1].c_str())));
         return 0;
     }},
};

// Saves a shortcut in the temporary folder, reads it back, shows the file, and removes it.
void tour() {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"keldanu-tour.url";
    const wchar_t url[] = L"http://host/a%20b";
    show_call(L"INetSaveShortcutW(" + quoted(file) + L", " + quoted(url) + L")",
              number(INetSaveShortcutW(file.c_str(), url)));
    static wchar_t back[url_buffer_chars];
    const BOOL result = INetReadShortcutW(file.c_str(), back);
    show_call(L"INetReadShortcutW(" + quoted(file) + L")", number(result) + L", " + quoted(back));
    char content[256] = {};
    DWORD read = 0;
    HANDLE f = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        ReadFile(f, content, sizeof content - 1, &read, nullptr);
        CloseHandle(f);
    }
    out_line(L"  the file holds: " + quoted(from_acp(content)));
    DeleteFileW(file.c_str());
    show_call(L"INetReadShortcutW(" + quoted(file) + L") after deleting it",
              number(INetReadShortcutW(file.c_str(), back)) + L", " + quoted(back));
    show_call(L"INetReadShortcutA(\"x.url\", NULL)", number(INetReadShortcutA("x.url", nullptr)));
}

const command_group group(55, "Internet shortcut files", commands, std::size(commands), tour);

}  // namespace
