// keldanu.exe commands for special folders, the system image lists and the folder browser.
#include "commands.h"

#include <shlobj.h>

#include "keldanu.h"

namespace {

using namespace tool;

std::wstring handle(const void* h) {
    wchar_t text[16];
    wsprintfW(text, L"0x%08lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(h)));
    return text;
}

// Shows one special-folder query: the result and what the buffer holds.
void show_special_folder(const wchar_t* name, int folder, int capacity) {
    char path[MAX_PATH] = "(untouched)";
    const BOOL ok = ShlGetSpecialFolderLocationA(nullptr, folder, path, capacity);
    show_call(L"ShlGetSpecialFolderLocationA(" + std::wstring(name) + L", " + number(capacity) + L")",
              number(ok) + L", " + quoted(path));
}

int run_special_folder(const args& a) {
    const int capacity = a.size() > 1 ? static_cast<int>(parse_number(a[1])) : MAX_PATH;
    if (capacity < 0 || capacity > MAX_PATH) {
        out_line(L"CAPACITY must be 0 to 260");
        return 2;
    }
    char path[MAX_PATH] = {};
    const BOOL ok = ShlGetSpecialFolderLocationA(nullptr, static_cast<int>(parse_number(a[0])), path, capacity);
    out_line(number(ok) + L" " + quoted(path));
    return ok ? 0 : 1;
}

int run_image_list(const args& a) {
    out_line(handle(ShlGetSystemImageList(static_cast<BOOL>(parse_number(a[0])))));
    return 0;
}

// Opens the folder browser (a window; untitled, as keldanu.exe has no string table).
int run_browse(const args& a) {
    char path[MAX_PATH] = {};
    if (!a.empty()) lstrcpynA(path, to_acp(a[0]).c_str(), MAX_PATH);
    const BOOL ok = ShlBrowseForFolderA(GetModuleHandleW(nullptr), nullptr, path, 1);
    out_line(number(ok) + L" " + quoted(path));
    return ok ? 0 : 1;
}

const command commands[] = {
    {"ShlGetSpecialFolderLocationA", "CSIDL [CAPACITY]", 1, run_special_folder},
    {"ShlGetSystemImageList", "SMALL(1|0)", 1, run_image_list},
    {"ShlBrowseForFolderA", "[PATH]", 0, run_browse},
};

void tour() {
    show_special_folder(L"CSIDL_WINDOWS", CSIDL_WINDOWS, MAX_PATH);
    show_special_folder(L"CSIDL_PROGRAMS", CSIDL_PROGRAMS, MAX_PATH);
    show_special_folder(L"CSIDL_PERSONAL", CSIDL_PERSONAL, MAX_PATH);
    show_special_folder(L"CSIDL_SYSTEM", CSIDL_SYSTEM, 10);
    show_special_folder(L"CSIDL_DRIVES", CSIDL_DRIVES, MAX_PATH);
    show_special_folder(L"CSIDL_WINDOWS", CSIDL_WINDOWS, 0);
    const HIMAGELIST small = ShlGetSystemImageList(1);
    const HIMAGELIST large = ShlGetSystemImageList(0);
    show_call(L"ShlGetSystemImageList(1)", handle(small));
    show_call(L"ShlGetSystemImageList(0)", handle(large) + (small != large ? L" (another list)" : L" (the same list)"));
}

const command_group group(65, "Folders", commands, std::size(commands), tour);

}  // namespace
