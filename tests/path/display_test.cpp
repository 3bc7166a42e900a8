// Paths shortened for display: PathCompactPathA/W on a memory DC holding a real TrueType
// font, and PathSetDlgItemPathA/W on a dialog made from an in-memory template.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "keldanu.h"
#include "support/support.h"

namespace {

using test::widen;

constexpr int growth = 4;  // characters the system may add when it rewrites a path

// A memory DC with a TrueType font of the given pixel height selected, as an application
// would hold one for drawing.
class font_dc {
public:
    explicit font_dc(int height = 13) {
        dc = CreateCompatibleDC(nullptr);
        font = CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
        old_ = SelectObject(dc, font);
    }
    ~font_dc() {
        SelectObject(dc, old_);
        DeleteObject(font);
        DeleteDC(dc);
    }
    font_dc(const font_dc&) = delete;
    font_dc& operator=(const font_dc&) = delete;

    int width_of(const std::wstring& s) const {
        SIZE size{};
        GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &size);
        return size.cx;
    }

    HDC dc;
    HFONT font;

private:
    HGDIOBJ old_;
};

// Compacts a copy of `path` with the A or W form in a buffer that ends at a no-access page
// just after the room the system may use, and returns the text it holds afterwards.
std::wstring compact_a(HDC dc, const std::string& path, UINT width) {
    test::guarded_buffer buffer(path.size() + 1 + growth);
    memcpy(buffer.chars(), path.c_str(), path.size() + 1);
    EXPECT_EQ(PathCompactPathA(dc, buffer.chars(), width), TRUE);
    const std::string out(buffer.chars(), strnlen(buffer.chars(), path.size() + 1 + growth));
    EXPECT_LT(out.size(), path.size() + 1 + growth) << "left unterminated";
    return widen(out);
}

std::wstring compact_w(HDC dc, const std::wstring& path, UINT width) {
    test::guarded_buffer buffer((path.size() + 1 + growth) * sizeof(wchar_t));
    memcpy(buffer.wchars(), path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(PathCompactPathW(dc, buffer.wchars(), width), TRUE);
    const std::wstring out(buffer.wchars(), wcsnlen(buffer.wchars(), path.size() + 1 + growth));
    EXPECT_LT(out.size(), path.size() + 1 + growth) << "left unterminated";
    return out;
}

bool ends_with(const std::wstring& s, const std::wstring& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

const char long_path[] = "C:\\Program Files\\Common Files\\Shared Tools\\Office\\report.txt";
const wchar_t long_name[] = L"\\report.txt";

class PathCompactPath : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc_.dc, LF_FACESIZE, face);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_.dc, &metrics);
        ASSERT_TRUE(metrics.tmPitchAndFamily & TMPF_TRUETYPE) << "no TrueType font; the face is " << face;
    }
    font_dc dc_;
};

TEST_F(PathCompactPath, APathThatFitsIsLeftByteForByte) {
    const std::string path = long_path;
    const UINT wide_enough = dc_.width_of(widen(path)) + 20;
    for (const bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "W" : "A");
        // The whole buffer, terminator and the room behind it included, stays as it was.
        std::vector<char> a(path.size() + 1 + growth, '#');
        std::copy(path.c_str(), path.c_str() + path.size() + 1, a.begin());
        std::vector<wchar_t> w(a.begin(), a.end());
        const auto a_before = a;
        const auto w_before = w;
        SetLastError(0xDEADBEEF);
        if (wide) {
            EXPECT_EQ(PathCompactPathW(dc_.dc, w.data(), wide_enough), TRUE);
            EXPECT_EQ(w, w_before);
        } else {
            EXPECT_EQ(PathCompactPathA(dc_.dc, a.data(), wide_enough), TRUE);
            EXPECT_EQ(a, a_before);
        }
        EXPECT_EQ(GetLastError(), 0xDEADBEEFu);
    }
}

