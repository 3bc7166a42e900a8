// Combo-box lists and history on a real combo box in a window, with string tables from
// combo_test.rc and history values in a registry key of the test's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "keldanu.h"
#include "support/scratch_key.h"
#include "support/support.h"

namespace {

using test::scratch_key;
using test::widen;
using list = std::vector<std::string>;

// The string ids of combo_test.rc.
constexpr UINT red_green_blue = 101;  // Red|Green||Blue|
constexpr UINT only_bars = 102;       // |||
constexpr UINT one = 103;             // One
constexpr UINT double_byte = 104;     // three items whose first holds a trail byte "|" in 932
constexpr UINT long_list = 105;       // i000|i001|...|i409: 2049 characters
constexpr UINT missing = 999;

// A parent window holding a drop-down combo box (list and edit field), gone with the object.
class combo_window {
public:
    combo_window() {
        parent_ = CreateWindowExW(0, L"STATIC", L"combo test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        combo_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, 10, 10,
                                 200, 200, parent_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~combo_window() { DestroyWindow(parent_); }
    combo_window(const combo_window&) = delete;
    combo_window& operator=(const combo_window&) = delete;

    HWND get() const { return combo_; }

    void set(const list& entries) const {
        SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
        for (const auto& e : entries) SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(e).c_str()));
    }
    void set_edit(const std::string& text) const { SetWindowTextW(combo_, widen(text).c_str()); }

    std::vector<std::wstring> wide_entries() const {
        std::vector<std::wstring> out;
        const LRESULT count = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring text(SendMessageW(combo_, CB_GETLBTEXTLEN, i, 0), L'\0');
            std::vector<wchar_t> buf(text.size() + 1);
            SendMessageW(combo_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buf.data()));
            out.emplace_back(buf.data());
        }
        return out;
    }
    list entries() const {
        list out;
        for (const auto& w : wide_entries()) out.emplace_back(w.begin(), w.end());
        return out;
    }
    LRESULT selection() const { return SendMessageW(combo_, CB_GETCURSEL, 0, 0); }

private:
    HWND parent_ = nullptr;
    HWND combo_ = nullptr;
};

// ---- filling from a string resource ----

struct fill_row {
    list before;
    int select_before;
    UINT id;
    int select;
    list after;
    int selected;
    const char* why;
};

const fill_row fill_rows[] = {
    {{}, -1, red_green_blue, -1, {"Red", "Green", "Blue"}, -1, "empty pieces add nothing"},
    {{}, -1, red_green_blue, 1, {"Red", "Green", "Blue"}, 1, "select 1 selects Green"},
    {{"Old"}, 0, red_green_blue, -1, {"Old", "Red", "Green", "Blue"}, 0, "appended, the selection left alone"},
    {{"Old"}, -1, only_bars, -1, {"Old"}, -1, "a resource of separators only adds nothing"},
    {{}, -1, one, 0, {"One"}, 0, "a resource without separators is one item"},
    {{"Old"}, -1, missing, -1, {"Old"}, -1, "a missing resource adds nothing"},
};

TEST(ComboFill, ItemsSelectionAndMissingResources) {
    combo_window combo;
    for (bool wide : {false, true}) {
        for (const auto& row : fill_rows) {
            SCOPED_TRACE(std::string(wide ? "W: " : "A: ") + row.why);
            combo.set(row.before);
            SendMessageW(combo.get(), CB_SETCURSEL, row.select_before, 0);
            const HINSTANCE module = GetModuleHandleW(nullptr);
            const BOOL result = wide ? StrFillComboWithStringsW(module, combo.get(), row.id, row.select)
                                     : StrFillComboWithStringsA(module, combo.get(), row.id, row.select);
            EXPECT_EQ(result, TRUE);
            EXPECT_EQ(combo.entries(), row.after);
            EXPECT_EQ(combo.selection(), row.selected);
        }
    }
}

TEST(ComboFill, ResourceIsCutAt2047Characters) {
    combo_window combo;
    list expected;
    for (int i = 0; i < 409; ++i) {
        char item[8];
        wsprintfA(item, "i%03d", i);
        expected.push_back(item);
    }
    expected.push_back("i4");  // the 410th item loses the two characters past 2047
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "W" : "A");
        combo.set({});
        if (wide)
            StrFillComboWithStringsW(GetModuleHandleW(nullptr), combo.get(), long_list, -1);
        else
            StrFillComboWithStringsA(GetModuleHandleW(nullptr), combo.get(), long_list, -1);
        EXPECT_EQ(combo.entries(), expected);
    }
}

TEST(ComboFillCp932, TrailByteBarDoesNotSplit) {
    ASSERT_EQ(GetACP(), 932u);
    combo_window combo;
    StrFillComboWithStringsA(GetModuleHandleW(nullptr), combo.get(), double_byte, -1);
    const std::vector<std::wstring> expected = {L"\x30DD", L"\x8868\x793A", L"\x30DD\x30DD"};
    EXPECT_EQ(combo.wide_entries(), expected);
}

// ---- reading the history ----

using values = std::map<std::string, std::string>;  // value name -> stored text

