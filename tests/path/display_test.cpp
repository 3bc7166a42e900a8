// Paths shortened for display: PathCompactPathA/W on a memory DC holding a TrueType font.
#include "support/support.h"

namespace {

const std::string long_path = "C:\\Program Files\\Common Files\\Shared Tools\\Office\\report.txt";

// Compacts `path` in a buffer ending 4 characters (the system's room) after it at a no-access page.
template <class C>
std::string compact(HDC dc, const std::string& path, UINT width) {
    test::guarded<C> buffer(path.size() + 5, test::text<C>(path), '#');
    EXPECT_EQ(AW(C, PathCompactPath)(dc, buffer.p(), width), TRUE);
    return test::shown(buffer.s());
}

TEST(PathCompactPath, WidthsFromNothingToEnoughAndTheCallersContext) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HFONT font = CreateFontW(-13, 0, 0, 0, 0, 0, 0, 0, 0, OUT_TT_ONLY_PRECIS, 0, 0, 0, L"Tahoma");
    const HGDIOBJ old = SelectObject(dc, font);
    const auto width = [&](const std::string& s) {
        SIZE size{};
        return GetTextExtentPoint32A(dc, s.c_str(), int(s.size()), &size), int(size.cx);
    };
    const int full = width(long_path), name = width("...\\report.txt");
    for (int w = 0; w <= full + 10; w += 23) {
        const std::string a = compact<char>(dc, long_path, w), shown = compact<wchar_t>(dc, long_path, w);
        EXPECT_EQ(a, shown) << "the two forms disagree at " << w;
        // Measured in the caller's font, what fits stays whole and what is cut fits the width.
        if (w >= full) EXPECT_EQ(shown, long_path);
        if (w < full && w >= name) EXPECT_LE(width(shown), w) << shown;
    }
    EXPECT_EQ(PathCompactPathW(dc, nullptr, 50), TRUE) << "no path";
    EXPECT_EQ(compact<char>(dc, "", 0), "");
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font) << "the caller's font was taken out of its context";
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
}

// A 120-pixel item shows a long path compacted and a short one as it is; no item with the id: 0.
TEST(PathSetDlgItemPath, TheItemShowsWhatFitsItsWidth) {
    const HWND dialog = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 50, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 120, 20, dialog, HMENU(7), nullptr, nullptr);
    test::both([&](auto c) {
        using C = decltype(c);
        const auto set = [&](int id, const std::string& path, bool result) {  // the item's text
            EXPECT_EQ(AW(C, PathSetDlgItemPath)(dialog, id, test::text<C>(path).c_str()) != 0, result) << id;
            wchar_t t[300] = {};
            return GetDlgItemTextW(dialog, 7, t, 300), test::shown<wchar_t>(t);
        };
        const std::string shown = set(7, long_path, true);
        EXPECT_TRUE(shown.starts_with("C:\\")) << shown;
        EXPECT_TRUE(shown.ends_with("...\\report.txt")) << shown;
        EXPECT_EQ(set(7, "C:\\a.txt", true), "C:\\a.txt");
        EXPECT_EQ(set(8, long_path, false), "C:\\a.txt");
    });
    DestroyWindow(dialog);
}

}  // namespace
