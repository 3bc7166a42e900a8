// keldanu.exe commands for the system queries: Windows and common-controls versions and the
// mouse-wheel scroll lines.
#include "commands.h"

#include "keldanu.h"

namespace {

using namespace tool;

std::wstring windows_version_a() {
    DWORD major = 0, minor = 0, build = 0, platform = 0;
    char service_pack[128] = {};
    ShlGetWindowsVersionA(&major, &minor, &build, &platform, service_pack);
    return number(major) + L"." + number(minor) + L" build " + number(build) + L" platform " + number(platform) +
           L" " + quoted(service_pack);
}

std::wstring windows_version_w() {
    DWORD major = 0, minor = 0, build = 0, platform = 0;
    wchar_t service_pack[128] = {};
    ShlGetWindowsVersionW(&major, &minor, &build, &platform, service_pack);
    return number(major) + L"." + number(minor) + L" build " + number(build) + L" platform " + number(platform) +
           L" " + quoted(service_pack);
}

std::wstring comctl_version() {
    DWORD major = 0, minor = 0;
    const BOOL ok = ShlGetComCtlVersion(&major, &minor);
    return number(ok) + L", " + number(major) + L"." + number(minor);
}

const command commands[] = {
    {"ShlGetWindowsVersionA", "", 0, [](const args&) { out_line(windows_version_a()); return 0; }},
    {"ShlGetWindowsVersionW", "", 0, [](const args&) { out_line(windows_version_w()); return 0; }},
    {"ShlGetComCtlVersion", "", 0, [](const args&) { out_line(comctl_version()); return 0; }},
    {"ShlGetMouseScrollLines", "[REFRESH(0|1)]", 0,
     [](const args& a) {
         out_line(number(ShlGetMouseScrollLines(a.empty() ? 0 : static_cast<BOOL>(parse_number(a[0])))));
         return 0;
     }},
};

void tour() {
    show_call(L"ShlGetWindowsVersionA(...)", windows_version_a());
    show_call(L"ShlGetWindowsVersionW(...)", windows_version_w());
    DWORD minor = 0;
    ShlGetWindowsVersionA(nullptr, &minor, nullptr, nullptr, nullptr);
    show_call(L"ShlGetWindowsVersionA(NULL, &minor, NULL, NULL, NULL)", L"minor " + number(minor));
    show_call(L"ShlGetComCtlVersion(&major, &minor)", comctl_version());
    DWORD major = 0;
    show_call(L"ShlGetComCtlVersion(&major, NULL)", number(ShlGetComCtlVersion(&major, nullptr)));
    show_call(L"ShlGetMouseScrollLines(0)", number(ShlGetMouseScrollLines(0)) + L" (first call: probed)");
    show_call(L"ShlGetMouseScrollLines(0)", number(ShlGetMouseScrollLines(0)) + L" (cached)");
    show_call(L"ShlGetMouseScrollLines(1)", number(ShlGetMouseScrollLines(1)) + L" (probed again)");
}

const command_group group(70, "System queries", commands, std::size(commands), tour);

}  // namespace
