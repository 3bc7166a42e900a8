// The canonical form of 8-bit paths. Every row runs with its source at the end of a buffer
// that ends at a no-access page and its destination exactly as large as promised (source
// length plus 2 bytes), also ending at one, once for each of several destination fillings:
// the result must not depend on them. Then the double-byte rules in code page 932, the rules
// that hold for every path of the corpus, and the wide entry, which does nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "keldanu.h"
#include "support/corpus.h"
#include "support/support.h"

namespace {

constexpr DWORD untouched_error = 0xDEADBEEF;

// Canonicalizes `source` into a destination filled with `fill` beforehand.
std::string canonical(const std::string& source, unsigned char fill) {
    test::guarded_buffer from(source.size() + 1);
    std::memcpy(from.data(), source.c_str(), source.size() + 1);
    test::guarded_buffer dest(source.size() + 2, fill);
    SetLastError(untouched_error);
    EXPECT_EQ(PathCanonicalizeA(dest.chars(), from.chars()), 1);
    EXPECT_EQ(GetLastError(), untouched_error);
    return dest.chars();
}

// A zero fill, a backslash fill and a dot fill: leftovers of either would show in a result.
const unsigned char fills[] = {0x00, '\\', '.'};

struct row {
    std::string source;
    std::string result;
    const char* why;
};

void expect_rows(const row* begin, const row* end) {
    for (const row* r = begin; r != end; ++r) {
        SCOPED_TRACE(testing::Message() << r->why << ": source \"" << r->source << "\"");
        for (unsigned char fill : fills) EXPECT_EQ(canonical(r->source, fill), r->result) << "fill " << int(fill);
    }
}

TEST(PathCanonicalize, Rows) {
    static const row rows[] = {
        {"C:\\dir\\..\\file", "C:\\file", ".. removes the directory"},
        {"C:\\dir\\.\\file", "C:\\dir\\file", ". is dropped"},
        {"C:\\dir\\sub\\..\\..\\file", "C:\\file", "two levels up"},
        {"C:\\a\\..\\..\\b", "C:\\b", "up past the drive root stops there"},
        {"C:\\..\\file", "C:\\file", "no climbing out of a drive root"},
        {"C:\\..", "C:\\", "a final .. at the drive root"},
        {"C:\\.", "C:\\", "a final . at the drive root"},
        {"C:", "C:\\", "a bare drive gets its backslash"},
        {"x:", "x:\\", "any bare drive"},
        {"C:\\dir\\..", "C:\\", "climbed back to the bare drive, repaired"},
        {"C:\\dir\\.", "C:\\dir", "a final . takes its backslash along"},
        {"C:\\dir\\.\\.\\file", "C:\\dir\\file", "several dots"},
        {"C:\\a\\b\\..\\", "C:\\a\\", "the backslash after .. stays"},
        {"a\\b\\..\\c\\", "a\\c\\", "relative, with a trailing backslash"},
        {"C:\\dir\\\\file", "C:\\dir\\\\file", "runs of backslashes stay"},
        {"C:\\dir\\\\..\\file", "C:\\dir\\file", ".. after an empty component removes it"},
        {"C:..", "C:..", "C:.. is one component"},
        {"C:dir\\..", "\\", "drive-relative climbed to nothing"},
        {"dir\\..\\file", "\\file", "a relative first component leaves a backslash"},
        {"dir\\..", "\\", "nothing left: a backslash"},
        {"x\\..\\..\\y", "\\y", "the second .. meets the root \\"},
        {"..\\file", "\\file", "a leading .. drops nothing"},
        {"..", "\\", ".. alone"},
        {"..\\..", "\\", ".. twice"},
        {".", "\\", ". alone"},
        {".\\.", "\\", ". twice"},
        {".\\file", "file", "a leading .\\ goes"},
        {"a\\.\\.", "a", "final dots"},
        {"a\\.\\", "a\\", "a dot between backslashes"},
        {"a\\b\\", "a\\b\\", "nothing to do"},
        {"\\dir\\..\\..\\x", "\\x", "rooted: up to \\ and no further"},
        {"a\\b\\..\\..\\..\\c", "\\c", "relative: more .. than components"},
        {"\\..", "\\", "\\.."},
        {"\\.", "\\", "\\."},
        {"\\\\server\\share\\..", "\\\\server", "a share is climbed out of"},
        {"\\\\server\\share\\dir\\..\\..\\x", "\\\\server\\x", "UNC, two levels"},
        {"\\\\server\\share\\.\\x", "\\\\server\\share\\x", "UNC with a dot"},
        {"\\\\server\\..", "\\\\server\\", "a server name is a root"},
        {"\\\\server\\share\\..\\..", "\\\\server\\", "and stays one"},
        {"\\\\..", "\\\\", "the UNC prefix survives .."},
        {"\\\\.", "\\\\", "the UNC prefix is repaired after ."},
        {"...", "...", "three dots are a name"},
        {"a\\...\\b", "a\\...\\b", "a name of three dots"},
        {".hidden\\x", ".hidden\\x", "a name that begins with a dot"},
        {"a..\\b", "a..\\b", "a name that ends in dots"},
        {"/a/../b", "/a/../b", "forward slashes are ordinary characters"},
        {"", "\\", "empty"},
    };
    expect_rows(std::begin(rows), std::end(rows));
}

TEST(PathCanonicalize, WideFormDoesNothing) {
    wchar_t dest[16];
    for (wchar_t& c : dest) c = 0x5A5A;
    EXPECT_EQ(PathCanonicalizeW(dest, L"C:\\a\\..\\b"), 0);
    for (wchar_t c : dest) EXPECT_EQ(c, 0x5A5A);
}

// Splits a result at its backslashes.
std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts(1);
    for (char c : path) {
        if (c == '\\')
            parts.emplace_back();
        else
            parts.back().push_back(c);
    }
    return parts;
}

