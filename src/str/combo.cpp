// Combo-box helpers: a list filled from one "|"-separated string resource, and a most-recently-
// used history kept in the registry as values named 0, 1, 2, ... under a caller's key. History
// entries and the edit text pass through path-sized buffers: 259 characters at most.
#include "frame/guards.h"
#include "frame/limits.h"
#include "shell/shell_internal.h"
#include "str/str_internal.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace keldanu {

namespace {

// A string resource is loaded whole into this many characters; the loader cuts a longer one.
constexpr int resource_chars = 2048;
// Room for a value name: the decimal digits of an int and the terminator.
constexpr int value_name_chars = std::numeric_limits<int>::digits10 + 2;

template <class T>
LRESULT send_text(HWND combo, UINT message, WPARAM w, const typename T::ch* text) {
    return T::send(combo, message, w, reinterpret_cast<LPARAM>(text));
}

// The history index that value name `name` stands for, or -1 when it stands for none below
// `limit`: the names are decimal digits without leading zeros, as put_decimal writes them.
template <class T>
int index_of_name(const typename T::ch* name, int limit) {
    if (!*name || (name[0] == '0' && name[1])) return -1;
    long long index = 0;
    for (const typename T::ch* p = name; *p; ++p) {
        if (*p < '0' || *p > '9') return -1;
        index = index * 10 + (*p - '0');
        if (index >= limit) return -1;
    }
    return static_cast<int>(index);
}

// The index of the first entry equal to `text` (ignoring case), or CB_ERR. The combo box's own
// search (CB_FINDSTRINGEXACT) never matches an empty entry, yet an empty edit text must remove
// one; so the empty text is looked for by length, with CB_GETCOUNT and CB_GETLBTEXTLEN.
template <class T>
LRESULT find_entry(HWND combo, const typename T::ch* text) {
    if (*text) return send_text<T>(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text);
    const LRESULT count = T::send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (T::send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) == 0) return i;
    return CB_ERR;
}

// Copies list entry i into `out` (path_chars characters). CB_GETLBTEXT takes no capacity and
// need not end what it writes (an owner-drawn combo without strings writes its 4 bytes of item
// data and nothing more), so the entry is fetched into a zeroed heap block one character longer
// than the length CB_GETLBTEXTLEN reported, which ends it there whatever was written. A longer
// entry than a history entry can be is cut after its last whole character within 259. False
// when the entry cannot be had (CB_ERR, or no memory for its length): it is then not stored.
template <class T>
bool entry_text(HWND combo, int i, typename T::ch* out) {
    using ch = typename T::ch;
    const LRESULT len = T::send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (len < 0 || static_cast<size_t>(len) >= SIZE_MAX / sizeof(ch)) return false;
    const heap_block whole(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (static_cast<size_t>(len) + 1) * sizeof(ch)));
    if (!whole) return false;
    ch* text = static_cast<ch*>(whole.get());
    if (send_text<T>(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), text) == CB_ERR) return false;
    text[len] = 0;
    // Stepping by characters keeps a double-byte character whole or leaves it out.
    const ch* end = text;
    for (const ch* next = T::next(end); next != end && next - text <= longest_path; next = T::next(end)) end = next;
    T::copy_n(out, text, static_cast<int>(end - text) + 1);
    return true;
}

// Appends history value `index` unless it is empty, unreadable or already in the list.
template <class T>
void add_stored_entry(HWND combo, HKEY key, const typename T::ch* sub_key, int index) {
    using ch = typename T::ch;
    ch name[value_name_chars];
    put_decimal<T>(name, static_cast<ULONG>(index));
    ch entry[path_chars];
    profile_get_string<T>(key, sub_key, name, KELDANU_TEXT(T, ""), entry, path_chars);
    // A value that cannot be read comes back as the empty default and is skipped.
    if (*entry && find_entry<T>(combo, entry) == CB_ERR) send_text<T>(combo, CB_ADDSTRING, 0, entry);
}

}  // namespace