struct read_row {
    values stored;
    list before;
    int max_entries;
    list after;
    const char* why;
};

const std::string too_long(300, 'x');

const read_row read_rows[] = {
    {{{"0", "new.txt"}, {"1", "old.txt"}, {"3", "new.txt"}}, {}, 4, {"new.txt", "old.txt"}, "gaps and duplicates skipped"},
    {{{"0", "NEW.TXT"}, {"1", "b"}}, {"new.txt"}, 4, {"new.txt", "b"}, "a duplicate in other case is not added"},
    {{{"0", "a"}, {"1", ""}, {"2", "b"}}, {}, 3, {"a", "b"}, "an empty value is skipped"},
    {{{"0", "a"}, {"5", "b"}}, {}, 5, {"a"}, "value 5 is beyond 5 entries"},
    {{{"0", "a"}, {"5", "b"}}, {}, 6, {"a", "b"}, "the loop goes on past gaps"},
    {{{"0", "a"}, {"10", "ten"}, {"01", "zero-one"}}, {}, 11, {"a", "ten"}, "names are decimal without leading zeros"},
    {{{"0", too_long}, {"1", "ok"}}, {}, 2, {"ok"}, "a value too long for an entry is skipped"},
    {{{"0", "a"}}, {"z"}, 0, {"z"}, "0 entries read nothing"},
    {{{"0", "a"}}, {"z"}, -1, {"z"}, "a negative count reads nothing"},
};

TEST(ComboReadHistory, AppendsStoredEntries) {
    combo_window combo;
    for (bool wide : {false, true}) {
        for (const auto& row : read_rows) {
            SCOPED_TRACE(std::string(wide ? "W: " : "A: ") + row.why);
            scratch_key key(L"combo-read");
            for (const auto& [name, text] : row.stored) key.set_text(L"h", widen(name).c_str(), widen(text));
            combo.set(row.before);
            if (wide)
                StrReadComboHistoryW(combo.get(), key.root(), key.path(L"h").c_str(), row.max_entries);
            else
                StrReadComboHistoryA(combo.get(), key.root(), key.path_a(L"h").c_str(), row.max_entries);
            EXPECT_EQ(combo.entries(), row.after);
        }
    }
}

// The history read on a thread of its own, with a combo box of that thread's own, so that a
// read that never ends fails the test instead of hanging it.
struct bounded_read {
    bool wide;
    HKEY root;
    std::wstring sub_key;
    int max_entries;
    list entries;

    static DWORD WINAPI run(void* param) {
        auto* r = static_cast<bounded_read*>(param);
        combo_window combo;
        if (r->wide)
            StrReadComboHistoryW(combo.get(), r->root, r->sub_key.c_str(), r->max_entries);
        else
            StrReadComboHistoryA(combo.get(), r->root, test::acp_from_wide(r->sub_key).c_str(), r->max_entries);
        r->entries = combo.entries();
        return 0;
    }
};

TEST(ComboReadHistory, AnyCountCostsWhatIsStored) {
    scratch_key key(L"combo-many");
    // Stored in this order; the read goes by index, whatever order the registry lists them in.
    key.set_text(L"h", L"2147483646", L"last");
    key.set_text(L"h", L"99", L"middle");
    key.set_text(L"h", L"0", L"first");
    key.set_text(L"h", L"2147483647", L"beyond");
    key.set_text(L"h", L"00", L"leading zero");
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "W" : "A");
        bounded_read read{wide, key.root(), key.path(L"h"), INT_MAX, {}};
        const HANDLE thread = CreateThread(nullptr, 0, bounded_read::run, &read, 0, nullptr);
        ASSERT_EQ(WaitForSingleObject(thread, 60000), WAIT_OBJECT_0) << "the read did not end within a minute";
        CloseHandle(thread);
        EXPECT_EQ(read.entries, (list{"first", "middle", "last"}));
    }
}

TEST(ComboReadHistory, MissingKeyAddsNothing) {
    combo_window combo;
    scratch_key key(L"combo-missing");
    combo.set({"z"});
    StrReadComboHistoryA(combo.get(), key.root(), key.path_a(L"none").c_str(), 1000000);
    StrReadComboHistoryW(combo.get(), key.root(), nullptr, 4);
    EXPECT_EQ(combo.entries(), list{"z"});
    EXPECT_FALSE(key.exists(L"none"));
}

// ---- saving the history ----

struct save_row {
    list before;
    std::string edit;
    int max_entries;
    list after;
    int selected;                                       // -1: the selection is not set
    std::map<std::string, std::optional<std::string>> stored;  // nullopt: no such value
    const char* why;
};

