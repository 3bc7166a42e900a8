// keldanu.exe commands for the URL escape decoder.
#include "commands.h"

#include "keldanu.h"

namespace {

using namespace tool;

constexpr size_t url_buffer_chars = 2061;

int run_a(const args& a) {
    static char url[url_buffer_chars];
    lstrcpynA(url, to_acp(a[0]).c_str(), url_buffer_chars);
    const DWORD reserved = a.size() > 1 ? static_cast<DWORD>(parse_number(a[1])) : 0;
    const BOOL result = INetCanonicalizeUrlA(url, reserved);
    out_line(number(result) + L" " + quoted(url));
    return result ? 0 : 1;
}

int run_w(const args& a) {
    static wchar_t url[url_buffer_chars];
    lstrcpynW(url, a[0].c_str(), url_buffer_chars);
    const DWORD reserved = a.size() > 1 ? static_cast<DWORD>(parse_number(a[1])) : 0;
    const BOOL result = INetCanonicalizeUrlW(url, reserved);
    out_line(number(result) + L" " + quoted(url));
    return result ? 0 : 1;
}

const command commands[] = {
    {"INetCanonicalizeUrlA", "URL [RESERVED]", 1, run_a},
    {"INetCanonicalizeUrlW", "URL [RESERVED]", 1, run_w},
};

void tour() {
    for (const wchar_t* t : {L"a%20b", L"%2541", L"50%off", L"ftp://h/a%2Fb", L"%C3%A9"}) {
        wchar_t url[url_buffer_chars];
        lstrcpynW(url, t, url_buffer_chars);
        const BOOL result = INetCanonicalizeUrlW(url, 0);
        show_call(L"INetCanonicalizeUrlW(" + quoted(t) + L", 0)", number(result) + L", " + quoted(url));
    }
    char url[url_buffer_chars] = "%7e%7E";
    const BOOL result = INetCanonicalizeUrlA(url, 0);
    show_call(L"INetCanonicalizeUrlA(\"%7e%7E\", 0)", number(result) + L", " + quoted(url));
    show_call(L"INetCanonicalizeUrlA(\"x\", 1)", number(INetCanonicalizeUrlA(url, 1)));
}

const command_group group(45, "URL escape decoding", commands, std::size(commands), tour);

}  // namespace
