// Combo-box lists and history on a real combo box, with the string tables of combo_test.rc
// and history values in a registry key of the test's own.
#include <map>

#include "support/support.h"

namespace {

using list = std::vector<std::string>;  // UTF-8

// A drop-down combo box (list and edit field) in a parent window, gone with the object.
struct combo_window {
    HWND parent =
        CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWN, 0, 0, 200, 200, parent, nullptr, nullptr,
                                 nullptr);
    ~combo_window() { DestroyWindow(parent); }
    void set(const list& entries, const std::string& edit = "", int selected = -1) const {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const auto& e : entries) SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(test::utf16(e).c_str()));
        SendMessageW(combo, CB_SETCURSEL, selected, 0);
        SetWindowTextW(combo, test::utf16(edit).c_str());
    }
    list entries() const {
        list out;
        for (LRESULT i = 0, n = SendMessageW(combo, CB_GETCOUNT, 0, 0); i < n; ++i) {
            wchar_t text[1024] = {};
            char utf8[1024] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, LPARAM(text));
            WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
            out.push_back(utf8);
        }
        return out;
    }
    LRESULT selection() const { return SendMessageW(combo, CB_GETCURSEL, 0, 0); }
};

// The string ids of combo_test.rc.
enum { rgb = 101, bars = 102, one = 103, double_byte = 104, long_list = 105, missing = 999 };

TEST(ComboFill, ItemsSelectionAndTheCutAt2047) {
    combo_window w;
    list numbered;  // i000|i001|...|i409 is 2049 characters: the last item loses two
    for (int i = 0; i < 410; ++i)
        numbered.push_back(std::to_string(1000 + i).replace(0, 1, "i").substr(0, i < 409 ? 4 : 2));
    const struct {
        list before;
        UINT id;
        int select;
        list after;
        int selected;
        const char* why;
    } rows[] = {
        {{}, rgb, -1, {"Red", "Green", "Blue"}, -1, "empty pieces of Red|Green||Blue| add nothing"},
        {{}, rgb, 1, {"Red", "Green", "Blue"}, 1, "select 1 selects Green"},
        {{"Old"}, bars, -1, {"Old"}, 0, "a resource of separators only adds nothing; the selection stays"},
        {{}, one, 0, {"One"}, 0, "a resource without separators is one item"},
        {{"Old"}, missing, -1, {"Old"}, 0, "a missing resource adds nothing"},
        {{}, long_list, -1, numbered, -1, "a resource is cut at 2047 characters"},
    };
    test::both([&](auto c) {
        for (const auto& row : rows) {
            w.set(row.before, "", row.before.empty() ? -1 : 0);
            EXPECT_EQ(AW(decltype(c), StrFillComboWithStrings)(GetModuleHandleW(nullptr), w.combo, row.id, row.select),
                      TRUE);
            EXPECT_EQ(w.entries(), row.after) << row.why;
            EXPECT_EQ(w.selection(), row.selected) << row.why;
        }
    });
}

TEST(ComboFillCp932, TrailByteBarDoesNotSplit) {
    ASSERT_EQ(GetACP(), 932u);
    combo_window w;
    StrFillComboWithStringsA(GetModuleHandleW(nullptr), w.combo, double_byte, -1);
    EXPECT_EQ(w.entries(), (list{"\xE3\x83\x9D", "\xE8\xA1\xA8\xE7\xA4\xBA", "\xE3\x83\x9D\xE3\x83\x9D"}));
}

