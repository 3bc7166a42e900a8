// keldanu.exe commands for the path scanners.
#include "commands.h"

#include "keldanu.h"

namespace {

using namespace tool;

// Shows a pointer result as its offset into the input and the text from there.
std::wstring at(const char* base, const char* p) { return L"offset " + number(p - base) + L": " + quoted(p); }
std::wstring at(const wchar_t* base, const wchar_t* p) { return L"offset " + number(p - base) + L": " + quoted(p); }

template <class R>
int run_a(R (WINAPI* fn)(LPCSTR), const args& a) {
    const std::string path = to_acp(a[0]);
    if constexpr (std::is_pointer_v<R>)
        out_line(at(path.c_str(), fn(path.c_str())));
    else
        out_line(number(fn(path.c_str())));
    return 0;
}

template <class R>
int run_w(R (WINAPI* fn)(LPCWSTR), const args& a) {
    if constexpr (std::is_pointer_v<R>)
        out_line(at(a[0].c_str(), fn(a[0].c_str())));
    else
        out_line(number(fn(a[0].c_str())));
    return 0;
}

const command commands[] = {
    {"PathFindFileNameA", "PATH", 1, [](const args& a) { return run_a(PathFindFileNameA, a); }},
    {"PathFindFileNameW", "PATH", 1, [](const args& a) { return run_w(PathFindFileNameW, a); }},
    {"PathFindExtensionA", "PATH", 1, [](const args& a) { return run_a(PathFindExtensionA, a); }},
    {"PathFindExtensionW", "PATH", 1, [](const args& a) { return run_w(PathFindExtensionW, a); }},
    {"PathFindNextComponentA", "PATH", 1, [](const args& a) { return run_a(PathFindNextComponentA, a); }},
    {"PathFindNextComponentW", "PATH", 1, [](const args& a) { return run_w(PathFindNextComponentW, a); }},
    {"PathIsRootA", "PATH", 1, [](const args& a) { return run_a(PathIsRootA, a); }},
    {"PathIsRootW", "PATH", 1, [](const args& a) { return run_w(PathIsRootW, a); }},
    {"PathIsUNCA", "PATH", 1, [](const args& a) { return run_a(PathIsUNCA, a); }},
    {"PathIsUNCW", "PATH", 1, [](const args& a) { return run_w(PathIsUNCW, a); }},
    {"PathIsRelativeA", "PATH", 1, [](const args& a) { return run_a(PathIsRelativeA, a); }},
    {"PathIsRelativeW", "PATH", 1, [](const args& a) { return run_w(PathIsRelativeW, a); }},
};

void tour() {
    for (const wchar_t* p : {L"C:\\dir\\file.txt", L"C:\\dir\\", L"\\\\server\\share", L"C:"})
        show_call(L"PathFindFileNameW(" + quoted(p) + L")", quoted(PathFindFileNameW(p)));
    for (const wchar_t* p : {L"a.b c.d", L"a.b c", L"dir.d\\file", L".profile"})
        show_call(L"PathFindExtensionW(" + quoted(p) + L")", quoted(PathFindExtensionW(p)));
    for (const char* p : {"dir\\sub", "dir"})
        show_call(L"PathFindNextComponentA(" + quoted(p) + L")", quoted(PathFindNextComponentA(p)));
    for (const char* p : {"C:\\", "\\\\server\\share", "\\\\server\\share\\", "C:\\dir"})
        show_call(L"PathIsRootA(" + quoted(p) + L")", number(PathIsRootA(p)));
    for (const char* p : {"\\\\server", "//server"})
        show_call(L"PathIsUNCA(" + quoted(p) + L")", number(PathIsUNCA(p)));
    for (const char* p : {"..\\x", "C:x", "\\dir"})
        show_call(L"PathIsRelativeA(" + quoted(p) + L")", number(PathIsRelativeA(p)));
}

const command_group group(10, "Path scanning", commands, std::size(commands), tour);

}  // namespace
