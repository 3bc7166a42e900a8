/*
 * keldanu.h: the public interface of KELDANU.dll, a utility library for 32-bit Windows
 * programs (paths, URLs, shortcuts, registry profile strings, shell queries, byte-size texts,
 * combo-box helpers). Usable from C and C++; link with libKELDANU.dll.a or load KELDANU.dll
 * and look entries up by name or ordinal.
 *
 * Every entry uses the Windows API calling convention (__stdcall, the callee removes its
 * arguments). Text operations come in pairs: the A form takes 8-bit text in the active ANSI
 * code page (double-byte aware where said), the W form UTF-16. A capacity stated in
 * characters is the same number for both forms.
 *
 * The library sets no error code (GetLastError is left as it was), writes no log and shows
 * no message except the "Not implemented yet" notice of the entries listed as such.
 *
 * Declares names that shlwapi.h also declares: include one or the other, not both.
 */
#ifndef KELDANU_H
#define KELDANU_H

#include <windows.h>
#include <commctrl.h>

#ifdef KELDANU_BUILDING
#define KELDANU_API
#else
#define KELDANU_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ==== Path scanning ===================================================================
 * Read-only questions about a zero-terminated path. The backslash is the only separator
 * ("/" is an ordinary character); the colon ends a drive name. The A forms step by
 * characters with CharNextA, so a double-byte character counts as one. Nothing is probed:
 * the path must be a valid string. Pointer results point into the caller's own string and
 * are never NULL. Sets no error code. */

/* The file name: the text after the last backslash or colon that is followed by something
 * other than a backslash or the end. "C:\dir\file.txt" -> "file.txt", "C:\dir\" -> "dir\",
 * "C:" -> "C:", "" -> "". */
KELDANU_API LPSTR WINAPI PathFindFileNameA(LPCSTR path);
KELDANU_API LPWSTR WINAPI PathFindFileNameW(LPCWSTR path);

/* The extension: the last dot followed by no space and no backslash, or the terminating
 * zero when there is none. "a.b c.d" -> ".d", "file." -> ".", "dir.d\file" -> "". */
KELDANU_API LPSTR WINAPI PathFindExtensionA(LPCSTR path);
KELDANU_API LPWSTR WINAPI PathFindExtensionW(LPCWSTR path);

/* The first backslash (the result points at it), or the terminating zero. The A form searches
 * bytes, so a double-byte character whose trail byte is 0x5C stops it. */
KELDANU_API LPSTR WINAPI PathFindNextComponentA(LPCSTR path);
KELDANU_API LPWSTR WINAPI PathFindNextComponentW(LPCWSTR path);

/* 1 when the whole path is a root: "C:\" (any first character), "\", "\\", "\\server",
 * "\\server\", "\\server\share"; else 0. */
KELDANU_API BOOL WINAPI PathIsRootA(LPCSTR path);
KELDANU_API BOOL WINAPI PathIsRootW(LPCWSTR path);

/* 1 when the path begins with two backslashes, else 0. */
KELDANU_API BOOL WINAPI PathIsUNCA(LPCSTR path);
KELDANU_API BOOL WINAPI PathIsUNCW(LPCWSTR path);

/* 1 when the path is relative: empty, or not starting with a backslash and without a colon
 * as second character; else 0. */
KELDANU_API BOOL WINAPI PathIsRelativeA(LPCSTR path);
KELDANU_API BOOL WINAPI PathIsRelativeW(LPCWSTR path);

/* ==== Path editing ==================================================================== */

/* ==== Path canonical form ============================================================= */

/* PathCanonicalizeW: present for callers that import it; does nothing and returns 0 at once,
 * leaving `dest` as it was. */
KELDANU_API BOOL WINAPI PathCanonicalizeW(LPWSTR dest, LPCWSTR path);

/* ==== Path display ==================================================================== */

/* ==== Shell-link shortcuts ============================================================ */

/* ==== URLs and internet shortcuts ===================================================== */

/* ==== Registry profile strings ======================================================== */

/* ==== Folder browsing, special folders, system image list ============================= */

