// keldanu.exe commands for the byte-size formatters ("1.5 KB", "4.0 GB").
#include <cerrno>
#include <cwchar>
#include <iterator>

#include "commands.h"

#include "keldanu.h"

namespace {

using namespace tool;

// Room for any text of these formatters; a capacity given on the command line may be smaller.
constexpr int buffer_chars = 64;

// A count from the command line: decimal, or hexadecimal with 0x; the whole argument must be
// a number that fits in `max`.
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

// The optional COMMA and CAPACITY arguments.
void options(const args& a, BOOL* comma, int* capacity) {
    *comma = a.size() > 1 ? static_cast<BOOL>(parse_number(a[1])) : FALSE;
    *capacity = a.size() > 2 ? static_cast<int>(parse_number(a[2])) : buffer_chars;
    if (*capacity > buffer_chars) *capacity = buffer_chars;
}

template <class C, class F>
int run(const args& a, unsigned long long max, F fn) {
    unsigned long long count;
    if (!parse_count(a[0], max, &count)) return 2;
    BOOL comma;
    int capacity;
    options(a, &comma, &capacity);
    C buf[buffer_chars] = {};
    const C* result = fn(count, buf, capacity, comma);
    out_line(result ? quoted(buf) : L"NULL");
    return 0;
}

constexpr unsigned long long max32 = 0xFFFFFFFFull;
constexpr unsigned long long max64 = ~0ull;

const command commands[] = {
    {"StrFormatByteSizeA", "BYTES [COMMA [CAPACITY]]", 1, [](const args& a) {
         return run<char>(a, max32, [](auto n, char* b, int c, BOOL m) { return StrFormatByteSizeA(static_cast<DWORD>(n), b, c, m); });
     }},
    {"StrFormatByteSizeW", "BYTES [COMMA [CAPACITY]]", 1, [](const args& a) {
         return run<wchar_t>(a, max32, [](auto n, wchar_t* b, int c, BOOL m) { return StrFormatByteSizeW(static_cast<DWORD>(n), b, c, m); });
     }},
    {"StrFormatByteSizeExA", "BYTES [COMMA [CAPACITY]]", 1, [](const args& a) {
         return run<char>(a, max64, [](auto n, char* b, int c, BOOL m) { return StrFormatByteSizeExA(n, b, c, m); });
     }},
    {"StrFormatByteSizeExW", "BYTES [COMMA [CAPACITY]]", 1, [](const args& a) {
         return run<wchar_t>(a, max64, [](auto n, wchar_t* b, int c, BOOL m) { return StrFormatByteSizeExW(n, b, c, m); });
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
    // Each band's edges, and an exact tie (1280 bytes is 1.25 KB) that rounds up.
    for (DWORD n : {0u, 1023u, 1024u, 1280u, 102399u, 102400u, 1048575u, 1048576u, 1073741824u, 4294967295u})
        show_call(L"StrFormatByteSizeW(" + count_text(n) + L", buf, 64, FALSE)", quoted(StrFormatByteSizeW(n, w, buffer_chars, FALSE)));
    show_call(L"StrFormatByteSizeA(1536, buf, 64, TRUE)", quoted(StrFormatByteSizeA(1536, a, buffer_chars, TRUE)));
    // No unit past gigabytes; past 2^53 the figure is that of the nearest double.
    for (unsigned long long n : {1099511627776ull, 9007199523176447ull, 18446744073709551615ull})
        show_call(L"StrFormatByteSizeExA(" + count_text(n) + L", buf, 64, FALSE)", quoted(StrFormatByteSizeExA(n, a, buffer_chars, FALSE)));
    // Cut to the capacity; capacity 0 writes nothing and still returns the buffer.
    show_call(L"StrFormatByteSizeA(1023, buf, 5, FALSE)", quoted(StrFormatByteSizeA(1023, a, 5, FALSE)));
    lstrcpyW(w, L"untouched");
    StrFormatByteSizeExW(1023, w, 0, FALSE);
    show_call(L"StrFormatByteSizeExW(1023, buf = \"untouched\", 0, FALSE), then buf", quoted(w));
}

const command_group group(80, "Byte sizes", commands, std::size(commands), tour);

}  // namespace