bool has_dot_component(const std::string& path) {
    for (const std::string& part : components(path))
        if (part == "." || part == "..") return true;
    return false;
}

// Every corpus path in code page 1252, where no byte opens a double-byte character.
TEST(PathCanonicalize, CorpusRules) {
    const auto corpus = test::read_corpus("paths.txt");
    ASSERT_FALSE(corpus.empty()) << "no corpus at " << test::corpus_file("paths.txt");
    for (const std::wstring& wide : corpus) {
        const std::string source = test::acp_from_wide(wide);
        SCOPED_TRACE(testing::Message() << "source \"" << source << "\"");
        const std::string result = canonical(source, 0xCC);
        EXPECT_EQ(canonical(source, 0x00), result) << "depends on the destination's contents";
        EXPECT_FALSE(result.empty());
        EXPECT_LE(result.size(), source.size() + 1);
        EXPECT_FALSE(has_dot_component(result));
        EXPECT_EQ(canonical(result, 0xCC), result) << "a canonical path changes again";
        if (!has_dot_component(source)) {
            // Nothing to resolve: only the repairs of the end may change it.
            const bool bare_drive = source.size() == 2 && source[1] == ':';
            EXPECT_EQ(result, source.empty() ? "\\" : bare_drive ? source + "\\" : source);
        }
    }
}

// ---- code page 932: 0x95 is a lead byte and 0x95 0x5C one character ----

const std::string kanji = "\x95\x5C";

TEST(PathCanonicalizeCp932, DoubleByteRows) {
    ASSERT_EQ(GetACP(), 932u) << "this suite needs LC_ALL=ja_JP.UTF-8";
    const row rows[] = {
        {"X\\" + kanji + "\\..", "X", ".. removes the whole character, not just its trail byte"},
        {"C:\\" + kanji + "\\x\\..", "C:\\" + kanji, "the trail byte is never the cut"},
        {kanji + "\\..", "\\", "a double-byte first component climbed out of"},
        {kanji, kanji, "the trail byte is copied through unchanged"},
        {"C:\\" + kanji, "C:\\" + kanji, "after a drive root"},
        {kanji + ":", kanji + ":", "a double-byte first character is no drive letter"},
        {"\\\\s" + kanji + "\\..", "\\\\s" + kanji + "\\", "a server name holding the character is a root"},
        {"C:\\\x81\x81\\b\\..", "C:\\\x81\x81", "a lead-byte value that is a trail: the backslash after it is one"},
        {"a\\\x81\x81\x81\\b\\..", "a", "after three lead-byte values the 0x5C is a trail byte"},
    };
    expect_rows(std::begin(rows), std::end(rows));
}

}  // namespace
