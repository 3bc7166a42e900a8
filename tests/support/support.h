// What every test program shares: the A/W harness, no-access-page buffers, scratch folders and registry keys.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "keldanu.h"

namespace test {

constexpr DWORD sentinel = 0xDEADBEEF;  // set before a call that must leave the error code alone
constexpr int path_chars = KELDANU_PATH_CHARS;
constexpr int url_chars = KELDANU_URL_BUFFER_CHARS;
constexpr int url_longest = url_chars - 2;  // the terminator and the probe's spare character

template <class C>
using str = std::basic_string<C>;
// A narrow row's text for the A or the W form, unit for byte (ASCII, Latin-1 or code-page bytes).
template <class C>
str<C> text(const std::string& s) {
    return str<C>(reinterpret_cast<const unsigned char*>(s.data()),
                  reinterpret_cast<const unsigned char*>(s.data()) + s.size());
}
// Either form's text as bytes, for comparisons with rows; a unit above 0xFF shows as '?'.
template <class C>
std::string shown(const str<C>& s) {
    std::string out;
    for (C c : s) out += std::make_unsigned_t<C>(c) > 0xFF ? '?' : char(c);
    return out;
}
std::string acp(const std::wstring& w);       // through the active code page
std::wstring utf16(const std::string& utf8);  // the sources' UTF-8 rows
template <class C, class A, class W>
constexpr auto pick(A a, W w) {
    if constexpr (sizeof(C) == 1)
        return a;
    else
        return w;
}
template <class C>
str<C> native(const std::wstring& w) {
    return pick<C>(acp(w), w);
}
// The export of a pair for the character type C: AW(C, PathAppend)(...).
#define AW(C, name) ::test::pick<C>(name##A, name##W)

// Runs `f(char{})` and `f(wchar_t{})`, naming the form in any failure.
template <class F>
void both(F&& f) {
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "W form" : "A form");
        wide ? f(wchar_t{}) : f(char{});
    }
}

// Under qemu's emulation a memory fault ends the process (wine-run.sh says so in the environment).
inline bool faults_end_process() { return GetEnvironmentVariableW(L"KELDANU_FAULTS_END_PROCESS", nullptr, 0) != 0; }
#define KELDANU_SKIP_WHERE_FAULTS_END_PROCESS()                                                           \
    if (::test::faults_end_process())                                                                     \
    GTEST_SKIP() << "Wine under qemu ends the process on a memory fault, so a probe of a no-access page " \
                    "cannot be answered here"

// `chars` characters ending at a no-access page, all holding the fill, or `init` and its terminator with the fill
// after them: writing past the capacity faults, past the text shows; on x64 above 4 GiB, where a cut pointer fails.
template <class C>
class guarded {
public:
    explicit guarded(size_t chars, unsigned char fill = 0xCC) : bytes_(chars * sizeof(C)), fill_(fill) {
        const size_t page = 4096, pages = (bytes_ + page - 1) / page;
        // On x64 from the top, above 4 GiB, where a pointer cut to 32 bits shows; 32-bit buffers
        // stay where the allocator puts them, as they did before there was a 64-bit build.
        const DWORD top = sizeof(void*) == 8 ? MEM_TOP_DOWN : 0;
        base_ = VirtualAlloc(nullptr, (pages + 1) * page, MEM_COMMIT | MEM_RESERVE | top, PAGE_READWRITE);
        if (sizeof(void*) == 8) EXPECT_GT(UINT_PTR(base_), UINT_PTR(0xFFFFFFFF)) << "top-down, above 4 GiB";
        data_ = static_cast<char*>(base_) + pages * page - bytes_;
        DWORD old;
        VirtualProtect(data_ + bytes_, page, PAGE_NOACCESS, &old);
        FillMemory(data_, bytes_, fill);
    }
    // An `init` that does not fit fails the test and is cut, so the code under test still gets a
    // terminated text.
    guarded(size_t chars, const str<C>& init, unsigned char fill = 0xCC) : guarded(chars, fill) {
        if (init.size() >= chars) ADD_FAILURE() << init.size() << " characters do not fit " << chars;
        if (chars) *std::copy_n(init.c_str(), std::min(init.size(), chars - 1), p()) = 0;
    }
    ~guarded() { VirtualFree(base_, 0, MEM_RELEASE); }
    guarded(const guarded&) = delete;
    guarded& operator=(const guarded&) = delete;
    C* p() const { return reinterpret_cast<C*>(data_); }
    str<C> s() const { return p(); }
    // Whether every character from `from` to the page still holds the fill.
    bool marked_from(size_t from) const {
        return std::all_of(data_ + std::min(from * sizeof(C), bytes_), data_ + bytes_,
                           [&](char b) { return (unsigned char)b == fill_; });
    }

private:
    void* base_;
    char* data_;
    size_t bytes_;
    unsigned char fill_;
};

struct temp_dir {  // a fresh folder under %TEMP%, removed with its contents
    std::wstring path;
    temp_dir();
    ~temp_dir();
    std::wstring file(const std::wstring& name) const { return path + L"\\" + name; }
};

// HKEY_CURRENT_USER\Software\KeldanuTests\<name>.<pid>, created empty, deleted with all below it.
class scratch_key {
public:
    explicit scratch_key(const std::wstring& name);
    ~scratch_key() { RegDeleteTreeW(root(), path_.c_str()), RegDeleteKeyW(root(), L"Software\\KeldanuTests"); }
    static HKEY root() { return HKEY_CURRENT_USER; }
    std::wstring path(const std::wstring& sub = L"") const { return sub.empty() ? path_ : path_ + L"\\" + sub; }
    template <class C>
    str<C> path_in(const std::wstring& sub = L"") const {
        return native<C>(path(sub));
    }
    void set(const std::wstring& sub, const wchar_t* name, DWORD type, const void* data, DWORD bytes) const {
        EXPECT_EQ(RegSetKeyValueW(root(), path(sub).c_str(), name, type, data, bytes), 0);
    }
    void set_text(const std::wstring& sub, const wchar_t* name, const std::wstring& text) const {
        set(sub, name, REG_SZ, text.c_str(), DWORD(text.size() * 2 + 2));
    }
    struct value {
        bool present = false;
        DWORD type = 0, bytes = 0;
        std::wstring text;  // the data as UTF-16 up to a zero
    };
    value get(const std::wstring& sub, const wchar_t* name) const;

private:
    std::wstring path_;
};

struct com_scope {  // COM in a single-threaded apartment
    HRESULT hr = CoInitialize(nullptr);
    ~com_scope() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

// The dialogs (class #32770) that activate on this thread while it lives, each described as
// "caption|icon|static texts|buttons" and closed with `button` where the dialog has it, else OK.
struct dialog_hook {
    explicit dialog_hook(int button = IDCANCEL);
    ~dialog_hook();
    int button;
    HHOOK hook;
    std::vector<std::wstring> seen;
};

// The shell's command for new shortcuts (HKCR\.lnk\ShellNew, Command), which the launcher starts.
// Only a command read whole (any type, Windows stores REG_EXPAND_SZ), or none, is changed; it is
// put back as it was, or deleted where there was none.
class shellnew_command {
public:
    shellnew_command();
    ~shellnew_command();
    bool set(const std::wstring& command) const;  // false when nothing may be changed
    void remove() const;

private:
    BYTE saved_[2048] = {};
    DWORD type_ = 0, bytes_ = sizeof saved_;
    LSTATUS found_;
};

// The full path of a program the build puts beside this test program.
std::wstring beside_me(const wchar_t* name);

}  // namespace test
