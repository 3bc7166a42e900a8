// keldanu.exe commands for the canonical form. The destination is sized as the operation
// asks: the source's length plus 2 bytes.
#include "commands.h"

#include "keldanu.h"

namespace {

using namespace tool;

std::string canonical(const std::string& path) {
    std::string dest(path.size() + 2, '\0');
    PathCanonicalizeA(dest.data(), path.c_str());
    return dest.c_str();
}

int run_a(const args& a) {
    const std::string path = to_acp(a[0]);
    std::string dest(path.size() + 2, '\0');
    const BOOL result = PathCanonicalizeA(dest.data(), path.c_str());
    out_line(L"result: " + number(result));
    out_line(L"dest:   " + quoted(dest.c_str()));
    return 0;
}

int run_w(const args& a) {
    std::wstring dest(a[0].size() + 2, L'\0');
    const BOOL result = PathCanonicalizeW(dest.data(), a[0].c_str());
    out_line(L"result: " + number(result) + L" (the wide form does nothing)");
    return 0;
}

const command commands[] = {
    {"PathCanonicalizeA", "PATH", 1, run_a},
    {"PathCanonicalizeW", "PATH", 1, run_w},
};

void tour() {
    for (const char* p : {"C:\\dir\\..\\file", "C:\\dir\\.\\file", "C:\\..\\file", "C:\\dir\\..", "C:",
                          "dir\\..\\file", "..", "\\\\server\\share\\..", "\\\\server\\..", "a\\...\\b",
                          "/a/../b", ""})
        show_call(L"PathCanonicalizeA(" + quoted(p) + L")", quoted(canonical(p).c_str()));
    wchar_t dest[8] = L"as was";
    const BOOL result = PathCanonicalizeW(dest, L"C:\\dir\\..");
    show_call(L"PathCanonicalizeW(\"C:\\dir\\..\")", number(result) + L", destination " + quoted(dest));
}

const command_group group(25, "Path canonical form", commands, std::size(commands), tour);

}  // namespace
