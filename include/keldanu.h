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

/* ShlBrowseForFolderW and ShlGetSpecialFolderLocationW are one entry under two names: it
 * does nothing and returns 0 at once. */
KELDANU_API BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path, UINT title_id);
KELDANU_API BOOL WINAPI ShlGetSpecialFolderLocationW(HWND owner, int folder, LPWSTR path, int capacity);

/* ==== System queries ================================================================== */

/* ==== Create-shortcut launcher ======================================================== */

/* ==== Hexadecimal text ================================================================ */

/* ==== Byte sizes ======================================================================
 * A byte count as a short size for display. The band is chosen by exact comparison of the
 * count: below 1024 "N Bytes" (also "0 Bytes" and "1 Bytes"); below 102400 kilobytes with one
 * decimal ("1.5 KB", up to "100.0 KB"); below 1048576 whole kilobytes, truncated ("100 KB",
 * "1023 KB"); below 1073741824 megabytes with one decimal ("1.0 MB" to "1024.0 MB"); from there
 * gigabytes with one decimal, with no larger unit ("4.0 GB", "1024.0 GB" for a terabyte).
 * The decimal is the exact figure rounded half up: 1280 bytes is exactly 1.25 KB and gives
 * "1.3 KB". Unit words and the point are fixed English, whatever the user's locale.
 * Nothing is probed. Sets no error code of its own (lstrcpyn may set one when it cannot
 * write the buffer).
 *
 *   dwBytes  in: the count, 0 to 4294967295.
 *   pszBuf   out: receives the text, at most cchBuf - 1 characters and a terminating zero; a
 *            longer text is cut without notice ("1023 Bytes" with cchBuf 5 gives "1023").
 *            With cchBuf 0 nothing is written.
 *   cchBuf   in: the capacity of pszBuf in characters; 17 always holds the whole text.
 *   fComma   in: nonzero to write a decimal comma ("1,5 KB") instead of the point.
 * Returns pszBuf, also when cchBuf is 0; NULL when pszBuf could not be written (what was
 * written before the fault stays).
 * Platform calls: lstrcpynA / lstrcpynW. */
KELDANU_API LPSTR WINAPI StrFormatByteSizeA(DWORD dwBytes, LPSTR pszBuf, int cchBuf, BOOL fComma);
KELDANU_API LPWSTR WINAPI StrFormatByteSizeW(DWORD dwBytes, LPWSTR pszBuf, int cchBuf, BOOL fComma);

/* The same for a 64-bit count (passed as two stack words, low word first), with the same
 * texts for every count below 2^32. Every count of 1073741824 and more is in gigabytes; the
 * largest gives "17179869184.0 GB".
 * Counts of 2^53 and more: the figure is that of the count rounded to the nearest double
 * (53 significant bits, ties to even), as a floating-point conversion would round it; that
 * value is a whole number of bytes and its gigabytes are rounded half up on their exact
 * decimal value like any other figure. So 2^64 - 1 gives "17179869184.0 GB", and a count just
 * below a tie that rounds onto the tie is rounded up with it. Counts below 2^53 are never
 * rounded before the tenths.
 *
 *   qwBytes  in: the count, 0 to 2^64 - 1.
 *   pszBuf, cchBuf, fComma, result: as for StrFormatByteSizeA/W.
 * Platform calls: lstrcpynA / lstrcpynW. */
KELDANU_API LPSTR WINAPI StrFormatByteSizeExA(ULONGLONG qwBytes, LPSTR pszBuf, int cchBuf, BOOL fComma);
KELDANU_API LPWSTR WINAPI StrFormatByteSizeExW(ULONGLONG qwBytes, LPWSTR pszBuf, int cchBuf, BOOL fComma);

/* ==== Byte counts with points =========================================================
 * A byte count as all its decimal digits with a point before each full group of three
 * counted from the right: 0 -> "0", 999 -> "999", 1000 -> "1.000", 1234567 -> "1.234.567".
 * The separator is always the point, whatever the user's locale; no unit is added.
 * Nothing is probed. Sets no error code of its own (lstrcpyn may set one when it cannot
 * write the buffer).
 *
 *   dwBytes  in: the count, 0 to 4294967295 (2147483648 gives "2.147.483.648").
 *   pszBuf   out: receives the text, at most cchBuf - 1 characters and a terminating zero; a
 *            longer text is cut without notice, possibly just after a point (1234567 with
 *            cchBuf 3 gives "1."). With cchBuf 0 nothing is written.
 *   cchBuf   in: the capacity of pszBuf in characters; 14 always holds the whole text.
 * Returns pszBuf, also when cchBuf is 0; NULL when pszBuf could not be written (what was
 * written before the fault stays).
 * Platform calls: _ui64toa / _ui64tow (C runtime), lstrcpynA / lstrcpynW. */
KELDANU_API LPSTR WINAPI StrFormatByteWithPointsA(DWORD dwBytes, LPSTR pszBuf, int cchBuf);
KELDANU_API LPWSTR WINAPI StrFormatByteWithPointsW(DWORD dwBytes, LPWSTR pszBuf, int cchBuf);

/* The same for a 64-bit count (passed as two stack words, low word first), with the same
 * texts for every count below 2^32; 18446744073709551615 gives "18.446.744.073.709.551.615".
 *   qwBytes  in: the count, 0 to 2^64 - 1.
 *   pszBuf   out: as above; 27 characters always hold the whole text.
 *   cchBuf, result: as for StrFormatByteWithPointsA/W.
 * Platform calls: _ui64toa / _ui64tow (C runtime), lstrcpynA / lstrcpynW. */
KELDANU_API LPSTR WINAPI StrFormatByteWithPointsExA(ULONGLONG qwBytes, LPSTR pszBuf, int cchBuf);
KELDANU_API LPWSTR WINAPI StrFormatByteWithPointsExW(ULONGLONG qwBytes, LPWSTR pszBuf, int cchBuf);

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
