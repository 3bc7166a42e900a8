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

/* ==== Path display ====================================================================
 * A path shortened to a width in pixels: characters in its middle give way to "...", and as
 * much as fits of the text after the last backslash is kept. The system's text drawing does
 * the measuring and the rewriting: DrawTextA/W with DT_PATH_ELLIPSIS | DT_MODIFYSTRING and no
 * other flag, so an "&" is taken as a prefix mark while measuring. Sets no error code. */

/* Shortens `path` in place to `width` pixels in the font currently selected into `dc`.
 *   dc     in: a device context; only its font is read (lent to a memory context of the
 *          library's own), nothing in it is changed.
 *   path   in/out: the path; must have room for four characters more than it holds, which
 *          the system may add. A path that fits is left as it was. NULL does nothing.
 *   width  in: the width in pixels.
 * Returns 1 always, also when no memory context could be made (the path is then unchanged).
 * Uses CreateCompatibleDC, GetCurrentObject, SelectObject, SetRect, DrawTextA/W, DeleteDC. */
KELDANU_API BOOL WINAPI PathCompactPathA(HDC dc, LPSTR path, UINT width);
KELDANU_API BOOL WINAPI PathCompactPathW(HDC dc, LPWSTR path, UINT width);

/* Shows `path` in the dialog item `id` of `dialog`, shortened as above to the item's client
 * width in the item's own font (WM_GETFONT; the default font when it has none).
 *   dialog  in: the dialog window.
 *   id      in: the item's identifier.
 *   path    in: the path; never changed. A copy of at most its first 259 characters is
 *           shortened, so a longer text is cut before it is shown. NULL shows "".
 * Returns the result of SetDlgItemTextA/W: nonzero when the item's text was set, 0 when the
 * dialog has no such item or the text could not be set.
 * Uses GetDlgItem, GetClientRect, GetDC, SendMessageA (WM_GETFONT), SelectObject, ReleaseDC,
 * SetDlgItemTextA/W and the calls of PathCompactPathA/W. */
KELDANU_API BOOL WINAPI PathSetDlgItemPathA(HWND dialog, int id, LPCSTR path);
KELDANU_API BOOL WINAPI PathSetDlgItemPathW(HWND dialog, int id, LPCWSTR path);

/* ==== Shell-link shortcuts ============================================================
 * Shell-link (.lnk) files read and written through the system's shell-link object
 * (CoCreateInstance of CLSID_ShellLink, IShellLinkA in the A forms and IShellLinkW in the W
 * forms, IPersistFile). The A forms hand the fields to IShellLinkA as ANSI text and widen only
 * the file name (MultiByteToWideChar, CP_ACP), which must then be shorter than 260
 * characters. The library never initialises COM: the calling thread must have called
 * CoInitialize or CoInitializeEx, or these return 0. Every interface is released before the
 * call returns. Sets no error code of its own. */

/* Reads the shortcut `file`, lets the shell resolve it (SLR_ANY_MATCH; the shell may show
 * its own window, owned by `owner`, while it looks for a moved target) and copies out four of
 * its fields.
 *   owner        in: owner window for the shell's user interface; may be NULL.
 *   file         in: the shortcut file. NULL fails.
 *   target       out: the target path (GetPath, SLGP_UNCPRIORITY);
 *   description  out: the description;
 *   directory    out: the working directory;
 *   arguments    out: the arguments. Each a buffer of at least 260 characters, receiving at
 *                most 259 characters and a terminator; a longer field arrives cut. Each may
 *                be NULL or not writable (IsBadWritePtr), and is then left alone.
 * Every writable output is emptied first, so on failure all of them hold "". A field whose
 * getter fails stays empty; the other fields are still filled.
 * Returns 1 when the arguments were read with S_OK; 0 when COM is not initialised, the file
 * name is NULL or too long (A), the file cannot be loaded or resolved, or GetArguments
 * answered anything but S_OK (S_FALSE included, although the fields were copied). */
KELDANU_API BOOL WINAPI PathReadShortcutA(HWND owner, LPCSTR file, LPSTR target, LPSTR description, LPSTR directory, LPSTR arguments);
KELDANU_API BOOL WINAPI PathReadShortcutW(HWND owner, LPCWSTR file, LPWSTR target, LPWSTR description, LPWSTR directory, LPWSTR arguments);

/* Writes the shortcut `file` with the given fields (IPersistFile::Save, remembering the
 * name, then SaveCompleted).
 *   file         in: the shortcut file to write; required (NULL fails at once).
 *   target       in: the target path, or NULL to leave it unset;
 *   description  in: the description, or NULL;
 *   directory    in: the working directory, or NULL;
 *   arguments    in: the arguments, or NULL. A field the shell-link object refuses is left
 *                out of the file silently.
 * Returns 1 when Save answered S_OK; 0 for a NULL or too long (A) file name, when COM is not
 * initialised, or when the file could not be saved. */
KELDANU_API BOOL WINAPI PathSaveShortcutA(LPCSTR file, LPCSTR target, LPCSTR description, LPCSTR directory, LPCSTR arguments);
KELDANU_API BOOL WINAPI PathSaveShortcutW(LPCWSTR file, LPCWSTR target, LPCWSTR description, LPCWSTR directory, LPCWSTR arguments);

/* ==== URLs and internet shortcuts ===================================================== */

/* ==== Registry profile strings ======================================================== */

/* ==== Folder browsing, special folders, system image list ============================= */

/* ShlBrowseForFolderW and ShlGetSpecialFolderLocationW are one entry under two names: it
 * does nothing and returns 0 at once. */
KELDANU_API BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path, UINT title_id);
KELDANU_API BOOL WINAPI ShlGetSpecialFolderLocationW(HWND owner, int folder, LPWSTR path, int capacity);

/* ==== System queries ================================================================== */

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
