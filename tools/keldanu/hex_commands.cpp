// keldanu.exe commands for hexadecimal text.
#include "commands.h"

#include "keldanu.h"

namespace {

using namespace tool;

int error_value(const args& a) { return a.size() > 1 ? static_cast<int>(parse_number(a[1])) : -1; }

const command commands[] = {
    {"StrHexStringToDecimalA", "TEXT [ERROR_VALUE]", 1,
     [](const args& a) {
         out_line(number(StrHexStringToDecimalA(to_acp(a[0]).c_str(), error_value(a))));
         return 0;
     }},
    {"StrHexStringToDecimalW", "TEXT [ERROR_VALUE]", 1,
     [](const args& a) {
         out_line(number(StrHexStringToDecimalW(a[0].c_str(), error_value(a))));
         return 0;
     }},
};

void tour() {
    for (const wchar_t* t : {L"1F", L"1Fh", L"12h34", L"0x1F", L"FFFFFFFF", L"123456789", L""})
        show_call(L"StrHexStringToDecimalW(" + quoted(t) + L", 99)", number(StrHexStringToDecimalW(t, 99)));
    show_call(L"StrHexStringToDecimalA(\"ff\", 99)", number(StrHexStringToDecimalA("ff", 99)));
}

const command_group group(40, "Hexadecimal text", commands, std::size(commands), tour);

}  // namespace
