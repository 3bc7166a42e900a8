// Path editing in place: each operation's rows driven through the A and the W export, the
// length limits at their edges in buffers that end at a no-access page, the directory test
// on real folders, the double-byte rules in code page 932, and the rules that hold for every
// real-world path of the corpus.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "keldanu.h"
#include "support/corpus.h"
#include "support/path_forms.h"
#include "support/support.h"

namespace {

using test::offset_of;
using test::path_buffer;

constexpr DWORD untouched_error = 0xDEADBEEF;

template <class C>
class PathEdit : public ::testing::Test {};
using forms = ::testing::Types<char, wchar_t>;
TYPED_TEST_SUITE(PathEdit, forms, test::path_form_names);

// A buffer of MAX_PATH characters, or just large enough for a longer text.
size_t room_for(const std::string& text) { return std::max<size_t>(MAX_PATH, text.size() + 1); }

const std::string chars_258(258, 'a');
const std::string chars_259(259, 'a');

TYPED_TEST(PathEdit, AddBackslash) {
    using F = test::path_form<TypeParam>;
    struct row {
        std::string before, after;
        long result;  // offset of the result, -1 for NULL
        const char* why;
    };
    static const row rows[] = {
        {"C:\\dir", "C:\\dir\\", 7, "a backslash is added; the result is the new end"},
        {"C:\\dir\\", "C:\\dir\\", 7, "already there: the end as it was"},
        {"C:", "C:\\", 3, "a bare drive gets one"},
        {"", "", 0, "an empty path gets none and is its own result"},
        {"dir/", "dir/\\", 5, "a forward slash is no backslash"},
        {chars_258, chars_258 + "\\", 259, "258 characters grow to the longest path, 259"},
        {chars_259, chars_259, -1, "259 characters are refused"},
        {std::string(257, 'a') + "\\", std::string(257, 'a') + "\\", 258, "258 ending in a backslash"},
        {chars_258 + "\\", chars_258 + "\\", -1, "259 is refused even with a backslash at the end"},
        {std::string(400, 'a'), std::string(400, 'a'), -1, "longer than a path buffer"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        path_buffer<TypeParam> path(F::text(r.before), room_for(r.before));
        SetLastError(untouched_error);
        const long result = offset_of(F::add_backslash(path.get()), path.get());
        EXPECT_EQ(GetLastError(), untouched_error);
        EXPECT_EQ(result, r.result);
        EXPECT_EQ(path.text(), F::text(r.after));
        EXPECT_TRUE(path.marked_from(r.after.size() + 1)) << "written past the new end";
    }
}

TYPED_TEST(PathEdit, RemoveBackslash) {
    using F = test::path_form<TypeParam>;
    struct row {
        const char* before;
        const char* after;
        long result;
        const char* why;
    };
    static const row rows[] = {
        {"C:\\dir\\", "C:\\dir", 6, "removed; the result is the new end"},
        {"C:\\dir", "C:\\dir", 5, "nothing to remove: the result is the last character"},
        {"C:\\", "C:", 2, "a drive root is not protected"},
        {"\\", "", 0, "a lone backslash leaves the empty string"},
        {"C:\\dir\\\\", "C:\\dir\\", 7, "only one backslash goes"},
        {"dir/", "dir/", 3, "a forward slash stays"},
        {"", "", 0, "empty: the path itself, nothing written"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        path_buffer<TypeParam> path(F::text(r.before), MAX_PATH);
        SetLastError(untouched_error);
        const long result = offset_of(F::remove_backslash(path.get()), path.get());
        EXPECT_EQ(GetLastError(), untouched_error);
        EXPECT_EQ(result, r.result);
        EXPECT_EQ(path.text(), F::text(r.after));
        EXPECT_TRUE(path.marked_from(std::char_traits<char>::length(r.before) + 1));
    }
}

// An empty path has no last character: the result must not point before it, and the
// character before it must not be written.
TYPED_TEST(PathEdit, RemoveBackslashOfAnEmptyPathStaysInside) {
    using F = test::path_form<TypeParam>;
    TypeParam block[3] = {F::marker, 0, F::marker};
    EXPECT_EQ(F::remove_backslash(block + 1), block + 1);
    EXPECT_EQ(block[0], F::marker);
    EXPECT_EQ(block[1], 0);
    EXPECT_EQ(block[2], F::marker);
}

TYPED_TEST(PathEdit, Append) {
    using F = test::path_form<TypeParam>;
    struct row {
        std::string path, more, after;
        BOOL result;
        const char* why;
    };
    const std::string chars_200(200, 'p');
    const row rows[] = {
        {"C:\\dir", "file", "C:\\dir\\file", 1, "a backslash between"},
        {"C:\\dir\\", "file", "C:\\dir\\file", 1, "the path's own backslash serves"},
        {"C:\\", "file", "C:\\file", 1, "after a drive root"},
        {"C:", "file", "C:\\file", 1, "a bare drive gets a backslash"},
        {"", "file", "file", 1, "an empty path gets no backslash"},
        {"C:\\dir", "", "C:\\dir\\", 1, "an empty component leaves a trailing backslash"},
        {"C:\\dir", "\\file", "C:\\dir\\\\file", 1, "a leading backslash is kept"},
        {"C:\\dir", "..\\x", "C:\\dir\\..\\x", 1, "dots are not resolved"},
        {"C:\\dir", "D:\\x", "C:\\dir\\D:\\x", 1, "an absolute component does not replace the path"},
        {chars_200, std::string(59, 'm'), chars_200, 0, "200 + 59 reach 259: refused"},
        {chars_200, std::string(58, 'm'), chars_200 + "\\" + std::string(58, 'm'), 1, "200 + 58 fill 259"},
        {chars_200 + "\\", std::string(58, 'm'), chars_200 + "\\", 0, "the limit counts the path's own backslash"},
        {chars_258, "", chars_258 + "\\", 1, "258 and nothing: 259 with the backslash"},
        {chars_259, "", chars_259, 0, "259 and nothing: refused"},
        {"", chars_259, "", 0, "an empty path and 259 characters: refused"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        path_buffer<TypeParam> path(F::text(r.path), MAX_PATH);
        const auto more = F::text(r.more);
        SetLastError(untouched_error);
        EXPECT_EQ(F::append(path.get(), more.c_str()), r.result);
        EXPECT_EQ(GetLastError(), untouched_error);
        EXPECT_EQ(path.text(), F::text(r.after));
        EXPECT_TRUE(path.marked_from(std::max(r.path.size(), r.after.size()) + 1));
    }
}

TYPED_TEST(PathEdit, RemoveFileSpec) {
    using F = test::path_form<TypeParam>;
    struct row {
        const char* before;
        const char* after;
        BOOL result;
        const char* why;
    };
    static const row rows[] = {
        {"C:\\dir\\file.txt", "C:\\dir", 1, "the file name goes"},
        {"C:\\dir\\", "C:\\dir", 1, "a trailing backslash goes"},
        {"C:\\dir", "C:\\", 1, "the drive root keeps its backslash"},
        {"C:\\", "C:\\", 0, "a drive root has nothing to remove"},
        {"C:file", "C:", 1, "drive-relative"},
        {"C:", "C:", 0, "a bare drive has nothing to remove"},
        {"file", "", 1, "no separator: nothing is left"},
        {"\\file", "\\", 1, "the leading backslash stays"},
        {"\\", "\\", 0, "a lone backslash stays"},
        {"\\\\server\\share", "\\\\server", 1, "the share goes"},
        {"\\\\server", "\\", 1, "the server goes, one backslash stays"},
        {"a\\b:c\\d", "a\\b:c", 1, "a colon inside the path"},
        {"a\\b:\\c", "a\\b:\\", 1, "a backslash after a colon is kept"},
        {"dir\\\\", "dir\\", 1, "only the last backslash of a run goes"},
        {"a/b/c", "", 1, "forward slashes are ordinary characters"},
        {"", "", 0, "empty"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        path_buffer<TypeParam> path(F::text(r.before), MAX_PATH);
        SetLastError(untouched_error);
        EXPECT_EQ(F::remove_file_spec(path.get()), r.result);
        EXPECT_EQ(GetLastError(), untouched_error);
        EXPECT_EQ(path.text(), F::text(r.after));
        EXPECT_TRUE(path.marked_from(std::char_traits<char>::length(r.before) + 1));
    }
}

TYPED_TEST(PathEdit, StripToRootAndSkipRoot) {
    using F = test::path_form<TypeParam>;
    struct row {
        const char* path;
        const char* stripped;
        BOOL strip_result;
        long skip_result;  // offset, -1 for NULL
        const char* why;
    };
    static const row rows[] = {
        {"C:\\dir\\file", "C:\\", 1, 3, "drive path: the root takes the backslash"},
        {"C:\\", "C:\\", 1, 3, "a drive root: skipped to its end"},
        {"1:\\x", "1:\\", 1, 3, "any first character makes a drive"},
        {"\\dir\\file", "\\", 1, 1, "rooted path"},
        {"\\\\server\\share\\dir", "\\\\server\\share", 1, 14, "UNC: the root ends before the backslash"},
        {"\\\\server\\share\\", "\\\\server\\share", 1, 14, "UNC with a trailing backslash"},
        {"\\\\server", "\\\\server", 1, 8, "a server alone is a root"},
        {"C:dir", "C:", 0, -1, "drive-relative: no root"},
        {"dir\\file", "", 0, -1, "relative: stripped to nothing"},
        {"", "", 0, -1, "empty"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        path_buffer<TypeParam> path(F::text(r.path), MAX_PATH);
        SetLastError(untouched_error);
        EXPECT_EQ(offset_of(F::skip_root(path.get()), path.get()), r.skip_result);
        EXPECT_EQ(path.text(), F::text(r.path)) << "skipping the root wrote into the path";
        EXPECT_EQ(F::strip_to_root(path.get()), r.strip_result);
        EXPECT_EQ(GetLastError(), untouched_error);
        EXPECT_EQ(path.text(), F::text(r.stripped));
        EXPECT_TRUE(path.marked_from(std::char_traits<char>::length(r.path) + 1));
    }
}

// The root is found in a 260-character copy: a path of 259 characters still fits, one of 260
// or more is not examined. The long path ends at a no-access page, so reading past its end
// would fault too.
TYPED_TEST(PathEdit, SkipRootOfPathsTooLongForItsCopy) {
    using F = test::path_form<TypeParam>;
    struct row {
        size_t length;
        long result;
        const char* why;
    };
    static const row rows[] = {
        {259, 3, "the longest path that fits the copy"},
        {260, -1, "one more: not examined"},
        {65536, -1, "far longer than the copy"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        const std::string text = "C:\\" + std::string(r.length - 3, 'd');
        path_buffer<TypeParam> path(F::text(text), text.size() + 1);
        EXPECT_EQ(offset_of(F::skip_root(path.get()), path.get()), r.result);
        EXPECT_EQ(path.text(), F::text(text));
    }
}

TYPED_TEST(PathEdit, QuoteSpaces) {
    using F = test::path_form<TypeParam>;
    struct row {
        std::string before, after;
        const char* why;
    };
    const std::string spaced_257 = "a " + std::string(255, 'b');
    const std::string spaced_258 = "a " + std::string(256, 'b');
    const row rows[] = {
        {"C:\\My Dir", "\"C:\\My Dir\"", "a space: quoted"},
        {"C:\\dir", "C:\\dir", "no space: left alone"},
        {"\"C:\\My Dir\"", "\"\"C:\\My Dir\"\"", "already quoted: quoted again"},
        {" ", "\" \"", "a single space"},
        {"a\tb", "a\tb", "only the space counts"},
        {"", "", "empty"},
        {spaced_257, "\"" + spaced_257 + "\"", "257 characters grow to 259, filling the buffer"},
        {spaced_258, spaced_258, "258 would exceed 259: left alone"},
        {std::string(259, 'c'), std::string(259, 'c'), "259 without a space: left alone"},
        {"a " + std::string(298, 'b'), "a " + std::string(298, 'b'), "longer than the working copy"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        path_buffer<TypeParam> path(F::text(r.before), room_for(r.before));
        SetLastError(untouched_error);
        F::quote_spaces(path.get());
        EXPECT_EQ(GetLastError(), untouched_error);
        EXPECT_EQ(path.text(), F::text(r.after));
        EXPECT_TRUE(path.marked_from(std::max(r.before.size(), r.after.size()) + 1));
    }
}

// Sets the current directory for a test and puts the previous one back.
class current_directory_guard {
public:
    explicit current_directory_guard(const std::wstring& dir) : saved_(current()) { SetCurrentDirectoryW(dir.c_str()); }
    ~current_directory_guard() { SetCurrentDirectoryW(saved_.c_str()); }
    static std::wstring current() {
        wchar_t buf[MAX_PATH * 2] = {};
        GetCurrentDirectoryW(MAX_PATH * 2, buf);
        return buf;
    }

private:
    std::wstring saved_;
};

TYPED_TEST(PathEdit, IsDirectoryOnRealFolders) {
    using F = test::path_form<TypeParam>;
    test::temp_dir dir;
    ASSERT_TRUE(CreateDirectoryW(dir.file(L"sub").c_str(), nullptr));
    HANDLE file = CreateFileW(dir.file(L"file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    current_directory_guard in(dir.path());
    ASSERT_EQ(current_directory_guard::current(), dir.path());

    struct row {
        std::wstring path;
        bool directory;
        const char* why;
    };
    const row rows[] = {
        {dir.file(L"sub"), true, "an existing directory"},
        {dir.file(L"sub") + L"\\", true, "with a trailing backslash"},
        {L"sub", true, "relative to the current directory"},
        {L"..", true, "the parent"},
        {dir.file(L"file.txt"), false, "an existing file"},
        {L"file.txt", false, "a file, relative"},
        {dir.file(L"missing"), false, "a missing path"},
        {L"missing\\sub", false, "a missing relative path"},
        {L"", false, "the empty string"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.why);
        const auto path = F::from_wide(r.path);
        const BOOL result = F::is_directory(path.c_str());
        EXPECT_EQ(result != 0, r.directory);
        EXPECT_EQ(current_directory_guard::current(), dir.path()) << "the current directory moved";
    }
}

// The corpus paths: what must hold for every input, whatever its shape.
TYPED_TEST(PathEdit, CorpusRules) {
    using F = test::path_form<TypeParam>;
    using string = typename F::string;
    const auto corpus = test::read_corpus("paths.txt");
    ASSERT_FALSE(corpus.empty()) << "no corpus at " << test::corpus_file("paths.txt");
    const TypeParam bs = '\\';
    const string sep(1, bs);
    const string quote(1, '"');
    const string component = F::text("x");
    const string base = F::text("C:\\base");
    path_buffer<TypeParam> path(MAX_PATH);
    path_buffer<TypeParam> other(MAX_PATH);

    for (const std::wstring& wide : corpus) {
        const string text = F::from_wide(wide);
        SCOPED_TRACE(testing::Message() << "path \"" << F::shown(text) << "\"");
        ASSERT_LT(text.size(), 200u) << "the corpus has no path this long";
        const long length = static_cast<long>(text.size());
        const bool ends_in_separator = !text.empty() && text.back() == bs;
        const string with_backslash = text.empty() || ends_in_separator ? text : text + sep;
        SetLastError(untouched_error);

        path.reset(text);
        EXPECT_EQ(offset_of(F::add_backslash(path.get()), path.get()), static_cast<long>(with_backslash.size()));
        EXPECT_EQ(path.text(), with_backslash);
        EXPECT_TRUE(path.marked_from(with_backslash.size() + 1));

        path.reset(text);
        EXPECT_EQ(offset_of(F::remove_backslash(path.get()), path.get()), length ? length - 1 : 0);
        EXPECT_EQ(path.text(), ends_in_separator ? text.substr(0, text.size() - 1) : text);

        path.reset(text);
        EXPECT_EQ(F::append(path.get(), component.c_str()), 1);
        EXPECT_EQ(path.text(), with_backslash + component);
        path.reset(base);
        EXPECT_EQ(F::append(path.get(), text.c_str()), 1);
        EXPECT_EQ(path.text(), base + sep + text);

        // Removing the file name only ever shortens, and says so.
        path.reset(text);
        const BOOL removed = F::remove_file_spec(path.get());
        const string shortened = path.text();
        EXPECT_EQ(text.compare(0, shortened.size(), shortened), 0) << "not a prefix";
        EXPECT_EQ(removed != 0, shortened.size() < text.size());

        // Stripping ends at a root exactly when it says so, and skipping agrees with it.
        path.reset(text);
        const BOOL stripped = F::strip_to_root(path.get());
        const string root = path.text();
        EXPECT_EQ(text.compare(0, root.size(), root), 0) << "not a prefix";
        EXPECT_EQ(stripped, F::is_root(root.c_str()));
        other.reset(text);
        const long skipped = offset_of(F::skip_root(other.get()), other.get());
        EXPECT_EQ(skipped, stripped ? static_cast<long>(root.size()) : -1);
        EXPECT_EQ(other.text(), text);

        path.reset(text);
        F::quote_spaces(path.get());
        EXPECT_EQ(path.text(), text.find(' ') == string::npos ? text : quote + text + quote);
        EXPECT_TRUE(path.marked_from(text.size() + 3));

        EXPECT_EQ(GetLastError(), untouched_error);
    }
}

// The directory test on every corpus path that names no network share: the answer depends
// on the file system, the current directory afterwards does not.
TYPED_TEST(PathEdit, CorpusLeavesTheCurrentDirectory) {
    using F = test::path_form<TypeParam>;
    const auto corpus = test::read_corpus("paths.txt");
    ASSERT_FALSE(corpus.empty()) << "no corpus at " << test::corpus_file("paths.txt");
    test::temp_dir dir;
    current_directory_guard in(dir.path());
    for (const std::wstring& wide : corpus) {
        // Two leading separators name a server, which Wine would try to reach over the network.
        if (wide.size() >= 2 && (wide[0] == L'\\' || wide[0] == L'/') && (wide[1] == L'\\' || wide[1] == L'/'))
            continue;
        const auto text = F::from_wide(wide);
        SCOPED_TRACE(testing::Message() << "path \"" << wide << "\"");
        F::is_directory(text.c_str());
        ASSERT_EQ(current_directory_guard::current(), dir.path());
    }
}

// ---- code page 932: 0x95 is a lead byte and 0x95 0x5C one character ----

#define ASSERT_CODE_PAGE_932() ASSERT_EQ(GetACP(), 932u) << "this suite needs LC_ALL=ja_JP.UTF-8"

const std::string kanji = "\x95\x5C";  // one character whose trail byte is a backslash

TEST(PathEditCp932, AddBackslashStepsOverATrailByte) {
    ASSERT_CODE_PAGE_932();
    path_buffer<char> path("X" + kanji, MAX_PATH);
    EXPECT_EQ(offset_of(PathAddBackslashA(path.get()), path.get()), 4);
    EXPECT_EQ(path.text(), "X" + kanji + "\\");
    path.reset("X" + kanji + "\\");
    EXPECT_EQ(offset_of(PathAddBackslashA(path.get()), path.get()), 4);
    EXPECT_EQ(path.text(), "X" + kanji + "\\");
}

TEST(PathEditCp932, RemoveBackslashLooksAtTheLastByteAlone) {
    ASSERT_CODE_PAGE_932();
    path_buffer<char> path("X" + kanji, MAX_PATH);
    EXPECT_EQ(offset_of(PathRemoveBackslashA(path.get()), path.get()), 2);
    EXPECT_EQ(path.text(), "X\x95");
}

TEST(PathEditCp932, AppendAfterADoubleByteCharacter) {
    ASSERT_CODE_PAGE_932();
    path_buffer<char> path("X" + kanji, MAX_PATH);
    EXPECT_EQ(PathAppendA(path.get(), "y"), 1);
    EXPECT_EQ(path.text(), "X" + kanji + "\\y");
}

TEST(PathEditCp932, TrailBytesAreNoSeparators) {
    ASSERT_CODE_PAGE_932();
    struct row {
        std::string before, after;
        BOOL result;
        const char* why;
    };
    const row file_spec_rows[] = {
        {"C:\\" + kanji + "file", "C:\\", 1, "the trail byte is no cut"},
        {"dir" + kanji, "", 1, "no separator at all"},
        {"C:\\" + kanji + "\\f", "C:\\" + kanji, 1, "a real backslash after the character"},
    };
    for (const row& r : file_spec_rows) {
        SCOPED_TRACE(r.why);
        path_buffer<char> path(r.before, MAX_PATH);
        EXPECT_EQ(PathRemoveFileSpecA(path.get()), r.result);
        EXPECT_EQ(path.text(), r.after);
    }
    // A server name holding the character: the trail byte does not count as the second
    // backslash, so \\s<kanji>\share is the root.
    const std::string unc = "\\\\s" + kanji + "\\share\\dir";
    path_buffer<char> path(unc, MAX_PATH);
    EXPECT_EQ(offset_of(PathSkipRootA(path.get()), path.get()), 11);
    EXPECT_EQ(PathStripToRootA(path.get()), 1);
    EXPECT_EQ(path.text(), "\\\\s" + kanji + "\\share");
}

TEST(PathEditCp932, IsDirectoryWithDoubleByteNames) {
    ASSERT_CODE_PAGE_932();
    test::temp_dir dir;
    const std::wstring name = dir.file(L"\x8868\x3042");  // 表あ
    ASSERT_TRUE(CreateDirectoryW(name.c_str(), nullptr));
    const std::string ansi = test::acp_from_wide(name);
    current_directory_guard in(dir.path());
    EXPECT_NE(PathIsDirectoryA(ansi.c_str()), 0);
    EXPECT_EQ(current_directory_guard::current(), dir.path());
}

// A current directory of 160 UTF-16 units needs more than 260 bytes in code page 932: the A
// form cannot remember it, so it tries nothing and answers 0; the W form still answers.
TEST(PathEditCp932, IsDirectoryUnderACurrentDirectoryTooLongToRemember) {
    ASSERT_CODE_PAGE_932();
    test::temp_dir dir;
    const std::wstring deep = dir.file(std::wstring(120, L'\x3042'));
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    ASSERT_LT(deep.size(), static_cast<size_t>(MAX_PATH));
    ASSERT_GT(test::acp_from_wide(deep).size(), static_cast<size_t>(MAX_PATH));
    current_directory_guard in(deep);
    ASSERT_EQ(current_directory_guard::current(), deep);
    const std::string target = test::acp_from_wide(dir.path());
    EXPECT_EQ(PathIsDirectoryA(target.c_str()), 0);
    EXPECT_EQ(current_directory_guard::current(), deep);
    EXPECT_NE(PathIsDirectoryW(dir.path().c_str()), 0);
    EXPECT_EQ(current_directory_guard::current(), deep);
}

}  // namespace
