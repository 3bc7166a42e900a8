// keldanu.exe commands for the registry profile strings.
#include "commands.h"

#include "keldanu.h"

#include <iterator>

namespace {

using namespace tool;

struct root_name {
    const wchar_t* name;
    HKEY key;
};

const root_name roots[] = {
    {L"HKCU", HKEY_CURRENT_USER},
    {L"HKLM", HKEY_LOCAL_MACHINE},
    {L"HKCR", HKEY_CLASSES_ROOT},
    {L"HKU", HKEY_USERS},
};

// A root key by its short name; NULL for an unknown name.
HKEY root(const std::wstring& name) {
    for (const auto& r : roots)
        if (lstrcmpiW(r.name, name.c_str()) == 0) return r.key;
    out_line(L"keldanu: unknown root key " + name + L" (HKCU, HKLM, HKCR or HKU)");
    return nullptr;
}

constexpr DWORD default_chars = 260;

DWORD capacity(const args& a) { return a.size() > 4 ? static_cast<DWORD>(parse_number(a[4])) : default_chars; }

int get_a(const args& a) {
    const HKEY key = root(a[0]);
    if (!key) return 2;
    const DWORD chars = capacity(a);
    std::string buf(chars + 1, '\0');
    const BOOL ok = ShlGetProfileStringA(key, to_acp(a[1]).c_str(), to_acp(a[2]).c_str(), to_acp(a[3]).c_str(), buf.data(), chars);
    out_line(number(ok) + L" " + quoted(buf.c_str()));
    return ok ? 0 : 1;
}

int get_w(const args& a) {
    const HKEY key = root(a[0]);
    if (!key) return 2;
    const DWORD chars = capacity(a);
    std::wstring buf(chars + 1, L'\0');
    const BOOL ok = ShlGetProfileStringW(key, a[1].c_str(), a[2].c_str(), a[3].c_str(), buf.data(), chars);
    out_line(number(ok) + L" " + quoted(buf.c_str()));
    return ok ? 0 : 1;
}

int write_a(const args& a) {
    const HKEY key = root(a[0]);
    if (!key) return 2;
    const BOOL ok = ShlWriteProfileStringA(key, to_acp(a[1]).c_str(), to_acp(a[2]).c_str(), to_acp(a[3]).c_str());
    out_line(number(ok));
    return ok ? 0 : 1;
}

int write_w(const args& a) {
    const HKEY key = root(a[0]);
    if (!key) return 2;
    const BOOL ok = ShlWriteProfileStringW(key, a[1].c_str(), a[2].c_str(), a[3].c_str());
    out_line(number(ok));
    return ok ? 0 : 1;
}

const command commands[] = {
    {"ShlGetProfileStringA", "ROOT SUBKEY VALUE DEFAULT [CHARS]", 4, get_a},
    {"ShlGetProfileStringW", "ROOT SUBKEY VALUE DEFAULT [CHARS]", 4, get_w},
    {"ShlWriteProfileStringA", "ROOT SUBKEY VALUE DATA", 4, write_a},
    {"ShlWriteProfileStringW", "ROOT SUBKEY VALUE DATA", 4, write_w},
};

void tour() {
    const wchar_t sub[] = L"Software\\KeldanuTour\\Profile";
    const std::wstring where = L"HKCU, " + quoted(sub);
    show_call(L"ShlWriteProfileStringW(" + where + L", \"name\", \"Ada\")",
              number(ShlWriteProfileStringW(HKEY_CURRENT_USER, sub, L"name", L"Ada")));
    wchar_t buf[16];
    struct read {
        const wchar_t* value;
        DWORD chars;
    };
    for (const read& r : {read{L"name", 16}, read{L"missing", 16}, read{L"missing", 3}, read{L"name", 3}}) {
        const BOOL ok = ShlGetProfileStringW(HKEY_CURRENT_USER, sub, r.value, L"none", buf, r.chars);
        show_call(L"ShlGetProfileStringW(" + where + L", " + quoted(r.value) + L", \"none\", buf, " + number(r.chars) + L")",
                  number(ok) + L", buf " + quoted(buf));
    }
    const DWORD number_value = 65;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, sub, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegSetValueExW(key, L"count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number_value), sizeof number_value);
        RegCloseKey(key);
        char narrow[16];
        const BOOL ok = ShlGetProfileStringA(HKEY_CURRENT_USER, "Software\\KeldanuTour\\Profile", "count", "none", narrow, 16);
        show_call(L"ShlGetProfileStringA(" + where + L", \"count\" (REG_DWORD 65), \"none\", buf, 16)",
                  number(ok) + L", buf " + quoted(narrow));
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KeldanuTour\\Profile");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KeldanuTour");
}

const command_group group(60, "Registry profile strings", commands, std::size(commands), tour);

}  // namespace