TEST_F(PathCompactPath, ALongPathKeepsItsFileName) {
    const std::wstring path = widen(long_path);
    const UINT width = dc_.width_of(L"C:\\Program...") + dc_.width_of(long_name);
    for (const std::wstring& out : {compact_a(dc_.dc, long_path, width), compact_w(dc_.dc, path, width)}) {
        SCOPED_TRACE(out);
        EXPECT_NE(out, path);
        EXPECT_NE(out.find(L"..."), std::wstring::npos) << "no ellipsis";
        EXPECT_TRUE(ends_with(out, long_name)) << "the file name was not kept";
        EXPECT_EQ(out.compare(0, 3, L"C:\\"), 0) << "the start was not kept";
        EXPECT_LE(dc_.width_of(out), static_cast<int>(width));
        // What is left of the directories is a prefix of them: only the middle goes.
        const std::wstring head = out.substr(0, out.find(L"..."));
        EXPECT_EQ(path.compare(0, head.size(), head), 0);
    }
}

TEST_F(PathCompactPath, TheCallersFontDecides) {
    // The same width holds more of the path in a small font than in a large one, so the
    // measuring used the font selected into the caller's context.
    const UINT width = 200;
    font_dc large(26);
    const std::wstring small_out = compact_w(dc_.dc, widen(long_path), width);
    const std::wstring large_out = compact_w(large.dc, widen(long_path), width);
    EXPECT_LT(large_out.size(), small_out.size()) << small_out << " / " << large_out;
    EXPECT_LE(large.width_of(large_out), static_cast<int>(width));
}

TEST_F(PathCompactPath, TheCallersContextIsUnchanged) {
    SetTextColor(dc_.dc, RGB(1, 2, 3));
    SetBkMode(dc_.dc, OPAQUE);
    SetTextAlign(dc_.dc, TA_RIGHT | TA_BOTTOM);
    SetMapMode(dc_.dc, MM_TEXT);
    MoveToEx(dc_.dc, 7, 9, nullptr);
    std::string path = long_path;
    path.resize(path.size() + growth);
    PathCompactPathA(dc_.dc, path.data(), 100);
    EXPECT_EQ(GetCurrentObject(dc_.dc, OBJ_FONT), dc_.font);
    LOGFONTW described{};
    EXPECT_EQ(GetObjectW(dc_.font, sizeof described, &described), static_cast<int>(sizeof described))
        << "the caller's font no longer exists";
    EXPECT_EQ(GetTextColor(dc_.dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(dc_.dc), OPAQUE);
    EXPECT_EQ(GetTextAlign(dc_.dc), static_cast<UINT>(TA_RIGHT | TA_BOTTOM));
    POINT at{};
    GetCurrentPositionEx(dc_.dc, &at);
    EXPECT_EQ(at.x, 7);
    EXPECT_EQ(at.y, 9);
}

TEST_F(PathCompactPath, EmptyAndNull) {
    EXPECT_EQ(compact_a(dc_.dc, "", 50), L"");
    EXPECT_EQ(compact_w(dc_.dc, L"", 50), L"");
    EXPECT_EQ(compact_w(dc_.dc, L"", 0), L"");
    EXPECT_EQ(PathCompactPathA(dc_.dc, nullptr, 50), TRUE);
    EXPECT_EQ(PathCompactPathW(dc_.dc, nullptr, 50), TRUE);
}

TEST_F(PathCompactPath, NoUsableContextLeavesThePath) {
    // A handle that is no device context: no memory context can be made, the result is still 1.
    std::wstring path = widen(long_path);
    path.resize(path.size() + growth);
    const std::wstring before = path;
    EXPECT_EQ(PathCompactPathW(reinterpret_cast<HDC>(0x5a5a0000), path.data(), 10), TRUE);
    EXPECT_EQ(path, before);
}

// Every width from nothing to more than enough: the text always ends inside the room the
// caller gave (the guarded buffers fault on any write beyond it) and never gets wider than
// asked unless the file name alone is wider.
TEST_F(PathCompactPath, EveryWidthStaysInsideTheBuffer) {
    const std::wstring path = widen(long_path);
    const int full = dc_.width_of(path);
    const int name = dc_.width_of(L"...") + dc_.width_of(long_name);
    for (int width = 0; width <= full + 10; width += 7) {
        SCOPED_TRACE(width);
        const std::wstring a = compact_a(dc_.dc, long_path, width);
        const std::wstring w = compact_w(dc_.dc, path, width);
        EXPECT_EQ(a, w) << "the two forms disagree";
        if (width >= name) {
            EXPECT_LE(dc_.width_of(w), width) << w;
        }
        if (width >= full) {
            EXPECT_EQ(w, path);
        }
    }
}

// The flags leave prefix handling on: an ampersand in a path that has to be shortened is
// taken as a prefix mark while the text is measured and rewritten.
TEST_F(PathCompactPath, AnAmpersandIsAPrefixMark) {
    const std::string path = "C:\\Research & Development\\Results of the year\\R&D.txt";
    const UINT width = dc_.width_of(L"C:\\Research...\\RD.txt");
    const std::wstring out = compact_w(dc_.dc, widen(path), width);
    EXPECT_EQ(compact_a(dc_.dc, path, width), out);
    EXPECT_NE(out.find(L"..."), std::wstring::npos) << out;
    EXPECT_TRUE(ends_with(out, L"\\RD.txt")) << out;
}

// ---- the dialog item ----

constexpr int narrow_id = 100;
constexpr int wide_id = 101;
constexpr int missing_id = 999;

INT_PTR CALLBACK ignore_messages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A hidden modeless dialog from an in-memory template in "MS Shell Dlg" 8 point: a static
// control 60 dialog units wide (narrower than the paths below) and one 1200 units wide.
class test_dialog {
public:
    test_dialog() {
        std::vector<WORD> t;
        auto dword = [&](DWORD v) { t.push_back(LOWORD(v)); t.push_back(HIWORD(v)); };
        auto text = [&](const wchar_t* s) { for (; *s; ++s) t.push_back(*s); t.push_back(0); };
        dword(WS_POPUP | DS_SETFONT);
        dword(0);
        t.push_back(2);  // items
        for (WORD v : {0, 0, 1300, 60}) t.push_back(v);
        t.push_back(0);  // no menu
        t.push_back(0);  // the standard class
        text(L"Path display");
        t.push_back(8);
        text(L"MS Shell Dlg");
        const struct { int id; WORD cx; } items[] = {{narrow_id, 60}, {wide_id, 1200}};
        for (const auto& item : items) {
            if (t.size() % 2) t.push_back(0);  // items start on a DWORD boundary
            dword(WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX);
            dword(0);
            for (WORD v : {WORD(5), WORD(5 + (item.id - narrow_id) * 20), item.cx, WORD(10)}) t.push_back(v);
            t.push_back(static_cast<WORD>(item.id));
            t.push_back(0xFFFF);
            t.push_back(0x0082);  // Static
            text(L"before");
            t.push_back(0);  // no creation data
        }
        window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(t.data()),
                                            nullptr, ignore_messages, 0);
    }
    ~test_dialog() {
        if (window) DestroyWindow(window);
    }
    test_dialog(const test_dialog&) = delete;
    test_dialog& operator=(const test_dialog&) = delete;

    std::wstring text(int id) const {
        wchar_t buffer[1024] = {};
        GetDlgItemTextW(window, id, buffer, 1024);
        return buffer;
    }
    int client_width(int id) const {
        RECT r{};
        GetClientRect(GetDlgItem(window, id), &r);
        return r.right;
    }
    // The width of a text in the item's own font.
    int width_in_item(int id, const std::wstring& s) const {
        HWND item = GetDlgItem(window, id);
        HDC dc = GetDC(item);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(item, dc);
        return size.cx;
    }

    HWND window = nullptr;
};

