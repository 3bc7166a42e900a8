// How long INetCanonicalizeUrlA/W take on a URL of 2059 characters without any escape, full
// of escapes ("%41" over and over), and full of nested escapes ("%" and then "25" over and
// over, each decoded "%" opening the next escape), and how the time grows with the length.
// A decoder that searched again from the start after every escape would take time that
// grows with the square of the number of escapes; this one stays linear.
//   url_canon_bench [milliseconds per measurement, default 500]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "keldanu.h"

namespace {

constexpr size_t url_buffer_chars = 2061;
constexpr size_t url_max_chars = 2059;

double seconds_now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The texts, narrow; the W form widens them unit by unit.
std::string plain_text(size_t length) {
    std::string s;
    for (size_t i = 0; i < length; ++i) s.push_back(static_cast<char>('a' + i % 26));
    return s;
}

std::string escape_text(size_t length) {
    std::string s;
    while (s.size() + 3 <= length) s += "%41";
    while (s.size() < length) s.push_back('a');
    return s;
}

std::string nested_text(size_t length) {
    std::string s = "%";
    while (s.size() + 2 + 2 <= length) s += "25";
    s += "41";
    while (s.size() < length) s.push_back('a');
    return s;
}

struct ansi_form {
    using ch = char;
    static const char* name() { return "INetCanonicalizeUrlA"; }
    static BOOL call(ch* url) { return INetCanonicalizeUrlA(url, 0); }
};

struct wide_form {
    using ch = wchar_t;
    static const char* name() { return "INetCanonicalizeUrlW"; }
    static BOOL call(ch* url) { return INetCanonicalizeUrlW(url, 0); }
};

// Microseconds per call, the copy of the input into the buffer (needed before every call,
// since the call rewrites it) measured alone and taken off.
template <class Form>
double microseconds_per_call(const std::string& narrow, double budget) {
    using ch = typename Form::ch;
    std::basic_string<ch> input;
    for (unsigned char c : narrow) input.push_back(static_cast<ch>(c));
    static ch buffer[url_buffer_chars];
    const size_t bytes = (input.size() + 1) * sizeof(ch);

    auto run = [&](bool decode) {
        long calls = 0;
        const double start = seconds_now();
        double elapsed = 0;
        do {
            for (int i = 0; i < 16; ++i) {
                memcpy(buffer, input.c_str(), bytes);
                if (decode && !Form::call(buffer)) {
                    std::printf("the call failed\n");
                    std::exit(1);
                }
            }
            calls += 16;
            elapsed = seconds_now() - start;
        } while (elapsed < budget);
        return elapsed * 1e6 / static_cast<double>(calls);
    };
    const double copy_only = run(false);
    return run(true) - copy_only;
}

template <class Form>
void report(double budget) {
    std::printf("%s\n", Form::name());
    const double plain = microseconds_per_call<Form>(plain_text(url_max_chars), budget);
    const double escapes = microseconds_per_call<Form>(escape_text(url_max_chars), budget);
    const double nested = microseconds_per_call<Form>(nested_text(url_max_chars), budget);
    std::printf("  2059 characters, no escape             %9.1f us per call\n", plain);
    std::printf("  2059 characters, 686 escapes %%41       %9.1f us per call  (%.2f x no escape)\n", escapes,
                escapes / plain);
    std::printf("  2059 characters, 1029 nested escapes   %9.1f us per call  (%.2f x no escape)\n", nested,
                nested / plain);
    std::printf("  escapes %%41 by length (linear: the time per character stays about the same)\n");
    for (size_t length : {257u, 515u, 1030u, 2059u}) {
        const double t = microseconds_per_call<Form>(escape_text(length), budget);
        std::printf("    %4zu characters %9.1f us per call  %7.1f ns per character\n", length, t,
                    t * 1000.0 / static_cast<double>(length));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const double budget = (argc > 1 ? std::atof(argv[1]) : 500.0) / 1000.0;
    std::printf("url_canon_bench: %.0f ms per measurement, input copy taken off\n", budget * 1000.0);
    report<ansi_form>(budget);
    report<wide_form>(budget);
    return 0;
}