const save_row save_rows[] = {
    {{"a", "b", "c"}, "b", 3, {"b", "a", "c"}, 0, {{"0", "b"}, {"1", "a"}, {"2", "c"}, {"3", std::nullopt}}, "b moves to the top"},
    {{"a", "b", "c"}, "b", 2, {"b", "a", "c"}, 0, {{"0", "b"}, {"1", "a"}, {"2", std::nullopt}}, "only 2 values stored, the list keeps 3"},
    {{"a", "b"}, "B", 5, {"B", "a"}, 0, {{"0", "B"}, {"1", "a"}, {"2", std::nullopt}}, "B replaces b"},
    {{"a"}, "new", 5, {"new", "a"}, 0, {{"0", "new"}, {"1", "a"}}, "a new text is inserted"},
    {{"a", "b"}, "", 5, {"a", "b"}, -1, {{"0", "a"}, {"1", "b"}}, "an empty edit text stores the list unchanged"},
    {{"a", "", "b"}, "", 5, {"a", "b"}, -1, {{"0", "a"}, {"1", "b"}}, "an empty edit text removes an empty entry"},
    {{"a", "b"}, "c", 0, {"c", "a", "b"}, 0, {{"0", std::nullopt}}, "0 entries: the list changes, nothing is stored"},
    {{}, "", 5, {}, -1, {{"0", std::nullopt}}, "nothing to store"},
};

TEST(ComboSaveHistory, MovesEditTextToTopAndStores) {
    combo_window combo;
    for (bool wide : {false, true}) {
        for (const auto& row : save_rows) {
            SCOPED_TRACE(std::string(wide ? "W: " : "A: ") + row.why);
            scratch_key key(L"combo-save");
            combo.set(row.before);
            combo.set_edit(row.edit);
            if (wide)
                StrSaveComboHistoryW(combo.get(), key.root(), key.path(L"h").c_str(), row.max_entries);
            else
                StrSaveComboHistoryA(combo.get(), key.root(), key.path_a(L"h").c_str(), row.max_entries);
            EXPECT_EQ(combo.entries(), row.after);
            EXPECT_EQ(combo.selection(), row.selected);
            for (const auto& [name, text] : row.stored) {
                SCOPED_TRACE("value " + name);
                const auto v = key.get(L"h", widen(name).c_str());
                EXPECT_EQ(v.present, text.has_value());
                if (v.present && text) {
                    EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
                    EXPECT_EQ(v.text(), widen(*text));
                }
            }
        }
    }
}

TEST(ComboSaveHistory, OlderValuesStayAndLongEntriesAreCut) {
    combo_window combo;
    scratch_key key(L"combo-keep");
    key.set_text(L"h", L"1", L"stale");
    key.set_text(L"h", L"5", L"keep");
    const std::string long_entry(300, 'q');
    combo.set({long_entry});
    combo.set_edit("top");
    StrSaveComboHistoryA(combo.get(), key.root(), key.path_a(L"h").c_str(), 10);
    EXPECT_EQ(combo.entries(), (list{"top", long_entry}));
    EXPECT_EQ(key.get(L"h", L"0").text(), L"top");
    EXPECT_EQ(key.get(L"h", L"1").text(), widen(std::string(259, 'q'))) << "cut to an entry's 259 characters";
    EXPECT_EQ(key.get(L"h", L"5").text(), L"keep") << "beyond the entries written";

    // The W form cuts the same way.
    combo.set({long_entry});
    combo.set_edit("");
    StrSaveComboHistoryW(combo.get(), key.root(), key.path(L"h").c_str(), 10);
    EXPECT_EQ(key.get(L"h", L"0").text(), widen(std::string(259, 'q')));
}

TEST(ComboHistory, SaveThenReadRoundTrips) {
    combo_window first, second;
    scratch_key key(L"combo-round");
    first.set({"alpha", "beta"});
    first.set_edit("gamma");
    StrSaveComboHistoryW(first.get(), key.root(), key.path(L"h").c_str(), 3);
    second.set({"BETA"});
    StrReadComboHistoryA(second.get(), key.root(), key.path_a(L"h").c_str(), 3);
    EXPECT_EQ(second.entries(), (list{"BETA", "gamma", "alpha"}));
}

TEST(ComboHistoryCp932, DoubleByteEntriesRoundTrip) {
    ASSERT_EQ(GetACP(), 932u);
    combo_window combo;
    scratch_key key(L"combo-932");
    const std::wstring wide = L"\x30DD\x8868";  // trail bytes "|" and "\" in code page 932
    combo.set({});
    SetWindowTextW(combo.get(), wide.c_str());
    StrSaveComboHistoryA(combo.get(), key.root(), key.path_a(L"h").c_str(), 4);
    EXPECT_EQ(key.get(L"h", L"0").text(), wide);
    combo.set({});
    StrReadComboHistoryA(combo.get(), key.root(), key.path_a(L"h").c_str(), 4);
    EXPECT_EQ(combo.wide_entries(), std::vector<std::wstring>{wide});

    // 130 double-byte characters are 260 bytes: the A save keeps the 129 that fit 259 whole
    // rather than end the stored text with half a character.
    const std::wstring long_entry(130, L'\x8868');
    SendMessageW(combo.get(), CB_RESETCONTENT, 0, 0);
    SendMessageW(combo.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(long_entry.c_str()));
    SetWindowTextW(combo.get(), L"");
    StrSaveComboHistoryA(combo.get(), key.root(), key.path_a(L"h").c_str(), 4);
    EXPECT_EQ(key.get(L"h", L"0").text(), long_entry.substr(0, 129));
}

}  // namespace
