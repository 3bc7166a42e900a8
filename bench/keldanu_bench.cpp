// The time of each operation family against a reference: one CharNextA/W walk over the input
// for the text operations, the C runtime's conversion plus one lstrcpyn for the number
// formatters. A reference is what a plain implementation of the steps would pay, not the
// least any implementation could: a ratio near 1 says the operation adds little to it. Each
// figure is the median of interleaved rounds, the operation and its reference timed one after
// the other in every round, so that a busy machine slows both. Also: ".." against the plain
// path in the canonical form, escapes against plain text in the URL decoder, the combo history
// read from a key of 100,005 values, the cached scroll-lines call, the stripped DLL's size and
// the load and unload of a private copy of it.
//   keldanu_bench [rounds, default 41]
//   keldanu_bench --quick   one round of one call each: every row runs, no time is judged
//                           (ctest runs it so that the benchmark keeps building and running)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "keldanu.h"

namespace {

// Short batches and many rounds: on a busy machine a batch of 0.1 ms is seldom cut by a
// switch to another process, and the median passes over those that are.
constexpr int default_rounds = 41;
constexpr double batch_seconds = 0.0001;
constexpr int text_lengths[] = {16, 100, 259};
constexpr int longest_url = KELDANU_URL_BUFFER_CHARS - 2;
constexpr int out_chars = 64;  // the formatters' buffer, longer than any of their texts

int rounds = default_rounds;
volatile ULONG_PTR sink;  // keeps a reference's result alive
double batch = batch_seconds;

double seconds_now() {
    LARGE_INTEGER frequency, t;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class F>
double ns_per_call(F& f, long calls) {
    const double start = seconds_now();
    for (long i = 0; i < calls; ++i) f();
    return (seconds_now() - start) * 1e9 / static_cast<double>(calls);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct figure {
    double ns, reference_ns, ratio;
};

// The batch size is found on the operation; the reference runs the same number of calls.
template <class Op, class Reference>
figure measure(Op op, Reference reference) {
    long calls = 1;
    while (ns_per_call(op, calls) * static_cast<double>(calls) * 1e-9 < batch) calls *= 2;
    std::vector<double> times, references, ratios;
    for (int r = 0; r < rounds; ++r) {
        times.push_back(ns_per_call(op, calls));
        references.push_back(ns_per_call(reference, calls));
        ratios.push_back(times.back() / references.back());
    }
    return {median(times), median(references), median(ratios)};
}

void print_row(const char* name, const std::vector<figure>& figures) {
    std::printf("  %-38s", name);
    for (const figure& f : figures) std::printf(" %9.0f ns %5.2fx", f.ns, f.ratio);
    std::printf("\n");
}

// The platform calls a template needs, picked by character type.
struct narrow {
    using ch = char;
    static const ch* next(const ch* p) { return CharNextA(p); }
    static void copy(ch* d, const ch* s, int n) { lstrcpynA(d, s, n); }
    static void ultoa(DWORD v, ch* d) { _ultoa(v, d, 10); }
    static void ui64toa(ULONGLONG v, ch* d) { _ui64toa(v, d, 10); }
    static void print(ch* d, const ch* format, double figure) { _snprintf(d, out_chars, format, figure); }
    static void print(ch* d, const ch* format, long figure) { _snprintf(d, out_chars, format, figure); }
};

struct wide {
    using ch = wchar_t;
    static const ch* next(const ch* p) { return CharNextW(p); }
    static void copy(ch* d, const ch* s, int n) { lstrcpynW(d, s, n); }
    static void ultoa(DWORD v, ch* d) { _ultow(v, d, 10); }
    static void ui64toa(ULONGLONG v, ch* d) { _ui64tow(v, d, 10); }
    static void print(ch* d, const ch* format, double figure) { _snwprintf(d, out_chars, format, figure); }
    static void print(ch* d, const ch* format, long figure) { _snwprintf(d, out_chars, format, figure); }
};

template <class W>
std::basic_string<typename W::ch> widen(const std::string& s) {
    return std::basic_string<typename W::ch>(s.begin(), s.end());
}

template <class W>
void walk(const typename W::ch* s) {
    const typename W::ch* p = s;
    while (*p) p = W::next(p);
    sink = reinterpret_cast<ULONG_PTR>(p);
}

// A path of exactly `length` characters: a drive root, folders of seven letters, a file name.
std::string path_text(int length) {
    std::string s = "C:\\";
    while (static_cast<int>(s.size()) < length - 4)
        s.push_back(s.size() % 8 == 2 ? '\\' : static_cast<char>('a' + s.size() % 26));
    if (s.back() == '\\') s.back() = 'z';
    return s + ".txt";
}

// The same length with 32 ".." components after 32 folders, the shape where each ".." has
// the longest output before it.
std::string dotdot_text(int length) {
    std::string s = "C:\\";
    std::string folders, tail;
    for (int i = 0; i < 32; ++i) {
        folders += "abcd\\";
        tail += i ? "\\.." : "..";
    }
    while (static_cast<int>(s.size() + folders.size() + tail.size()) < length) s.push_back('x');
    return s + folders + tail;
}

std::string url_text(int length) {
    std::string s = "http://srv/";
    while (static_cast<int>(s.size()) < length) s.push_back(s.size() % 9 == 0 ? '/' : 'a' + s.size() % 26);
    return s.substr(0, length);
}

std::string escape_text(int length) {
    std::string s;
    while (static_cast<int>(s.size()) + 3 <= length) s += "%41";
    return s + std::string(length - s.size(), 'a');
}

// "%" and then "25" over and over: each decoded "%" opens the next escape.
std::string nested_text(int length) {
    std::string s = "%";
    while (static_cast<int>(s.size()) + 4 <= length) s += "25";
    s += "41";
    return s + std::string(length - s.size(), 'a');
}

// The exports of one width, named once for the text rows.
struct narrow_ops : narrow {
    static const char* suffix() { return "A"; }
    static constexpr auto find_file_name = PathFindFileNameA;
    static constexpr auto remove_file_spec = PathRemoveFileSpecA;
    static constexpr auto canonicalize_url = INetCanonicalizeUrlA;
    static constexpr auto parse_url = INetParseUrlA;
    static constexpr auto points = StrFormatByteWithPointsA;
    static constexpr auto points_ex = StrFormatByteWithPointsExA;
    static constexpr auto size = StrFormatByteSizeA;
    static constexpr auto size_ex = StrFormatByteSizeExA;
};

struct wide_ops : wide {
    static const char* suffix() { return "W"; }
    static constexpr auto find_file_name = PathFindFileNameW;
    static constexpr auto remove_file_spec = PathRemoveFileSpecW;
    static constexpr auto canonicalize_url = INetCanonicalizeUrlW;
    static constexpr auto parse_url = INetParseUrlW;
    static constexpr auto points = StrFormatByteWithPointsW;
    static constexpr auto points_ex = StrFormatByteWithPointsExW;
    static constexpr auto size = StrFormatByteSizeW;
    static constexpr auto size_ex = StrFormatByteSizeExW;
};

// One row per family: the operation on texts of 16, 100 and 259 characters against one
// walk over the same text. An operation that edits its input in place is handed a fresh copy
// each call, and so is its reference.
template <class W>
void text_rows() {
    using ch = typename W::ch;
    static ch work[KELDANU_URL_BUFFER_CHARS], host[KELDANU_URL_BUFFER_CHARS], path[KELDANU_URL_BUFFER_CHARS];
    std::vector<figure> scan, edit, decode, parse;
    for (int length : text_lengths) {
        const auto p = widen<W>(path_text(length));
        const auto u = widen<W>(url_text(length));
        const size_t path_bytes = (p.size() + 1) * sizeof(ch), url_bytes = (u.size() + 1) * sizeof(ch);
        scan.push_back(measure([&] { sink = reinterpret_cast<ULONG_PTR>(W::find_file_name(p.c_str())); },
                               [&] { walk<W>(p.c_str()); }));
        edit.push_back(measure(
            [&] {
                memcpy(work, p.c_str(), path_bytes);
                W::remove_file_spec(work);
            },
            [&] {
                memcpy(work, p.c_str(), path_bytes);
                walk<W>(work);
            }));
        decode.push_back(measure(
            [&] {
                memcpy(work, u.c_str(), url_bytes);
                W::canonicalize_url(work, 0);
            },
            [&] {
                memcpy(work, u.c_str(), url_bytes);
                walk<W>(work);
            }));
        DWORD scheme;
        parse.push_back(measure([&] { W::parse_url(u.c_str(), &scheme, host, path); }, [&] { walk<W>(u.c_str()); }));
    }
    const std::string s = W::suffix();
    print_row(("PathFindFileName" + s).c_str(), scan);
    print_row(("PathRemoveFileSpec" + s + " (copy in both)").c_str(), edit);
    print_row(("INetCanonicalizeUrl" + s + " (copy in both)").c_str(), decode);
    print_row(("INetParseUrl" + s).c_str(), parse);
}

void canonical_rows() {
    static char dest[KELDANU_URL_BUFFER_CHARS];
    std::vector<figure> plain;
    for (int length : text_lengths) {
        const std::string p = path_text(length);
        plain.push_back(measure([&] { PathCanonicalizeA(dest, p.c_str()); }, [&] { walk<narrow>(p.c_str()); }));
    }
    print_row("PathCanonicalizeA", plain);
    const std::string dotdot = dotdot_text(text_lengths[2]), same = path_text(text_lengths[2]);
    const figure f =
        measure([&] { PathCanonicalizeA(dest, dotdot.c_str()); }, [&] { PathCanonicalizeA(dest, same.c_str()); });
    std::printf("  PathCanonicalizeA, %zu characters with 32 \"..\": %.0f ns, %.2fx the plain path of %zu\n",
                dotdot.size(), f.ns, f.ratio, same.size());
}

struct count_row {
    ULONGLONG count;
    const char* size_format;  // the formatting the byte-size reference pays for this count
    double size_figure;       // its figure; none for "%ld"
};

constexpr count_row counts[] = {
    {7, "%ld Bytes", 0},
    {1234567, "%.1f MB", 1234567 / 1048576.0},
    {4294967295u, "%.1f GB", 4294967295 / 1073741824.0},
    {18446744073709551615ull, "%.1f GB", 18446744073709551615.0 / 1073741824.0},
};

// The formatters against the conversion their text needs plus one lstrcpyn of their text: the
// 32-bit conversion for the 32-bit entries, the 64-bit one for the last count through the Ex
// entries, and for the byte size the C runtime's formatted printing.
template <class W>
void number_rows() {
    using ch = typename W::ch;
    static ch buf[out_chars], digits[out_chars], text[out_chars];
    std::vector<figure> points, size;
    for (const count_row& row : counts) {
        W::points_ex(row.count, text, out_chars);
        const bool wide_count = row.count > 0xFFFFFFFFu;
        const DWORD small = static_cast<DWORD>(row.count);
        const auto format = widen<W>(row.size_format);
        auto print = [&] {
            if (row.size_figure == 0)
                W::print(digits, format.c_str(), static_cast<long>(small));
            else
                W::print(digits, format.c_str(), row.size_figure);
            W::copy(buf, digits, out_chars);
        };
        if (wide_count) {
            points.push_back(measure([&] { W::points_ex(row.count, buf, out_chars); },
                                     [&] {
                                         W::ui64toa(row.count, digits);
                                         W::copy(buf, text, out_chars);
                                     }));
            size.push_back(measure([&] { W::size_ex(row.count, buf, out_chars, FALSE); }, print));
        } else {
            points.push_back(measure([&] { W::points(small, buf, out_chars); },
                                     [&] {
                                         W::ultoa(small, digits);
                                         W::copy(buf, text, out_chars);
                                     }));
            size.push_back(measure([&] { W::size(small, buf, out_chars, FALSE); }, print));
        }
    }
    const std::string s = W::suffix();
    print_row(("StrFormatByteWithPoints" + s).c_str(), points);
    print_row(("StrFormatByteSize" + s).c_str(), size);
}

template <class W>
void url_worst_rows() {
    using ch = typename W::ch;
    static ch work[KELDANU_URL_BUFFER_CHARS];
    const auto plain = widen<W>(url_text(longest_url));
    const size_t bytes = (plain.size() + 1) * sizeof(ch);
    for (const auto& [what, text] : {std::pair{"686 escapes \"%41\"", escape_text(longest_url)},
                                     std::pair{"nested escapes \"%2525...\"", nested_text(longest_url)}}) {
        const auto hard = widen<W>(text);
        const figure f = measure(
            [&] {
                memcpy(work, hard.c_str(), bytes);
                W::canonicalize_url(work, 0);
            },
            [&] {
                memcpy(work, plain.c_str(), bytes);
                W::canonicalize_url(work, 0);
            });
        std::printf("  INetCanonicalizeUrl%s, %d characters, %-26s %8.0f ns, %.2fx no escape\n", W::suffix(),
                    longest_url, what, f.ns, f.ratio);
    }
}

// A combo-box history of 5 entries read from a key that also holds 100,000 other values: the
// read's time should follow the 5 entries it asks for, not the size of the key. The quick round
// fills a key of 100 values only: it checks that the row runs, not what it costs.
void history_row() {
    const int other_values = batch > 0 ? 100000 : 100;
    constexpr int entries = 5, history_rounds = 5;
    const std::wstring path = L"Software\\KeldanuBench." + std::to_wstring(GetCurrentProcessId());
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)) return;
    for (int i = 0; i < other_values + entries; ++i) {
        const std::wstring name = i < entries ? std::to_wstring(i) : L"other" + std::to_wstring(i);
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(L"entry"), sizeof L"entry");
    }
    RegCloseKey(key);
    const HWND combo =
        CreateWindowExW(0, L"COMBOBOX", L"", CBS_DROPDOWN, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    std::vector<double> times;
    for (int r = 0; r < history_rounds; ++r) {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        const double start = seconds_now();
        StrReadComboHistoryW(combo, HKEY_CURRENT_USER, path.c_str(), entries);
        times.push_back(seconds_now() - start);
    }
    std::printf("  StrReadComboHistoryW, %d entries from a key of %d values: %.3f ms (median of %d)\n", entries,
                other_values + entries, median(times) * 1e3, history_rounds);
    DestroyWindow(combo);
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
}

// The size of a file in bytes, or -1 when it cannot be had.
long long file_size(const char* name) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data)) return -1;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

