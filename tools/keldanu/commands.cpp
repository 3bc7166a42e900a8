// The table of every export: its name, the adapter of its argument shape, its usage (the
// arguments, then after "->" the outputs shown) and which result means failure. The stubs
// come from the library's own list of them.
#include "adapters.h"

#include "../../src/frame/stub_list.h"

#include <cstring>

namespace tool {

namespace {

#define ENTRY(name, shape, fails, usage) \
    { #name, &shape<decltype(&name)>, reinterpret_cast<FARPROC>(&name), usage, rule::fails }
#define BOTH(name, shape, fails, usage) ENTRY(name##A, shape, fails, usage), ENTRY(name##W, shape, fails, usage)
#define NOTICE_STUB(RA, RW, result, name, a_params, w_params)                         \
    ENTRY(name##A, stub, notice_stub, std::is_void_v<RA> ? "nothing" : #result), \
        ENTRY(name##W, stub, notice_stub, std::is_void_v<RW> ? "nothing" : #result),
#define SILENT_STUB(name) ENTRY(name, stub, silent_stub, "0"),

const command commands[] = {
    BOTH(INetCanonicalizeUrl, edit, zero_fails, "URL RESERVED -> URL"),
    BOTH(INetParseUrl, call, zero_fails, "URL -> SCHEME HOST PATH"),
    BOTH(INetReadShortcut, call, zero_fails, "FILE -> URL"),
    BOTH(INetSaveShortcut, call, zero_fails, "FILE URL"),
    BOTH(PathAddBackslash, edit, zero_fails, "PATH -> PATH"),
    BOTH(PathAppend, edit, zero_fails, "PATH MORE -> PATH"),
    ENTRY(PathCanonicalizeA, call, zero_fails, "PATH -> DEST"),
    BOTH(PathCompactPath, edit, zero_fails, "PATH WIDTH -> PATH"),
    BOTH(PathFindExtension, call, zero_fails, "PATH"),
    BOTH(PathFindFileName, call, zero_fails, "PATH"),
    BOTH(PathFindNextComponent, call, zero_fails, "PATH"),
    BOTH(PathIsDirectory, call, answers, "PATH"),
    BOTH(PathIsRelative, call, answers, "PATH"),
    BOTH(PathIsRoot, call, answers, "PATH"),
    BOTH(PathIsUNC, call, answers, "PATH"),
    BOTH(PathQuoteSpaces, edit, answers, "PATH -> PATH"),
    BOTH(PathReadShortcut, call, zero_fails, "LNK -> TARGET DESCRIPTION DIRECTORY ARGUMENTS"),
    BOTH(PathRemoveBackslash, edit, zero_fails, "PATH -> PATH"),
    BOTH(PathRemoveFileSpec, edit, answers, "PATH -> PATH"),
    BOTH(PathSaveShortcut, call, zero_fails, "LNK TARGET DESCRIPTION DIRECTORY ARGUMENTS"),
    BOTH(PathSetDlgItemPath, dialog_item, zero_fails, "ID PATH WIDTH -> ITEM"),
    BOTH(PathSkipRoot, call, zero_fails, "PATH"),
    BOTH(PathStripToRoot, edit, answers, "PATH -> PATH"),
    ENTRY(ShlBrowseForFolderA, edit, zero_fails, "MODULE PATH TITLE_ID -> PATH"),
    BOTH(ShlDoCreateShortcutDlg, call, zero_fails, "FOLDER"),
    ENTRY(ShlGetComCtlVersion, call, zero_fails, "-> MAJOR MINOR"),
    ENTRY(ShlGetMouseScrollLines, call, answers, "REFRESH"),
    BOTH(ShlGetProfileString, call, zero_fails, "ROOT SUBKEY VALUE DEFAULT CHARS -> BUFFER"),
    ENTRY(ShlGetSpecialFolderLocationA, call, zero_fails, "CSIDL CHARS -> PATH"),
    ENTRY(ShlGetSystemImageList, call, zero_fails, "SMALL"),
    BOTH(ShlGetWindowsVersion, call, answers, "-> MAJOR MINOR BUILD PLATFORM SERVICE_PACK"),
    BOTH(ShlWriteProfileString, call, zero_fails, "ROOT SUBKEY VALUE DATA"),
    BOTH(StrFillComboWithStrings, combo, zero_fails, "MODULE STRING_ID SELECT LIST -> LIST"),
    BOTH(StrFormatByteSize, call, zero_fails, "BYTES CHARS COMMA"),
    BOTH(StrFormatByteSizeEx, call, zero_fails, "BYTES CHARS COMMA"),
    BOTH(StrFormatByteWithPoints, call, zero_fails, "BYTES CHARS"),
    BOTH(StrFormatByteWithPointsEx, call, zero_fails, "BYTES CHARS"),
    BOTH(StrHexStringToDecimal, call, error_value_fails, "TEXT ERROR_VALUE"),
    BOTH(StrReadComboHistory, combo, answers, "ROOT SUBKEY MAX LIST -> LIST"),
    BOTH(StrSaveComboHistory, combo_edit, answers, "ROOT SUBKEY MAX LIST EDIT -> LIST"),
    KELDANU_NOTICE_STUBS(NOTICE_STUB) KELDANU_SILENT_STUBS(SILENT_STUB)
};

// The words of a usage before and after its "->".
std::wstring words(const char* usage, bool outputs) {
    const char* arrow = std::strstr(usage, "->");
    std::string part = !arrow ? (outputs ? "" : usage) : outputs ? arrow + 2 : std::string(usage, arrow);
    while (!part.empty() && part.front() == ' ') part.erase(0, 1);
    while (!part.empty() && part.back() == ' ') part.pop_back();
    return from_acp(part.c_str());
}

}  // namespace

const command* find_command(const std::wstring& name) {
    for (const command& c : commands)
        if (lstrcmpiW(from_acp(c.name).c_str(), name.c_str()) == 0) return &c;
    return nullptr;
}

std::vector<const command*> all_commands() {
    std::vector<const command*> sorted;
    for (const command& c : commands) sorted.push_back(&c);
    std::sort(sorted.begin(), sorted.end(), [](auto* x, auto* y) { return std::strcmp(x->name, y->name) < 0; });
    return sorted;
}

std::wstring inputs_of(const command& cmd) { return words(cmd.usage, false); }

int run(const command& cmd, const args& a, bool call_stubs, outcome& o) {
    if (is_stub(cmd) && !call_stubs)
        throw usage_error{(cmd.fails == rule::notice_stub ? L"a notice stub, which shows \"Not implemented yet\" and returns "
                                                          : L"a silent stub, which does nothing and returns ") +
                          from_acp(cmd.usage) + L"; --call calls it"};
    context c{a};
    o = cmd.run(c, cmd.fn);
    // Show each output that the usage names, by its name.
    std::wstring names = words(cmd.usage, true);
    for (size_t i = 0, from = 0; i < o.outputs.size() && from < names.size(); ++i) {
        size_t end = std::min(names.find(L' ', from), names.size());
        std::wstring name = names.substr(from, end - from);
        CharLowerW(name.data());
        o.text += (o.text.empty() ? L"" : L", ") + name + L" " + o.outputs[i];
        from = end + 1;
    }
    if (o.text.empty()) o.text = L"(no result)";
    for (size_t i = 0; i < a.size(); ++i) o.call += (i ? L", " : L"") + (c.texts[i] ? quoted(a[i]) : a[i]);
    switch (cmd.fails) {
        case rule::answers: return 0;
        case rule::zero_fails: return o.has_value && o.value == 0;
        case rule::error_value_fails: return o.value == number<int>(a.back());
        default: return o.has_value;
    }
}

}  // namespace tool
