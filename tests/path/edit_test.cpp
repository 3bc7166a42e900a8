// Path editing in place at no-access pages: rows, the 259-character edges, the directory test, double bytes.
#include "support/support.h"

namespace {

struct edit_row {
    std::string before, after;
    long result;  // a BOOL, or a pointer result's offset (-1 for NULL)
    const char* why;
};

template <class C>
long offset(const C* result, const C* base) {
    return result ? long(result - base) : -1;
}

// Runs `op(C* path)` on each row in a buffer of 260 characters (or more) ending at a no-access
// page: the result, the text, no error code, nothing written past the longer text.
template <class C, class Op>
void check(const std::vector<edit_row>& rows, Op op) {
    for (const edit_row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.why << ": \"" << row.before.substr(0, 60) << "\"");
        test::guarded<C> path(std::max<size_t>(test::path_chars, row.before.size() + 1), test::text<C>(row.before));
        SetLastError(test::sentinel);
        EXPECT_EQ(op(path.p()), row.result);
        EXPECT_EQ(GetLastError(), test::sentinel);
        EXPECT_EQ(test::shown(path.s()), row.after);
        EXPECT_TRUE(path.marked_from(std::max(row.before.size(), row.after.size()) + 1)) << "written past the text";
    }
}

TEST(PathEdit, EachOperationsRows) {
    const std::string a258(258, 'a'), a259(259, 'a'), p200(200, 'p'), m58(58, 'm'), b255(255, 'b'), d(256, 'd');
    test::both([&](auto c) {
        using C = decltype(c);
        check<C>({{"C:\\dir", "C:\\dir\\", 7, "added; the result is the new end"},
                  {"", "", 0, "an empty path gets none"},
                  {"dir/", "dir/\\", 5, "a forward slash is no backslash"},
                  {a258, a258 + "\\", 259, "258 characters grow to the longest path"},
                  {a259, a259, -1, "259 characters are refused"},
                  {a258 + "\\", a258 + "\\", -1, "259 are refused even with a backslash at the end"}},
                 [](C* p) { return offset(AW(C, PathAddBackslash)(p), p); });
        check<C>({{"C:\\dir\\", "C:\\dir", 6, "removed; the result is the new end"},
                  {"C:\\dir", "C:\\dir", 5, "nothing to remove: the last character"},
                  {"a\\\\", "a\\", 2, "only one backslash goes"},
                  {"", "", 0, "empty: the path itself"}},
                 [](C* p) { return offset(AW(C, PathRemoveBackslash)(p), p); });
        const auto append = [](std::string more) {
            return [more](C* p) { return long(AW(C, PathAppend)(p, test::text<C>(more).c_str())); };
        };
        check<C>({{"C:\\dir", "C:\\dir\\f", 1, "a backslash between"},
                  {"C:", "C:\\f", 1, "a bare drive gets a backslash"},
                  {"", "f", 1, "an empty path gets none"},
                  {a258, a258, 0, "258 and 1 more are too long"}},
                 append("f"));
        check<C>({{"C:\\dir", "C:\\dir\\\\f", 1, "a leading backslash is kept"}}, append("\\f"));
        check<C>({{"C:\\dir", "C:\\dir\\", 1, "an empty component leaves a backslash"},
                  {a258, a258 + "\\", 1, "258 and nothing: 259 with the backslash"},
                  {a259, a259, 0, "259 and nothing: refused"}},
                 append(""));
        check<C>({{p200, p200 + "\\" + m58, 1, "200 + 58 fill 259"},
                  {p200 + "\\", p200 + "\\", 0, "the limit counts the path's own backslash"}},
                 append(m58));
        check<C>({{"C:\\dir\\file.txt", "C:\\dir", 1, "the file name goes"},
                  {"C:\\dir", "C:\\", 1, "the drive root keeps its backslash"},
                  {"C:\\", "C:\\", 0, "a drive root has nothing to remove"},
                  {"C:file", "C:", 1, "drive-relative"},
                  {"file", "", 1, "no separator: nothing is left"},
                  {"\\file", "\\", 1, "the leading backslash stays"},
                  {"\\\\server\\share", "\\\\server", 1, "the share goes"},
                  {"\\\\server", "\\", 1, "the server goes, one backslash stays"},
                  {"a\\b:\\c", "a\\b:\\", 1, "a backslash after a colon is kept"},
                  {"dir\\\\", "dir\\", 1, "only the last backslash of a run goes"}},
                 [](C* p) { return long(AW(C, PathRemoveFileSpec)(p)); });
        check<C>({{"C:\\dir\\file", "C:\\", 1, "a drive root takes the backslash"},
                  {"\\\\server\\share\\dir", "\\\\server\\share", 1, "UNC: the root ends before the backslash"},
                  {"C:dir", "C:", 0, "drive-relative: no root"},
                  {"dir\\file", "", 0, "relative: stripped to nothing"}},
                 [](C* p) { return long(AW(C, PathStripToRoot)(p)); });
        // The root is found in a 260-character copy: longer paths are not examined.
        check<C>({{"C:\\", "C:\\", 3, "a drive root: its end"},
                  {"C:dir", "C:dir", -1, "drive-relative"},
                  {"C:\\" + d, "C:\\" + d, 3, "259 characters fit the copy"},
                  {"C:\\" + d + "d", "C:\\" + d + "d", -1, "260 are not examined"}},
                 [](C* p) { return offset(AW(C, PathSkipRoot)(p), p); });
        check<C>({{"C:\\My Dir", "\"C:\\My Dir\"", 0, "a space: quoted"},
                  {"a " + b255, "\"a " + b255 + "\"", 0, "257 characters grow to 259"},
                  {"a " + b255 + "b", "a " + b255 + "b", 0, "258 would exceed 259: left alone"}},
                 [](C* p) { return AW(C, PathQuoteSpaces)(p), 0L; });
        // An empty path has no last character: the result does not point before it.
        C block[3] = {C('x'), 0, C('x')};
        EXPECT_EQ(AW(C, PathRemoveBackslash)(block + 1), block + 1);
        EXPECT_EQ(block[0], C('x'));
    });
}

