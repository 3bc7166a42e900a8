// The path scanners: file name, extension, next component, root, UNC and relative tests,
// A and W forms driven by the same rows; double-byte rows run in code page 932.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "keldanu.h"
#include "support/support.h"

namespace {

using test::widen;

// A pointer result is compared as its offset into the input.
struct offset_row {
    const char* path;
    int offset;
    const char* why;
};

template <class Fa, class Fw>
void check_offsets(const offset_row* rows, size_t count, Fa fa, Fw fw) {
    for (size_t i = 0; i < count; ++i) {
        const offset_row& row = rows[i];
        SCOPED_TRACE(std::string(row.why) + ": \"" + row.path + "\"");
        SetLastError(0xDEADBEEF);
        EXPECT_EQ(fa(row.path) - row.path, row.offset);
        const std::wstring w = widen(row.path);
        EXPECT_EQ(fw(w.c_str()) - w.c_str(), row.offset);
        EXPECT_EQ(GetLastError(), 0xDEADBEEFu) << "a scanner set an error code";
    }
}

TEST(PathFindFileName, Rows) {
    static const offset_row rows[] = {
        {"C:\\dir\\file.txt", 7, "after the last backslash"},
        {"C:\\dir\\", 3, "a trailing backslash starts no name"},
        {"C:file", 2, "after the drive colon"},
        {"C:", 0, "a bare drive is its own name"},
        {"C:\\", 0, "a drive root is its own name"},
        {"\\\\server\\share", 9, "the share of a UNC name"},
        {"a:b:c", 4, "the last colon counts"},
        {"dir\\\\", 0, "two trailing backslashes"},
        {"", 0, "empty"},
        {"a/b/c", 0, "the forward slash is an ordinary character"},
        {"\\", 0, "a lone backslash"},
        {"\\x", 1, "after a leading backslash"},
    };
    check_offsets(rows, std::size(rows), PathFindFileNameA, PathFindFileNameW);
}

TEST(PathFindExtension, Rows) {
    static const offset_row rows[] = {
        {"a.b c.d", 5, "the last dot"},
        {"a.b c", 5, "a space after the dot cancels it"},
        {"dir.d\\file", 10, "a dot in a directory does not count"},
        {"file.", 4, "a final dot is the extension"},
        {".profile", 0, "a leading dot is all extension"},
        {"C:.x", 2, "the colon changes nothing"},
        {"", 0, "empty"},
        {"a.tar.gz", 5, "only the last dot"},
        {"noext", 5, "no dot at all"},
    };
    check_offsets(rows, std::size(rows), PathFindExtensionA, PathFindExtensionW);
}

TEST(PathFindNextComponent, Rows) {
    static const offset_row rows[] = {
        {"dir\\sub", 3, "the backslash itself"},
        {"\\dir", 0, "a leading backslash"},
        {"dir", 3, "no backslash: the end"},
        {"", 0, "empty"},
        {"a/b", 3, "the forward slash is not a separator"},
    };
    check_offsets(rows, std::size(rows), PathFindNextComponentA, PathFindNextComponentW);
}

struct bool_row {
    const char* path;
    BOOL root, unc, relative;
};

TEST(PathTests, RootUncRelative) {
    static const bool_row rows[] = {
        {"", 0, 0, 1},
        {"C:\\", 1, 0, 0},
        {"c:\\", 1, 0, 0},
        {"1:\\", 1, 0, 0},
        {"C:", 0, 0, 0},
        {"C:x", 0, 0, 0},
        {"C:\\dir", 0, 0, 0},
        {"\\", 1, 0, 0},
        {"\\dir", 0, 0, 0},
        {"\\\\", 1, 1, 0},
        {"\\\\server", 1, 1, 0},
        {"\\\\server\\", 1, 1, 0},
        {"\\\\server\\share", 1, 1, 0},
        {"\\\\server\\share\\", 0, 1, 0},
        {"\\\\server\\share\\dir", 0, 1, 0},
        {"//server", 0, 0, 1},
        {"/", 0, 0, 1},
        {"a", 0, 0, 1},
        {"..\\x", 0, 0, 1},
        {"C:/", 0, 0, 0},
        {"C:\\\\", 0, 0, 0},
    };
    for (const bool_row& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.path + "\"");
        const std::wstring w = widen(row.path);
        EXPECT_EQ(PathIsRootA(row.path), row.root);
        EXPECT_EQ(PathIsRootW(w.c_str()), row.root);
        EXPECT_EQ(PathIsUNCA(row.path), row.unc);
        EXPECT_EQ(PathIsUNCW(w.c_str()), row.unc);
        EXPECT_EQ(PathIsRelativeA(row.path), row.relative);
        EXPECT_EQ(PathIsRelativeW(w.c_str()), row.relative);
    }
}

TEST(PathScanners, RunInCodePage1252) {
    EXPECT_EQ(GetACP(), 1252u);
    // 0x95 is an ordinary character here: the backslash after it separates.
    const char path[] = "dir\x95\\x.txt";
    EXPECT_STREQ(PathFindFileNameA(path), "x.txt");
}

// In code page 932, 0x95 opens a double-byte character and 0x5C can be its trail byte: the
// character-stepping scanners skip it whole, the byte search stops at it.
TEST(PathScannersCp932, TrailBackslashIsPartOfTheCharacter) {
    ASSERT_EQ(GetACP(), 932u);
    ASSERT_TRUE(IsDBCSLeadByte(0x95));
    static const offset_row names[] = {
        {"dir\\\x95\\", 4, "a final double-byte character is a name"},
        {"\x95\\x", 0, "no separator outside the character"},
        {"a\\\x95\\.txt", 2, "name after a real backslash"},
    };
    for (const offset_row& row : names) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(PathFindFileNameA(row.path) - row.path, row.offset);
    }
    static const offset_row extensions[] = {
        {"a.\x95\\", 1, "the trail byte does not clear the dot"},
        {"\x95\\.x", 2, "a dot right after the character"},
    };
    for (const offset_row& row : extensions) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(PathFindExtensionA(row.path) - row.path, row.offset);
    }
    const char component[] = "\x95\\x\\y";
    EXPECT_EQ(PathFindNextComponentA(component) - component, 1) << "the byte search stops at the trail byte";
    EXPECT_EQ(PathIsRootA("\\\\srv\\\x95\\"), 1) << "the trail byte is not a second separator";
    EXPECT_EQ(PathIsRootA("\x95:\\"), 0) << "a lead byte never starts a drive root";
    EXPECT_EQ(PathIsRelativeA("\x95:x"), 1) << "a lead byte first: relative";
}

}  // namespace
