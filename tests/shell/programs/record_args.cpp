// record_args.exe: writes its command line (UTF-16, no terminator) to the file named by
// KELDANU_RECORD_ARGS, through "<file>.part" renamed when complete, so a reader sees all of it.
#include <windows.h>

int main() {
    wchar_t file[MAX_PATH], part[MAX_PATH + 8];
    const DWORD n = GetEnvironmentVariableW(L"KELDANU_RECORD_ARGS", file, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 1;
    wsprintfW(part, L"%s.part", file);
    const HANDLE out = CreateFileW(part, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const BOOL ok = WriteFile(out, GetCommandLineW(), lstrlenW(GetCommandLineW()) * 2, &written, nullptr);
    CloseHandle(out);
    return ok && MoveFileExW(part, file, MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}
