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
/* A URL buffer is a caller buffer with room for 2061 characters (2061 bytes for A, 4122 for
 * W). The whole of it is probed with IsBadWritePtr before anything is written; what it
 * receives is at most 2059 characters and the terminating zero. */

/* Decodes the percent escapes of the URL in place: "%" and the (up to) two characters after
 * it become the character whose code those hexadecimal digits give (the A form a byte of the
 * active code page, the W form a unit U+0000 to U+00FF, never read as UTF-8). A value of 0
 * (digits 00, or any character that is not a digit) leaves nothing in their place, and a
 * decoded "%" opens a further escape with the two characters after it, so "%2541" gives "A".
 * Nothing else changes; the result holds no "%".
 *   url       in/out: a URL buffer holding a zero-terminated text; on success it holds the
 *             decoded text, cut to 2059 characters; on failure it is untouched.
 *   reserved  in: must be 0.
 * Returns 1 on success; 0 when reserved is not 0 or the buffer is not writable for 2061
 * characters (NULL included). Sets no error code. Uses IsBadWritePtr, lstrcpynA/W. */
KELDANU_API BOOL WINAPI INetCanonicalizeUrlA(LPSTR url, DWORD reserved);
KELDANU_API BOOL WINAPI INetCanonicalizeUrlW(LPWSTR url, DWORD reserved);

/* Splits a URL into a scheme number, a host and a path. Escapes are decoded first (as by
 * INetCanonicalizeUrl), so "%2F" splits like "/". A text without any "/" is a file name:
 * scheme 1, the whole text as path. Otherwise the text is cut, in this order, at the first
 * "#"; at the first ":" (or at an earlier one of !"#$%&'()*+,-.;<=>? ) which ends the scheme;
 * after a leading "//", at the next "/" which ends the host (user, password and port stay in
 * it); then the rest, the path, at the first "?" and the first ";".
 *   url     in: a zero-terminated text; only its first 2059 characters are considered.
 *   scheme  out: 1 file, 2 ftp, 3 http, 4 https, 5 mailto, 6 news, 7 nntp, 8 telnet,
 *           9 gopher, 10 prospero, 11 wais (compared after lower-casing), 65535 for any other
 *           scheme or none. Probed for 4 bytes.
 *   host    out: a URL buffer; the host as written (case kept), or empty.
 *   path    out: a URL buffer; the path, or empty.
 * Returns 1 on success. Returns 0 when scheme, host or path is not writable (NULL included);
 * nothing is written then. Sets no error code. Uses IsBadWritePtr, lstrcpynA/W, CharLowerA/W,
 * lstrcmpA/W. */
KELDANU_API BOOL WINAPI INetParseUrlA(LPCSTR url, LPDWORD scheme, LPSTR host, LPSTR path);
KELDANU_API BOOL WINAPI INetParseUrlW(LPCWSTR url, LPDWORD scheme, LPWSTR host, LPWSTR path);

/* Reads the URL of an internet shortcut file: the value of key "URL" in section
 * "InternetShortcut", unchanged (escapes are not decoded).
 *   file  in: the file's name, passed to the platform as it is.
 *   url   out: a URL buffer; the value cut to 2059 characters, or empty when the file, the
 *         section or the key is missing.
 * Returns 1 when the buffer is writable for 2061 characters, else 0 (nothing written). Sets no
 * error code of its own; the INI service may change it. Uses IsBadWritePtr,
 * GetPrivateProfileStringA/W. */
KELDANU_API BOOL WINAPI INetReadShortcutA(LPCSTR file, LPSTR url);
KELDANU_API BOOL WINAPI INetReadShortcutW(LPCWSTR file, LPWSTR url);

/* Stores a URL as key "URL" in section "InternetShortcut" of an internet shortcut file,
 * creating the file, section or key as needed. The file's layout and encoding are the
 * platform's: a new file is written in the ANSI code page even by the W form.
 *   file  in: the file's name, passed to the platform as it is.
 *   url   in: a zero-terminated text of any length, stored unchanged.
 * Returns 1, also when the file cannot be written. Sets no error code of its own; the INI
 * service may change it. Uses WritePrivateProfileStringA/W. */
KELDANU_API BOOL WINAPI INetSaveShortcutA(LPCSTR file, LPCSTR url);
KELDANU_API BOOL WINAPI INetSaveShortcutW(LPCWSTR file, LPCWSTR url);

/* ==== Registry profile strings ======================================================== */

/* ==== Folder browsing, special folders, system image list ============================= */

/* ShlBrowseForFolderW and ShlGetSpecialFolderLocationW are one entry under two names: it
 * does nothing and returns 0 at once. */
KELDANU_API BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path, UINT title_id);
KELDANU_API BOOL WINAPI ShlGetSpecialFolderLocationW(HWND owner, int folder, LPWSTR path, int capacity);

/* ==== System queries ================================================================== */

/* ==== Create-shortcut launcher ======================================================== */

/* ==== Hexadecimal text ================================================================ */

/* The value of a text of hexadecimal digits (0-9, a-f, A-F), read left to right in 32-bit
 * unsigned arithmetic: more than eight digits wrap, "FFFFFFFF" gives -1. An "h" or "H" ends
 * the number there ("1Fh" and "1Fh99" give 31, "h" gives 0). There is no sign, blank or "0x"
 * prefix: any other character gives error_value.
 *   text         in: a zero-terminated text.
 *   error_value  in: returned when the text holds a character that is not allowed.
 * Returns the value, error_value, or 0 for an empty text or NULL. Sets no error code. Uses
 * lstrlenA/W. */
KELDANU_API int WINAPI StrHexStringToDecimalA(LPCSTR text, int error_value);
KELDANU_API int WINAPI StrHexStringToDecimalW(LPCWSTR text, int error_value);

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
