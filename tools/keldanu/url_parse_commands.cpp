// keldanu.exe commands for the URL splitter.
#include "commands.h"

#include "keldanu.h"

namespace {

using namespace tool;

constexpr size_t url_buffer_chars = 2061;

std::wstring parts(BOOL result, DWORD scheme, const std::wstring& host, const std::wstring& path) {
    return number(result) + L", scheme " + number(scheme) + L", host " + quoted(host) + L", path " + quoted(path);
}

int run_a(const args& a) {
    static char host[url_buffer_chars], path[url_buffer_chars];
    DWORD scheme = 0;
    const BOOL result = INetParseUrlA(to_acp(a[0]).c_str(), &scheme, host, path);
    out_line(parts(result, scheme, from_acp(host), from_acp(path)));
    return result ? 0 : 1;
}

int run_w(const args& a) {
    static wchar_t host[url_buffer_chars], path[url_buffer_chars];
    DWORD scheme = 0;
    const BOOL result = INetParseUrlW(a[0].c_str(), &scheme, host, path);
    out_line(parts(result, scheme, host, path));
    return result ? 0 : 1;
}

const command commands[] = {
    {"INetParseUrlA", "URL", 1, run_a},
    {"INetParseUrlW", "URL", 1, run_w},
};

void tour() {
    for (const wchar_t* u : {L"HTTP://Host:8080/dir/page.html?q=1#top", L"http:%2F%2Fh%2Fp", L"news:alt.test",
                             L"a.1:80/index.html", L"http://host?x=1", L"//server/share/x"}) {
        static wchar_t host[url_buffer_chars], path[url_buffer_chars];
        DWORD scheme = 0;
        const BOOL result = INetParseUrlW(u, &scheme, host, path);
        show_call(L"INetParseUrlW(" + quoted(u) + L")", parts(result, scheme, host, path));
    }
}

const command_group group(50, "URL splitting", commands, std::size(commands), tour);

}  // namespace
