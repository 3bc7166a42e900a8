// What every test program shares: one way to drive the A and the W export with the same
// narrow rows, buffers that end at a no-access page, a watcher that reads and closes this
// process's dialogs, and scratch folders, registry keys and COM scopes that clean up.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <string>
#include <type_traits>
#include <vector>

#include "keldanu.h"

namespace test {

// Set before a call that must leave the error code alone, and expected afterwards.
constexpr DWORD sentinel = 0xDEADBEEF;
constexpr int path_chars = KELDANU_PATH_CHARS;
constexpr int url_chars = KELDANU_URL_BUFFER_CHARS;
constexpr int url_longest = url_chars - 2;  // the terminator and the probe's spare character

template <class C> using str = std::basic_string<C>;

// A narrow row's text for the A or the W form, unit for byte (rows are ASCII, Latin-1, or
// code-page bytes written for the A form).
template <class C> str<C> text(const std::string& s) {
    str<C> out;
    for (unsigned char c : s) out.push_back(static_cast<C>(c));
    return out;
}
// Either form's text as bytes for comparisons and messages; a unit above 0xFF shows as '?'.
template <class C> std::string shown(const str<C>& s) {
    std::string out;
    for (C c : s) out.push_back(static_cast<std::make_unsigned_t<C>>(c) > 0xFF ? '?' : static_cast<char>(c));
    return out;
}
std::string acp(const std::wstring& w);       // through the active code page
std::wstring utf16(const std::string& utf8);  // the sources' UTF-8 rows as UTF-16

// Runs `f(char{})` and `f(wchar_t{})`, naming the form in any failure.
template <class F> void both(F&& f) {
    { SCOPED_TRACE("A form"); f(char{}); }
    { SCOPED_TRACE("W form"); f(wchar_t{}); }
}
template <class C, class A, class W> constexpr auto pick(A a, W w) {
    if constexpr (sizeof(C) == 1) return a; else return w;
}
// The export of a pair for the character type C: AW(C, PathAppend)(...).
#define AW(C, name) ::test::pick<C>(name##A, name##W)

// True where a memory fault ends the process instead of raising an access violation (Wine
// under qemu's user emulation); wine-run.sh sets KELDANU_FAULTS_END_PROCESS there.
bool faults_end_process();
#define KELDANU_SKIP_WHERE_FAULTS_END_PROCESS()                                              \
    do {                                                                                     \
        if (::test::faults_end_process())                                                    \
            GTEST_SKIP() << "Wine under qemu's user emulation ends the process on a memory " \
                            "fault, so a probe of a no-access page cannot be answered here"; \
    } while (0)

// `bytes` writable bytes filled with `fill`, followed at once by a no-access page.
class guarded_bytes {
public:
    guarded_bytes(size_t bytes, unsigned char fill);
    ~guarded_bytes();
    guarded_bytes(const guarded_bytes&) = delete;
    guarded_bytes& operator=(const guarded_bytes&) = delete;
    // Whether every byte from `from` to the page still holds the fill.
    bool untouched_from(size_t from) const;
    void* data() const { return data_; }
    void* end() const { return static_cast<char*>(data_) + bytes_; }  // the first no-access byte

private:
    void* base_ = nullptr;
    char* data_ = nullptr;
    size_t bytes_;
    unsigned char fill_;
};

// `chars` characters ending at a no-access page, all holding the fill, or holding `init` and
// its terminator with the fill after them: writing past the stated capacity faults, writing
// past the text shows.
template <class C> class guarded : public guarded_bytes {
public:
    explicit guarded(size_t chars, unsigned char fill = 0xCC) : guarded_bytes(chars * sizeof(C), fill), chars_(chars) {}
    guarded(size_t chars, const str<C>& init, unsigned char fill = 0xCC) : guarded(chars, fill) {
        std::copy(init.c_str(), init.c_str() + std::min(init.size() + 1, chars), p());
    }
    C* p() const { return static_cast<C*>(data()); }
    str<C> s() const { return str<C>(p(), std::char_traits<C>::length(p())); }
    bool marked_from(size_t ch) const { return untouched_from(ch * sizeof(C)); }
    size_t chars() const { return chars_; }

private:
    size_t chars_;
};

// What a dialog showed when the watcher found it.
struct seen_dialog {
    std::wstring caption;
    std::wstring text;       // its static texts, joined by "\n"
    std::vector<int> buttons;
    HICON icon = nullptr;
    DWORD thread = 0;
};

// A thread that finds this process's visible dialogs (class #32770) as they appear, records
// what each shows and hands it to `act`, which must close it (by default OK or Cancel).
class dialog_watcher {
public:
    using action = std::function<void(HWND dialog, const seen_dialog& seen)>;
    explicit dialog_watcher(action act = nullptr);
    ~dialog_watcher();
    dialog_watcher(const dialog_watcher&) = delete;
    dialog_watcher& operator=(const dialog_watcher&) = delete;
    std::vector<seen_dialog> seen() const;
    void clear();
    static void press(HWND dialog, int id);

private:
    static DWORD WINAPI run(void* self);
    action act_;
    HANDLE thread_ = nullptr, stop_ = nullptr;
    mutable std::mutex lock_;
    std::vector<seen_dialog> seen_;
    std::vector<HWND> handled_;
};

// A fresh folder under %TEMP%, removed with its contents.
class temp_dir {
public:
    temp_dir();
    ~temp_dir();
    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// HKEY_CURRENT_USER\Software\KeldanuTests\<name>.<pid>, created empty and deleted with all
// below it; raw access to its values.
class scratch_key {
public:
    explicit scratch_key(const std::wstring& name);
    ~scratch_key();
    static HKEY root() { return HKEY_CURRENT_USER; }
    std::wstring path(const std::wstring& sub = L"") const { return sub.empty() ? path_ : path_ + L"\\" + sub; }
    std::string path_a(const std::wstring& sub = L"") const { return acp(path(sub)); }
    void set(const std::wstring& sub, const wchar_t* value, DWORD type, const void* data, DWORD bytes) const;
    void set_text(const std::wstring& sub, const wchar_t* value, const std::wstring& text) const {
        set(sub, value, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    struct value {
        bool present = false;
        DWORD type = 0, bytes = 0;
        std::wstring text;  // the data as UTF-16, up to a zero or its end
    };
    value get(const std::wstring& sub, const wchar_t* name) const;

private:
    std::wstring path_;
};

// COM in a single-threaded apartment for a scope.
struct com_scope {
    HRESULT hr = CoInitialize(nullptr);
    ~com_scope() { if (SUCCEEDED(hr)) CoUninitialize(); }
};

// The full path of a program the build puts beside this test program.
std::wstring beside_me(const wchar_t* name);
// The lines of a file in tests/data.
std::vector<std::string> data_lines(const char* name);

}  // namespace test