/* ShlBrowseForFolderA: lets the user pick a file-system folder in the shell's folder browser
 * (a modal dialog owned by `owner`, starting at the desktop, only file-system folders
 * confirmable).
 *   instance  in: module whose string table holds the title.
 *   owner     in: owner window of the browser, or NULL.
 *   path      in/out, at least MAX_PATH (260) characters, not probed: in, the folder to
 *             select when the browser opens (may be empty); out, the chosen folder's path.
 *   title_id  in: string id of the title in `instance`; a missing string gives an empty
 *             title (up to 259 characters are shown).
 * Returns 1 when the user confirmed a folder (the buffer then holds its path; a folder without
 * one leaves what the shell wrote), 0 when the user cancelled or the browser could not be
 * shown (the buffer is left as it was). Runs on the caller's thread until the dialog closes.
 * Sets no error code. Uses LoadStringA, SHBrowseForFolderA (its callback sends
 * BFFM_SETSELECTIONA), SHGetPathFromIDListA and SHGetMalloc to free the item-id list.
 *
 * ShlBrowseForFolderW and ShlGetSpecialFolderLocationW are one entry under two names: it
 * does nothing and returns 0 at once. */
KELDANU_API BOOL WINAPI ShlBrowseForFolderA(HINSTANCE instance, HWND owner, LPSTR path, UINT title_id);
KELDANU_API BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path, UINT title_id);

/* ShlGetSpecialFolderLocationA: the file-system path of a special folder.
 *   owner     in: window passed to the shell (for any dialog it shows), or NULL.
 *   folder    in: the folder's CSIDL number (CSIDL_PROGRAMS, CSIDL_WINDOWS, ...), passed on
 *             unchanged.
 *   path      out: receives the path, cut to capacity - 1 characters and terminated.
 *   capacity  in: size of `path` in characters (= bytes), probed in full.
 * Returns 1 when the path was written. Returns 0 with nothing written when `path` cannot take
 * `capacity` bytes or `capacity` is 0 or negative; returns 0 with an empty string when the
 * folder is unknown or virtual (no file-system path, such as CSIDL_DRIVES) or the shell
 * allocator is missing. Sets no error code. Uses IsBadWritePtr, SHGetMalloc,
 * SHGetSpecialFolderLocation, SHGetPathFromIDListA and lstrcpynA. */
KELDANU_API BOOL WINAPI ShlGetSpecialFolderLocationA(HWND owner, int folder, LPSTR path, int capacity);
KELDANU_API BOOL WINAPI ShlGetSpecialFolderLocationW(HWND owner, int folder, LPWSTR path, int capacity);

/* ShlGetSystemImageList: the shell's system image list, for the icon indexes that
 * SHGetFileInfo's SHGFI_SYSICONINDEX reports.
 *   small_icons  in: nonzero for the small-icon list, 0 for the large-icon list.
 * Returns the list's handle, or NULL when the shell gives none. The list belongs to the
 * system: do not destroy it. Sets no error code. Uses SHGetFileInfoA on "C:\". */
KELDANU_API HIMAGELIST WINAPI ShlGetSystemImageList(BOOL small_icons);

/* ==== System queries ================================================================== */

/* ShlGetWindowsVersionA / ShlGetWindowsVersionW: the Windows version as GetVersionEx reports
 * it. Each output may be NULL or unwritable; it is then skipped and the others are still
 * written.
 *   major, minor, build  out: 4 bytes each, the version numbers.
 *   platform             out: 4 bytes, VER_PLATFORM_WIN32s (0), _WIN32_WINDOWS (1) or
 *                        _WIN32_NT (2).
 *   service_pack         out: 128 characters (A: 128 bytes, W: 256 bytes), probed in full;
 *                        receives the service-pack text with its terminator ("" when none).
 * Returns nothing. If the system query fails, the numbers are 0 and the text is empty.
 * Sets no error code. Uses GetVersionExA / GetVersionExW, IsBadWritePtr, lstrcpyA / lstrcpyW. */
KELDANU_API void WINAPI ShlGetWindowsVersionA(LPDWORD major, LPDWORD minor, LPDWORD build, LPDWORD platform, LPSTR service_pack);
KELDANU_API void WINAPI ShlGetWindowsVersionW(LPDWORD major, LPDWORD minor, LPDWORD build, LPDWORD platform, LPWSTR service_pack);

