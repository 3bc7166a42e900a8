// keldanu.exe: calls a KELDANU operation by its export name with arguments from the command
// line and prints the result, or tours the implemented operations.
//   keldanu NAME ARGS...    e.g.  keldanu PathFindExtensionA "C:\dir\file.txt"
//   keldanu --list          the callable names
//   keldanu --tour          each operation on a few telling inputs
#include "commands.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace tool {

namespace {
command_group* groups = nullptr;
}

command_group::command_group(int order_, const char* title_, const command* commands_, size_t count_,
                             void (*tour_)())
    : order(order_), title(title_), commands(commands_), count(count_), tour(tour_), next(nullptr) {
    // Keep the list sorted by order so listings and the tour do not depend on link order.
    command_group** at = &groups;
    while (*at && (*at)->order <= order) at = &(*at)->next;
    next = *at;
    *at = this;
}

command_group* first_group() { return groups; }

void out(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), s.data(), n, nullptr, nullptr);
    fwrite(s.data(), 1, s.size(), stdout);
}

void out_line(const std::wstring& text) {
    out(text);
    out(L"\n");
}

std::wstring from_acp(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, w.data(), n);
    return w;
}

std::string to_acp(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring quoted(const std::wstring& text) {
    std::wstring q = L"\"";
    for (wchar_t c : text) {
        if (c < 0x20) {
            wchar_t esc[8];
            swprintf(esc, 8, L"\\x%02x", static_cast<unsigned>(c));
            q += esc;
        } else {
            q.push_back(c);
        }
    }
    return q + L"\"";
}

std::wstring quoted(const char* text) { return text ? quoted(from_acp(text)) : L"NULL"; }
std::wstring quoted(const wchar_t* text) { return text ? quoted(std::wstring(text)) : L"NULL"; }

void show_call(const std::wstring& call, const std::wstring& result) {
    out_line(L"  " + call + L"  ->  " + result);
}

std::wstring number(long long value) { return std::to_wstring(value); }

long long parse_number(const std::wstring& text) { return std::wcstoll(text.c_str(), nullptr, 0); }

}  // namespace tool

namespace {

int list() {
    for (auto* g = tool::first_group(); g; g = g->next) {
        tool::out_line(tool::from_acp(g->title) + L":");
        for (size_t i = 0; i < g->count; ++i)
            tool::out_line(L"  " + tool::from_acp(g->commands[i].name) + L" " + tool::from_acp(g->commands[i].usage));
    }
    return 0;
}

int tour() {
    tool::out_line(L"KELDANU tour: each implemented operation on a few telling inputs.");
    for (auto* g = tool::first_group(); g; g = g->next) {
        if (!g->tour) continue;
        tool::out_line(L"");
        tool::out_line(L"== " + tool::from_acp(g->title) + L" ==");
        g->tour();
    }
    return 0;
}

int usage() {
    tool::out_line(L"usage: keldanu NAME ARGS...   call an operation by its export name");
    tool::out_line(L"       keldanu --list         the names it knows");
    tool::out_line(L"       keldanu --tour         a tour of the operations");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return usage();
    const std::wstring first = argv[1];
    if (first == L"--tour") return tour();
    if (first == L"--list") return list();
    if (first == L"--help" || first == L"-h") return usage() == 2 ? 0 : 0;
    const std::string name = tool::to_acp(first);
    for (auto* g = tool::first_group(); g; g = g->next) {
        for (size_t i = 0; i < g->count; ++i) {
            const tool::command& c = g->commands[i];
            if (lstrcmpiA(c.name, name.c_str()) != 0) continue;
            tool::args a(argv + 2, argv + argc);
            if (a.size() < c.arg_count) {
                tool::out_line(L"usage: keldanu " + tool::from_acp(c.name) + L" " + tool::from_acp(c.usage));
                return 2;
            }
            return c.run(a);
        }
    }
    tool::out_line(L"keldanu: no operation named " + first + L" (try --list)");
    return 2;
}
