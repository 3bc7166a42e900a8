// Splitting a URL into a scheme number, a host and a path. Uses IsBadWritePtr, lstrcpynA/W
// and lstrcmpA/W (KERNEL32) and CharLowerA/W (USER32); escapes are decoded first by the URL
// canonicalizer, so an escaped delimiter splits like a plain one.
#include "inet/inet_internal.h"

#include <iterator>

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
    {"file", L"file", 1},         {"ftp", L"ftp", 2},       {"http", L"http", 3},
    {"https", L"https", 4},       {"mailto", L"mailto", 5}, {"news", L"news", 6},
    {"nntp", L"nntp", 7},         {"telnet", L"telnet", 8}, {"gopher", L"gopher", 9},
    {"prospero", L"prospero", 10}, {"wais", L"wais", 11},
};

template <class T>
DWORD scheme_number(const typename T::ch* scheme) {
    for (const scheme_row& row : schemes)
        if (T::cmp(scheme, T::pick(row.name, row.wide_name)) == 0) return row.number;
    return unknown_scheme;
}

// Characters that end a scheme name early when one stands before the first ":" (codes 0x21
// to 0x2E and 0x3B to 0x3F: punctuation, but not "/", ":", digits or letters).
template <class T>
const typename T::ch* scheme_delimiters() { return KELDANU_TEXT(T, "!\"#$%&'()*+,-.;<=>?"); }

// Ends the text at the first `c`, if there is one.
template <class T>
void cut_at(typename T::ch* text, typename T::ch c) {
    if (auto* hit = const_cast<typename T::ch*>(T::find(text, c))) *hit = 0;
}

}  // namespace

template <class T>
BOOL url_parse(const typename T::ch* url, DWORD* scheme, typename T::ch* host, typename T::ch* path) {
    using ch = typename T::ch;
    if (IsBadWritePtr(scheme, sizeof *scheme)) return 0;
    if (T::bad_write(host, url_buffer_chars)) return 0;
    if (T::bad_write(path, url_buffer_chars)) return 0;
    host[0] = 0;
    path[0] = 0;
    *scheme = unknown_scheme;

    // The URL is cut at 2059 characters; the rest is ignored. A null URL is read as the
    // empty text rather than left to the copy, which would leave the working copy unset.
    if (!url) url = KELDANU_TEXT(T, "");
    ch work[url_buffer_chars];
    T::copy_n(work, url, url_copy_count);
    if (!url_canonicalize<T>(work, 0)) return 0;

    // A text without any "/" is a file name: nothing is cut from it.
    if (!T::find(work, '/')) {
        T::copy_n(path, work, url_copy_count);
        *scheme = file_scheme;
        return 1;
    }

    cut_at<T>(work, '#');

    // The scheme ends at the first ":", or at an earlier delimiter; the end character itself
    // belongs to neither side. `rest` is what is left to split.
    ch* rest = work;
    const ch* scheme_text = KELDANU_TEXT(T, "");
    if (ch* colon = const_cast<ch*>(T::find(work, ':'))) {
        ch* end = colon;
        ch* delimiter = const_cast<ch*>(T::find_any(work, scheme_delimiters<T>()));
        if (delimiter && delimiter < colon) end = delimiter;
        *end = 0;
        // An empty scheme is not lowered: CharLowerA would report an empty text as an
        // invalid parameter and leave that error code behind.
        if (work[0]) T::lower(work);
        scheme_text = work;
        rest = end + 1;
    }

    // Two slashes introduce a host that runs to the next "/"; the "/" starts the path. The
    // host is kept as a piece of `rest` (start and length) because the path begins right
    // after it.
    const ch* host_text = rest;
    int host_length = 0;
    if (rest[0] == '/' && rest[1] == '/') {
        host_text = rest + 2;
        if (ch* slash = const_cast<ch*>(T::find(host_text, '/'))) {
            host_length = static_cast<int>(slash - host_text);
            rest = slash;
        } else {
            // No path at all: a "?" or ";" stays in the host, since only the path is cut.
            host_length = T::len(host_text);
            rest = const_cast<ch*>(host_text) + host_length;
        }
    }

    cut_at<T>(rest, '?');
    cut_at<T>(rest, ';');

    *scheme = scheme_number<T>(scheme_text);
    // The host is at most 2059 characters (it is a piece of the working copy), so the count
    // host_length + 1 stays within the buffer's 2060.
    T::copy_n(host, host_text, host_length + 1);
    T::copy_n(path, rest, url_copy_count);
    return 1;
}

#define KELDANU_INSTANTIATE(T) \
    template BOOL url_parse<T>(const T::ch*, DWORD*, T::ch*, T::ch*);
KELDANU_INSTANTIATE(ansi_text)
KELDANU_INSTANTIATE(wide_text)
#undef KELDANU_INSTANTIATE

}  // namespace keldanu
