// keldanu.exe's command registry: each *_commands.cpp file lists the operations it can call
// by export name and the steps it adds to the tour, and registers them with one
// static `command_group` object.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tool {

using args = std::vector<std::wstring>;

struct command {
    const char* name;    // the export name, e.g. "PathFindExtensionA"
    const char* usage;   // the arguments, e.g. "PATH"
    size_t arg_count;    // how many arguments it needs
    int (*run)(const args& a);  // prints the result; returns the exit code
};

struct command_group {
    command_group(int order, const char* title, const command* commands, size_t count, void (*tour)());
    int order;           // the group's place in listings and in the tour
    const char* title;
    const command* commands;
    size_t count;
    void (*tour)();      // shows the group's operations on a few telling inputs
    command_group* next;
};

command_group* first_group();

// Output, UTF-8 on standard output.
void out(const std::wstring& text);
void out_line(const std::wstring& text);
// Text in the active ANSI code page shown as what it is.
std::wstring from_acp(const char* text);
std::string to_acp(const std::wstring& text);
// A quoted, visible form of a text: "C:\dir" (quotes added, control characters escaped).
std::wstring quoted(const std::wstring& text);
std::wstring quoted(const char* text);
std::wstring quoted(const wchar_t* text);
// A call shown in the tour: `name(args) -> result`.
void show_call(const std::wstring& call, const std::wstring& result);
std::wstring number(long long value);
long long parse_number(const std::wstring& text);

}  // namespace tool