/* ShlGetComCtlVersion: the major and minor version of the common-controls library that
 * LoadLibraryA("ComCtl32.Dll") gives this process, as its "DllGetVersion" reports it (4.0
 * for a library without that entry). Loaded and freed on every call.
 *   major, minor  out: 4 bytes each, probed before anything else.
 * Returns 1 with both written; 0 with neither written when either output is unwritable, the
 * library cannot be loaded or its version entry fails. Sets no error code. Uses
 * IsBadWritePtr, LoadLibraryA, GetProcAddress, FreeLibrary. */
KELDANU_API BOOL WINAPI ShlGetComCtlVersion(LPDWORD major, LPDWORD minor);

/* ShlGetMouseScrollLines: how many lines one notch of the mouse wheel scrolls.
 *   refresh  in: 0 to accept the answer kept from an earlier call; nonzero to ask again.
 * The first call in a process, and every call with `refresh` set, asks in this order: a
 * wheel driver window (class "MouseZ", title "Magellan MSWHEEL") sent the registered message
 * "MSH_SCROLL_LINES_MSG", whose answer is returned as it is; else on Windows NT 4 and later
 * the system setting (SPI_GETWHEELSCROLLLINES); else before version 4 the registry text
 * HKCU\Control Panel\Desktop "WheelScrollLines"; else 3. The answer is kept for later calls
 * with `refresh` 0, which then make no system call at all, even if the setting has changed.
 * Safe to call from several threads. Never fails; sets no error code. Uses
 * RegisterWindowMessageA, FindWindowA, SendMessageA, GetVersionExA, SystemParametersInfoA,
 * RegOpenKeyExA, RegQueryValueExA. */
KELDANU_API int WINAPI ShlGetMouseScrollLines(BOOL refresh);

/* ==== Create-shortcut launcher ======================================================== */

/* ==== Hexadecimal text ================================================================ */

/* ==== Byte sizes ====================================================================== */

/* ==== Byte counts with points ========================================================= */

/* ==== Combo boxes ===================================================================== */

/* ==== Not implemented yet =============================================================
 * Each of these shows a modal message box (text "Not implemented yet", its own export name
 * as caption, an information icon and one OK button), then returns the value given below
 * without reading its arguments: 0 (FALSE or NULL), -1 where said, nothing for the void
 * ones. */
