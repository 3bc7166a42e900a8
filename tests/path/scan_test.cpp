// The path scanners on shared A/W rows; double-byte rows in code page 932.
#include "support/support.h"

namespace {

const struct offset_row {
    const char* path;
    int name, extension, next;  // the three pointer results as offsets
    const char* why;
} offset_rows[] = {
    {"C:\\dir\\file.txt", 7, 11, 2, "a name after the last backslash; the next component at the first"},
    {"C:\\dir\\", 3, 7, 2, "a trailing backslash starts no name"},
    {"C:file", 2, 6, 6, "a name after the drive colon"},
    {"\\\\server\\share", 9, 14, 0, "the share of a UNC name"},
    {"a:b:c", 4, 5, 5, "the last colon counts"},
    {"", 0, 0, 0, "empty"},
    {"a/b/c.d", 0, 5, 7, "the forward slash is an ordinary character"},
    {"a.b c", 0, 5, 5, "a space after the dot cancels it"},
    {"dir.d\\file", 6, 10, 5, "a dot in a directory does not count"},
    {".profile", 0, 0, 8, "a leading dot is all extension"},
};

TEST(PathScan, RowsInBothForms) {
    test::both([](auto c) {
        using C = decltype(c);
        for (const offset_row& row : offset_rows) {
            SCOPED_TRACE(testing::Message() << row.why << ": \"" << row.path << "\"");
            const auto path = test::text<C>(row.path);
            SetLastError(test::sentinel);
            EXPECT_EQ(AW(C, PathFindFileName)(path.c_str()) - path.c_str(), row.name);
            EXPECT_EQ(AW(C, PathFindExtension)(path.c_str()) - path.c_str(), row.extension);
            EXPECT_EQ(AW(C, PathFindNextComponent)(path.c_str()) - path.c_str(), row.next);
            EXPECT_EQ(GetLastError(), test::sentinel);
        }
        // Paths by what PathIsRoot, PathIsUNC and PathIsRelative answer.
        const struct {
            BOOL root, unc, relative;
            std::vector<const char*> paths;
        } kinds[] = {{1, 0, 0, {"C:\\", "1:\\", "\\"}},
                     {0, 0, 0, {"C:", "C:/", "C:\\\\", "\\dir"}},
                     {1, 1, 0, {"\\\\", "\\\\server\\", "\\\\server\\share"}},
                     {0, 1, 0, {"\\\\server\\share\\", "\\\\s\\share\\dir"}},
                     {0, 0, 1, {"", "//server", "a"}}};
        for (const auto& kind : kinds) {
            for (const char* p : kind.paths) {
                const auto path = test::text<C>(p);
                EXPECT_EQ(AW(C, PathIsRoot)(path.c_str()), kind.root) << p;
                EXPECT_EQ(AW(C, PathIsUNC)(path.c_str()), kind.unc) << p;
                EXPECT_EQ(AW(C, PathIsRelative)(path.c_str()), kind.relative) << p;
            }
        }
    });
}

// 0x95 0x5C is one character: the scanners step over it; the next component's byte search does not.
TEST(PathScanCp932, TrailBackslashIsPartOfTheCharacter) {
    ASSERT_EQ(GetACP(), 932u);
    const offset_row rows[] = {{"dir\\\x95\\", 4, 6, 3, "a final double-byte character is a name"},
                               {"\x95\\x", 0, 3, 1, "no separator outside the character"},
                               {"a.\x95\\", 0, 1, 3, "the trail byte does not clear the dot"}};
    for (const offset_row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(PathFindFileNameA(row.path) - row.path, row.name);
        EXPECT_EQ(PathFindExtensionA(row.path) - row.path, row.extension);
        EXPECT_EQ(PathFindNextComponentA(row.path) - row.path, row.next);
    }
    EXPECT_EQ(PathIsRootA("\\\\srv\\\x95\\"), 1) << "the trail byte is not a second separator";
    EXPECT_EQ(PathIsRootA("\x95:\\"), 0) << "a lead byte never starts a drive root";
    EXPECT_EQ(PathIsRelativeA("\x95:x"), 1);
}

}  // namespace