void dll_rows() {
    char original[MAX_PATH], folder[MAX_PATH], copy[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("KELDANU.dll"), original, MAX_PATH);
    GetTempPathA(MAX_PATH, folder);
    std::snprintf(copy, MAX_PATH, "%skeldanu_bench_%lu.dll", folder, GetCurrentProcessId());
    if (!CopyFileA(original, copy, FALSE)) {
        std::printf("  the DLL could not be copied to %s\n", copy);
        return;
    }
    // The build strips the DLL for the SDK into sdk\ beside the one it links.
    std::string stripped = original;
    stripped.insert(stripped.find_last_of('\\') + 1, "sdk\\");
    const long long built = file_size(original), shipped = file_size(stripped.c_str());
    if (shipped < 0)
        std::printf("  KELDANU.dll: %lld bytes as built; no stripped copy at %s (build keldanu_sdk)\n", built,
                    stripped.c_str());
    else
        std::printf("  KELDANU.dll: %lld bytes as built, %lld bytes (%.1f KiB) stripped\n", built, shipped,
                    static_cast<double>(shipped) / 1024.0);
    ShlGetMouseScrollLines(FALSE);
    const figure lines = measure([] { ShlGetMouseScrollLines(FALSE); }, [] { sink = sink + 1; });
    std::printf("  ShlGetMouseScrollLines(FALSE), cached: %.1f ns\n", lines.ns);
    const figure load = measure(
        [&] {
            HMODULE dll = LoadLibraryA(copy);
            if (!dll) std::exit(1);
            FreeLibrary(dll);
        },
        [] { sink = sink + 1; });
    std::printf("  LoadLibrary + FreeLibrary of a private copy: %.1f us\n", load.ns / 1000.0);
    DeleteFileA(copy);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--quick") == 0) {
        rounds = 1;
        batch = 0;
    } else if (argc > 1) {
        rounds = std::max(1, std::atoi(argv[1]));
    }
    std::printf("keldanu_bench: medians of %d interleaved rounds, ns per call and ratio to the reference\n", rounds);
    std::printf("  %-38s%20s%20s%20s\n", "text against one CharNext walk over it", "16 chars", "100 chars",
                "259 chars");
    text_rows<narrow_ops>();
    text_rows<wide_ops>();
    canonical_rows();
    std::printf("  %-38s%20s%20s%20s%20s\n", "against conversion or printf + lstrcpyn", "7", "1234567", "4294967295",
                "2^64-1 (Ex)");
    number_rows<narrow_ops>();
    number_rows<wide_ops>();
    url_worst_rows<narrow_ops>();
    url_worst_rows<wide_ops>();
    history_row();
    dll_rows();
    return 0;
}
