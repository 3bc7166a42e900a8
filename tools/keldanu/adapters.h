// The adapters: each turns the command-line words into the arguments of every export of one
// shape and says what the call answered. The argument list is read from the export's own C
// type, one parameter at a time (a `slot`), so that one adapter serves the A and the W form
// and every export of its shape.
#pragma once

#include "tool.h"

#include "keldanu.h"

#include "../../src/frame/guards.h"
#include "../../src/frame/limits.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <tuple>
#include <type_traits>
#include <utility>

namespace tool {

// Text in the width of an export, chosen by its character type.
template <class C>
struct text_of;
template <>
struct text_of<char> {
    static std::string in(const std::wstring& s) { return to_acp(s); }
    static std::wstring out(const char* s) { return from_acp(s); }
};
template <>
struct text_of<wchar_t> {
    static std::wstring in(const std::wstring& s) { return s; }
    static std::wstring out(const wchar_t* s) { return s; }
};
template <class C>
constexpr bool is_char = std::is_same_v<C, char> || std::is_same_v<C, wchar_t>;

inline int digit_value(wchar_t ch) {
    if (ch >= L'0' && ch <= L'9') return ch - L'0';
    if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
    return -1;
}

// A number for a parameter of type P: decimal, or hexadecimal after "0x"; a minus sign only
// where P has one; nothing after the digits; within P's range.
template <class P>
P number(const std::wstring& s) {
    using limits = std::numeric_limits<P>;
    const size_t minus = !s.empty() && s[0] == L'-';
    const bool hex = s.compare(minus, 2, L"0x") == 0 || s.compare(minus, 2, L"0X") == 0;
    const unsigned base = hex ? 16 : 10;
    size_t at = minus + (hex ? 2 : 0);
    bool ok = at < s.size();
    unsigned long long m = 0;
    for (; ok && at < s.size(); ++at) {
        const int d = digit_value(s[at]);
        ok = d >= 0 && unsigned(d) < base && m <= (~0ull - d) / base;
        m = m * base + d;
    }
    const unsigned long long top = minus ? 0ull - static_cast<unsigned long long>(limits::min()) : limits::max();
    if (!ok || m > top || (minus && !limits::is_signed))
        throw usage_error{L"not a number from " + std::to_wstring(limits::min()) + L" to " +
                          std::to_wstring(limits::max()) + L": " + quoted(s)};
    return static_cast<P>(minus ? 0 - m : m);
}

// An output buffer sized by the argument after it holds at most this many characters.
constexpr int largest_buffer = 1 << 16;
// Room that the tool keeps past the capacity it states, so the marker below always fits.
constexpr size_t slack = 16;
// What an output buffer holds before the call, so that a buffer left alone shows as such.
constexpr wchar_t untouched[] = L"(untouched)";

// Where a slot finds its argument.
struct place {
    context& c;
    size_t at;
};

// A parameter that takes no command-line argument and shows nothing.
struct fixed_slot {
    static constexpr size_t takes = 0;
    void show(std::vector<std::wstring>&) const {}
    const void* text() const { return nullptr; }
};
struct input_slot : fixed_slot {
    static constexpr size_t takes = 1;
};

// One parameter of type P; Next is the type of the parameter after it (void for the last);
// `edit` marks an adapter whose text buffer holds an argument on the way in.
template <class P, class Next, bool edit>
struct slot;

template <class P, class Next, bool edit>
    requires std::is_integral_v<P>
struct slot<P, Next, edit> : input_slot {
    P value;
    slot(place p) : value(number<P>(p.c.a[p.at])) {}
};

template <class C, class Next, bool edit>
    requires is_char<C>
struct slot<const C*, Next, edit> : input_slot {
    std::basic_string<C> s;
    const C* value;
    slot(place p) : s(text_of<C>::in(p.c.text_at(p.at))), value(s.c_str()) {}
    const void* text() const { return value; }
};

// A text buffer. In an edit it starts as the argument, else as the marker. An output buffer
// followed by a number parameter is sized by that number (the capacity the export is told);
// any other has room for a URL and for twice the longest argument (a double-byte text) and more.
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
        const auto first = text_of<C>::in(edit ? p.c.text_at(p.at) : untouched);
        buffer.assign(chars + 1, C());
        std::copy(first.begin(), first.end(), buffer.begin());
        value = buffer.data();
    }
    void show(std::vector<std::wstring>& outs) const { outs.push_back(quoted(text_of<C>::out(value))); }
    const void* text() const { return value; }
};

