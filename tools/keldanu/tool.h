// keldanu.exe calls any export of KELDANU.dll by its name with arguments from the command line
// and prints what it answered. commands.cpp holds the table of all exports, adapters.h turns
// command-line words into an export's arguments, tour.cpp shows the operations at work and
// main.cpp reads the command line.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tool {

using args = std::vector<std::wstring>;

// A command line the tool refuses: said on stderr, exit status 2.
struct usage_error {
    std::wstring text;
};

// What a call answered: its result as text, what its output buffers, numbers and controls
// hold after it, and its result as a number for the exit status (a void export has none).
struct outcome {
    std::wstring text;
    std::vector<std::wstring> outputs;
    std::wstring call;  // the arguments as a call shows them: texts quoted, numbers and keys as they stand
    bool has_value = false;
    long long value = 0;
};

// One call's arguments and what an adapter adds to them.
struct context {
    const args& a;
    HWND window = nullptr;  // a control the adapter made for the call (the combo box)
    size_t trailing = 0;    // arguments at the end that the adapter takes itself
    std::vector<bool> texts = std::vector<bool>(a.size());  // which arguments are texts

    const std::wstring& text_at(size_t at) {
        texts[at] = true;
        return a[at];
    }
};

// Which result means failure (exit status 1): none (a predicate's 0 and a count are answers);
// 0, FALSE or NULL; the caller's own error value, given as the last argument; a stub's fixed result.
enum class rule { answers, zero_fails, error_value_fails, notice_stub, silent_stub };

struct command {
    const char* name;                   // the export's name
    outcome (*run)(context&, FARPROC);  // the adapter of its argument shape
    FARPROC fn;                         // the export itself
    const char* usage;                  // arguments "-> outputs shown"; for a stub, what it returns
    rule fails;
};

inline bool is_stub(const command& cmd) { return cmd.fails == rule::notice_stub || cmd.fails == rule::silent_stub; }
const command* find_command(const std::wstring& name);
// Every command, sorted by name, which is the order of the ordinals.
std::vector<const command*> all_commands();
// The arguments a command takes, as its usage names them.
std::wstring inputs_of(const command& cmd);

// Calls `cmd` (a stub only when `call_stubs`) and returns the exit status its rule gives.
// Throws usage_error before anything is called.
int run(const command& cmd, const args& a, bool call_stubs, outcome& o);
int tour();

// Text in the active code page and back; a text quoted with its control characters escaped.
std::string to_acp(const std::wstring& text);
std::wstring from_acp(const char* text);
std::wstring quoted(const std::wstring& text);
// Writes a line in UTF-8.
void say(FILE* to, const std::wstring& line);

}  // namespace tool
