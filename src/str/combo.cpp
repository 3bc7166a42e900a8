// Combo-box helpers: a list filled from one "|"-separated string resource, and a most-recently-
// used history kept in the registry as values named 0, 1, 2, ... under a caller's key.
// Platform services: LoadStringA/W, SendMessageA/W with the combo-box messages, GetWindowTextA/W
// (USER32); RegOpenKeyExA/W and RegCloseKey (ADVAPI32); the registry text routines of
// profile.cpp.
#include "shell/shell_internal.h"
#include "str/str_internal.h"

#include <iterator>
#include <memory>

namespace keldanu {

namespace {

// A string resource is loaded whole into this many characters; the loader cuts a longer one.
constexpr int resource_chars = 2048;
// History entries and the edit text pass through path-sized buffers: 259 characters at most.
constexpr int entry_chars = MAX_PATH;
// Room for a value name: an int in decimal.
constexpr int value_name_chars = 12;

template <class T>
LRESULT send(HWND combo, UINT message, WPARAM w, LPARAM l) {
    if constexpr (T::wide)
        return SendMessageW(combo, message, w, l);
    else
        return SendMessageA(combo, message, w, l);
}

template <class T>
LRESULT send_text(HWND combo, UINT message, WPARAM w, const typename T::ch* text) {
    return send<T>(combo, message, w, reinterpret_cast<LPARAM>(text));
}

template <class T>
int load_resource(HINSTANCE module, UINT id, typename T::ch* buf, int chars) {
    if constexpr (T::wide)
        return LoadStringW(module, id, buf, chars);
    else
        return LoadStringA(module, id, buf, chars);
}

template <class T>
int window_text(HWND window, typename T::ch* buf, int chars) {
    if constexpr (T::wide)
        return GetWindowTextW(window, buf, chars);
    else
        return GetWindowTextA(window, buf, chars);
}

// The value name for history index i: i in decimal, no leading zeros.
template <class T>
void value_name(int i, typename T::ch* out) {
    typename T::ch digits[value_name_chars];
    int n = 0;
    unsigned v = static_cast<unsigned>(i);
    do {
        digits[n++] = static_cast<typename T::ch>('0' + v % 10);
        v /= 10;
    } while (v);
    while (n) *out++ = digits[--n];
    *out = 0;
}

// The index of the first entry equal to `text` (ignoring case), or CB_ERR. The combo box's own
// search never matches an empty entry, so the empty text is looked for by length instead.
template <class T>
LRESULT find_entry(HWND combo, const typename T::ch* text) {
    if (*text) return send_text<T>(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text);
    const LRESULT count = send<T>(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (send<T>(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) == 0) return i;
    return CB_ERR;
}

// Copies list entry i into `out` (capacity entry_chars), cut to entry_chars - 1 characters:
// an entry that the application added itself may be longer than a history entry can be.
// CB_GETLBTEXT has no capacity, so the entry is fetched into a buffer of its own length.
template <class T>
bool entry_text(HWND combo, LRESULT i, typename T::ch* out) {
    using ch = typename T::ch;
    const LRESULT len = send<T>(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (len < 0) return false;
    if (len < entry_chars) {
        out[0] = 0;
        return send_text<T>(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), out) != CB_ERR;
    }
    std::unique_ptr<ch[]> whole(new ch[static_cast<size_t>(len) + 1]());
    if (send_text<T>(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), whole.get()) == CB_ERR) return false;
    T::copy_n(out, whole.get(), entry_chars);
    return true;
}

template <class T>
bool key_exists(HKEY key, const typename T::ch* sub_key) {
    HKEY opened = nullptr;
    LSTATUS status;
    if constexpr (T::wide)
        status = RegOpenKeyExW(key, sub_key, 0, KEY_QUERY_VALUE, &opened);
    else
        status = RegOpenKeyExA(key, sub_key, 0, KEY_QUERY_VALUE, &opened);
    if (status != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

}  // namespace

template <class T>
BOOL combo_fill(HINSTANCE module, HWND combo, UINT string_id, int select) {
    using ch = typename T::ch;
    ch list[resource_chars] = {};
    load_resource<T>(module, string_id, list, resource_chars);

    // Cut the list at each "|" in place; empty pieces (runs of "|", a "|" at either end)
    // add nothing. The A form steps by characters: in a double-byte code page a trail byte
    // may have the value of "|" and does not separate anything.
    ch* item = list;
    ch* p = list;
    for (;;) {
        if (*p != 0 && *p != '|') {
            p = T::next(p);
            continue;
        }
        const bool end = *p == 0;
        *p = 0;
        if (*item) send_text<T>(combo, CB_ADDSTRING, 0, item);
        if (end) break;
        item = ++p;
    }
    if (select != -1) send<T>(combo, CB_SETCURSEL, static_cast<WPARAM>(select), 0);
    return TRUE;
}

template <class T>
void combo_read_history(HWND combo, HKEY key, const typename T::ch* sub_key, int max_entries) {
    using ch = typename T::ch;
    if (max_entries <= 0 || !sub_key) return;
    // Without the key every value reads as empty and nothing would be added: stop before
    // asking for each of max_entries values one by one.
    if (!key_exists<T>(key, sub_key)) return;
    for (int i = 0; i < max_entries; ++i) {
        ch name[value_name_chars];
        value_name<T>(i, name);
        ch entry[entry_chars];
        profile_get_string<T>(key, sub_key, name, KELDANU_TEXT(T, ""), entry, entry_chars);
        // A missing value reads as empty and is skipped; the loop goes on past gaps.
        if (*entry && find_entry<T>(combo, entry) == CB_ERR) send_text<T>(combo, CB_ADDSTRING, 0, entry);
    }
}

template <class T>
void combo_save_history(HWND combo, HKEY key, const typename T::ch* sub_key, int max_entries) {
    using ch = typename T::ch;
    ch text[entry_chars] = {};
    window_text<T>(combo, text, entry_chars);

    // The edit text moves to the top: its old place in the list goes first, even for the
    // empty text, which then is not put back.
    const LRESULT found = find_entry<T>(combo, text);
    if (found >= 0) send<T>(combo, CB_DELETESTRING, static_cast<WPARAM>(found), 0);
    if (*text) {
        send_text<T>(combo, CB_INSERTSTRING, 0, text);
        send<T>(combo, CB_SETCURSEL, 0, 0);
    }

    // Only the stored history is limited to max_entries; the list keeps all its entries, and
    // values at higher indexes stay as they were.
    const LRESULT count = send<T>(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count && i < max_entries; ++i) {
        ch entry[entry_chars];
        if (!entry_text<T>(combo, i, entry)) continue;
        ch name[value_name_chars];
        value_name<T>(i, name);
        profile_write_string<T>(key, sub_key, name, entry);
    }
}

template BOOL combo_fill<ansi_text>(HINSTANCE, HWND, UINT, int);
template BOOL combo_fill<wide_text>(HINSTANCE, HWND, UINT, int);
template void combo_read_history<ansi_text>(HWND, HKEY, const char*, int);
template void combo_read_history<wide_text>(HWND, HKEY, const wchar_t*, int);
template void combo_save_history<ansi_text>(HWND, HKEY, const char*, int);
template void combo_save_history<wide_text>(HWND, HKEY, const wchar_t*, int);

}  // namespace keldanu