template <class Next, bool edit>
struct slot<DWORD*, Next, edit> : fixed_slot {
    DWORD out = 0;
    DWORD* value = &out;
    slot(place) {}
    void show(std::vector<std::wstring>& outs) const { outs.push_back(std::to_wstring(out)); }
};

// A predefined root key by its short or long name.
template <class Next, bool edit>
struct slot<HKEY, Next, edit> : input_slot {
    HKEY value = nullptr;
    slot(place p) {
        static const std::tuple<const wchar_t*, const wchar_t*, HKEY> roots[] = {
            {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER}, {L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
            {L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT}, {L"HKU", L"HKEY_USERS", HKEY_USERS}};
        for (const auto& [short_name, long_name, key] : roots)
            if (lstrcmpiW(p.c.a[p.at].c_str(), short_name) == 0 || lstrcmpiW(p.c.a[p.at].c_str(), long_name) == 0)
                value = key;
        if (!value) throw usage_error{L"not a root key (HKCU, HKLM, HKCR, HKU): " + p.c.a[p.at]};
    }
};

// A window: the control the adapter made, or none (an owner window may be NULL).
template <class Next, bool edit>
struct slot<HWND, Next, edit> : fixed_slot {
    HWND value;
    slot(place p) : value(p.c.window) {}
};

// A console has no window to measure in: a memory context with the default GUI font stands in,
// as for a program that lays out text before it draws it.
template <class Next, bool edit>
struct slot<HDC, Next, edit> : fixed_slot {
    keldanu::font_dc dc = keldanu::font_dc::memory(nullptr, GetStockObject(DEFAULT_GUI_FONT));
    HDC value = dc.get();
    slot(place) {}
};

// A module whose string table is used: a file loaded as data, or keldanu.exe itself for "".
template <class Next, bool edit>
struct slot<HINSTANCE, Next, edit> : input_slot {
    keldanu::loaded_module module;
    HINSTANCE value;
    slot(place p) : module(p.c.text_at(p.at).empty() ? nullptr : LoadLibraryExW(p.c.a[p.at].c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        value = p.c.a[p.at].empty() ? GetModuleHandleW(nullptr) : module.get();
        if (!value) throw usage_error{L"cannot load the module " + p.c.a[p.at]};
    }
};

// A result as text: a text pointer as its offset into the first text argument and the text
// there, another pointer (a handle) in hexadecimal, a number in decimal.
template <class R>
outcome shown_result(R r, const void* base) {
    outcome o;
    o.has_value = true;
    if constexpr (std::is_pointer_v<R>) {
        using C = std::remove_cv_t<std::remove_pointer_t<R>>;
        o.value = reinterpret_cast<INT_PTR>(r);
        wchar_t handle[16];
        swprintf(handle, std::size(handle), L"0x%08lx", static_cast<unsigned long>(o.value));
        if constexpr (is_char<C>)
            o.text = !r ? L"NULL" : L"offset " + std::to_wstring(r - static_cast<const C*>(base)) + L": " + quoted(text_of<C>::out(r));
        else
            o.text = handle;
    } else {
        o.value = static_cast<long long>(r);
        o.text = std::to_wstring(r);
    }
    return o;
}

// Calls fn with one slot per parameter. The arguments each slot takes are counted before any
// slot is made, so a wrong count is refused before anything is opened or called.
template <bool edit, class R, class... P, size_t... I>
outcome call_with(R(WINAPI* fn)(P...), context& c, std::index_sequence<I...>) {
    using next = std::tuple<P..., void>;
    constexpr size_t takes[] = {slot<P, std::tuple_element_t<I + 1, next>, edit>::takes..., 0};
    size_t at[sizeof...(P) + 1] = {};
    for (size_t i = 0; i < sizeof...(P); ++i) at[i + 1] = at[i] + takes[i];
    if (c.a.size() != at[sizeof...(P)] + c.trailing)
        throw usage_error{L"takes " + std::to_wstring(at[sizeof...(P)] + c.trailing) + L" arguments"};
    std::tuple<slot<P, std::tuple_element_t<I + 1, next>, edit>...> slots(place{c, at[I]}...);
    outcome o;
    const void* base = nullptr;
    std::apply([&](auto&... s) { ((base = base ? base : s.text()), ...); }, slots);
    if constexpr (std::is_void_v<R>)
        std::apply([&](auto&... s) { fn(s.value...); }, slots);
    else
        o = shown_result(std::apply([&](auto&... s) { return fn(s.value...); }, slots), base);
    std::apply([&](auto&... s) { (s.show(o.outputs), ...); }, slots);
    return o;
}

template <bool edit, class R, class... P>
outcome call_typed(R(WINAPI* fn)(P...), context& c) {
    return call_with<edit>(fn, c, std::index_sequence_for<P...>{});
}

// Texts and numbers in, the result and any output buffers and numbers out.
template <class F>
outcome call(context& c, FARPROC fn) {
    return call_typed<false>(reinterpret_cast<F>(fn), c);
}

// The same, with the text buffer holding an argument on the way in: a path or URL edited in place.
template <class F>
outcome edit(context& c, FARPROC fn) {
    return call_typed<true>(reinterpret_cast<F>(fn), c);
}

// A stub: called with zeros, which it never reads.
template <class R, class... P>
outcome call_zeros(R(WINAPI* fn)(P...), context& c) {
    if (!c.a.empty()) throw usage_error{L"takes no arguments"};
    if constexpr (std::is_void_v<R>) {
        fn(P{}...);
        return {};
    } else {
        return shown_result(fn(P{}...), nullptr);
    }
}
template <class F>
outcome stub(context& c, FARPROC fn) {
    return call_zeros(reinterpret_cast<F>(fn), c);
}

// A hidden top-level window with one control, for the exports that work on a dialog item or
// a combo box; the window goes, and its control with it, when the call is shown.
inline void destroy_window(HWND window) { DestroyWindow(window); }
using window = keldanu::unique_handle<HWND, destroy_window>;
constexpr int control_id = 1;
struct hidden_control {
    window parent{CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr)};
    HWND control;
    hidden_control(const wchar_t* window_class, DWORD style, int width)
        : control(CreateWindowExW(0, window_class, L"", WS_CHILD | style, 0, 0, width, 200, parent.get(),
                                  reinterpret_cast<HMENU>(control_id), nullptr, nullptr)) {}
};

// PathSetDlgItemPath: ID PATH WIDTH, on a dialog whose one static item is WIDTH pixels wide and
// has the id 1; the item's text is shown after the call.
template <class F>
outcome dialog_item(context& c, FARPROC fn) {
    c.trailing = 1;
    if (c.a.empty()) throw usage_error{L"takes 3 arguments"};
    hidden_control item(L"STATIC", SS_LEFT, number<int>(c.a.back()));
    c.window = item.parent.get();
    outcome o = call_typed<false>(reinterpret_cast<F>(fn), c);
    wchar_t shown[keldanu::path_chars] = {};
    GetWindowTextW(item.control, shown, keldanu::path_chars);
    o.outputs.push_back(quoted(shown));
    return o;
}

// The combo-box exports, on a hidden drop-down combo box that first holds LIST ("|" between
// entries) and, for the save, the edit text EDIT; the list is shown after the call.
template <class F, bool with_edit>
outcome combo_with(context& c, FARPROC fn) {
    c.trailing = with_edit ? 2 : 1;
    if (c.a.size() < c.trailing) throw usage_error{L"needs LIST" + std::wstring(with_edit ? L" EDIT" : L"")};
    hidden_control box(L"COMBOBOX", CBS_DROPDOWN, 200);
    const std::wstring& list = c.text_at(c.a.size() - c.trailing);
    for (size_t from = 0, bar; from < list.size(); from = bar + 1) {
        bar = std::min(list.find(L'|', from), list.size());
        if (bar > from) SendMessageW(box.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list.substr(from, bar - from).c_str()));
    }
    if (with_edit) SetWindowTextW(box.control, c.text_at(c.a.size() - 1).c_str());
    c.window = box.control;
    outcome o = call_typed<false>(reinterpret_cast<F>(fn), c);
    const LRESULT count = SendMessageW(box.control, CB_GETCOUNT, 0, 0);
    const LRESULT selected = SendMessageW(box.control, CB_GETCURSEL, 0, 0);
    std::wstring shown = L"[";
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(SendMessageW(box.control, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
        SendMessageW(box.control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        shown += (i ? L", " : L"") + quoted(entry.c_str()) + (i == selected ? L" (selected)" : L"");
    }
    o.outputs.push_back(shown + L"]");
    return o;
}
template <class F>
outcome combo(context& c, FARPROC fn) {
    return combo_with<F, false>(c, fn);
}
template <class F>
outcome combo_edit(context& c, FARPROC fn) {
    return combo_with<F, true>(c, fn);
}

}  // namespace tool
