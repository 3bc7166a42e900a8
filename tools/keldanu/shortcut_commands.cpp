// keldanu.exe commands for shell-link shortcut files. The library leaves COM to its caller,
// so each command initialises it on the console's thread first, as an application would.
#include "commands.h"

#include <objbase.h>

#include "keldanu.h"

namespace {

using namespace tool;

class com_thread {
public:
    com_thread() : hr_(CoInitialize(nullptr)) {}
    ~com_thread() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }

private:
    HRESULT hr_;
};

// "-" on the command line stands for a NULL field.
const wchar_t* field(const std::wstring& arg) { return arg == L"-" ? nullptr : arg.c_str(); }

void show_fields(BOOL result, const std::wstring& target, const std::wstring& description,
                 const std::wstring& directory, const std::wstring& arguments) {
    out_line(L"result: " + number(result));
    out_line(L"target: " + quoted(target));
    out_line(L"description: " + quoted(description));
    out_line(L"directory: " + quoted(directory));
    out_line(L"arguments: " + quoted(arguments));
}

int read_a(const args& a) {
    com_thread com;
    char target[MAX_PATH], description[MAX_PATH], directory[MAX_PATH], arguments[MAX_PATH];
    const BOOL r = PathReadShortcutA(nullptr, to_acp(a[0]).c_str(), target, description, directory, arguments);
    show_fields(r, from_acp(target), from_acp(description), from_acp(directory), from_acp(arguments));
    return r ? 0 : 1;
}

int read_w(const args& a) {
    com_thread com;
    wchar_t target[MAX_PATH], description[MAX_PATH], directory[MAX_PATH], arguments[MAX_PATH];
    const BOOL r = PathReadShortcutW(nullptr, a[0].c_str(), target, description, directory, arguments);
    show_fields(r, target, description, directory, arguments);
    return r ? 0 : 1;
}

int save_a(const args& a) {
    com_thread com;
    std::string text[5];
    const char* p[5] = {};
    for (int i = 0; i < 5; ++i)
        if (field(a[i])) p[i] = (text[i] = to_acp(a[i])).c_str();
    const BOOL r = PathSaveShortcutA(p[0], p[1], p[2], p[3], p[4]);
    out_line(number(r));
    return r ? 0 : 1;
}

int save_w(const args& a) {
    com_thread com;
    const BOOL r = PathSaveShortcutW(field(a[0]), field(a[1]), field(a[2]), field(a[3]), field(a[4]));
    out_line(number(r));
    return r ? 0 : 1;
}

const command commands[] = {
    {"PathReadShortcutA", "LNK", 1, read_a},
    {"PathReadShortcutW", "LNK", 1, read_w},
    {"PathSaveShortcutA", "LNK TARGET DESCRIPTION DIRECTORY ARGUMENTS  (- for none)", 5, save_a},
    {"PathSaveShortcutW", "LNK TARGET DESCRIPTION DIRECTORY ARGUMENTS  (- for none)", 5, save_w},
};

void tour() {
    com_thread com;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = temp;
    const std::wstring target = dir + L"keldanu-tour-target.txt";
    const std::wstring link = dir + L"keldanu-tour.lnk";
    HANDLE h = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);

    show_call(L"PathSaveShortcutW(" + quoted(link) + L", " + quoted(target) + L", \"Tour shortcut\", " +
                  quoted(dir) + L", NULL)",
              number(PathSaveShortcutW(link.c_str(), target.c_str(), L"Tour shortcut", dir.c_str(), nullptr)));
    wchar_t t[MAX_PATH], d[MAX_PATH], w[MAX_PATH], a[MAX_PATH];
    const BOOL r = PathReadShortcutW(nullptr, link.c_str(), t, d, w, a);
    show_call(L"PathReadShortcutW(NULL, " + quoted(link) + L", ...)",
              number(r) + L"; target " + quoted(t) + L", description " + quoted(d) + L", directory " + quoted(w) +
                  L", arguments " + quoted(a));
    char ta[MAX_PATH], da[MAX_PATH], wa[MAX_PATH], aa[MAX_PATH];
    const std::string not_a_link = to_acp(target);
    show_call(L"PathReadShortcutA(NULL, " + quoted(not_a_link.c_str()) + L", ...)",
              number(PathReadShortcutA(nullptr, not_a_link.c_str(), ta, da, wa, aa)) + L"; target " + quoted(ta) +
                  L" (not a shortcut: every output emptied)");
    show_call(L"PathSaveShortcutA(NULL, ...)", number(PathSaveShortcutA(nullptr, "C:\\x.exe", nullptr, nullptr, nullptr)));
    DeleteFileW(link.c_str());
    DeleteFileW(target.c_str());
}

const command_group group(35, "Shell-link shortcuts", commands, std::size(commands), tour);

}  // namespace
