// The create-shortcut launcher, end to end: a command template registered under
// HKEY_CLASSES_ROOT\.lnk\ShellNew starts record_args.exe, which writes down the command line
// it received. The registry is put back as it was after each test.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "keldanu.h"
#include "support/support.h"

namespace {

using test::widen;

const wchar_t shellnew[] = L".lnk\\ShellNew";
const wchar_t record_variable[] = L"KELDANU_RECORD_ARGS";
// A Wine process takes a long time to start where 32-bit code runs under emulation.
constexpr DWORD launch_wait_ms = 240000;

// Remembers HKEY_CLASSES_ROOT\.lnk\ShellNew "Command" as it is, lets the test register a
// template or none, and restores the keys and the value when it goes.
class shellnew_command {
public:
    shellnew_command() {
        lnk_existed_ = exists(L".lnk");
        shellnew_existed_ = exists(shellnew);
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, shellnew, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
            DWORD size = 0;
            if (RegQueryValueExW(key, L"Command", nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
                data_.resize(size);
                value_existed_ = RegQueryValueExW(key, L"Command", nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
            }
            RegCloseKey(key);
        }
    }
    ~shellnew_command() {
        if (value_existed_) {
            set_raw(type_, data_.data(), static_cast<DWORD>(data_.size()));
        } else {
            remove_value();
        }
        if (!shellnew_existed_) RegDeleteKeyW(HKEY_CLASSES_ROOT, shellnew);
        if (!lnk_existed_) RegDeleteKeyW(HKEY_CLASSES_ROOT, L".lnk");
    }
    shellnew_command(const shellnew_command&) = delete;
    shellnew_command& operator=(const shellnew_command&) = delete;

    void set(const std::wstring& command) const {
        set_raw(REG_SZ, command.c_str(), static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    void remove_value() const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, shellnew, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        RegDeleteValueW(key, L"Command");
        RegCloseKey(key);
    }
    void remove_keys() const {
        remove_value();
        RegDeleteKeyW(HKEY_CLASSES_ROOT, shellnew);
    }

private:
    static bool exists(const wchar_t* path) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    void set_raw(DWORD type, const void* data, DWORD bytes) const {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, shellnew, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, L"Command", 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
        RegCloseKey(key);
    }

    bool lnk_existed_ = false;
    bool shellnew_existed_ = false;
    bool value_existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// The quoted path of record_args.exe, which the build puts beside the test program.
std::wstring recorder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.resize(path.rfind(L'\\') + 1);
    return L"\"" + path + L"record_args.exe\"";
}

// Points the next launch's recorder at a file of its own and removes the variable afterwards.
class recording {
public:
    recording(const test::temp_dir& dir, const std::wstring& name) : file_(dir.file(name)) {
        DeleteFileW(file_.c_str());
        SetEnvironmentVariableW(record_variable, file_.c_str());
    }
    ~recording() { SetEnvironmentVariableW(record_variable, nullptr); }

    // The command line the recorder received, once it has written it; empty after the wait.
    std::wstring wait(DWORD ms = launch_wait_ms) const {
        for (DWORD waited = 0;; waited += 100) {
            const HANDLE in = CreateFileW(file_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            if (in != INVALID_HANDLE_VALUE) {
                std::wstring line(GetFileSize(in, nullptr) / sizeof(wchar_t), L'\0');
                DWORD read = 0;
                ReadFile(in, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &read, nullptr);
                CloseHandle(in);
                return line;
            }
            if (waited >= ms) return L"";
            Sleep(100);
        }
    }
    bool started() const { return GetFileAttributesW(file_.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    std::wstring file_;
};

struct launch_row {
    bool wide;
    const char* template_tail;  // what follows the recorder's quoted path in the template (UTF-8)
    const char* folder;         // UTF-8
    const char* expected_tail;  // what follows it in the command line received (UTF-8)
    const char* why;
};

const launch_row launch_rows[] = {
    {false, " %1", "C:\\W\xC3\xB6rk", " C:\\W\xC3\xB6rk\\", "the folder and one backslash; code-page text passed as it is"},
    {false, " %1", "C:\\Work\\", " C:\\Work\\", "a folder that ends in a backslash gets no second one"},
    {false, " fixed args", "C:\\Work", " fixed args\\", "a template without inserts gains only the backslash"},
    {false, " %1 %2 %1", "C:\\Work", " C:\\Work C:\\Work C:\\Work\\", "each insert receives the folder"},
    {false, " %3 %1 %12 100%% %9%", "C:\\W", " %3 C:\\W %12 100% %9%\\", "inserts without an argument stay as written"},
    {false, " in=%1!s! %2!6s! %2!hs! %1!S! %2!ls! %1!*s!", "C:\\W", " in=C:\\W   C:\\W C:\\W %1!S! %2!ls! %1!*s!\\",
     "A: formats go to the formatter, except wide reads of the narrow folder and a width argument"},
    {true, " %1!s! %2!S! %1!ws! %2!-5.2s!| %2!*s!", "C:\\W", " C:\\W C C:\\W C:   | %2!*s!\\",
     "W: a narrow read of the folder stops inside it and is formatted; a width argument is not"},
    {true, " %2 %1", "C:\\W\xC3\xB6rk\xD0\x96", " C:\\W\xC3\xB6rk? C:\\W\xC3\xB6rk?\\",
     "W: converted to the code page, a missing character as ?"},
};

BOOL launch(bool wide, const std::wstring& folder) {
    return wide ? ShlDoCreateShortcutDlgW(folder.c_str()) : ShlDoCreateShortcutDlgA(test::acp_from_wide(folder).c_str());
}

TEST(CreateShortcut, StartsTheTemplateWithTheFolder) {
    ASSERT_EQ(GetACP(), 1252u);
    shellnew_command command;
    test::temp_dir dir;
    int n = 0;
    for (const auto& row : launch_rows) {
        SCOPED_TRACE(row.why);
        command.set(recorder() + test::wide_from_utf8(row.template_tail));
        recording record(dir, L"args" + std::to_wstring(n++) + L".txt");
        EXPECT_EQ(launch(row.wide, test::wide_from_utf8(row.folder)), TRUE);
        EXPECT_EQ(record.wait(), recorder() + test::wide_from_utf8(row.expected_tail));
    }
}

TEST(CreateShortcut, NothingStartsWithoutAUsableTemplate) {
    shellnew_command command;
    test::temp_dir dir;
    recording record(dir, L"none.txt");
    const std::wstring folder = L"C:\\Work";

    command.remove_keys();
    EXPECT_FALSE(launch(false, folder)) << "no key";
    EXPECT_FALSE(launch(true, folder)) << "no key";
    command.set(L"");
    command.remove_value();
    EXPECT_FALSE(launch(false, folder)) << "no value";

    // A template of 260 characters does not fit the 259 the launcher reads.
    command.set(recorder() + L" " + std::wstring(259 - recorder().size(), L'x'));
    EXPECT_FALSE(launch(true, folder)) << "template too long";

    // An expansion beyond 259 characters leaves an empty command, which cannot start.
    command.set(recorder() + L" %1%1%1");
    const std::wstring long_folder = L"C:\\" + std::wstring(90, L'f');
    EXPECT_FALSE(launch(false, long_folder)) << "expansion too long";
    EXPECT_FALSE(launch(true, long_folder)) << "expansion too long";

    // An empty template formats to nothing.
    command.set(L"");
    EXPECT_FALSE(launch(false, folder)) << "empty template";

    Sleep(2000);
    EXPECT_FALSE(record.started()) << "something was started";
}

TEST(CreateShortcutCp932, DoubleByteFolders) {
    ASSERT_EQ(GetACP(), 932u);
    shellnew_command command;
    test::temp_dir dir;
    command.set(recorder() + L" %1");
    {
        // The folder ends in a character whose trail byte is "\": it still gets a backslash.
        recording record(dir, L"dbcs.txt");
        const std::wstring folder = L"C:\\\x8868";
        EXPECT_EQ(ShlDoCreateShortcutDlgA(test::acp_from_wide(folder).c_str()), TRUE);
        EXPECT_EQ(record.wait(), recorder() + L" " + folder + L"\\");
    }
    {
        // 150 double-byte characters fit the wide command line but need 300 bytes in the
        // code page: refused rather than started cut short.
        recording record(dir, L"long.txt");
        EXPECT_FALSE(ShlDoCreateShortcutDlgW((L"C:\\" + std::wstring(150, L'\x8868')).c_str()));
        Sleep(2000);
        EXPECT_FALSE(record.started());
    }
}

}  // namespace