class PathSetDlgItemPath : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog_.window, nullptr) << "the dialog could not be made: " << GetLastError();
        ASSERT_GT(dialog_.width_in_item(narrow_id, widen(long_path)), dialog_.client_width(narrow_id))
            << "the narrow item must be narrower than the path";
    }
    test_dialog dialog_;
};

TEST_F(PathSetDlgItemPath, ANarrowItemShowsTheShortenedPath) {
    const std::string path_a = long_path;
    const std::wstring path_w = widen(long_path);
    for (const bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "W" : "A");
        SetDlgItemTextW(dialog_.window, narrow_id, L"before");
        const BOOL set = wide ? PathSetDlgItemPathW(dialog_.window, narrow_id, path_w.c_str())
                              : PathSetDlgItemPathA(dialog_.window, narrow_id, path_a.c_str());
        EXPECT_NE(set, FALSE);
        const std::wstring shown = dialog_.text(narrow_id);
        EXPECT_NE(shown.find(L"..."), std::wstring::npos) << shown;
        EXPECT_TRUE(ends_with(shown, long_name)) << shown;
        EXPECT_LE(dialog_.width_in_item(narrow_id, shown), dialog_.client_width(narrow_id)) << shown;
        // The caller's string is never touched.
        EXPECT_EQ(path_a, long_path);
        EXPECT_EQ(path_w, widen(long_path));
    }
}

