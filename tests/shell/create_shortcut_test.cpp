// The create-shortcut launcher end to end: a command template registered under
// HKEY_CLASSES_ROOT\.lnk\ShellNew starts record_args.exe, which writes down the command line
// it received. The template is put back as it was after each test.
#include "support/support.h"

namespace {

const wchar_t shellnew[] = L".lnk\\ShellNew";

// The registered template, set for a test and restored (or removed) afterwards.
class shellnew_command {
public:
    shellnew_command() {
        DWORD bytes = sizeof saved_;
        had_ = RegGetValueW(HKEY_CLASSES_ROOT, shellnew, L"Command", RRF_RT_REG_SZ, nullptr, saved_, &bytes) == 0;
    }
    ~shellnew_command() { had_ ? set(saved_) : remove(); }
    void set(const std::wstring& command) const {
        HKEY key;
        RegCreateKeyExW(HKEY_CLASSES_ROOT, shellnew, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
        RegSetValueExW(key, L"Command", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()), DWORD(command.size() * 2 + 2));
        RegCloseKey(key);
    }
    void remove() const { RegDeleteKeyValueW(HKEY_CLASSES_ROOT, shellnew, L"Command"); }

private:
    wchar_t saved_[1024] = {};
    bool had_;
};

const std::wstring recorder = L"\"" + test::beside_me(L"record_args.exe") + L"\"";

// Launches with the C form while record_args.exe writes to a file of this call's own; returns
// the command line it received, or "" when nothing recorded within the deadline (a Wine
// process takes a minute to start where 32-bit code runs emulated).
int launches = 0;
template <class C> std::wstring launch(const test::temp_dir& dir, const std::wstring& folder, BOOL expected = TRUE) {
    const std::wstring file = dir.file(L"args" + std::to_wstring(++launches) + L".txt");
    SetEnvironmentVariableW(L"KELDANU_RECORD_ARGS", file.c_str());
    EXPECT_EQ(AW(C, ShlDoCreateShortcutDlg)(test::pick<C>(test::acp(folder), folder).c_str()), expected);
    SetEnvironmentVariableW(L"KELDANU_RECORD_ARGS", nullptr);
    wchar_t line[1024] = {};
    for (DWORD start = GetTickCount(); expected && GetTickCount() - start < 240000; Sleep(50)) {
        const HANDLE in = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (in == INVALID_HANDLE_VALUE) continue;
        DWORD got = 0;
        ReadFile(in, line, sizeof line - 2, &got, nullptr);
        CloseHandle(in);
        break;
    }
    return line;
}

TEST(CreateShortcut, StartsTheTemplateWithTheFolder) {
    ASSERT_EQ(GetACP(), 1252u);
    shellnew_command command;
    test::temp_dir dir;
    const struct {
        bool wide;
        const char *tail, *folder, *expected;  // UTF-8; what follows the recorder's path
        const char* why;
    } rows[] = {
        {false, " %1", "C:\\W\xC3\xB6rk", " C:\\W\xC3\xB6rk\\", "the folder and one backslash; code-page text as it is"},
        {false, " %1", "C:\\Work\\", " C:\\Work\\", "a folder that ends in a backslash gets no second one"},
        {false, " fixed args", "C:\\Work", " fixed args\\", "a template without inserts gains only the backslash"},
        {false, " %1 %2 %1", "C:\\W", " C:\\W C:\\W C:\\W\\", "each insert receives the folder"},
        {false, " %3 %1 %12 %1!s! 100%% %9%", "C:\\W", " %3 C:\\W %12 %1!s! 100% %9%\\", "inserts without an argument stay"},
        {true, " %2 %1", "C:\\W\xC3\xB6rk\xD0\x96", " C:\\W\xC3\xB6rk? C:\\W\xC3\xB6rk?\\", "W: a character the code page lacks as ?"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        command.set(recorder + test::utf16(row.tail));
        const std::wstring folder = test::utf16(row.folder);
        EXPECT_EQ(row.wide ? launch<wchar_t>(dir, folder) : launch<char>(dir, folder), recorder + test::utf16(row.expected));
    }
}

// Without a usable template nothing starts, and the call says so.
TEST(CreateShortcut, NothingStartsWithoutAUsableTemplate) {
    shellnew_command command;
    test::temp_dir dir;
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
    shellnew_command command;
    test::temp_dir dir;
    command.set(recorder + L" %1");
    // A folder ending in a character whose trail byte is "\" still gets a backslash.
    EXPECT_EQ(launch<char>(dir, L"C:\\\x8868"), recorder + L" C:\\\x8868\\");
    // 150 double-byte characters fit the wide command line but need 300 bytes in the code
    // page: refused rather than started cut short.
    launch<wchar_t>(dir, L"C:\\" + std::wstring(150, L'\x8868'), FALSE);
}

}  // namespace
