// Splitting a URL into a scheme number, a host and a path. Escapes are decoded first by the
// URL canonicalizer, so an escaped delimiter splits like a plain one.
#include "frame/limits.h"
#include "inet/inet_internal.h"

namespace keldanu {

namespace {

// What a scheme the parser does not know, or a URL without one, is reported as.
constexpr DWORD unknown_scheme = 65535;
constexpr DWORD file_scheme = 1;

struct scheme_row {
    const char* name;
    const wchar_t* wide_name;
    DWORD number;
};

// Compared in this order; the first equal name gives the number.
constexpr scheme_row schemes[] = {
    {"file", L"file", 1},          {"ftp", L"ftp", 2},       {"http", L"http", 3},
    {"https", L"https", 4},        {"mailto", L"mailto", 5}, {"news", L"news", 6},
    {"nntp", L"nntp", 7},          {"telnet", L"telnet", 8}, {"gopher", L"gopher", 9},
    {"prospero", L"prospero", 10}, {"wais", L"wais", 11},
};

template <class T>
DWORD scheme_number(const typename T::ch* scheme) {
    for (const scheme_row& row : schemes)
        if (T::cmp(scheme, T::pick(row.name, row.wide_name)) == 0) return row.number;
    return unknown_scheme;
}

// The delimiters of the parts after the scheme.
constexpr char slash = '/';
constexpr char fragment_mark = '#';
constexpr char query_mark = '?';
constexpr char parameter_mark = ';';

// Characters that end a scheme name early when one stands before the first ":" (codes 0x21
// to 0x2E and 0x3B to 0x3F: punctuation, but not "/", ":", digits or letters).
template <class T>
const typename T::ch* scheme_delimiters() {
    return KELDANU_TEXT(T, "!\"#$%&'()*+,-.;<=>?");
}

// Ends the text at the first `c`, if there is one.
template <class T>
void cut_at(typename T::ch* text, typename T::ch c) {
    if (auto* hit = const_cast<typename T::ch*>(T::find(text, c))) *hit = 0;
}

// Probes the three outputs over their whole size; then they are emptied and the scheme reads
// "unknown" until the split says otherwise. False (nothing written) when one is not writable.
template <class T>
bool reset_outputs(DWORD* scheme, typename T::ch* host, typename T::ch* path) {
    if (IsBadWritePtr(scheme, sizeof *scheme)) return false;
    if (T::bad_write(host, url_buffer_chars)) return false;
    if (T::bad_write(path, url_buffer_chars)) return false;
    host[0] = 0;
    path[0] = 0;
    *scheme = unknown_scheme;
    return true;
}

// Copies the URL into `work` (url_buffer_chars long), cut at 2059 characters, and decodes its
// escapes. A null URL is read as the empty text rather than left to the copy, which would
// leave the working copy unset.
template <class T>
bool decode_copy(const typename T::ch* url, typename T::ch* work) {
    T::copy_n(work, url ? url : KELDANU_TEXT(T, ""), url_copy_count);
    return url_canonicalize<T>(work, 0) != 0;
}

// The scheme ends at the first ":", or at an earlier delimiter; the end character itself
// belongs to neither side. Returns the scheme, lower-cased (empty when there is no ":"), and
// moves `rest` past its end.
template <class T>
const typename T::ch* take_scheme(typename T::ch*& rest) {
    using ch = typename T::ch;
    ch* const text = rest;
    ch* end = const_cast<ch*>(T::find(text, colon));
    if (!end) return KELDANU_TEXT(T, "");
    ch* delimiter = const_cast<ch*>(T::find_any(text, scheme_delimiters<T>()));
    if (delimiter && delimiter < end) end = delimiter;
    *end = 0;
    // An empty scheme is not lowered: CharLowerA would report an empty text as an invalid
    // parameter and leave that error code behind.
    if (text[0]) T::lower(text);
    rest = end + 1;
    return text;
}

// A host: where it starts in the text and how many characters it has.
template <class T>
struct host_piece {
    const typename T::ch* start;
    int length;
};

// Two slashes introduce a host that runs to the next "/", which starts the path; `rest` is
// moved to the path. The host stays a piece of the text because the path begins right after
// it. Without the two slashes the host is empty and `rest` is all path.
template <class T>
host_piece<T> take_host(typename T::ch*& rest) {
    using ch = typename T::ch;
    if (rest[0] != slash || rest[1] != slash) return {rest, 0};
    ch* const start = rest + 2;
    if (ch* end = const_cast<ch*>(T::find(start, slash))) {
        rest = end;
    } else {
        // No path at all: a "?" or ";" stays in the host, since only the path is cut.
        rest = start + T::len(start);
    }
    return {start, static_cast<int>(rest - start)};
}

}  // namespace

template <class T>
BOOL url_parse(const typename T::ch* url, DWORD* scheme, typename T::ch* host, typename T::ch* path) {
    using ch = typename T::ch;
    if (!reset_outputs<T>(scheme, host, path)) return 0;
    ch work[url_buffer_chars];
    if (!decode_copy<T>(url, work)) return 0;

    // A text without any "/" is a file name: nothing is cut from it.
    if (!T::find(work, slash)) {
        T::copy_n(path, work, url_copy_count);
        *scheme = file_scheme;
        return 1;
    }

    cut_at<T>(work, fragment_mark);
    ch* rest = work;
    const ch* scheme_text = take_scheme<T>(rest);
    const host_piece<T> host_text = take_host<T>(rest);
    cut_at<T>(rest, query_mark);
    cut_at<T>(rest, parameter_mark);

    *scheme = scheme_number<T>(scheme_text);
    // The host is at most 2059 characters (it is a piece of the working copy), so the count
    // length + 1 stays within the buffer's 2060.
    T::copy_n(host, host_text.start, host_text.length + 1);
    T::copy_n(path, rest, url_copy_count);
    return 1;
}

#define INSTANTIATE(T) template BOOL url_parse<T>(const T::ch*, DWORD*, T::ch*, T::ch*);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
