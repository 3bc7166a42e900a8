// keldanu.exe calls any export of KELDANU.dll by its name with arguments from the command line
// and prints what it answered. main.cpp holds the table of all exports, the tour and the command
// line; this header the adapters. An adapter reads an export's argument list from its own C type,
// one parameter (`slot`) at a time, so it serves the A and W forms of every export of its shape.
#pragma once

#include "keldanu.h"

#include "frame/guards.h"
#include "frame/limits.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

namespace tool {

using args = std::vector<std::wstring>;

// A command line the tool refuses: said on stderr, exit status 2.
struct usage_error { std::wstring text; };

// A call's result as text and as a number (none if void), and its outputs after it.
struct outcome {
    std::wstring text;
    std::vector<std::wstring> outputs;
    bool has_value = false;
    long long value = 0;
};

// A call's arguments and the control made for it, if any.
struct context {
    const args& a;
    HWND window = nullptr;
};

// The argument shapes, and which result means failure (exit status 1): none (a predicate's 0 or
// a count is an answer), 0 or NULL, the caller's error value (the last argument), a stub's result.
enum class shape { call, edit, control, combo, combo_edit, stub };
enum class rule { answers, zero_fails, error_value_fails, notice_stub, silent_stub };

struct command {
    const char* name;
    outcome (*run)(context&, FARPROC);  // the adapter of its shape, for its type
    FARPROC fn;
    const char* inputs;   // the arguments, one word each; for a stub, what it returns
    const char* outputs;  // the outputs shown after the result
    rule fails;
    size_t takes;  // how many arguments the adapter reads; --list holds `inputs` to it
};

inline std::string convert(UINT code_page, const std::wstring& text) {
    std::string s(WideCharToMultiByte(code_page, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(code_page, 0, text.c_str(), -1, s.data(), static_cast<int>(s.size()), nullptr, nullptr);
    return s.c_str();
}
inline std::string to_acp(const std::wstring& text) { return convert(CP_ACP, text); }
inline std::wstring from_acp(const char* text) {
    std::wstring w(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, w.data(), static_cast<int>(w.size()));
    return w.c_str();
}
inline void say(FILE* to, const std::wstring& line) { fputs(convert(CP_UTF8, line + L"\n").c_str(), to); }
inline std::wstring quoted(const std::wstring& text) {  // control characters escaped
    std::wstring q = L"\"";
    for (wchar_t ch : text) {
        wchar_t escaped[8];
        swprintf(escaped, 8, L"\\x%02x", static_cast<unsigned>(ch));
        q += ch < L' ' ? escaped : std::wstring(1, ch);
    }
    return q + L"\"";
}

// Text in the width of an export, chosen by its character type.
inline std::string in_width(const std::wstring& s, char) { return to_acp(s); }
inline std::wstring in_width(const std::wstring& s, wchar_t) { return s; }
inline std::wstring shown_text(const char* s) { return from_acp(s); }
inline std::wstring shown_text(const wchar_t* s) { return s; }
template <class C>
constexpr bool is_char = std::is_same_v<C, char> || std::is_same_v<C, wchar_t>;

// A number for a parameter of type P: decimal, or hexadecimal after "0x"; a minus sign only
// where P has one; nothing after the digits; within P's range.
template <class P>
P number(const std::wstring& s) {
    using limits = std::numeric_limits<P>;
    const size_t minus = s.starts_with(L'-'), start = minus + 2 * (s.compare(minus, 2, L"0x") == 0);
    const bool ok = start < s.size() &&
                    s.find_first_not_of(start > minus ? L"0123456789abcdefABCDEF" : L"0123456789", start) == s.npos;
    errno = 0;
    const unsigned long long m = ok ? std::wcstoull(s.c_str() + start, nullptr, start > minus ? 16 : 10) : 0;
    if (!ok || errno == ERANGE || (minus && !limits::is_signed) ||
        m > (minus ? 0ull - static_cast<unsigned long long>(limits::min()) : limits::max()))
        throw usage_error{L"not a number from " + std::to_wstring(limits::min()) + L" to " +
                          std::to_wstring(limits::max()) + L": " + quoted(s)};
    return static_cast<P>(minus ? 0 - m : m);
}

// An output buffer sized by the argument after it is given at most largest_buffer characters
// and has `slack` more; it holds `untouched` before the call, to show what was not written.
constexpr int largest_buffer = 1 << 16;
constexpr size_t slack = 16;
constexpr wchar_t untouched[] = L"(untouched)";

// The adapter protocol. An export's parameter list is read from its C type, one `slot` per
// parameter, chosen by the parameter's type P and the type of the parameter after it (Next):
//   takes   how many command-line arguments the slot reads: 1 for a number, a text, a root
//           key or a module; 0 for an output (a DWORD*, a plain output buffer) and for what
//           the adapter supplies itself (the window, the device context); a text buffer reads
//           1 in an `edit` (it starts as that argument) and 0 otherwise.
//   value   what is passed to the export for that parameter.
//   show    appends the slot's output after the call, in parameter order (outputs only).
// A slot finds its argument at `place.at`, the sum of `takes` of the slots before it. An
// output buffer whose next parameter is a number reads its capacity from that next argument
// (it does not take it: the number's own slot does) and is that many characters plus `slack`.
//
// Worked example: ShlGetProfileStringW(HKEY, LPCWSTR sub_key, LPCWSTR value, LPCWSTR fallback,
// LPWSTR buffer, DWORD chars) has the slots HKEY (takes 1, at 0), three const texts (1 each,
// at 1, 2, 3), the buffer (takes 0, at 4; its Next is DWORD, so it reads argument 4 as its
// capacity) and the DWORD (takes 1, at 4). `keldanu ShlGetProfileStringW HKCU Software\X
// name none 16` is therefore 5 arguments; the buffer is 16 + slack characters, filled with
// "(untouched)", and shown after the result: `..., buffer "Ada"`.
struct place {  // where a slot finds its argument
    context& c;
    size_t at;
};
template <size_t n>
struct base_slot {  // takes n arguments; shows nothing
    static constexpr size_t takes = n;
    void show(std::vector<std::wstring>&) const {}
    const void* text() const { return nullptr; }
};

// A parameter of type P, followed by one of type Next (void after the last); in an `edit` the
// text buffer starts as an argument.
template <class P, class Next, bool edit>
struct slot;

template <class P, class Next, bool edit>
    requires std::is_integral_v<P>
struct slot<P, Next, edit> : base_slot<1> {
    P value;
    slot(place p) : value(number<P>(p.c.a[p.at])) {}
};

template <class C, class Next, bool edit>
    requires is_char<C>
struct slot<const C*, Next, edit> : base_slot<1> {
    std::basic_string<C> s;
    const C* value;
    slot(place p) : s(in_width(p.c.a[p.at], C())), value(s.c_str()) {}
    const void* text() const { return value; }
};

// A text buffer: in an edit it starts as the argument. An output buffer followed by a number is
// sized by it (the capacity the export is told); any other holds a URL, or twice the longest argument.
template <class C, class Next, bool edit>
    requires is_char<C>
struct slot<C*, Next, edit> {
    static constexpr size_t takes = edit;
    std::vector<C> buffer;
    C* value;
    slot(place p) {
        size_t chars = keldanu::url_buffer_chars;
        for (const auto& arg : p.c.a) chars = std::max(chars, 2 * arg.size() + slack);
        if constexpr (!edit && std::is_integral_v<Next>) {
            const Next capacity = number<Next>(p.c.a[p.at]);
            if (capacity < 0 || capacity > largest_buffer)
                throw usage_error{L"a capacity is 0 to " + std::to_wstring(largest_buffer) + L": " + p.c.a[p.at]};
            chars = capacity + slack;
        }
        const auto first = in_width(edit ? p.c.a[p.at] : untouched, C());
        buffer.assign(chars + 1, C());
        value = std::copy(first.begin(), first.end(), buffer.data()) - first.size();
    }
    void show(std::vector<std::wstring>& outs) const { outs.push_back(quoted(shown_text(value))); }
    const void* text() const { return value; }
};

template <class Next, bool edit>
struct slot<DWORD*, Next, edit> : base_slot<0> {
    DWORD out = 0, *value = &out;
    slot(place) {}
    void show(std::vector<std::wstring>& outs) const { outs.push_back(std::to_wstring(out)); }
};

template <class Next, bool edit>
struct slot<HKEY, Next, edit> : base_slot<1> {
    HKEY value = nullptr;
    slot(place p) {
        const std::pair<const wchar_t*, HKEY> roots[] = {{L"HKCU", HKEY_CURRENT_USER}, {L"HKLM", HKEY_LOCAL_MACHINE},
                                                         {L"HKCR", HKEY_CLASSES_ROOT}, {L"HKU", HKEY_USERS}};
        for (const auto& [name, key] : roots)
            if (lstrcmpiW(p.c.a[p.at].c_str(), name) == 0) value = key;
        if (!value) throw usage_error{L"not a root key (HKCU, HKLM, HKCR, HKU): " + p.c.a[p.at]};
    }
};

template <class Next, bool edit>
struct slot<HWND, Next, edit> : base_slot<0> {  // the adapter's control, else no window
    HWND value;
    slot(place p) : value(p.c.window) {}
};

// A console has no window to measure in: a memory context with the default GUI font stands
// in, as for a program that lays out text before it draws it.
template <class Next, bool edit>
struct slot<HDC, Next, edit> : base_slot<0> {
    keldanu::font_dc dc = keldanu::font_dc::memory(nullptr, GetStockObject(DEFAULT_GUI_FONT));
    HDC value = dc.get();
    slot(place) {}
};

// A module whose string table is used: a file loaded as data, or keldanu.exe itself for "".
template <class Next, bool edit>
struct slot<HINSTANCE, Next, edit> : base_slot<1> {
    keldanu::loaded_module module;
    HINSTANCE value;
    slot(place p) : module(LoadLibraryExW(p.c.a[p.at].c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        const std::wstring& file = p.c.a[p.at];
        value = file.empty() ? GetModuleHandleW(nullptr) : module.get();
        if (!value) throw usage_error{L"cannot load " + file};
    }
};

// A result as text: a text pointer as its offset into the first text argument and the text
// there, any other pointer (a handle) in hexadecimal, a number in decimal.
template <class R>
outcome shown_result(R r, const void* base) {
    outcome o{.has_value = true};
    if constexpr (std::is_pointer_v<R>) {
        using C = std::remove_cv_t<std::remove_pointer_t<R>>;
        wchar_t handle[16];
        swprintf(handle, 16, L"0x%08lx", static_cast<ULONG>(o.value = reinterpret_cast<INT_PTR>(r)));
        o.text = !r ? L"NULL" : handle;
        if constexpr (is_char<C>)
            if (r) o.text = L"offset " + std::to_wstring(r - static_cast<const C*>(base)) + L": " +
                            quoted(shown_text(r));
    } else {
        o.text = std::to_wstring(o.value = r);
    }
    return o;
}

// The arguments the adapter of a control reads after the export's own: WIDTH; LIST; LIST EDIT.
constexpr size_t control_args(shape s) {
    return s == shape::combo_edit ? 2 : s == shape::control || s == shape::combo ? 1 : 0;
}

// How many arguments the adapter of shape s reads for fn: its slots' and the control's. A stub
// reads none.
template <shape s, class R, class... P>
constexpr size_t arg_count(R(WINAPI*)(P...)) {
    if constexpr (s == shape::stub)
        return 0;
    else
        return (slot<P, void, s == shape::edit>::takes + ... + control_args(s));
}

// Calls fn with one slot per parameter, and shows its result and its outputs.
template <bool edit, class R, class... P>
outcome call(R(WINAPI* fn)(P...), context& c) {
    return [&]<size_t... I>(std::index_sequence<I...>) {
        using next = std::tuple<P..., void>;
        size_t at[] = {slot<P, void, edit>::takes..., 0};
        std::exclusive_scan(at, at + sizeof...(P) + 1, at, size_t{0});
        std::tuple<slot<P, std::tuple_element_t<I + 1, next>, edit>...> slots(place{c, at[I]}...);
        const void* base = nullptr;
        std::apply([&](auto&... s) { ((base = base ? base : s.text()), ...); }, slots);
        outcome o;
        if constexpr (std::is_void_v<R>)
            std::apply([&](auto&... s) { fn(s.value...); }, slots);
        else
            o = shown_result(std::apply([&](auto&... s) { return fn(s.value...); }, slots), base);
        std::apply([&](auto&... s) { (s.show(o.outputs), ...); }, slots);
        return o;
    }(std::index_sequence_for<P...>{});
}

// A stub is called with zeros, which it never reads.
template <class R, class... P>
outcome call_stub(R(WINAPI* fn)(P...), context&) {
    if constexpr (std::is_void_v<R>)
        return fn(P{}...), outcome{};
    else
        return shown_result(fn(P{}...), nullptr);
}

inline void destroy_window(HWND window) { DestroyWindow(window); }
using window = keldanu::unique_handle<HWND, destroy_window>;

// An export that works on a control is given a hidden one, and what the control holds after
// the call is shown. PathSetDlgItemPath gets a dialog whose static item 1 is WIDTH pixels wide
// (its last argument); the combo-box exports a drop-down combo box that holds LIST (entries
// between "|") and, for the save, the edit text EDIT after it.
template <shape s, class F>
outcome on_control(F fn, context& c) {
    const bool combo = s != shape::control;
    const window parent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, {}));
    const HWND control =
        CreateWindowExW(0, combo ? L"COMBOBOX" : L"STATIC", L"", WS_CHILD | (combo ? CBS_DROPDOWN : SS_LEFT), 0, 0,
                        combo ? 200 : number<int>(c.a.back()), 200, parent.get(), HMENU(1), nullptr, nullptr);
    const std::wstring list = combo ? c.a[c.a.size() - control_args(s)] + L"|" : L"";
    for (size_t from = 0, bar; (bar = list.find(L'|', from)) != list.npos; from = bar + 1)
        if (bar > from) SendMessageW(control, CB_ADDSTRING, 0, LPARAM(list.substr(from, bar - from).c_str()));
    if (s == shape::combo_edit) SetWindowTextW(control, c.a.back().c_str());
    c.window = combo ? control : parent.get();
    outcome o = call<false>(fn, c);
    wchar_t item[keldanu::path_chars] = {};
    GetWindowTextW(control, item, keldanu::path_chars);
    std::wstring shown = combo ? L"[" : quoted(item);
    for (LRESULT i = 0, n = SendMessageW(control, CB_GETCOUNT, 0, 0); combo && i < n; ++i) {
        std::wstring entry(SendMessageW(control, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
        SendMessageW(control, CB_GETLBTEXT, i, LPARAM(entry.data()));
        const bool selected = i == SendMessageW(control, CB_GETCURSEL, 0, 0);
        shown += (i ? L", " : L"") + quoted(entry.c_str()) + (selected ? L" (selected)" : L"");
    }
    o.outputs.push_back(shown + (combo ? L"]" : L""));
    return o;
}

// The adapter of each shape, made for each export's own type.
template <class F, shape s>
outcome adapt(context& c, FARPROC fn) {
    const F f = reinterpret_cast<F>(fn);
    // A wrong count is refused before anything is opened or called.
    if (const size_t n = arg_count<s>(f); c.a.size() != n)
        throw usage_error{n == 0   ? std::wstring(L"takes no arguments")
                                   : L"takes " + std::to_wstring(n) + (n == 1 ? L" argument" : L" arguments")};
    if constexpr (s == shape::stub)
        return call_stub(f, c);
    else if constexpr (s == shape::call || s == shape::edit)
        return call<s == shape::edit>(f, c);
    else
        return on_control<s>(f, c);
}

}  // namespace tool
