// keldanu.exe commands for path editing. The path is copied into a MAX_PATH buffer (or one
// just large enough for a longer argument), edited there, and shown with the result.
#include "commands.h"

#include "keldanu.h"

#include <algorithm>
#include <type_traits>

namespace {

using namespace tool;

template <class C>
struct path_buffer {
    explicit path_buffer(const std::basic_string<C>& text) : chars(std::max<size_t>(MAX_PATH, text.size() + 1), 0) {
        std::copy(text.begin(), text.end(), chars.begin());
    }
    C* get() { return chars.data(); }
    std::vector<C> chars;
};

std::basic_string<char> in_width(const std::wstring& text, char) { return to_acp(text); }
std::wstring in_width(const std::wstring& text, wchar_t) { return text; }

// Pointer results are shown as an offset into the path and the text from there.
template <class C>
std::wstring at(const C* base, const C* p) {
    return p ? L"offset " + number(p - base) + L": " + quoted(p) : L"NULL";
}

// Runs an operation that edits its path in place and shows the result and the path after.
template <class C, class R>
int run_edit(R (WINAPI* fn)(C*), const args& a) {
    path_buffer<C> path(in_width(a[0], C()));
    if constexpr (std::is_void_v<R>) {
        fn(path.get());
    } else {
        const R result = fn(path.get());
        if constexpr (std::is_pointer_v<R>)
            out_line(L"result: " + at<C>(path.get(), result));
        else
            out_line(L"result: " + number(result));
    }
    out_line(L"path:   " + quoted(path.get()));
    return 0;
}

template <class C>
int run_append(BOOL (WINAPI* fn)(C*, const C*), const args& a) {
    path_buffer<C> path(in_width(a[0], C()));
    const auto more = in_width(a[1], C());
    out_line(L"result: " + number(fn(path.get(), more.c_str())));
    out_line(L"path:   " + quoted(path.get()));
    return 0;
}

template <class C>
int run_skip_root(C* (WINAPI* fn)(const C*), const args& a) {
    const auto path = in_width(a[0], C());
    out_line(L"result: " + at<C>(path.c_str(), fn(path.c_str())));
    return 0;
}

template <class C>
int run_is_directory(BOOL (WINAPI* fn)(const C*), const args& a) {
    const auto path = in_width(a[0], C());
    out_line(L"result: " + number(fn(path.c_str())));
    return 0;
}

const command commands[] = {
    {"PathAddBackslashA", "PATH", 1, [](const args& a) { return run_edit<char>(PathAddBackslashA, a); }},
    {"PathAddBackslashW", "PATH", 1, [](const args& a) { return run_edit<wchar_t>(PathAddBackslashW, a); }},
    {"PathRemoveBackslashA", "PATH", 1, [](const args& a) { return run_edit<char>(PathRemoveBackslashA, a); }},
    {"PathRemoveBackslashW", "PATH", 1, [](const args& a) { return run_edit<wchar_t>(PathRemoveBackslashW, a); }},
    {"PathAppendA", "PATH MORE", 2, [](const args& a) { return run_append<char>(PathAppendA, a); }},
    {"PathAppendW", "PATH MORE", 2, [](const args& a) { return run_append<wchar_t>(PathAppendW, a); }},
    {"PathRemoveFileSpecA", "PATH", 1, [](const args& a) { return run_edit<char>(PathRemoveFileSpecA, a); }},
    {"PathRemoveFileSpecW", "PATH", 1, [](const args& a) { return run_edit<wchar_t>(PathRemoveFileSpecW, a); }},
    {"PathStripToRootA", "PATH", 1, [](const args& a) { return run_edit<char>(PathStripToRootA, a); }},
    {"PathStripToRootW", "PATH", 1, [](const args& a) { return run_edit<wchar_t>(PathStripToRootW, a); }},
    {"PathSkipRootA", "PATH", 1, [](const args& a) { return run_skip_root<char>(PathSkipRootA, a); }},
    {"PathSkipRootW", "PATH", 1, [](const args& a) { return run_skip_root<wchar_t>(PathSkipRootW, a); }},
    {"PathQuoteSpacesA", "PATH", 1, [](const args& a) { return run_edit<char>(PathQuoteSpacesA, a); }},
    {"PathQuoteSpacesW", "PATH", 1, [](const args& a) { return run_edit<wchar_t>(PathQuoteSpacesW, a); }},
    {"PathIsDirectoryA", "PATH", 1, [](const args& a) { return run_is_directory<char>(PathIsDirectoryA, a); }},
    {"PathIsDirectoryW", "PATH", 1, [](const args& a) { return run_is_directory<wchar_t>(PathIsDirectoryW, a); }},
};

// Shows one in-place edit: the call on the path before, the result, the path after.
template <class R>
void show_edit(const wchar_t* name, R (WINAPI* fn)(LPWSTR), const wchar_t* before) {
    path_buffer<wchar_t> path(before);
    std::wstring result;
    if constexpr (std::is_void_v<R>) {
        fn(path.get());
        result = quoted(path.get());
    } else if constexpr (std::is_pointer_v<R>) {
        const R r = fn(path.get());
        result = quoted(path.get()) + L", result " + at<wchar_t>(path.get(), r);
    } else {
        const R r = fn(path.get());
        result = quoted(path.get()) + L", result " + number(r);
    }
    show_call(std::wstring(name) + L"(" + quoted(before) + L")", result);
}

void tour() {
    for (const wchar_t* p : {L"C:\\dir", L"C:\\dir\\", L""})
        show_edit(L"PathAddBackslashW", PathAddBackslashW, p);
    const std::wstring longest(259, L'a');
    path_buffer<wchar_t> full(longest);
    show_call(L"PathAddBackslashW(259 characters)", at<wchar_t>(full.get(), PathAddBackslashW(full.get())));
    for (const wchar_t* p : {L"C:\\dir\\", L"C:\\dir", L"C:\\"})
        show_edit(L"PathRemoveBackslashW", PathRemoveBackslashW, p);
    for (const auto& [p, more] : {std::pair{L"C:\\dir", L"file"}, {L"C:", L"file"}, {L"", L"file"}, {L"C:\\dir", L"\\file"}}) {
        path_buffer<wchar_t> path(p);
        const BOOL r = PathAppendW(path.get(), more);
        show_call(L"PathAppendW(" + quoted(p) + L", " + quoted(more) + L")", quoted(path.get()) + L", result " + number(r));
    }
    for (const wchar_t* p : {L"C:\\dir\\file.txt", L"C:\\dir", L"C:\\", L"\\\\server\\share", L"a\\b:\\c"})
        show_edit(L"PathRemoveFileSpecW", PathRemoveFileSpecW, p);
    for (const wchar_t* p : {L"C:\\dir\\file", L"\\\\server\\share\\dir", L"C:dir"})
        show_edit(L"PathStripToRootW", PathStripToRootW, p);
    for (const wchar_t* p : {L"C:\\dir\\file", L"\\\\server\\share\\dir", L"dir\\file"})
        show_call(L"PathSkipRootW(" + quoted(p) + L")", at<wchar_t>(p, PathSkipRootW(p)));
    for (const wchar_t* p : {L"C:\\My Dir", L"C:\\dir", L"\"C:\\My Dir\""})
        show_edit(L"PathQuoteSpacesW", PathQuoteSpacesW, p);
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    for (const std::wstring& p : {std::wstring(windows), std::wstring(windows) + L"\\win.ini", std::wstring(L"C:\\no\\such\\dir")})
        show_call(L"PathIsDirectoryW(" + quoted(p) + L")", number(PathIsDirectoryW(p.c_str())));
}

const command_group group(20, "Path editing", commands, std::size(commands), tour);

}  // namespace