TEST_F(PathSetDlgItemPath, AWideItemShowsThePathWhole) {
    EXPECT_NE(PathSetDlgItemPathW(dialog_.window, wide_id, widen(long_path).c_str()), FALSE);
    EXPECT_EQ(dialog_.text(wide_id), widen(long_path));
    EXPECT_NE(PathSetDlgItemPathA(dialog_.window, wide_id, ""), FALSE);
    EXPECT_EQ(dialog_.text(wide_id), L"");
}

TEST_F(PathSetDlgItemPath, TheItemsFontDecides) {
    // A larger font in the same item leaves room for less of the path. 15 pixels is well
    // above the dialog's 8 points, yet small enough that "...\report.txt" still fits.
    PathSetDlgItemPathW(dialog_.window, narrow_id, widen(long_path).c_str());
    const std::wstring in_dialog_font = dialog_.text(narrow_id);
    HFONT large = CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
    HWND item = GetDlgItem(dialog_.window, narrow_id);
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(large), FALSE);
    PathSetDlgItemPathW(dialog_.window, narrow_id, widen(long_path).c_str());
    const std::wstring in_large_font = dialog_.text(narrow_id);
    EXPECT_LT(in_large_font.size(), in_dialog_font.size()) << in_dialog_font << " / " << in_large_font;
    EXPECT_LE(dialog_.width_in_item(narrow_id, in_large_font), dialog_.client_width(narrow_id));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(item, WM_GETFONT, 0, 0)), large) << "the item's font changed";
    SendMessageW(item, WM_SETFONT, 0, FALSE);
    DeleteObject(large);
}

TEST_F(PathSetDlgItemPath, AnIdTheDialogLacksGivesZero) {
    SetDlgItemTextW(dialog_.window, narrow_id, L"before");
    SetDlgItemTextW(dialog_.window, wide_id, L"before");
    EXPECT_EQ(PathSetDlgItemPathA(dialog_.window, missing_id, long_path), FALSE);
    EXPECT_EQ(PathSetDlgItemPathW(dialog_.window, missing_id, widen(long_path).c_str()), FALSE);
    EXPECT_EQ(PathSetDlgItemPathW(nullptr, narrow_id, widen(long_path).c_str()), FALSE);
    EXPECT_EQ(dialog_.text(narrow_id), L"before");
    EXPECT_EQ(dialog_.text(wide_id), L"before");
}

// Paths of 260 characters and more are cut to their first 259 before they are shortened,
// so the working copy is never overrun; in a wide item the shown text is that start.
TEST_F(PathSetDlgItemPath, OverlongPathsAreCutTo259) {
    for (const size_t length : {259u, 260u, 300u, 1000u}) {
        SCOPED_TRACE(length);
        std::string path = "C:";
        while (path.size() < length) path += "\\abcdefgh";
        path.resize(length);
        const std::wstring path_w = widen(path);
        const std::wstring start = path_w.substr(0, 259);

        EXPECT_NE(PathSetDlgItemPathA(dialog_.window, narrow_id, path.c_str()), FALSE);
        const std::wstring narrow_a = dialog_.text(narrow_id);
        EXPECT_NE(PathSetDlgItemPathW(dialog_.window, narrow_id, path_w.c_str()), FALSE);
        const std::wstring narrow_w = dialog_.text(narrow_id);
        EXPECT_EQ(narrow_a, narrow_w);
        EXPECT_NE(narrow_w.find(L"..."), std::wstring::npos) << narrow_w;
        EXPECT_LE(narrow_w.size(), 259u + growth);

        // The wide item is 1200 dialog units: room for all 259 characters or not, what it
        // shows comes from the first 259 only.
        EXPECT_NE(PathSetDlgItemPathW(dialog_.window, wide_id, path_w.c_str()), FALSE);
        const std::wstring wide = dialog_.text(wide_id);
        EXPECT_LE(wide.size(), 259u + growth);
        if (dialog_.width_in_item(wide_id, start) <= dialog_.client_width(wide_id))
            EXPECT_EQ(wide, start);
        else
            EXPECT_EQ(wide.compare(0, 3, L"C:\\"), 0) << wide;
    }
}

}  // namespace
