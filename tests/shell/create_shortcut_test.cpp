// The create-shortcut launcher end to end: a registered template starts record_args.exe, which notes its line.
#include "support/support.h"

namespace {

const std::wstring recorder = L"\"" + test::beside_me(L"record_args.exe") + L"\"";
int launches = 0;

// Launches with the C form; returns the command line record_args.exe received (waiting up to
// 4 minutes: emulated, a Wine process takes a minute to start), or "" when nothing was to start.
template <class C>
std::wstring launch(const test::temp_dir& dir, const std::wstring& folder, BOOL expected = TRUE) {
    const std::wstring file = dir.file(std::to_wstring(++launches) + L".txt");
    SetEnvironmentVariableW(L"KELDANU_RECORD_ARGS", file.c_str());
    EXPECT_EQ(AW(C, ShlDoCreateShortcutDlg)(test::native<C>(folder).c_str()), expected);
    wchar_t line[1024] = {};
    for (DWORD start = GetTickCount(), got; expected && GetTickCount() - start < 240000; Sleep(50)) {
        const HANDLE in = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (in != INVALID_HANDLE_VALUE && (ReadFile(in, line, sizeof line - 2, &got, nullptr), CloseHandle(in))) break;
    }
    return line;
}

TEST(CreateShortcut, StartsTheTemplateWithTheFolder) {
    ASSERT_EQ(GetACP(), 1252u);
    test::shellnew_command command;
    test::temp_dir dir;
    const struct {
        bool wide;
        const char *tail, *folder, *expected, *why;
    } rows[] = {
        // UTF-8; what follows the recorder
        {false, " %1", "C:\\W\xC3\xB6rk", " C:\\W\xC3\xB6rk\\",
         "the folder and one backslash; code-page text as it is"},
        {false, " %1", "C:\\Work\\", " C:\\Work\\", "a folder that ends in a backslash gets no second one"},
        {false, " fixed args", "C:\\Work", " fixed args\\", "a template without inserts gains only the backslash"},
        {false, " %1 %2 %1", "C:\\W", " C:\\W C:\\W C:\\W\\", "each insert receives the folder"},
        {false, " %3 %1 %12 100%% %9%", "C:\\W", " %3 C:\\W %12 100% %9%\\", "inserts without an argument stay"},
        {false, " %1!s!%2!hs! %2!6s! %1!S! %1!.2147483647d!", "C:\\W",
         " C:\\WC:\\W %2!6s! %1!S! %1!.2147483647d!\\", "A: only !s! and !hs! reach the formatter"},
        {true, " %1!s!%2!ls!%1!ws! %2!S! %2!hs! %1!.2147483647d!", "C:\\W",
         " C:\\WC:\\WC:\\W %2!S! %2!hs! %1!.2147483647d!\\", "W: only !s!, !ls! and !ws! reach the formatter"},
        {true, " %2 %1", "C:\\W\xC3\xB6rk\xD0\x96", " C:\\W\xC3\xB6rk? C:\\W\xC3\xB6rk?\\",
         "W: a character the code page lacks as ?"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(command.set(recorder + test::utf16(row.tail))) << "the registered command could not be read";
        const std::wstring folder = test::utf16(row.folder);
        EXPECT_EQ(row.wide ? launch<wchar_t>(dir, folder) : launch<char>(dir, folder),
                  recorder + test::utf16(row.expected))
            << row.why;
    }
    // Without a usable template nothing starts, and the call says so.
    command.remove();
    launch<char>(dir, L"C:\\Work", FALSE);
    launch<wchar_t>(dir, L"C:\\Work", FALSE);
    command.set(recorder + L" " + std::wstring(259 - recorder.size(), L'x'));
    launch<wchar_t>(dir, L"C:\\Work", FALSE);  // 260 characters do not fit the 259 read
    command.set(recorder + L" %1%1%1");
    launch<char>(dir, L"C:\\" + std::wstring(90, L'f'), FALSE);  // an expansion beyond 259
    command.set(L"");
    launch<char>(dir, L"C:\\Work", FALSE);
}

TEST(CreateShortcutCp932, DoubleByteFolders) {
    ASSERT_EQ(GetACP(), 932u);
    test::shellnew_command command;
    test::temp_dir dir;
    ASSERT_TRUE(command.set(recorder + L" %1")) << "the registered command could not be read";
    EXPECT_EQ(launch<char>(dir, L"C:\\\x8868"), recorder + L" C:\\\x8868\\") << "a trail byte \"\\\" is no backslash";
    // 150 double-byte characters need 300 bytes in the code page: refused, not started cut short.
    launch<wchar_t>(dir, L"C:\\" + std::wstring(150, L'\x8868'), FALSE);
}

}  // namespace
