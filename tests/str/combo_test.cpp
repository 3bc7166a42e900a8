// Combo-box lists and history on a real combo box, the string tables of combo_test.rc, a key of its own.
#include <climits>
#include <map>

#include "support/support.h"

namespace {

using list = std::vector<std::string>;  // UTF-8

struct combo_window {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWN, 0, 0, 200, 200, parent, 0, 0, 0);
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

TEST(ComboFill, ItemsAndSelection) {
    combo_window w;
    // The resources are in combo_test.rc.
    const struct { list before; UINT id; int select; list after; int selected; const char* why; } rows[] = {
        {{}, 101, -1, {"Red", "Green", "Blue"}, -1, "empty pieces of Red|Green||Blue| add nothing"},
        {{}, 101, 1, {"Red", "Green", "Blue"}, 1, "select 1 selects Green"},
        {{"Old"}, 102, -1, {"Old"}, 0, "a resource of separators only adds nothing; the selection stays"},
        {{}, 103, 0, {"One"}, 0, "a resource without separators is one item"},
        {{"Old"}, 999, -1, {"Old"}, 0, "a missing resource adds nothing"},
    };
    test::both([&](auto c) {
        for (const auto& [before, id, select, after, selected, why] : rows) {
            w.set(before, "", before.empty() ? -1 : 0);
            EXPECT_EQ(AW(decltype(c), StrFillComboWithStrings)(GetModuleHandleW(nullptr), w.combo, id, select), TRUE);
            EXPECT_EQ(w.entries(), after) << why;
            EXPECT_EQ(w.selection(), selected) << why;
        }
    });
}

TEST(ComboFillCp932, TrailByteBarDoesNotSplit) {
    ASSERT_EQ(GetACP(), 932u);
    combo_window w;
    StrFillComboWithStringsA(GetModuleHandleW(nullptr), w.combo, 104, -1);  // the first trail byte is "|"
    EXPECT_EQ(w.entries(), (list{"\xE3\x83\x9D", "\xE8\xA1\xA8\xE7\xA4\xBA", "\xE3\x83\x9D\xE3\x83\x9D"}));
}

TEST(ComboHistory, ReadAppendsStoredEntries) {
    combo_window w;
    const struct { std::map<std::wstring, std::wstring> stored; list before; int max; list after; const char* why; } rows[] = {
        {{{L"0", L"new"}, {L"1", L"old"}, {L"3", L"new"}}, {}, 4, {"new", "old"}, "gaps and duplicates skipped"},
        {{{L"0", L"a"}, {L"1", L""}, {L"2", L"b"}}, {}, 3, {"a", "b"}, "an empty value is skipped"},
        {{{L"0", L"a"}, {L"5", L"b"}}, {}, 5, {"a"}, "value 5 is beyond 5 entries"},
        {{{L"0", L"a"}, {L"5", L"b"}}, {}, 6, {"a", "b"}, "the loop goes on past gaps"},
        {{{L"0", L"a"}, {L"10", L"ten"}, {L"01", L"one"}}, {}, 11, {"a", "ten"}, "decimal names, no leading zeros"},
        {{{L"0", std::wstring(300, 'x')}, {L"1", L"ok"}}, {}, 2, {"ok"}, "a value too long for an entry is skipped"},
        {{{L"0", L"a"}}, {"z"}, 0, {"z"}, "0 entries read nothing"},
        {{}, {"z"}, 1000000, {"z"}, "a missing key adds nothing"},
    };
    test::both([&](auto c) {
        using C = decltype(c);
        for (const auto& [stored, before, max, after, why] : rows) {
            test::scratch_key key(L"combo-read");
            for (const auto& [name, text] : stored) key.set_text(L"h", name.c_str(), text);
            w.set(before);
            AW(C, StrReadComboHistory)(w.combo, key.root(), key.path_in<C>(L"h").c_str(), max);
            EXPECT_EQ(w.entries(), after) << why;
        }
        AW(C, StrReadComboHistory)(w.combo, HKEY_CURRENT_USER, nullptr, 4);
        EXPECT_EQ(w.entries(), list{"z"}) << "a NULL subkey reads nothing";
    });
}

TEST(ComboHistory, AnyCountCostsWhatIsStored) {
    test::scratch_key key(L"combo-many");
    const std::pair<const wchar_t*, const wchar_t*> stored[] = {
        {L"2147483646", L"last"}, {L"99", L"middle"}, {L"0", L"first"}, {L"2147483647", L"beyond"}, {L"00", L"zero"}};
    for (const auto& [name, text] : stored) key.set_text(L"h", name, text);
    test::both([&](auto c) {
        using C = decltype(c);
        combo_window w;
        AW(C, StrReadComboHistory)(w.combo, key.root(), key.path_in<C>(L"h").c_str(), INT_MAX);
        EXPECT_EQ(w.entries(), (list{"first", "middle", "last"})) << "by index, whatever order the registry lists";
    });
}

TEST(ComboHistory, SaveMovesTheEditTextToTheTop) {
    combo_window w;
    const std::string q300(300, 'q'), q259(259, 'q');
    // values: 0, 1, ... ("-" for none)
    const struct { list before; std::string edit; int max; list after; int selected; list stored; const char* why; } rows[] = {
        {{"a", "b", "c"}, "b", 3, {"b", "a", "c"}, 0, {"b", "a", "c", "-"}, "b moves to the top"},
        {{"a", "b", "c"}, "b", 2, {"b", "a", "c"}, 0, {"b", "a", "-"}, "only 2 stored, the list keeps 3"},
        {{"a", "", "b"}, "a", 5, {"a", "", "b"}, 0, {"a", "", "b", "-"}, "top stays once; empty entries are stored"},
        {{"a", "", "b"}, "", 5, {"a", "b"}, -1, {"a", "b", "-"}, "an empty edit text removes an empty entry"},
        {{"a", "b"}, "c", 0, {"c", "a", "b"}, 0, {"-"}, "0 entries: the list changes, nothing is stored"},
        {{q300}, "top", 10, {"top", q300}, 0, {"top", q259, "-"}, "a long entry is stored cut to 259"},
    };
    test::both([&](auto c) {
        using C = decltype(c);
        for (const auto& [before, edit, max, after, selected, stored, why] : rows) {
            SCOPED_TRACE(why);
            test::scratch_key key(L"combo-save");
            key.set_text(L"h", L"5", L"old");  // beyond what is written: it stays
            w.set(before, edit);
            AW(C, StrSaveComboHistory)(w.combo, key.root(), key.path_in<C>(L"h").c_str(), max);
            EXPECT_EQ(w.entries(), after);
            EXPECT_EQ(w.selection(), selected);
            list values;
            for (size_t i = 0; i < stored.size(); ++i) {
                const auto v = key.get(L"h", std::to_wstring(i).c_str());
                values.push_back(v.present ? test::acp(v.text) : "-");
            }
            EXPECT_EQ(values, stored);
            EXPECT_EQ(key.get(L"h", L"5").text, L"old");
        }
    });
}

// An owner-drawn combo box without strings hands back its 4 bytes of item data, unterminated.
TEST(ComboHistory, SaveStoresNothingTheComboDidNotWrite) {
    combo_window w;
    const HWND drawn = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWN | CBS_OWNERDRAWFIXED, 0, 0, 200,
                                       200, w.parent, 0, 0, 0);
    for (int i = 0; i < 3; ++i) SendMessageW(drawn, CB_ADDSTRING, 0, 0x44434241);
    test::both([&](auto c) {
        using C = decltype(c);
        test::scratch_key key(L"combo-drawn");
        AW(C, StrSaveComboHistory)(drawn, key.root(), key.path_in<C>(L"h").c_str(), 3);
        for (const wchar_t* name : {L"0", L"1", L"2"})
            EXPECT_EQ(key.get(L"h", name).text, sizeof(C) == 1 ? L"ABCD" : L"\x4241\x4443") << "value " << name;
    });
}

TEST(ComboHistoryCp932, DoubleByteEntries) {
    ASSERT_EQ(GetACP(), 932u);
    combo_window w;
    test::scratch_key key(L"combo-932");
    std::string long_entry;  // 130 characters, 260 bytes in code page 932
    for (int i = 0; i < 130; ++i) long_entry += "\xE8\xA1\xA8";
    w.set({"\xE3\x83\x9D\xE8\xA1\xA8", long_entry});  // trail bytes "|" and "\"
    StrSaveComboHistoryA(w.combo, key.root(), key.path_in<char>(L"h").c_str(), 4);
    EXPECT_EQ(key.get(L"h", L"0").text, L"\x30DD\x8868");
    EXPECT_EQ(key.get(L"h", L"1").text, std::wstring(129, L'\x8868')) << "whole characters within 259 bytes";
    w.set({});
    StrReadComboHistoryA(w.combo, key.root(), key.path_in<char>(L"h").c_str(), 1);
    EXPECT_EQ(w.entries(), list{"\xE3\x83\x9D\xE8\xA1\xA8"});
}

}  // namespace
