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

/* Reads a registry value as text, with a default. The whole buffer is cleared first; the
 * subkey is opened for reading, the value's raw data (whatever its type: a REG_DWORD 65 reads
 * as "A") is copied into the buffer, and the key is closed again.
 *   key       in: an open key or a predefined root key (HKEY_CURRENT_USER, ...).
 *   sub_key   in: the subkey below `key`, backslash-separated; NULL fails at once.
 *   value     in: the value's name; NULL or "" names the key's default value.
 *   fallback  in: the default text; NULL stands for the empty text.
 *   buf       out: receives the data followed by zeros; on failure the default cut to
 *             chars - 1 characters followed by zeros; for a NULL sub_key zeros only; for a
 *             buffer that is not writable for `chars` characters, nothing.
 *   chars     in: the buffer's capacity in characters (bytes for A, 2 bytes each for W).
 * Returns TRUE when the value's data was placed in the buffer; FALSE when the buffer is not
 * writable, sub_key is NULL, the key or value is missing, or the data does not fit. Data that
 * fills the buffer to its last character, leaving no room for a terminating zero, counts as
 * not fitting, so a TRUE read always holds a zero-terminated text.
 * Sets no error code. Uses IsBadWritePtr, RegOpenKeyExA/W, RegQueryValueExA/W, RegCloseKey,
 * lstrcpynA/W. */
KELDANU_API BOOL WINAPI ShlGetProfileStringA(HKEY key, LPCSTR sub_key, LPCSTR value, LPCSTR fallback, LPSTR buf, DWORD chars);
KELDANU_API BOOL WINAPI ShlGetProfileStringW(HKEY key, LPCWSTR sub_key, LPCWSTR value, LPCWSTR fallback, LPWSTR buf, DWORD chars);

/* Stores a text as a REG_SZ registry value, creating the subkey and its missing parents. The
 * stored data is the text's characters without the terminating zero (lstrlenA bytes for A,
 * 2 x lstrlenW bytes for W); ShlGetProfileString reads it back as a terminated text.
 *   key      in: an open key or a predefined root key.
 *   sub_key  in: the subkey below `key`; NULL fails at once and writes nothing.
 *   value    in: the value's name; NULL or "" names the key's default value.
 *   data     in: the zero-terminated text to store, of any length.
 * Returns TRUE when the value was stored, FALSE otherwise (a subkey created before a failed
 * store stays). Sets no error code. Uses RegCreateKeyExA/W, RegSetValueExA/W, RegCloseKey,
 * lstrlenA/W. */
KELDANU_API BOOL WINAPI ShlWriteProfileStringA(HKEY key, LPCSTR sub_key, LPCSTR value, LPCSTR data);
KELDANU_API BOOL WINAPI ShlWriteProfileStringW(HKEY key, LPCWSTR sub_key, LPCWSTR value, LPCWSTR data);

/* ==== Folder browsing, special folders, system image list ============================= */

/* ShlBrowseForFolderW and ShlGetSpecialFolderLocationW are one entry under two names: it
 * does nothing and returns 0 at once. */
KELDANU_API BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path, UINT title_id);
KELDANU_API BOOL WINAPI ShlGetSpecialFolderLocationW(HWND owner, int folder, LPWSTR path, int capacity);

/* ==== System queries ================================================================== */

/* ==== Create-shortcut launcher ======================================================== */

/* Starts the shell's create-shortcut command for a folder and returns without waiting for
 * it. The command template is value "Command" of HKEY_CLASSES_ROOT\.lnk\ShellNew (read as by
 * ShlGetProfileString, at most 259 characters); it is formatted with FormatMessage so that
 * %1 and %2 become the folder, a backslash is appended unless the result is empty, already
 * ends in one or has 259 characters or more, and the command is started with WinExec and
 * SW_SHOWNORMAL. The W form converts the command to the ANSI code page first (characters it
 * lacks become the default character); a command whose ANSI form needs more than 259 bytes
 * is not started. Inserts other than a plain %1 or %2 (%3 to %99, or an insert with a !format!)
 * have no argument and stay in the command as the literal text of the template.
 *   folder  in: a zero-terminated path; not probed.
 * Returns TRUE when a program was started; FALSE when no template is registered, the
 * formatted command is empty (its expansion exceeded 259 characters) or the launch fails.
 * Sets no error code of its own (WinExec may). Uses RegOpenKeyExA/W, RegQueryValueExA/W,
 * FormatMessageA/W, WideCharToMultiByte, WinExec. */
