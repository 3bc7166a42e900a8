// keldanu.exe commands for the byte counts with points ("1.234.567").
#include <cerrno>
#include <cwchar>
#include <iterator>

#include "commands.h"

#include "keldanu.h"

namespace {

using namespace tool;

constexpr int buffer_chars = 64;

bool parse_count(const std::wstring& text, unsigned long long max, unsigned long long* count) {
    wchar_t* end = nullptr;
    errno = 0;
    *count = std::wcstoull(text.c_str(), &end, 0);
    if (text.empty() || text[0] == L'-' || *end || errno == ERANGE || *count > max) {
        out_line(L"keldanu: not a count in range: " + text);
        return false;
    }
    return true;
}

template <class C, class F>
int run(const args& a, unsigned long long max, F fn) {
    unsigned long long count;
    if (!parse_count(a[0], max, &count)) return 2;
    int capacity = a.size() > 1 ? static_cast<int>(parse_number(a[1])) : buffer_chars;
    if (capacity > buffer_chars) capacity = buffer_chars;
    C buf[buffer_chars] = {};
    const C* result = fn(count, buf, capacity);
    out_line(result ? quoted(buf) : L"NULL");
    return 0;
}

constexpr unsigned long long max32 = 0xFFFFFFFFull;
constexpr unsigned long long max64 = ~0ull;

const command commands[] = {
    {"StrFormatByteWithPointsA", "BYTES [CAPACITY]", 1, [](const args& a) {
         return run<char>(a, max32, [](auto n, char* b, int c) { return StrFormatByteWithPointsA(static_cast<DWORD>(n), b, c); });
     }},
    {"StrFormatByteWithPointsW", "BYTES [CAPACITY]", 1, [](const args& a) {
         return run<wchar_t>(a, max32, [](auto n, wchar_t* b, int c) { return StrFormatByteWithPointsW(static_cast<DWORD>(n), b, c); });
     }},
    {"StrFormatByteWithPointsExA", "BYTES [CAPACITY]", 1, [](const args& a) {
         return run<char>(a, max64, [](auto n, char* b, int c) { return StrFormatByteWithPointsExA(n, b, c); });
     }},
    {"StrFormatByteWithPointsExW", "BYTES [CAPACITY]", 1, [](const args& a) {
         return run<wchar_t>(a, max64, [](auto n, wchar_t* b, int c) { return StrFormatByteWithPointsExW(n, b, c); });
     }},
};

std::wstring count_text(unsigned long long n) {
    wchar_t text[32];
    swprintf(text, std::size(text), L"%llu", n);
    return text;
}

void tour() {
    wchar_t w[buffer_chars];
    char a[buffer_chars];
    for (DWORD n : {0u, 999u, 1000u, 123456u, 1234567u, 2147483648u})
        show_call(L"StrFormatByteWithPointsW(" + count_text(n) + L", buf, 64)", quoted(StrFormatByteWithPointsW(n, w, buffer_chars)));
    for (unsigned long long n : {1099511627776ull, 18446744073709551615ull})
        show_call(L"StrFormatByteWithPointsExA(" + count_text(n) + L", buf, 64)", quoted(StrFormatByteWithPointsExA(n, a, buffer_chars)));
    // A small capacity may end the text just after a point.
    for (int capacity : {6, 3})
        show_call(L"StrFormatByteWithPointsA(1234567, buf, " + count_text(capacity) + L")",
                  quoted(StrFormatByteWithPointsA(1234567, a, capacity)));
}

const command_group group(85, "Byte counts with points", commands, std::size(commands), tour);

}  // namespace
