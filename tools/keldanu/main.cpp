// keldanu.exe's command line: the options, and one call of an export by its name.
#include "tool.h"

#include "keldanu.h"

#include <objbase.h>

namespace tool {

std::string to_acp(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring from_acp(const char* text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, w.data(), n);
    return w;
}

std::wstring quoted(const std::wstring& text) {
    std::wstring q = L"\"";
    for (wchar_t ch : text) {
        wchar_t escaped[8];
        swprintf(escaped, 8, L"\\x%02x", static_cast<unsigned>(ch));
        q += ch < L' ' ? escaped : std::wstring(1, ch);
    }
    return q + L"\"";
}

void say(FILE* to, const std::wstring& line) {
    const std::wstring text = line + L"\n";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
    fwrite(utf8.data(), 1, utf8.size(), to);
}

}  // namespace tool

namespace {

using namespace tool;

const wchar_t help[] =
    L"usage: keldanu NAME ARGUMENTS...  call the export NAME and print what it answered\n"
    L"       keldanu --call NAME         call a stub all the same (a notice stub shows its message box)\n"
    L"       keldanu --list              every export with its arguments and the outputs shown; stubs marked\n"
    L"       keldanu --tour              the implemented operations on a few telling inputs\n"
    L"       keldanu --version | --help | /?\n"
    L"Texts are taken as they stand (in the ANSI code page for an A form). Numbers are decimal or\n"
    L"hexadecimal after 0x. ROOT is HKCU, HKLM, HKCR or HKU; MODULE a file whose string table is used\n"
    L"(\"\" for keldanu.exe); CHARS the capacity an output buffer is given; LIST combo-box entries\n"
    L"between \"|\". A text result is shown as its offset into the first text and the text there.\n"
    L"Exit status: 0 the call answered, 1 it returned the failure value its header documents, 2 the\n"
    L"command line was refused.";

int list() {
    for (const command* c : all_commands()) {
        const std::wstring name = from_acp(c->name);
        const std::wstring usage = from_acp(c->usage);
        if (c->fails == rule::notice_stub)
            say(stdout, name + L"  (notice stub, returns " + usage + L")");
        else if (c->fails == rule::silent_stub)
            say(stdout, name + L"  (silent stub, returns " + usage + L")");
        else
            say(stdout, name + (usage.empty() ? L"" : L"  " + usage));
    }
    return 0;
}

// COM for the shell-link exports, which leave it to their caller, as an application would.
struct com_session {
    const HRESULT hr = CoInitialize(nullptr);
    ~com_session() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    args a(argv + 1, argv + argc);
    const std::wstring first = a.empty() ? L"" : a[0];
    if (first == L"--help" || first == L"-h" || first == L"/?") return say(stdout, help), 0;
    if (first == L"--version") return say(stdout, L"keldanu " + from_acp(KELDANU_VERSION_STRING)), 0;
    if (first == L"--list" && a.size() == 1) return list();
    com_session com;
    if (first == L"--tour" && a.size() == 1) return tour();
    const bool call_stubs = first == L"--call";
    if (call_stubs) a.erase(a.begin());
    if (a.empty() || a[0].starts_with(L"-")) {
        say(stderr, a.empty() ? help : L"keldanu: unknown option " + a[0] + L" (--help lists them)");
        return 2;
    }
    const command* cmd = find_command(a[0]);
    if (!cmd) {
        say(stderr, L"keldanu: no export named " + a[0] + L" (--list names them all)");
        return 2;
    }
    a.erase(a.begin());
    try {
        outcome o;
        const int status = run(*cmd, a, call_stubs, o);
        say(stdout, o.text);
        return status;
    } catch (const usage_error& e) {
        say(stderr, L"keldanu: " + from_acp(cmd->name) + L": " + e.text);
        say(stderr, L"usage: keldanu " + (is_stub(*cmd) ? L"--call " + from_acp(cmd->name)
                                                        : from_acp(cmd->name) + L" " + inputs_of(*cmd)));
        return 2;
    }
}
