// keldanu.exe: the table of every export, the tour, and the command line.
#include "tool.h"

#include "frame/stub_list.h"

#include <initializer_list>
#include <map>

namespace tool {
namespace {

// One row per export: its name, its shape, which result means failure, its arguments and the
// outputs shown after the result. The stubs come from the library's own list of them.
// clang-format off
#define ENTRY(name, shape_, fails, inputs, outputs) \
    { #name, &adapt<decltype(&name), shape::shape_>, reinterpret_cast<FARPROC>(&name), inputs, outputs, rule::fails, \
      arg_count<shape::shape_>(decltype(&name){}) }
#define BOTH(name, ...) ENTRY(name##A, __VA_ARGS__), ENTRY(name##W, __VA_ARGS__)
#define NOTICE_STUB(RA, RW, result, name, a_params, w_params)                       \
    ENTRY(name##A, stub, notice_stub, std::is_void_v<RA> ? "nothing" : #result, ""), \
        ENTRY(name##W, stub, notice_stub, std::is_void_v<RW> ? "nothing" : #result, ""),
#define SILENT_STUB(name) ENTRY(name, stub, silent_stub, "0", ""),

const command commands[] = {
    BOTH(INetCanonicalizeUrl, edit, zero_fails, "URL RESERVED", "URL"),
    BOTH(INetParseUrl, call, zero_fails, "URL", "SCHEME HOST PATH"),
    BOTH(INetReadShortcut, call, zero_fails, "FILE", "URL"),
    BOTH(INetSaveShortcut, call, zero_fails, "FILE URL", ""),
    BOTH(PathAddBackslash, edit, zero_fails, "PATH", "PATH"),
    BOTH(PathAppend, edit, zero_fails, "PATH MORE", "PATH"),
    ENTRY(PathCanonicalizeA, call, zero_fails, "PATH", "DEST"),
    BOTH(PathCompactPath, edit, zero_fails, "PATH WIDTH", "PATH"),
    BOTH(PathFindExtension, call, zero_fails, "PATH", ""),
    BOTH(PathFindFileName, call, zero_fails, "PATH", ""),
    BOTH(PathFindNextComponent, call, zero_fails, "PATH", ""),
    BOTH(PathIsDirectory, call, answers, "PATH", ""),
    BOTH(PathIsRelative, call, answers, "PATH", ""),
    BOTH(PathIsRoot, call, answers, "PATH", ""),
    BOTH(PathIsUNC, call, answers, "PATH", ""),
    BOTH(PathQuoteSpaces, edit, answers, "PATH", "PATH"),
    BOTH(PathReadShortcut, call, zero_fails, "LNK", "TARGET DESCRIPTION DIRECTORY ARGUMENTS"),
    BOTH(PathRemoveBackslash, edit, zero_fails, "PATH", "PATH"),
    BOTH(PathRemoveFileSpec, edit, answers, "PATH", "PATH"),
    BOTH(PathSaveShortcut, call, zero_fails, "LNK TARGET DESCRIPTION DIRECTORY ARGUMENTS", ""),
    BOTH(PathSetDlgItemPath, control, zero_fails, "ID PATH WIDTH", "ITEM"),
    BOTH(PathSkipRoot, call, zero_fails, "PATH", ""),
    BOTH(PathStripToRoot, edit, answers, "PATH", "PATH"),
    ENTRY(ShlBrowseForFolderA, edit, zero_fails, "MODULE PATH TITLE_ID", "PATH"),
    BOTH(ShlDoCreateShortcutDlg, call, zero_fails, "FOLDER", ""),
    ENTRY(ShlGetComCtlVersion, call, zero_fails, "", "MAJOR MINOR"),
    ENTRY(ShlGetMouseScrollLines, call, answers, "REFRESH", ""),
    BOTH(ShlGetProfileString, call, zero_fails, "ROOT SUBKEY VALUE DEFAULT CHARS", "BUFFER"),
    ENTRY(ShlGetSpecialFolderLocationA, call, zero_fails, "CSIDL CHARS", "PATH"),
    ENTRY(ShlGetSystemImageList, call, zero_fails, "SMALL", ""),
    BOTH(ShlGetWindowsVersion, call, answers, "", "MAJOR MINOR BUILD PLATFORM SERVICE_PACK"),
    BOTH(ShlWriteProfileString, call, zero_fails, "ROOT SUBKEY VALUE DATA", ""),
    BOTH(StrFillComboWithStrings, combo, zero_fails, "MODULE STRING_ID SELECT LIST", "LIST"),
    BOTH(StrFormatByteSize, call, zero_fails, "BYTES CHARS COMMA", ""),
    BOTH(StrFormatByteSizeEx, call, zero_fails, "BYTES CHARS COMMA", ""),
    BOTH(StrFormatByteWithPoints, call, zero_fails, "BYTES CHARS", ""),
    BOTH(StrFormatByteWithPointsEx, call, zero_fails, "BYTES CHARS", ""),
    BOTH(StrHexStringToDecimal, call, error_value_fails, "TEXT ERROR_VALUE", ""),
    BOTH(StrReadComboHistory, combo, answers, "ROOT SUBKEY MAX LIST", "LIST"),
    BOTH(StrSaveComboHistory, combo_edit, answers, "ROOT SUBKEY MAX LIST EDIT", "LIST"),
    KELDANU_NOTICE_STUBS(NOTICE_STUB) KELDANU_SILENT_STUBS(SILENT_STUB)};
// clang-format on

const wchar_t help[] =
    L"usage: keldanu [--call] NAME ARGUMENTS...  call the export NAME (a stub only with --call)\n"
    L"       keldanu --list | --tour | --version | --help | /?\n"
    L"Numbers are decimal or hexadecimal after 0x; ROOT is HKCU, HKLM, HKCR or HKU; MODULE a file whose strings\n"
    L"are used (\"\" for keldanu.exe); CHARS the capacity of an output buffer; LIST combo-box entries between \"|\".\n"
    L"A text result shows as its offset into the first text and the text there. Exit status: 0 the call\n"
    L"answered, 1 it returned the failure value its header documents, 2 the command line was refused.";

const command* find_command(const std::wstring& name) {
    for (const command& c : commands)
        if (lstrcmpiW(from_acp(c.name).c_str(), name.c_str()) == 0) return &c;
    return nullptr;
}

bool is_stub(const command& cmd) { return cmd.fails == rule::notice_stub || cmd.fails == rule::silent_stub; }

// How many words a row's `inputs` names; a stub's `inputs` is its result, and it takes none.
size_t input_words(const command& cmd) {
    if (is_stub(cmd)) return 0;
    size_t words = 0;
    for (const char* p = cmd.inputs; *p; ++p)
        if (*p != ' ' && (p == cmd.inputs || p[-1] == ' ')) ++words;
    return words;
}

// Calls `cmd` (a stub only when `call_stubs`) and returns the exit status its rule gives.
int run(const command& cmd, const args& a, bool call_stubs, outcome& o) {
    if (is_stub(cmd) && !call_stubs)
        throw usage_error{(cmd.fails == rule::notice_stub ? L"a notice stub: it shows \"Not implemented yet\", returns "
                                                          : L"a silent stub: it does nothing, returns ") +
                          from_acp(cmd.inputs) + L"; --call calls it"};
    context c{a};
    o = cmd.run(c, cmd.fn);
    const std::wstring names = from_acp(cmd.outputs) + L" ";  // each output the table names, by its name
    for (size_t i = 0, from = 0, end; i < o.outputs.size() && (end = names.find(L' ', from)) > from; ++i) {
        std::wstring name = names.substr(from, end - from);
        from = end + 1;
        o.text += (o.text.empty() ? L"" : L", ") + std::wstring(CharLowerW(name.data())) + L" " + o.outputs[i];
    }
    if (o.text.empty()) o.text = L"(no result)";
    if (cmd.fails == rule::error_value_fails) return o.value == number<int>(a.back());
    return cmd.fails != rule::answers && o.has_value && (is_stub(cmd) || o.value == 0);
}

// The tour: the implemented operations on a few telling inputs, each called as from the command
// line and shown as that line once it has been made. Files and registry values go to a scratch
// folder and key, both removed at the end.
#define TOUR_KEY L"Software\\KeldanuTour"

// An export, its calls (arguments between tabs; nullptr for none; "%TOUR%" for the scratch
// folder) and a heading that opens a part of the tour.
struct step {
    const char* name;
    std::initializer_list<const wchar_t*> calls;
    const wchar_t* heading = nullptr;
};

const step steps[] = {
    {"PathFindFileNameW", {L"C:\\dir\\file.txt", L"C:\\dir\\", L"C:"}, L"Paths"},
    {"PathIsRootA", {L"\\\\server\\share", L"\\\\server\\share\\"}},
    {"PathAddBackslashW", {L"C:\\dir", L""}},
    {"PathRemoveBackslashW", {L"C:\\dir\\", L"C:\\dir"}},
    {"PathAppendW", {L"C:\\dir\tfile", L"\tfile", L"C:\\dir\t\\file"}},
    {"PathRemoveFileSpecW", {L"C:\\dir", L"C:\\", L"\\\\server\\share"}},
    {"PathSkipRootW", {L"\\\\server\\share\\dir", L"dir\\file"}},
    {"PathIsDirectoryW", {L"%TOUR%", L"%TOUR%\\no-such-dir"}},
    {"PathCanonicalizeA", {L"C:\\dir\\..\\file", L"C:\\..\\file", L"C:", L"dir\\..\\file", L"\\\\server\\share\\.."}},
    {"PathCompactPathW",
     {L"C:\\Program Files\\Common\\report.txt\t300", L"C:\\Program Files\\Common\\report.txt\t90"},
     L"Path display, in the default GUI font"},
    {"PathSetDlgItemPathW", {L"1\tC:\\Program Files\\Common\\report.txt\t90", L"2\tC:\\report.txt\t90"}},
    {"INetCanonicalizeUrlW", {L"a%20b\t0", L"%2541\t0", L"50%off\t0", L"%C3%A9\t0", L"x\t1"}, L"URLs, shortcuts"},
    {"INetParseUrlW", {L"HTTP://Host:8080/dir/page.html?q=1#top", L"http:%2F%2Fh%2Fp", L"news:alt.test"}},
    {"INetSaveShortcutW", {L"%TOUR%\\tour.url\thttp://host/a%20b"}},
    {"INetReadShortcutW", {L"%TOUR%\\tour.url", L"%TOUR%\\missing.url"}},
    {"PathSaveShortcutW", {L"%TOUR%\\tour.lnk\t%TOUR%\\tour.url\tTour shortcut\t%TOUR%\t/s"}},
    {"PathReadShortcutW", {L"%TOUR%\\tour.lnk"}},
    {"PathReadShortcutA", {L"%TOUR%\\tour.url"}},
    {"ShlWriteProfileStringW", {L"HKCU\t" TOUR_KEY L"\tname\tAda"}, L"Registry values, combo boxes"},
    {"ShlGetProfileStringW", {L"HKCU\t" TOUR_KEY L"\tname\tnone\t16", L"HKCU\t" TOUR_KEY L"\tname\tnone\t3"}},
    {"StrSaveComboHistoryW", {L"HKCU\t" TOUR_KEY L"\t2\ta.txt|b.txt|c.txt\tB.TXT"}},
    {"StrReadComboHistoryW", {L"HKCU\t" TOUR_KEY L"\t10\tb.txt"}},
    {"ShlGetSpecialFolderLocationA", {L"0x24\t260", L"0x24\t6", L"0x11\t260", L"0x24\t0"}, L"Folders, system"},
    {"ShlGetWindowsVersionW", {nullptr}},
    {"ShlGetComCtlVersion", {nullptr}},
    {"ShlGetMouseScrollLines", {L"1"}},
    {"StrHexStringToDecimalW", {L"1Fh\t99", L"0x1F\t99", L"FFFFFFFF\t99"}, L"Numbers"},
    {"StrFormatByteSizeW", {L"1023\t64\t0", L"1280\t64\t0", L"102400\t64\t0", L"1536\t64\t1", L"1023\t5\t0"}},
    {"StrFormatByteSizeExA", {L"9007199523176447\t64\t0", L"18446744073709551615\t64\t0"}},
    {"StrFormatByteWithPointsW", {L"1234567\t64", L"1234567\t3"}},
};

int tour() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"keldanu-tour";
    CreateDirectoryW(folder.c_str(), nullptr);
    say(stdout, L"KELDANU tour: the implemented operations on a few telling inputs.");
    int status = 0;
    for (const step& s : steps) {
        if (s.heading) say(stdout, L"\n== " + std::wstring(s.heading) + L" ==");
        for (const wchar_t* call : s.calls) {
            args a;  // the text between tabs, with the scratch folder put in for "%TOUR%"
            for (const wchar_t *at = call, *tab; at; at = tab ? tab + 1 : nullptr) {
                tab = wcschr(at, L'\t');
                a.emplace_back(at, tab ? tab : at + wcslen(at));
                if (a.back().starts_with(L"%TOUR%")) a.back().replace(0, 6, folder);
            }
            try {
                outcome o;
                const command* cmd = find_command(from_acp(s.name));
                if (!cmd) throw usage_error{L"no such export"};
                run(*cmd, a, false, o);
                std::wstring line = L"  " + from_acp(s.name);  // the command line, then what it printed
                for (const auto& arg : a) line += L" " + (arg.empty() || arg.find(L' ') + 1 ? quoted(arg) : arg);
                say(stdout, line + L"  ->  " + o.text);
            } catch (const usage_error& e) {
                say(stderr, L"keldanu: tour: " + from_acp(s.name) + L": " + e.text);
                status = 2;
            }
        }
    }
    say(stdout, L"\n== And the notice and silent stubs: keldanu --list marks them, keldanu --call NAME calls one ==");
    const std::wstring names = folder + L'\0';  // a list of names, ended by an empty one
    SHFILEOPSTRUCTW remove = {nullptr, FO_DELETE, names.c_str(), nullptr, FOF_NO_UI};
    if ((RegDeleteTreeW(HKEY_CURRENT_USER, TOUR_KEY) != ERROR_SUCCESS) | (SHFileOperationW(&remove) != 0))
        return say(stderr, L"keldanu: tour: the scratch key or folder could not be removed"), 1;
    return status;
}

}  // namespace
}  // namespace tool

using namespace tool;

int wmain(int argc, wchar_t** argv) {
    args a(argv + 1, argv + argc);
    const std::wstring first = a.empty() ? L"" : a[0];
    if (first == L"--help" || first == L"-h" || first == L"/?") return say(stdout, help), 0;
    if (first == L"--version") return say(stdout, L"keldanu " KELDANU_VERSION_STRING), 0;
    if (first == L"--list" && a.size() == 1) {
        // Each row's argument words are held to the count its adapter reads, so the table
        // cannot promise a command line the adapter refuses.
        int status = 0;
        std::map<std::string, const command*> by_name;  // byte-wise, the order of the ordinals
        for (const command& c : commands) by_name[c.name] = &c;
        for (const auto& [name, c] : by_name) {
            if (input_words(*c) != c->takes) {
                say(stderr, L"keldanu: --list: " + from_acp(c->name) + L" names " + std::to_wstring(input_words(*c)) +
                                L" arguments, its adapter takes " + std::to_wstring(c->takes));
                status = 1;
            }
            const std::wstring kind = c->fails == rule::notice_stub ? L"(notice" : L"(silent";
            say(stdout, from_acp(c->name) + L"  " +
                            (is_stub(*c) ? kind + L" stub, returns " + from_acp(c->inputs) + L")"
                                         : from_acp(c->inputs) + (*c->outputs ? L" -> " + from_acp(c->outputs) : L"")));
        }
        return status;
    }
    CoInitialize(nullptr);  // for the shell-link exports, which leave COM to their caller
    if (first == L"--tour" && a.size() == 1) return tour();
    const bool call_stubs = first == L"--call";
    if (call_stubs) a.erase(a.begin());
    const command* cmd = a.empty() ? nullptr : find_command(a[0]);
    if (!cmd) {
        say(stderr, a.empty() ? help : L"keldanu: no export or option " + a[0] + L" (see --list and --help)");
        return 2;
    }
    a.erase(a.begin());
    try {
        outcome o;
        const int status = run(*cmd, a, call_stubs, o);
        say(stdout, o.text);
        return status;
    } catch (const usage_error& e) {
        const std::wstring name = from_acp(cmd->name);
        say(stderr, L"keldanu: " + name + L": " + e.text);
        say(stderr, L"usage: keldanu " + (is_stub(*cmd) ? L"--call " + name : name + L" " + from_acp(cmd->inputs)));
        return 2;
    }
}
