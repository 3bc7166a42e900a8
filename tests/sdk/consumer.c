/* A program that uses KELDANU as its users do, built by sdk.sh from the installed tree: with
 * MinGW through find_package and through pkg-config (with UNICODE), and with clang for the
 * MSVC target against KELDANU.lib (without a C runtime, hence NO_CRT). Exits 0 when every
 * answer is right, else names the first wrong one. */
#include <keldanu.h>

static int fail(const char *what) {
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), what, lstrlenA(what), &written, NULL);
    return 1;
}

/* The version resource of the DLL that was loaded carries the header's numbers. */
static BOOL dll_version_is_header_version(void) {
    HMODULE dll = GetModuleHandle(TEXT("KELDANU.dll"));
    HRSRC found = FindResource(dll, MAKEINTRESOURCE(VS_VERSION_INFO), RT_VERSION);
    const DWORD *word, *end;
    if (!found)
        return FALSE;
    word = (const DWORD *)LockResource(LoadResource(dll, found));
    end = word + SizeofResource(dll, found) / sizeof *word;
    for (; word + sizeof(VS_FIXEDFILEINFO) / sizeof *word <= end; ++word) {
        const VS_FIXEDFILEINFO *info = (const VS_FIXEDFILEINFO *)word;
        if (info->dwSignature == VS_FFI_SIGNATURE)
            return info->dwFileVersionMS == MAKELONG(KELDANU_VERSION_MINOR, KELDANU_VERSION_MAJOR) &&
                   info->dwProductVersionLS == MAKELONG(0, KELDANU_VERSION_PATCH);
    }
    return FALSE;
}

int main(void) {
    TCHAR path[KELDANU_PATH_CHARS];
    char size[32];
    /* Copied, not initialized: an initializer may call memset, and the MSVC-target build has
     * no C runtime. */
    lstrcpy(path, TEXT("C:\\dir\\file.txt"));
    if (PathFindFileName(path) != path + 7)
        return fail("PathFindFileName\n");
    if (!PathAppend(path, TEXT("more")) || lstrcmp(path, TEXT("C:\\dir\\file.txt\\more")) != 0)
        return fail("PathAppend\n");
    /* A 64-bit argument: five stack words on 32-bit. */
    if (StrFormatByteSizeExA(1536, size, sizeof size, TRUE) != size || lstrcmpA(size, "1,5 KB") != 0)
        return fail("StrFormatByteSizeExA\n");
    if (!dll_version_is_header_version())
        return fail("version resource\n");
    return 0;
}

#ifdef NO_CRT
void WINAPI no_crt_start(void) {
    ExitProcess((UINT)main());
}
#endif