template <class T>
BOOL combo_fill(HINSTANCE module, HWND combo, UINT string_id, int select) {
    using ch = typename T::ch;
    ch list[resource_chars] = {};
    T::load_string(module, string_id, list, resource_chars);

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
    if (select != -1) T::send(combo, CB_SETCURSEL, static_cast<WPARAM>(select), 0);
    return TRUE;
}

template <class T>
void combo_read_history(HWND combo, HKEY key, const typename T::ch* sub_key, int max_entries) {
    using ch = typename T::ch;
    if (max_entries <= 0 || !sub_key) return;
    // The reads cost the smaller of max_entries and the number of values in the key: indexes
    // 0 .. max_entries - 1 are read directly when the key holds at least as many values;
    // otherwise the few that it holds are learnt once from the names of its values. A missing
    // key holds nothing. The values themselves are read by the profile reader.
    registry_key history;
    if (T::reg_open(key, sub_key, KEY_QUERY_VALUE, history.put()) != ERROR_SUCCESS) return;
    DWORD values = 0;
    if (T::reg_value_count(history.get(), &values) != ERROR_SUCCESS || values == 0) return;
    if (static_cast<DWORD>(max_entries) <= values) {
        for (int i = 0; i < max_entries; ++i) add_stored_entry<T>(combo, key, sub_key, i);
        return;
    }
    // Without memory for the list of indexes (or with too many values to size one) no value
    // can be read: each counts as unreadable.
    if (values > SIZE_MAX / sizeof(int)) return;
    const heap_block block(HeapAlloc(GetProcessHeap(), 0, static_cast<size_t>(values) * sizeof(int)));
    if (!block) return;
    int* const indexes = static_cast<int*>(block.get());
    // Values added since the count are left out; those removed since simply read as empty. A
    // name longer than any index does not fit the name buffer and is passed over.
    int n = 0;
    for (DWORD i = 0; static_cast<DWORD>(n) < values; ++i) {
        ch name[value_name_chars];
        DWORD chars = value_name_chars;
        const LSTATUS status = T::reg_value_name(history.get(), i, name, &chars);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) break;
        const int index = index_of_name<T>(name, max_entries);
        if (index >= 0) indexes[n++] = index;
    }
    std::sort(indexes, indexes + n);
    for (int k = 0; k < n; ++k) add_stored_entry<T>(combo, key, sub_key, indexes[k]);
}

template <class T>
void combo_save_history(HWND combo, HKEY key, const typename T::ch* sub_key, int max_entries) {
    using ch = typename T::ch;
    ch text[path_chars] = {};
    T::window_text(combo, text, path_chars);

    // The edit text moves to the top: its old place in the list goes first, even for the
    // empty text, which then is not put back.
    const LRESULT found = find_entry<T>(combo, text);
    if (found >= 0) T::send(combo, CB_DELETESTRING, static_cast<WPARAM>(found), 0);
    if (*text) {
        send_text<T>(combo, CB_INSERTSTRING, 0, text);
        T::send(combo, CB_SETCURSEL, 0, 0);
    }

    // Only the stored history is limited to max_entries; the list keeps all its entries, and
    // values at higher indexes stay as they were.
    const LRESULT count = T::send(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count && i < max_entries; ++i) {
        ch entry[path_chars];
        if (!entry_text<T>(combo, i, entry)) continue;
        ch name[value_name_chars];
        put_decimal<T>(name, static_cast<ULONG>(i));
        profile_write_string<T>(key, sub_key, name, entry);
    }
}

#define INSTANTIATE(T)                                                  \
    template BOOL combo_fill<T>(HINSTANCE, HWND, UINT, int);            \
    template void combo_read_history<T>(HWND, HKEY, const T::ch*, int); \
    template void combo_save_history<T>(HWND, HKEY, const T::ch*, int);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
