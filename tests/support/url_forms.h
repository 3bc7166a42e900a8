// The text side of the URL tests' A and W forms, and the URL buffer's bounds. Each test adds
// to these the entries it calls.
#pragma once

#include <string>

#include "support/support.h"

namespace test {

// A URL buffer holds 2061 characters (what the operations probe); at most 2059 of them are
// text, the rest room for the terminator.
constexpr size_t url_buffer_chars = 2061;
constexpr size_t url_max_chars = 2059;

struct ansi_url_form {
    using ch = char;
    using text = std::string;
    static text from(const std::string& s) { return s; }
    static text from_wide(const std::wstring& w) { return acp_from_wide(w); }
    static ch* chars(const guarded_buffer& b) { return b.chars(); }
};

struct wide_url_form {
    using ch = wchar_t;
    using text = std::wstring;
    static text from(const std::string& s) { return widen(s); }
    static text from_wide(const std::wstring& w) { return w; }
    static ch* chars(const guarded_buffer& b) { return b.wchars(); }
};

}  // namespace test
