// Paths shortened for display: PathCompactPathA/W on a memory DC holding a TrueType font,
// and PathSetDlgItemPathA/W on a dialog made from an in-memory template.
#include "support/support.h"

namespace {

constexpr size_t growth = 4;  // characters the system may add when it rewrites a path
const std::string long_path = "C:\\Program Files\\Common Files\\Shared Tools\\Office\\report.txt";

// A memory DC with a TrueType font of `height` pixels selected, as a program holds one.
struct font_dc {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font;
    HGDIOBJ old;
    explicit font_dc(int height = 13)
        : font(CreateFontW(-height, 0, 0, 0, 0, 0, 0, 0, 0, OUT_TT_ONLY_PRECIS, 0, 0, 0, L"Tahoma")),
          old(SelectObject(dc, font)) {}
    ~font_dc() { SelectObject(dc, old), DeleteObject(font), DeleteDC(dc); }
    int width(const std::string& s) const {
        SIZE size{};
        GetTextExtentPoint32A(dc, s.c_str(), int(s.size()), &size);
        return size.cx;
    }
};

// Compacts `path` with the C form in a buffer ending at a no-access page just after the room
// the system may use, and returns what it holds then.
template <class C>
std::string compact(const font_dc& f, const std::string& path, UINT width) {
    test::guarded<C> buffer(path.size() + 1 + growth, test::text<C>(path), '#');
    EXPECT_EQ(AW(C, PathCompactPath)(f.dc, buffer.p(), width), TRUE);
    return test::shown(buffer.s());
}

TEST(PathCompactPath, WidthsFromNothingToEnoughAndTheCallersContext) {
    font_dc f, large(26);
    const int full = f.width(long_path), name = f.width("...\\report.txt");
    for (int width = 0; width <= full + 10; width += 23) {
        const std::string a = compact<char>(f, long_path, width), w = compact<wchar_t>(f, long_path, width);
        EXPECT_EQ(a, w) << "the two forms disagree at " << width;
        // Only the middle goes: the start, an ellipsis, the file name, within the width.
        const size_t dots = w.find("...");
        if (width >= full)
            EXPECT_EQ(w, long_path);
        else if (width >= name)
            EXPECT_TRUE(w.compare(0, dots, long_path, 0, dots) == 0 && w.substr(dots + 3) == "\\report.txt" &&
                        f.width(w) <= width)
                << w << " for " << width;
    }
    EXPECT_EQ(PathCompactPathW(f.dc, nullptr, 50), TRUE) << "no path";
    EXPECT_EQ(compact<char>(f, "", 0), "");
    // The caller's font decides, and its context is left as it was.
    EXPECT_LT(compact<wchar_t>(large, long_path, 200).size(), compact<wchar_t>(f, long_path, 200).size());
    SetTextColor(f.dc, RGB(1, 2, 3));
    SetTextAlign(f.dc, TA_RIGHT | TA_BOTTOM);
    MoveToEx(f.dc, 7, 9, nullptr);
    compact<char>(f, long_path, 100);
    POINT at{};
    GetCurrentPositionEx(f.dc, &at);
    LOGFONTW described{};
    EXPECT_EQ(GetCurrentObject(f.dc, OBJ_FONT), f.font);
    EXPECT_EQ(GetObjectW(f.font, sizeof described, &described), int(sizeof described)) << "the font is gone";
    EXPECT_EQ(GetTextColor(f.dc), RGB(1, 2, 3));
    EXPECT_EQ(GetTextAlign(f.dc), UINT(TA_RIGHT | TA_BOTTOM));
    EXPECT_EQ(at.x * 100 + at.y, 709);
}

// A parent window holding static control 100, 90 pixels wide (narrower than the path), and
// control 101, 2400 pixels wide.
HWND make_dialog() {
    const HWND parent = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 2500, 99, nullptr, nullptr, nullptr, nullptr);
    for (int id : {100, 101})
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, id == 100 ? 90 : 2400, 20,
                        parent, HMENU(id), nullptr, nullptr);
    return parent;
}

std::string item_text(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, 1024);
    return text;
}

TEST(PathSetDlgItemPath, ShortenedToTheItemAndCutTo259) {
    const HWND dialog = make_dialog();
    ASSERT_NE(dialog, nullptr);
    test::both([&](auto c) {
        using C = decltype(c);
        EXPECT_NE(AW(C, PathSetDlgItemPath)(dialog, 100, test::text<C>(long_path).c_str()), FALSE);
        const std::string shown = item_text(dialog, 100);
        EXPECT_TRUE(shown.find("...") != std::string::npos && shown.substr(shown.size() - 11) == "\\report.txt")
            << shown;
        // Paths of 260 characters and more are cut to their first 259 before they are shortened.
        for (size_t length : {59u, 260u, 1000u}) {
            std::string path = "C:";
            while (path.size() < length) path += "\\abcdefgh";
            path.resize(length);
            EXPECT_NE(AW(C, PathSetDlgItemPath)(dialog, 101, test::text<C>(path).c_str()), FALSE);
            EXPECT_EQ(item_text(dialog, 101), path.substr(0, 259)) << "a wide item shows up to 259 characters";
        }
        SetDlgItemTextA(dialog, 100, "before");
        EXPECT_EQ(AW(C, PathSetDlgItemPath)(dialog, 999, test::text<C>(long_path).c_str()), FALSE) << "no such item";
        EXPECT_EQ(AW(C, PathSetDlgItemPath)(nullptr, 100, test::text<C>(long_path).c_str()), FALSE) << "no dialog";
        EXPECT_EQ(item_text(dialog, 100), "before");
    });
    DestroyWindow(dialog);
}

}  // namespace
