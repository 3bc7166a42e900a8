// Helpers for the path editing and canonical-form tests: the A or W face of each editing
// export chosen by character type, and path buffers that end at a no-access page.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

#include "keldanu.h"
#include "support/support.h"

namespace test {

template <class C> struct path_form;

template <> struct path_form<char> {
    using string = std::string;
    static constexpr char marker = static_cast<char>(0xCC);
    static string text(const std::string& narrow) { return narrow; }
    static string from_wide(const std::wstring& w) { return acp_from_wide(w); }
    static std::wstring shown(const string& s) { return widen(s); }
    static int len(const char* s) { return lstrlenA(s); }
    static char* add_backslash(char* p) { return PathAddBackslashA(p); }
    static char* remove_backslash(char* p) { return PathRemoveBackslashA(p); }
    static BOOL append(char* p, const char* more) { return PathAppendA(p, more); }
    static BOOL remove_file_spec(char* p) { return PathRemoveFileSpecA(p); }
    static BOOL strip_to_root(char* p) { return PathStripToRootA(p); }
    static char* skip_root(const char* p) { return PathSkipRootA(p); }
    static void quote_spaces(char* p) { PathQuoteSpacesA(p); }
    static BOOL is_directory(const char* p) { return PathIsDirectoryA(p); }
    static BOOL is_root(const char* p) { return PathIsRootA(p); }
};

template <> struct path_form<wchar_t> {
    using string = std::wstring;
    static constexpr wchar_t marker = static_cast<wchar_t>(0xCCCC);
    static string text(const std::string& narrow) { return widen(narrow); }
    static string from_wide(const std::wstring& w) { return w; }
    static std::wstring shown(const string& s) { return s; }
    static int len(const wchar_t* s) { return lstrlenW(s); }
    static wchar_t* add_backslash(wchar_t* p) { return PathAddBackslashW(p); }
    static wchar_t* remove_backslash(wchar_t* p) { return PathRemoveBackslashW(p); }
    static BOOL append(wchar_t* p, const wchar_t* more) { return PathAppendW(p, more); }
    static BOOL remove_file_spec(wchar_t* p) { return PathRemoveFileSpecW(p); }
    static BOOL strip_to_root(wchar_t* p) { return PathStripToRootW(p); }
    static wchar_t* skip_root(const wchar_t* p) { return PathSkipRootW(p); }
    static void quote_spaces(wchar_t* p) { PathQuoteSpacesW(p); }
    static BOOL is_directory(const wchar_t* p) { return PathIsDirectoryW(p); }
    static BOOL is_root(const wchar_t* p) { return PathIsRootW(p); }
};

// Names the A and W instances of a typed test.
struct path_form_names {
    template <class C>
    static std::string GetName(int) {
        return sizeof(C) == 1 ? "A" : "W";
    }
};

// A buffer of `chars` characters that ends at a no-access page, so a write past its end
// faults. It holds a text and its terminating zero; every character after them holds the
// marker.
template <class C>
class path_buffer {
public:
    explicit path_buffer(size_t chars = MAX_PATH) : memory_(chars * sizeof(C)), chars_(chars) {}
    path_buffer(const std::basic_string<C>& text, size_t chars) : path_buffer(chars) { reset(text); }

    void reset(const std::basic_string<C>& text) {
        std::fill(get(), get() + chars_, path_form<C>::marker);
        std::copy(text.begin(), text.end(), get());
        get()[text.size()] = 0;
    }
    C* get() const { return static_cast<C*>(memory_.data()); }
    std::basic_string<C> text() const { return get(); }
    size_t chars() const { return chars_; }
    // Whether every character from `from` to the end still holds the marker.
    bool marked_from(size_t from) const {
        for (size_t i = from; i < chars_; ++i)
            if (get()[i] != path_form<C>::marker) return false;
        return true;
    }

private:
    guarded_buffer memory_;
    size_t chars_;
};

// Offset of a pointer result into its buffer, -1 for NULL.
template <class C>
long offset_of(const C* result, const C* base) {
    return result ? static_cast<long>(result - base) : -1;
}

}  // namespace test
