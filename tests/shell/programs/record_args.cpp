// record_args.exe: writes the command line it was started with, as GetCommandLineW gives it
// (UTF-16, no terminator), to the file named by the environment variable
// KELDANU_RECORD_ARGS, then exits. The launcher tests register it as the command to start.
// The text goes to "<file>.part" first and is renamed when complete, so a test that sees the
// file sees all of it.
#include <windows.h>

int main() {
    wchar_t file[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"KELDANU_RECORD_ARGS", file, MAX_PATH);
    if (n == 0 || n >= MAX_PATH - 8) return 1;
    wchar_t part[MAX_PATH];
    lstrcpyW(part, file);
    lstrcatW(part, L".part");
    const HANDLE out = CreateFileW(part, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 2;
    const wchar_t* line = GetCommandLineW();
    DWORD written = 0;
    const BOOL ok = WriteFile(out, line, static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(out);
    if (!ok) return 3;
    return MoveFileExW(part, file, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