KELDANU_API BOOL WINAPI ShlDoCreateShortcutDlgA(LPCSTR folder);
KELDANU_API BOOL WINAPI ShlDoCreateShortcutDlgW(LPCWSTR folder);

/* ==== Hexadecimal text ================================================================ */

/* ==== Byte sizes ====================================================================== */

/* ==== Byte counts with points ========================================================= */

/* ==== Combo boxes ===================================================================== */

/* Appends the items of a "|"-separated string resource to a combo box's list, left to right,
 * and optionally selects an entry. Runs of "|" and a "|" at either end add no empty items; the
 * list is not cleared first (a sorted combo box places the items in its own order). The A form
 * steps by characters, so a double-byte character whose trail byte is "|" is not split.
 *   module     in: the module holding the string table.
 *   combo      in: the combo box.
 *   string_id  in: the string resource; only its first 2047 characters are used; a missing
 *              resource adds nothing.
 *   select     in: the entry to select with CB_SETCURSEL, or -1 to leave the selection.
 * Returns TRUE always. Sets no error code. Uses LoadStringA/W, SendMessageA/W. */
KELDANU_API BOOL WINAPI StrFillComboWithStringsA(HINSTANCE module, HWND combo, UINT string_id, int select);
KELDANU_API BOOL WINAPI StrFillComboWithStringsW(HINSTANCE module, HWND combo, UINT string_id, int select);

/* A most-recently-used history kept in the registry: under key\sub_key, one REG_SZ value per
 * entry named by its index in decimal ("0" the most recent, "1", ...), at most 259
 * characters each.
 *
 * StrReadComboHistory appends the values 0 to max_entries - 1 to the list, in that order,
 * skipping missing and empty values and those equal (ignoring case) to an entry already in
 * the list. Nothing happens when max_entries is 0 or less or the subkey does not exist.
 *
 * StrSaveComboHistory moves the combo box's edit text (its first 259 characters) to the top of
 * the list: the first entry equal to it, ignoring case, is deleted, and a non-empty text is
 * inserted at index 0 and selected (an empty edit text only removes an empty entry). Then the
 * first max_entries entries of the list are stored as values 0, 1, ...; an entry longer than
 * 259 characters is stored cut to 259. The list itself is not shortened, and values at
 * indexes beyond those written stay as they were.
 *   combo        in: the combo box (with an edit field, for the save).
 *   key          in: an open key or a predefined root key.
 *   sub_key      in: the history's subkey below `key` (created by the save if needed).
 *   max_entries  in: the most values read, or written.
 * Return nothing; failures to read or write a value are skipped. Set no error code. Use
 * SendMessageA/W, GetWindowTextA/W, RegOpenKeyExA/W, RegQueryValueExA/W, RegCreateKeyExA/W,
 * RegSetValueExA/W, RegCloseKey. */
KELDANU_API void WINAPI StrReadComboHistoryA(HWND combo, HKEY key, LPCSTR sub_key, int max_entries);
KELDANU_API void WINAPI StrReadComboHistoryW(HWND combo, HKEY key, LPCWSTR sub_key, int max_entries);
KELDANU_API void WINAPI StrSaveComboHistoryA(HWND combo, HKEY key, LPCSTR sub_key, int max_entries);
KELDANU_API void WINAPI StrSaveComboHistoryW(HWND combo, HKEY key, LPCWSTR sub_key, int max_entries);

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
