// The tour: each implemented operation on a few telling inputs, called through the same table
// and adapters as a command line, so every line shows what the call did after it was made.
// Files go to a scratch folder and registry values under one scratch key, both removed at the
// end.
#include "adapters.h"

#include <shellapi.h>

#include <initializer_list>

namespace tool {

namespace {

// A step is an export and its calls, each call's arguments separated by tabs (nullptr for a
// call without arguments); "%TOUR%" opens an argument that names something in the scratch folder. A step
// whose name starts with "#" is a heading.
struct step {
    const char* name;
    std::initializer_list<const wchar_t*> calls;
};

#define TOUR_KEY L"Software\\KeldanuTour"

const step steps[] = {
    {"# Path scanning", {}},
    {"PathFindFileNameW", {L"C:\\dir\\file.txt", L"C:\\dir\\", L"\\\\server\\share", L"C:"}},
    {"PathFindExtensionW", {L"a.b c.d", L"a.b c", L"dir.d\\file", L".profile"}},
    {"PathFindNextComponentA", {L"dir\\sub", L"dir"}},
    {"PathIsRootA", {L"C:\\", L"\\\\server\\share", L"\\\\server\\share\\", L"C:\\dir"}},
    {"PathIsUNCA", {L"\\\\server", L"//server"}},
    {"PathIsRelativeA", {L"..\\x", L"C:x", L"\\dir"}},
    {"# Path editing", {}},
    {"PathAddBackslashW", {L"C:\\dir", L"C:\\dir\\", L""}},
    {"PathRemoveBackslashW", {L"C:\\dir\\", L"C:\\dir", L"C:\\"}},
    {"PathAppendW", {L"C:\\dir\tfile", L"C:\tfile", L"\tfile", L"C:\\dir\t\\file"}},
    {"PathRemoveFileSpecW", {L"C:\\dir\\file.txt", L"C:\\dir", L"C:\\", L"\\\\server\\share", L"a\\b:\\c"}},
    {"PathStripToRootW", {L"C:\\dir\\file", L"\\\\server\\share\\dir", L"C:dir"}},
    {"PathSkipRootW", {L"C:\\dir\\file", L"\\\\server\\share\\dir", L"dir\\file"}},
    {"PathQuoteSpacesW", {L"C:\\My Dir", L"C:\\dir", L"\"C:\\My Dir\""}},
    {"PathIsDirectoryW", {L"%TOUR%", L"%TOUR%\\no-such-dir"}},
    {"# Path canonical form", {}},
    {"PathCanonicalizeA", {L"C:\\dir\\..\\file", L"C:\\dir\\.\\file", L"C:\\..\\file", L"C:\\dir\\..", L"C:",
                           L"dir\\..\\file", L"..", L"\\\\server\\share\\..", L"\\\\server\\..", L"a\\...\\b", L""}},
    {"# Path display (the default GUI font; the dialog item has the id 1)", {}},
    {"PathCompactPathW", {L"C:\\Program Files\\Common Files\\Shared Tools\\report.txt\t400",
                          L"C:\\Program Files\\Common Files\\Shared Tools\\report.txt\t120"}},
    {"PathSetDlgItemPathW", {L"1\tC:\\Program Files\\Common Files\\report.txt\t100",
                             L"2\tC:\\Program Files\\Common Files\\report.txt\t100"}},
    {"# Hexadecimal text", {}},
    {"StrHexStringToDecimalW", {L"1F\t99", L"1Fh\t99", L"12h34\t99", L"0x1F\t99", L"FFFFFFFF\t99", L"123456789\t99"}},
    {"# URL escapes and splitting", {}},
    {"INetCanonicalizeUrlW", {L"a%20b\t0", L"%2541\t0", L"50%off\t0", L"ftp://h/a%2Fb\t0", L"%C3%A9\t0"}},
    {"INetCanonicalizeUrlA", {L"%7e%7E\t0", L"x\t1"}},
    {"INetParseUrlW", {L"HTTP://Host:8080/dir/page.html?q=1#top", L"http:%2F%2Fh%2Fp", L"news:alt.test",
                       L"a.1:80/index.html", L"//server/share/x"}},
    {"# Internet and shell-link shortcut files", {}},
    {"INetSaveShortcutW", {L"%TOUR%\\tour.url\thttp://host/a%20b"}},
    {"INetReadShortcutW", {L"%TOUR%\\tour.url", L"%TOUR%\\missing.url"}},
    {"PathSaveShortcutW", {L"%TOUR%\\tour.lnk\t%TOUR%\\tour.url\tTour shortcut\t%TOUR%\t/s"}},
    {"PathReadShortcutW", {L"%TOUR%\\tour.lnk"}},
    {"PathReadShortcutA", {L"%TOUR%\\tour.url"}},
    {"# Registry profile strings", {}},
    {"ShlWriteProfileStringW", {L"HKCU\t" TOUR_KEY L"\tname\tAda"}},
    {"ShlGetProfileStringW", {L"HKCU\t" TOUR_KEY L"\tname\tnone\t16", L"HKCU\t" TOUR_KEY L"\tmissing\tnone\t16",
                              L"HKCU\t" TOUR_KEY L"\tname\tnone\t3"}},
    {"# Folders, system queries, the create-shortcut command", {}},
    {"ShlGetSpecialFolderLocationA", {L"0x24\t260", L"0x25\t10", L"0x11\t260", L"0x24\t0"}},
    {"ShlGetSystemImageList", {L"1", L"0"}},
    {"ShlGetWindowsVersionW", {nullptr}},
    {"ShlGetComCtlVersion", {nullptr}},
    {"ShlGetMouseScrollLines", {L"0", L"0", L"1"}},
    {"ShlGetProfileStringW", {L"HKCR\t.lnk\\ShellNew\tCommand\t\t260"}},
    {"# Byte sizes", {}},
    {"StrFormatByteSizeW", {L"1023\t64\t0", L"1024\t64\t0", L"1280\t64\t0", L"102399\t64\t0", L"102400\t64\t0",
                            L"1048576\t64\t0", L"4294967295\t64\t0", L"1536\t64\t1", L"1023\t5\t0", L"1023\t0\t0"}},
    {"StrFormatByteSizeExA", {L"1099511627776\t64\t0", L"9007199523176447\t64\t0", L"18446744073709551615\t64\t0"}},
    {"StrFormatByteWithPointsW", {L"999\t64", L"1000\t64", L"1234567\t64", L"1234567\t6", L"1234567\t3"}},
    {"StrFormatByteWithPointsExA", {L"18446744073709551615\t64"}},
    {"# Combo boxes", {}},
    {"StrSaveComboHistoryW", {L"HKCU\t" TOUR_KEY L"\t2\ta.txt|b.txt|c.txt\tB.TXT"}},
    {"ShlGetProfileStringW", {L"HKCU\t" TOUR_KEY L"\t0\t\t260", L"HKCU\t" TOUR_KEY L"\t2\t(none)\t260"}},
    {"StrReadComboHistoryW", {L"HKCU\t" TOUR_KEY L"\t10\tb.txt"}},
};

// A call's arguments, split at tabs, with "%TOUR%" put in for the scratch folder.
args arguments(const wchar_t* call, const std::wstring& folder) {
    args a;
    for (const wchar_t* at = call;; ++at) {
        const wchar_t* tab = at;
        while (*tab && *tab != L'\t') ++tab;
        std::wstring arg(at, tab);
        if (arg.starts_with(L"%TOUR%")) arg.replace(0, 6, folder);
        a.push_back(arg);
        if (!*(at = tab)) return a;
    }
}

}  // namespace

int tour() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"keldanu-tour";
    CreateDirectoryW(folder.c_str(), nullptr);
    say(stdout, L"KELDANU tour: each implemented operation on a few telling inputs.");
    int status = 0;
    for (const step& s : steps) {
        if (s.name[0] == '#') {
            say(stdout, L"\n==" + from_acp(s.name + 1) + L" ==");
            continue;
        }
        const command* cmd = find_command(from_acp(s.name));
        for (const wchar_t* call : s.calls) {
            const args a = call ? arguments(call, folder) : args{};
            try {
                outcome o;
                if (!cmd) throw usage_error{L"no such export"};
                run(*cmd, a, false, o);
                say(stdout, L"  " + from_acp(s.name) + L"(" + o.call + L")  ->  " + o.text);
            } catch (const usage_error& e) {
                say(stderr, L"keldanu: tour: " + from_acp(s.name) + L": " + e.text);
                status = 2;
            }
        }
    }
    size_t notices = 0, silent = 0;
    for (const command* c : all_commands()) (c->fails == rule::notice_stub ? notices : silent) += is_stub(*c);
    say(stdout, L"\n== And " + std::to_wstring(notices) + L" notice stubs and " + std::to_wstring(silent) +
                    L" silent stubs: keldanu --list marks them, keldanu --call NAME calls one ==");
    // Leave nothing behind: the scratch key, and the scratch folder with its files.
    RegDeleteTreeW(HKEY_CURRENT_USER, TOUR_KEY);
    const std::wstring from = folder + L'\0';  // a list of names, ended by an empty one
    SHFILEOPSTRUCTW remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_NO_UI;
    SHFileOperationW(&remove);
    keldanu::registry_key left;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, TOUR_KEY, 0, KEY_READ, left.put()) == ERROR_SUCCESS ||
        GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
        say(stderr, L"keldanu: the tour could not remove its scratch key or folder");
        status = 1;
    }
    return status;
}

}  // namespace tool