KELDANU_API BOOL WINAPI PathAddExtensionA(LPSTR path, LPCSTR ext);
KELDANU_API BOOL WINAPI PathAddExtensionW(LPWSTR path, LPCWSTR ext);
KELDANU_API LPSTR WINAPI PathBuildRootA(LPSTR root, int drive);
KELDANU_API LPWSTR WINAPI PathBuildRootW(LPWSTR root, int drive);
KELDANU_API LPSTR WINAPI PathCombineA(LPSTR dest, LPCSTR dir, LPCSTR file);
KELDANU_API LPWSTR WINAPI PathCombineW(LPWSTR dest, LPCWSTR dir, LPCWSTR file);
KELDANU_API int WINAPI PathCommonPrefixA(LPCSTR path1, LPCSTR path2, LPSTR prefix);   /* -1 */
KELDANU_API int WINAPI PathCommonPrefixW(LPCWSTR path1, LPCWSTR path2, LPWSTR prefix); /* -1 */
KELDANU_API BOOL WINAPI PathCompactPathExA(LPSTR out, LPCSTR path, UINT max_chars, DWORD flags);
KELDANU_API BOOL WINAPI PathCompactPathExW(LPWSTR out, LPCWSTR path, UINT max_chars, DWORD flags);
KELDANU_API BOOL WINAPI PathFileExistsA(LPCSTR path);
KELDANU_API BOOL WINAPI PathFileExistsW(LPCWSTR path);
KELDANU_API BOOL WINAPI PathFindOnPathA(LPSTR file, LPCSTR *dirs);
KELDANU_API BOOL WINAPI PathFindOnPathW(LPWSTR file, LPCWSTR *dirs);
KELDANU_API LPSTR WINAPI PathGetArgsA(LPCSTR path);
KELDANU_API LPWSTR WINAPI PathGetArgsW(LPCWSTR path);
KELDANU_API UINT WINAPI PathGetCharTypeA(UCHAR ch);
KELDANU_API UINT WINAPI PathGetCharTypeW(WCHAR ch);
KELDANU_API int WINAPI PathGetDriveNumberA(LPCSTR path); /* -1 */
KELDANU_API int WINAPI PathGetDriveNumberW(LPCWSTR path); /* -1 */
KELDANU_API BOOL WINAPI PathIsContentTypeA(LPCSTR path, LPCSTR content_type);
KELDANU_API BOOL WINAPI PathIsContentTypeW(LPCWSTR path, LPCWSTR content_type);
KELDANU_API BOOL WINAPI PathIsFileSpecA(LPCSTR path);
KELDANU_API BOOL WINAPI PathIsFileSpecW(LPCWSTR path);
KELDANU_API BOOL WINAPI PathIsPrefixA(LPCSTR prefix, LPCSTR path);
KELDANU_API BOOL WINAPI PathIsPrefixW(LPCWSTR prefix, LPCWSTR path);
KELDANU_API BOOL WINAPI PathIsSameRootA(LPCSTR path1, LPCSTR path2);
KELDANU_API BOOL WINAPI PathIsSameRootW(LPCWSTR path1, LPCWSTR path2);
KELDANU_API BOOL WINAPI PathIsSystemFolderA(LPCSTR path, DWORD attributes);
KELDANU_API BOOL WINAPI PathIsSystemFolderW(LPCWSTR path, DWORD attributes);
KELDANU_API BOOL WINAPI PathIsUNCServerA(LPCSTR path);
KELDANU_API BOOL WINAPI PathIsUNCServerW(LPCWSTR path);
KELDANU_API BOOL WINAPI PathIsUNCServerShareA(LPCSTR path);
KELDANU_API BOOL WINAPI PathIsUNCServerShareW(LPCWSTR path);
KELDANU_API BOOL WINAPI PathIsURLA(LPCSTR path);
KELDANU_API BOOL WINAPI PathIsURLW(LPCWSTR path);
KELDANU_API BOOL WINAPI PathMakePrettyA(LPSTR path);
KELDANU_API BOOL WINAPI PathMakePrettyW(LPWSTR path);
KELDANU_API BOOL WINAPI PathMakeSystemFolderA(LPCSTR path);
KELDANU_API BOOL WINAPI PathMakeSystemFolderW(LPCWSTR path);
KELDANU_API BOOL WINAPI PathMatchSpecA(LPCSTR file, LPCSTR spec);
KELDANU_API BOOL WINAPI PathMatchSpecW(LPCWSTR file, LPCWSTR spec);
KELDANU_API int WINAPI PathParseIconLocationA(LPSTR location); /* -1 */
KELDANU_API int WINAPI PathParseIconLocationW(LPWSTR location); /* -1 */
KELDANU_API BOOL WINAPI PathRelativePathToA(LPSTR out, LPCSTR from, DWORD from_attributes, LPCSTR to, DWORD to_attributes);
KELDANU_API BOOL WINAPI PathRelativePathToW(LPWSTR out, LPCWSTR from, DWORD from_attributes, LPCWSTR to, DWORD to_attributes);
KELDANU_API void WINAPI PathRemoveArgsA(LPSTR path);
KELDANU_API void WINAPI PathRemoveArgsW(LPWSTR path);
KELDANU_API void WINAPI PathRemoveBlanksA(LPSTR path);
KELDANU_API void WINAPI PathRemoveBlanksW(LPWSTR path);
KELDANU_API void WINAPI PathRemoveExtensionA(LPSTR path);
KELDANU_API void WINAPI PathRemoveExtensionW(LPWSTR path);
KELDANU_API BOOL WINAPI PathRenameExtensionA(LPSTR path, LPCSTR ext);
KELDANU_API BOOL WINAPI PathRenameExtensionW(LPWSTR path, LPCWSTR ext);
KELDANU_API BOOL WINAPI PathSearchAndQualifyA(LPCSTR path, LPSTR out, UINT capacity);
KELDANU_API BOOL WINAPI PathSearchAndQualifyW(LPCWSTR path, LPWSTR out, UINT capacity);
KELDANU_API void WINAPI PathStripPathA(LPSTR path);
KELDANU_API void WINAPI PathStripPathW(LPWSTR path);
KELDANU_API BOOL WINAPI PathUnmakeSystemFolderA(LPCSTR path);
KELDANU_API BOOL WINAPI PathUnmakeSystemFolderW(LPCWSTR path);
KELDANU_API void WINAPI PathUnquoteSpacesA(LPSTR path);
KELDANU_API void WINAPI PathUnquoteSpacesW(LPWSTR path);

#ifdef __cplusplus
}
#endif

#endif /* KELDANU_H */