TEST(ComboHistory, ReadAppendsStoredEntries) {
    combo_window w;
    const struct {
        std::map<std::wstring, std::wstring> stored;
        list before;
        int max;
        list after;
        const char* why;
    } rows[] = {
        {{{L"0", L"new"}, {L"1", L"old"}, {L"3", L"new"}}, {}, 4, {"new", "old"}, "gaps and duplicates skipped"},
        {{{L"0", L"NEW"}, {L"1", L"b"}}, {"new"}, 4, {"new", "b"}, "a duplicate in other case is not added"},
        {{{L"0", L"a"}, {L"1", L""}, {L"2", L"b"}}, {}, 3, {"a", "b"}, "an empty value is skipped"},
        {{{L"0", L"a"}, {L"5", L"b"}}, {}, 5, {"a"}, "value 5 is beyond 5 entries"},
        {{{L"0", L"a"}, {L"5", L"b"}}, {}, 6, {"a", "b"}, "the loop goes on past gaps"},
        {{{L"0", L"a"}, {L"10", L"ten"}, {L"01", L"zero-one"}},
         {},
         11,
         {"a", "ten"},
         "names are decimal without leading zeros"},
        {{{L"0", std::wstring(300, 'x')}, {L"1", L"ok"}}, {}, 2, {"ok"}, "a value too long for an entry is skipped"},
        {{{L"0", L"a"}}, {"z"}, 0, {"z"}, "0 entries read nothing"},
        {{}, {"z"}, 1000000, {"z"}, "a missing key adds nothing"},
    };
    test::both([&](auto c) {
        using C = decltype(c);
        for (const auto& row : rows) {
            test::scratch_key key(L"combo-read");
            for (const auto& [name, text] : row.stored) key.set_text(L"h", name.c_str(), text);
            w.set(row.before);
            AW(C, StrReadComboHistory)(w.combo, key.root(), key.path_in<C>(L"h").c_str(), row.max);
            EXPECT_EQ(w.entries(), row.after) << row.why;
        }
        AW(C, StrReadComboHistory)(w.combo, HKEY_CURRENT_USER, nullptr, 4);
        EXPECT_EQ(w.entries(), list{"z"}) << "a NULL subkey reads nothing";
    });
}

TEST(ComboHistory, SaveMovesTheEditTextToTheTop) {
    combo_window w;
    const std::string q300(300, 'q'), q259(259, 'q');
    const struct {
        list before;
        std::string edit;
        int max;
        list after;
        int selected;
        list stored;
        const char* why;
    } rows[] = {
        {{"a", "b", "c"}, "b", 3, {"b", "a", "c"}, 0, {"b", "a", "c", "-"}, "b moves to the top"},
        {{"a", "b", "c"}, "b", 2, {"b", "a", "c"}, 0, {"b", "a", "-"}, "only 2 stored, the list keeps 3"},
        {{"a", "b"}, "B", 5, {"B", "a"}, 0, {"B", "a", "-"}, "B replaces b"},
        {{"a", "", "b"}, "", 5, {"a", "b"}, -1, {"a", "b", "-"}, "an empty edit text removes an empty entry"},
        {{"a", "b"}, "c", 0, {"c", "a", "b"}, 0, {"-"}, "0 entries: the list changes, nothing is stored"},
        {{q300}, "top", 10, {"top", q300}, 0, {"top", q259, "-"}, "a long entry is stored cut to 259"},
    };
    test::both([&](auto c) {
        using C = decltype(c);
        for (const auto& row : rows) {
            SCOPED_TRACE(row.why);
            test::scratch_key key(L"combo-save");
            key.set_text(L"h", L"5", L"old");  // beyond what is written: it stays
            w.set(row.before, row.edit);
            AW(C, StrSaveComboHistory)(w.combo, key.root(), key.path_in<C>(L"h").c_str(), row.max);
            EXPECT_EQ(w.entries(), row.after);
            EXPECT_EQ(w.selection(), row.selected);
            for (size_t i = 0; i < row.stored.size(); ++i) {
                const auto v = key.get(L"h", std::to_wstring(i).c_str());
                EXPECT_EQ(v.present ? test::acp(v.text) : "-", row.stored[i]) << "value " << i;
            }
            EXPECT_EQ(key.get(L"h", L"5").text, L"old");
        }
    });
}

TEST(ComboHistoryCp932, DoubleByteEntriesRoundTrip) {
    ASSERT_EQ(GetACP(), 932u);
    combo_window w;
    test::scratch_key key(L"combo-932");
    w.set({"alpha"}, "\xE3\x83\x9D\xE8\xA1\xA8");  // trail bytes "|" and "\" in code page 932
    StrSaveComboHistoryA(w.combo, key.root(), key.path_in<char>(L"h").c_str(), 4);
    EXPECT_EQ(key.get(L"h", L"0").text, L"\x30DD\x8868");
    w.set({"ALPHA"});
    StrReadComboHistoryA(w.combo, key.root(), key.path_in<char>(L"h").c_str(), 4);
    EXPECT_EQ(w.entries(), (list{"ALPHA", "\xE3\x83\x9D\xE8\xA1\xA8"}));
}

}  // namespace