std::wstring current() {
    wchar_t buf[2 * MAX_PATH] = {};
    GetCurrentDirectoryW(2 * MAX_PATH, buf);
    return buf;
}

struct inside {
    std::wstring saved = current();
    explicit inside(const std::wstring& dir) { SetCurrentDirectoryW(dir.c_str()); }
    ~inside() { SetCurrentDirectoryW(saved.c_str()); }
};

TEST(PathEdit, IsDirectoryKeepsTheCurrentDirectory) {
    test::temp_dir dir;
    ASSERT_TRUE(CreateDirectoryW(dir.file(L"sub").c_str(), nullptr));
    CloseHandle(CreateFileW(dir.file(L"file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    inside in(dir.path);
    const std::pair<std::wstring, bool> rows[] = {
        {dir.file(L"sub\\"), 1}, {L"sub", 1}, {L"..", 1}, {L"file.txt", 0}, {L"", 0}};
    test::both([&](auto c) {
        using C = decltype(c);
        for (const auto& [path, directory] : rows) {
            EXPECT_EQ(AW(C, PathIsDirectory)(test::native<C>(path).c_str()) != 0, directory) << test::acp(path);
            EXPECT_EQ(current(), dir.path) << "the current directory moved";
        }
    });
}

// Under a current directory it could not enter again, nothing is tried and the answer is 0.
TEST(PathEdit, IsDirectoryUnderACurrentDirectoryItCannotRestore) {
    ASSERT_EQ(GetACP(), 1252u);
    test::temp_dir dir;
    const struct { std::wstring parent, name; bool wide; const char* why; } rows[] = {
        {std::wstring(200, L'l'), std::wstring(130, L'm'), false, "over 260 characters: neither form can save it"},
        {L"\x3042", L"d", true, "outside the code page: the A form reads \"?\" in its name"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        const std::wstring parent = dir.file(row.parent), deep = parent + L"\\" + row.name;
        CreateDirectoryW(parent.c_str(), nullptr);
        EXPECT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
        {
            inside in(deep);
            EXPECT_EQ(PathIsDirectoryA(test::acp(dir.path).c_str()), 0);
            EXPECT_EQ(PathIsDirectoryW(dir.path.c_str()) != 0, row.wide);
            EXPECT_EQ(current(), deep);
        }
        // Wine's shell cannot delete a folder tree this deep (its walk cuts the names and removes
        // files of the current directory instead), so the two folders go one by one.
        RemoveDirectoryW(deep.c_str());
        RemoveDirectoryW(parent.c_str());
    }
}

TEST(PathEditCp932, TrailBytesAreNoSeparators) {
    ASSERT_EQ(GetACP(), 932u);
    const std::string k = "\x95\x5C";
    check<char>({{"X" + k, "X" + k + "\\", 4, "the character is stepped over"}},
                [](char* p) { return offset(PathAddBackslashA(p), p); });
    check<char>({{"X" + k, "X\x95", 2, "the last byte alone is looked at"}},
                [](char* p) { return offset(PathRemoveBackslashA(p), p); });
    check<char>({{"X" + k, "X" + k + "\\y", 1, "a backslash is still added"}},
                [](char* p) { return long(PathAppendA(p, "y")); });
    check<char>({{"C:\\" + k + "file", "C:\\", 1, "the trail byte is no cut"},
                 {"dir" + k, "", 1, "no separator at all"},
                 {"C:\\" + k + "\\f", "C:\\" + k, 1, "a real backslash after the character"}},
                [](char* p) { return long(PathRemoveFileSpecA(p)); });
    check<char>(
        {{"\\\\s" + k + "\\share\\dir", "\\\\s" + k + "\\share", 1, "the trail byte is not the second backslash"}},
        [](char* p) { return long(PathStripToRootA(p)); });
}

}  // namespace
