// keldanu.exe commands for the create-shortcut launcher. The tour only shows the command
// template the shell has registered; starting it is left to the explicit command.
#include "commands.h"

#include "keldanu.h"

#include <iterator>

namespace {

using namespace tool;

int launch_a(const args& a) {
    const BOOL ok = ShlDoCreateShortcutDlgA(to_acp(a[0]).c_str());
    out_line(number(ok));
    return ok ? 0 : 1;
}

int launch_w(const args& a) {
    const BOOL ok = ShlDoCreateShortcutDlgW(a[0].c_str());
    out_line(number(ok));
    return ok ? 0 : 1;
}

const command commands[] = {
    {"ShlDoCreateShortcutDlgA", "FOLDER", 1, launch_a},
    {"ShlDoCreateShortcutDlgW", "FOLDER", 1, launch_w},
};

void tour() {
    wchar_t command[MAX_PATH];
    const BOOL ok = ShlGetProfileStringW(HKEY_CLASSES_ROOT, L".lnk\\ShellNew", L"Command", L"", command, MAX_PATH);
    show_call(L"ShlGetProfileStringW(HKCR, \".lnk\\ShellNew\", \"Command\", \"\", buf, 260)",
              number(ok) + L", buf " + quoted(command));
    if (ok)
        out_line(L"  ShlDoCreateShortcutDlgW(L\"C:\\Work\") would start that template with %1 and %2 replaced by "
                 L"C:\\Work and a backslash appended.");
    else
        out_line(L"  No template is registered: ShlDoCreateShortcutDlgW(L\"C:\\Work\") returns 0 and starts nothing.");
}

const command_group group(75, "Create-shortcut launcher", commands, std::size(commands), tour);

}  // namespace
