// Character traits that let one template body serve both the ANSI and the wide form of an
// operation. Every member is a platform text service (KERNEL32/USER32) or a standard library
// search; the library adds no string code of its own where the platform has it.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace keldanu {

struct ansi_text {
    using ch = char;
    using uch = unsigned char;
    static constexpr bool wide = false;

    // Picks the narrow literal out of a pair written with KELDANU_TEXT.
    static constexpr const ch* pick(const char* a, const wchar_t*) { return a; }

    static int len(const ch* s) { return lstrlenA(s); }
    static ch* copy(ch* d, const ch* s) { return lstrcpyA(d, s); }
    static ch* copy_n(ch* d, const ch* s, int n) { return lstrcpynA(d, s, n); }
    static ch* cat(ch* d, const ch* s) { return lstrcatA(d, s); }
    static int cmp(const ch* a, const ch* b) { return lstrcmpA(a, b); }
    static int cmp_i(const ch* a, const ch* b) { return lstrcmpiA(a, b); }
    static ch* next(const ch* p) { return CharNextA(p); }
    static ch* prev(const ch* start, const ch* p) { return CharPrevA(start, p); }
    static ch* lower(ch* s) { return CharLowerA(s); }
    static bool lead_byte(ch c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != 0; }
    static const ch* find(const ch* s, ch c) { return std::strchr(s, c); }
    static const ch* find_any(const ch* s, const ch* set) { return std::strpbrk(s, set); }
    // True when `chars` characters at p cannot all be written.
    static bool bad_write(const void* p, UINT_PTR chars) { return IsBadWritePtr(const_cast<void*>(p), chars * sizeof(ch)) != 0; }

    // ---- the C runtime's unsigned conversions (MSVCRT) ----
    static ch* ulong_to_text(ULONG v, ch* d, int radix) { return _ultoa(v, d, radix); }
    static ch* ulonglong_to_text(ULONGLONG v, ch* d, int radix) { return _ui64toa(v, d, radix); }
};

struct wide_text {
    using ch = wchar_t;
    using uch = wchar_t;
    static constexpr bool wide = true;

    static constexpr const ch* pick(const char*, const wchar_t* w) { return w; }

    static int len(const ch* s) { return lstrlenW(s); }
    static ch* copy(ch* d, const ch* s) { return lstrcpyW(d, s); }
    static ch* copy_n(ch* d, const ch* s, int n) { return lstrcpynW(d, s, n); }
    static ch* cat(ch* d, const ch* s) { return lstrcatW(d, s); }
    static int cmp(const ch* a, const ch* b) { return lstrcmpW(a, b); }
    static int cmp_i(const ch* a, const ch* b) { return lstrcmpiW(a, b); }
    static ch* next(const ch* p) { return CharNextW(p); }
    static ch* prev(const ch* start, const ch* p) { return CharPrevW(start, p); }
    static ch* lower(ch* s) { return CharLowerW(s); }
    // UTF-16 has no lead bytes; callers test T::wide first so this is never reached at run time.
    static constexpr bool lead_byte(ch) { return false; }
    static const ch* find(const ch* s, ch c) { return std::wcschr(s, c); }
    static const ch* find_any(const ch* s, const ch* set) { return std::wcspbrk(s, set); }
    static bool bad_write(const void* p, UINT_PTR chars) { return IsBadWritePtr(const_cast<void*>(p), chars * sizeof(ch)) != 0; }

    // ---- the C runtime's unsigned conversions (MSVCRT) ----
    static ch* ulong_to_text(ULONG v, ch* d, int radix) { return _ultow(v, d, radix); }
    static ch* ulonglong_to_text(ULONGLONG v, ch* d, int radix) { return _ui64tow(v, d, radix); }
};

// Instantiates a file's templates for both widths, the one way every source file does it:
//   #define INSTANTIATE(T) template BOOL path_is_root<T>(const T::ch*);
//   KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#define KELDANU_FOR_BOTH_WIDTHS(M) M(ansi_text) M(wide_text)

// A literal in both widths; the template picks the one that matches its traits:
// KELDANU_TEXT(T, "KB") is "KB" for ansi_text and L"KB" for wide_text.
#define KELDANU_TEXT(T, s) (T::pick(s, L##s))

// True when the character at p opens a double-byte character; always false for wide text,
// decided at compile time.
template <class T>
inline bool is_lead(const typename T::ch* p) {
    if constexpr (T::wide) {
        (void)p;
        return false;
    } else {
        return T::lead_byte(*p);
    }
}

}  // namespace keldanu
