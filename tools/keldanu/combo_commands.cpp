// keldanu.exe commands for the combo-box helpers. A console has no dialog, so each command
// works on a hidden combo box of its own and prints the list it ends up with.
#include "commands.h"

#include "keldanu.h"

#include <iterator>

namespace {

using namespace tool;

// A hidden drop-down combo box (list and edit field) in a hidden parent window.
class hidden_combo {
public:
    hidden_combo() {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
        combo_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWN, 0, 0, 200, 200, parent_, nullptr, nullptr, nullptr);
    }
    ~hidden_combo() {
        if (parent_) DestroyWindow(parent_);
    }
    hidden_combo(const hidden_combo&) = delete;
    hidden_combo& operator=(const hidden_combo&) = delete;
    HWND get() const { return combo_; }

    void add(const std::wstring& text) const { SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    void set_edit(const std::wstring& text) const { SetWindowTextW(combo_, text.c_str()); }

    // The list as "a", "b", ... with the selected entry marked.
    std::wstring show() const {
        std::wstring shown = L"[";
        const LRESULT count = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
        const LRESULT selected = SendMessageW(combo_, CB_GETCURSEL, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring text(SendMessageW(combo_, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
            SendMessageW(combo_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            if (i) shown += L", ";
            shown += quoted(text.c_str());
            if (i == selected) shown += L" (selected)";
        }
        return shown + L"]";
    }

private:
    HWND parent_ = nullptr;
    HWND combo_ = nullptr;
};

HKEY root(const std::wstring& name) {
    if (lstrcmpiW(name.c_str(), L"HKCU") == 0) return HKEY_CURRENT_USER;
    if (lstrcmpiW(name.c_str(), L"HKLM") == 0) return HKEY_LOCAL_MACHINE;
    out_line(L"keldanu: unknown root key " + name + L" (HKCU or HKLM)");
    return nullptr;
}

// MODULE is a file whose string table is used ("" for keldanu.exe itself).
template <bool wide>
int fill(const args& a) {
    HMODULE module = a[0].empty() ? GetModuleHandleW(nullptr) : LoadLibraryExW(a[0].c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        out_line(L"keldanu: cannot load " + a[0]);
        return 2;
    }
    hidden_combo combo;
    const UINT id = static_cast<UINT>(parse_number(a[1]));
    const int select = static_cast<int>(parse_number(a[2]));
    const BOOL ok = wide ? StrFillComboWithStringsW(module, combo.get(), id, select)
                         : StrFillComboWithStringsA(module, combo.get(), id, select);
    out_line(number(ok) + L" " + combo.show());
    if (!a[0].empty()) FreeLibrary(module);
    return 0;
}

template <bool wide>
int read_history(const args& a) {
    const HKEY key = root(a[0]);
    if (!key) return 2;
    hidden_combo combo;
    for (size_t i = 3; i < a.size(); ++i) combo.add(a[i]);
    const int max_entries = static_cast<int>(parse_number(a[2]));
    if (wide)
        StrReadComboHistoryW(combo.get(), key, a[1].c_str(), max_entries);
    else
        StrReadComboHistoryA(combo.get(), key, to_acp(a[1]).c_str(), max_entries);
    out_line(combo.show());
    return 0;
}

template <bool wide>
int save_history(const args& a) {
    const HKEY key = root(a[0]);
    if (!key) return 2;
    hidden_combo combo;
    for (size_t i = 4; i < a.size(); ++i) combo.add(a[i]);
    combo.set_edit(a[3]);
    const int max_entries = static_cast<int>(parse_number(a[2]));
    if (wide)
        StrSaveComboHistoryW(combo.get(), key, a[1].c_str(), max_entries);
    else
        StrSaveComboHistoryA(combo.get(), key, to_acp(a[1]).c_str(), max_entries);
    out_line(combo.show());
    return 0;
}

const command commands[] = {
    {"StrFillComboWithStringsA", "MODULE STRING_ID SELECT", 3, fill<false>},
    {"StrFillComboWithStringsW", "MODULE STRING_ID SELECT", 3, fill<true>},
    {"StrReadComboHistoryA", "ROOT SUBKEY MAX [ENTRY...]", 3, read_history<false>},
    {"StrReadComboHistoryW", "ROOT SUBKEY MAX [ENTRY...]", 3, read_history<true>},
    {"StrSaveComboHistoryA", "ROOT SUBKEY MAX EDIT_TEXT [ENTRY...]", 4, save_history<false>},
    {"StrSaveComboHistoryW", "ROOT SUBKEY MAX EDIT_TEXT [ENTRY...]", 4, save_history<true>},
};

void tour() {
    const wchar_t sub[] = L"Software\\KeldanuTour\\History";
    {
        hidden_combo combo;
        for (const wchar_t* e : {L"a.txt", L"b.txt", L"c.txt"}) combo.add(e);
        combo.set_edit(L"B.TXT");
        out_line(L"  list " + combo.show() + L", edit text \"B.TXT\"");
        StrSaveComboHistoryW(combo.get(), HKEY_CURRENT_USER, sub, 2);
        show_call(L"StrSaveComboHistoryW(combo, HKCU, " + quoted(sub) + L", 2)", L"list " + combo.show());
    }
    for (const wchar_t* name : {L"0", L"1", L"2"}) {
        wchar_t value[MAX_PATH];
        const BOOL ok = ShlGetProfileStringW(HKEY_CURRENT_USER, sub, name, L"", value, MAX_PATH);
        out_line(L"    value " + std::wstring(name) + L": " + (ok ? quoted(value) : std::wstring(L"(none)")));
    }
    {
        hidden_combo combo;
        combo.add(L"b.txt");
        out_line(L"  list " + combo.show());
        StrReadComboHistoryW(combo.get(), HKEY_CURRENT_USER, sub, 10);
        show_call(L"StrReadComboHistoryW(combo, HKCU, " + quoted(sub) + L", 10)",
                  L"list " + combo.show() + L" (B.TXT matched b.txt)");
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, sub);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KeldanuTour");
}

const command_group group(90, "Combo boxes", commands, std::size(commands), tour);

}  // namespace
