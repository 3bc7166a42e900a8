// Canonical 8-bit paths: source and exact-size destination at no-access pages; fillings must not matter.
#include "support/support.h"

namespace {

struct row {
    std::string source, result;
    const char* why;
};

void expect_rows(const std::vector<row>& rows) {
    for (const row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.why << ": \"" << r.source << "\"");
        // Leftover backslashes, dots or zeros of the destination would show in a result.
        for (unsigned char fill : {'\0', '\\', '.'}) {
            test::guarded<char> source(r.source.size() + 1, r.source);
            test::guarded<char> dest(r.source.size() + 2, fill);
            SetLastError(test::sentinel);
            EXPECT_EQ(PathCanonicalizeA(dest.p(), source.p()), 1);
            EXPECT_EQ(GetLastError(), test::sentinel);
            EXPECT_EQ(dest.s(), r.result) << "fill " << int(fill);
        }
    }
}

TEST(PathCanonicalize, Rows) {
    expect_rows({
        {"C:\\dir\\..\\file", "C:\\file", ".. removes the directory"},
        {"C:\\a\\..\\..\\b", "C:\\b", "up past the drive root stops there"},
        {"C:", "C:\\", "a bare drive gets its backslash"},
        {"C:\\dir\\..", "C:\\", "climbed back to the bare drive, repaired"},
        {"C:\\dir\\.", "C:\\dir", "a final . takes its backslash along"},
        {"C:\\a\\b\\..\\", "C:\\a\\", "the backslash after .. stays"},
        {"C:\\dir\\\\..\\file", "C:\\dir\\file", ".. after an empty component removes it"},
        {"C:..", "C:..", "C:.. is one component"},
        {"C:dir\\..", "\\", "drive-relative climbed to nothing"},
        {"dir\\..\\file", "\\file", "a relative first component leaves a backslash"},
        {"x\\..\\..\\y", "\\y", "the second .. meets the root \\"},
        {".\\file", "file", "a leading .\\ goes"},
        {"a\\.\\", "a\\", "a dot between backslashes"},
        {"\\dir\\..\\..\\x", "\\x", "rooted: up to \\ and no further"},
        {"\\\\server\\share\\..", "\\\\server", "a share is climbed out of"},
        {"\\\\server\\..", "\\\\server\\", "a server name is a root"},
        {"\\\\..", "\\\\", "the UNC prefix survives .."},
        {"", "\\", "empty"},
    });
}

TEST(PathCanonicalizeCp932, DoubleByteRows) {
    ASSERT_EQ(GetACP(), 932u);
    const std::string k = "\x95\x5C";  // one character whose trail byte is a backslash
    expect_rows({
        {"X\\" + k + "\\..", "X", ".. removes the whole character, not just its trail byte"},
        {"C:\\" + k + "\\x\\..", "C:\\" + k, "the trail byte is never the cut"},
        {k + "\\..", "\\", "a double-byte first component climbed out of"},
        {k + ":", k + ":", "a double-byte first character is no drive letter"},
        {"\\\\s" + k + "\\..", "\\\\s" + k + "\\", "a server name holding the character is a root"},
        {"C:\\\x81\x81\\b\\..", "C:\\\x81\x81", "a lead-byte value that is a trail: the backslash after it is one"},
        {"a\\\x81\x81\x81\\b\\..", "a", "after three lead-byte values the 0x5C is a trail byte"},
    });
}

}  // namespace
