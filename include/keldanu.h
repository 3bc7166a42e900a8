/*
 * keldanu.h: the public interface of KELDANU.dll, a utility library for 32-bit and 64-bit
 * Windows programs (paths, URLs, shortcuts, registry profile strings, shell queries, byte-size texts,
 * combo-box helpers). Usable from C89 to C++20; link with libKELDANU.dll.a (MinGW) or
 * KELDANU.lib (MSVC), or load KELDANU.dll and look entries up by name or ordinal. The program
 * finds KELDANU.dll beside itself.
 *
 * Every entry uses the Windows API calling convention: on 32-bit __stdcall (the callee removes
 * its arguments), on x64 the one x64 convention (the caller removes them). The 64-bit DLL has
 * the same names and ordinals and gives the same answers; its handles and pointers are 64-bit,
 * every value declared DWORD, UINT, int or BOOL stays 32-bit. Text operations come in pairs: the A form takes 8-bit text in the active ANSI
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

/* The release, written once: the build, the version resources and keldanu.exe read it here. */
#define KELDANU_VERSION_MAJOR 1
#define KELDANU_VERSION_MINOR 0
#define KELDANU_VERSION_PATCH 0
#define KELDANU_VERSION_STRING "1.0.0"

/* A resource script includes this header for the version alone. */
#ifndef RC_INVOKED

#include <windows.h>
#include <commctrl.h>

#ifdef KELDANU_BUILDING
#define KELDANU_API
#else
#define KELDANU_API __declspec(dllimport)
#endif

/* The entries that exist only as names are marked so that the compiler warns where a program
 * calls one: the 62 that show the "Not implemented yet" notice (KELDANU_NOTICE_STUB) and the 3
 * W forms that do nothing (KELDANU_SILENT_STUB). A program that means to call them defines
 * KELDANU_NO_STUB_WARNINGS before including this header. */
#if defined(KELDANU_NO_STUB_WARNINGS)
#define KELDANU_STUB_MARK(text)
#elif defined(__clang__) || (defined(__GNUC__) && (__GNUC__ * 100 + __GNUC_MINOR__) >= 405)
#define KELDANU_STUB_MARK(text) __attribute__((deprecated(text)))
#elif defined(__GNUC__)
#define KELDANU_STUB_MARK(text) __attribute__((deprecated))
#elif defined(_MSC_VER)
#define KELDANU_STUB_MARK(text) __declspec(deprecated(text))
#else
#define KELDANU_STUB_MARK(text)
#endif
#define KELDANU_NOTICE_STUB \
    KELDANU_STUB_MARK("not implemented yet: shows a message box, then returns without doing anything")
#define KELDANU_SILENT_STUB KELDANU_STUB_MARK("not implemented: does nothing and returns 0; only the A form works")

/* Capacities, in characters (bytes for the A forms, UTF-16 units for the W forms), that the
 * library relies on and callers size their buffers by. */
/* A path buffer: MAX_PATH characters, the terminator included. */
#define KELDANU_PATH_CHARS 260
/* A URL buffer: probed over its whole size; receives at most 2059 characters and the
 * terminator. */
#define KELDANU_URL_BUFFER_CHARS 2061

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

/* ==== Path editing ====================================================================
 * Edit a zero-terminated path in the caller's buffer, in place. The backslash is the only
 * separator. A path that an operation lengthens must sit in a buffer of MAX_PATH (260)
 * characters (260 bytes for A, 260 UTF-16 units for W); it never grows beyond 259
 * characters and its terminating zero. The A forms step by characters with CharNextA and
 * CharPrevA where said, so a double-byte character counts as one. Nothing is probed: the
 * arguments must be valid strings. Pointer results point into the caller's own string.
 * Sets no error code. Platform calls: lstrlenA/W, lstrcpyA/W, lstrcatA/W, CharNextA/W,
 * CharPrevA/W; PathIsDirectoryA/W also GetCurrentDirectoryA/W and SetCurrentDirectoryA/W,
 * and the A form GetCurrentDirectoryW and MultiByteToWideChar. */

/* Adds a backslash at the end of `path` unless it already ends in one (found with
 * CharPrevA, so a double-byte character whose trail byte is 0x5C is no backslash).
 *   path  in/out, MAX_PATH characters.
 * Returns the position of the (new) terminating zero. An empty path gets no backslash and
 * the path itself is returned. A path of 259 characters or more is left as it was and the
 * result is NULL, even when it already ends in a backslash. */
KELDANU_API LPSTR WINAPI PathAddBackslashA(LPSTR path);
KELDANU_API LPWSTR WINAPI PathAddBackslashW(LPWSTR path);

/* Removes one backslash from the end of `path`. The last byte (A) or unit (W) is tested on
 * its own, so in a double-byte code page a final character whose trail byte is 0x5C loses
 * that byte. Roots are not protected: "C:\" becomes "C:" and "\" becomes "".
 *   path  in/out, its own length.
 * Returns the position of the new terminating zero when a backslash was removed, else the
 * position of the path's last character (not its terminating zero). For an empty path,
 * which has no last character, the path itself (its terminating zero) is returned and
 * nothing is written. */
KELDANU_API LPSTR WINAPI PathRemoveBackslashA(LPSTR path);
KELDANU_API LPWSTR WINAPI PathRemoveBackslashW(LPWSTR path);

/* Appends `more` to `path` behind a backslash (added as PathAddBackslash does). `more` is
 * appended as it stands: a leading backslash in it gives two in a row, "." and ".." are not
 * resolved, an absolute `more` does not replace the path. An empty path gets no backslash;
 * an empty `more` leaves the path with a trailing backslash.
 *   path  in/out, MAX_PATH characters; unchanged on failure.
 *   more  in.
 * Returns 1, or 0 when the two lengths together reach 259 (nothing is written). */
KELDANU_API BOOL WINAPI PathAppendA(LPSTR path, LPCSTR more);
KELDANU_API BOOL WINAPI PathAppendW(LPWSTR path, LPCWSTR more);

/* Cuts off the last component: "C:\dir\file.txt" -> "C:\dir", "C:\dir" -> "C:\",
 * "C:file" -> "C:", "\file" -> "\", "\\server\share" -> "\\server", "file" -> "". The
 * backslash after a colon is kept as part of the drive root.
 *   path  in/out, its own length.
 * Returns 1 when the path was shortened, 0 when there was nothing to remove ("C:\", "C:",
 * "\", ""). */
KELDANU_API BOOL WINAPI PathRemoveFileSpecA(LPSTR path);
KELDANU_API BOOL WINAPI PathRemoveFileSpecW(LPWSTR path);

/* Removes components until the path is a root as PathIsRoot sees it: "C:\dir\file" ->
 * "C:\", "\\server\share\dir" -> "\\server\share", "\dir" -> "\".
 *   path  in/out, its own length. A path that never becomes a root is left as short as
 *         the removal made it ("C:dir" -> "C:", "dir\file" -> "").
 * Returns 1 when the path is now a root, else 0. */
KELDANU_API BOOL WINAPI PathStripToRootA(LPSTR path);
KELDANU_API BOOL WINAPI PathStripToRootW(LPWSTR path);

/* The position in `path` right after its root: "C:\dir\file" -> "dir\file",
 * "\\server\share\dir" -> "\dir", "C:\" -> "" (its terminating zero). The root is found by
 * stripping a 260-character copy on the stack.
 *   path  in; not written.
 * Returns the position, or NULL when the path has no root ("C:dir", "dir\file", "") or is
 * 260 characters or longer: such a path would not fit the copy, and is not examined. */
KELDANU_API LPSTR WINAPI PathSkipRootA(LPCSTR path);
KELDANU_API LPWSTR WINAPI PathSkipRootW(LPCWSTR path);

/* Puts a double quote before and after a path that holds a space (0x20); a path that is
 * already quoted is quoted again. A path without a space is left as it was.
 *   path  in/out, MAX_PATH characters. A path of more than 257 characters would exceed
 *         259 once quoted; it is left as it was.
 * Returns nothing. */
KELDANU_API void WINAPI PathQuoteSpacesA(LPSTR path);
KELDANU_API void WINAPI PathQuoteSpacesW(LPWSTR path);

/* Asks the file system whether `path` names a directory by trying to make it the current
 * directory: the current directory is remembered, the path tried, the remembered directory
 * made current again. A relative path is taken relative to the current directory.
 *   path  in.
 * Returns nonzero when the path is a directory that can be entered; 0 for a file, a missing
 * path, the empty string or a directory that cannot be entered. When the current directory
 * cannot be remembered in a form that makes it current again, nothing is tried and the
 * result is 0, so the current directory is never left changed: when it cannot be read or is
 * longer than 259 characters (in the A form a double-byte name can need more than 260
 * bytes), and in the A form when its ANSI name does not name it (a character the code page
 * lacks reads back as "?" or a look-alike; the name, widened, must equal the wide current
 * directory). Not safe against other threads of the process: during the call the
 * process-wide current directory is the tested path. */
KELDANU_API BOOL WINAPI PathIsDirectoryA(LPCSTR path);
KELDANU_API BOOL WINAPI PathIsDirectoryW(LPCWSTR path);

/* ==== Path canonical form ============================================================= */

/* Writes the canonical form of `path` to `dest`: "." components are dropped, each ".."
 * removes the component before it unless what is written so far is a root (as PathIsRootA
 * sees it), and the result is repaired at the end: an empty result becomes "\", a bare drive
 * "C:" becomes "C:\", and a UNC path climbed down to "\" becomes "\\".
 * "C:\dir\..\file" -> "C:\file", "C:\dir\.\file" -> "C:\dir\file", "dir\..\file" -> "\file",
 * "\\server\share\.." -> "\\server". Runs of backslashes and a trailing backslash stay; "/"
 * is an ordinary character. Components are delimited byte by byte, but the separator that
 * a ".." cuts at is found by whole characters (CharNextA), so a trail byte 0x5C is never cut
 * at. The result does not depend on what `dest` held.
 *   dest  out: room for the length of `path` plus 2 bytes; must not overlap `path`.
 *   path  in.
 * Returns 1 for every path, the empty one included. Sets no error code. Platform calls:
 * lstrcpynA, lstrlenA, lstrcmpiA, CharNextA, IsDBCSLeadByte.
 *
 * PathCanonicalizeW: present for callers that import it; does nothing and returns 0 at once,
 * leaving `dest` as it was. */
KELDANU_API BOOL WINAPI PathCanonicalizeA(LPSTR dest, LPCSTR path);
KELDANU_SILENT_STUB KELDANU_API BOOL WINAPI PathCanonicalizeW(LPWSTR dest, LPCWSTR path);

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
KELDANU_API BOOL WINAPI PathReadShortcutA(HWND owner, LPCSTR file, LPSTR target, LPSTR description, LPSTR directory,
                                          LPSTR arguments);
KELDANU_API BOOL WINAPI PathReadShortcutW(HWND owner, LPCWSTR file, LPWSTR target, LPWSTR description, LPWSTR directory,
                                          LPWSTR arguments);

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
KELDANU_API BOOL WINAPI PathSaveShortcutA(LPCSTR file, LPCSTR target, LPCSTR description, LPCSTR directory,
                                          LPCSTR arguments);
KELDANU_API BOOL WINAPI PathSaveShortcutW(LPCWSTR file, LPCWSTR target, LPCWSTR description, LPCWSTR directory,
                                          LPCWSTR arguments);

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
KELDANU_API BOOL WINAPI ShlGetProfileStringA(HKEY key, LPCSTR sub_key, LPCSTR value, LPCSTR fallback, LPSTR buf,
                                             DWORD chars);
KELDANU_API BOOL WINAPI ShlGetProfileStringW(HKEY key, LPCWSTR sub_key, LPCWSTR value, LPCWSTR fallback, LPWSTR buf,
                                             DWORD chars);

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
KELDANU_SILENT_STUB KELDANU_API BOOL WINAPI ShlBrowseForFolderW(HINSTANCE instance, HWND owner, LPWSTR path,
                                                                UINT title_id);

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
KELDANU_SILENT_STUB KELDANU_API BOOL WINAPI ShlGetSpecialFolderLocationW(HWND owner, int folder, LPWSTR path,
                                                                         int capacity);

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
KELDANU_API void WINAPI ShlGetWindowsVersionA(LPDWORD major, LPDWORD minor, LPDWORD build, LPDWORD platform,
                                              LPSTR service_pack);
KELDANU_API void WINAPI ShlGetWindowsVersionW(LPDWORD major, LPDWORD minor, LPDWORD build, LPDWORD platform,
                                              LPWSTR service_pack);

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
 * Safe to call from several threads, and from a window procedure (the driver's included)
 * while another call waits for the driver's answer: no lock is held, and a call that finds no
 * answer kept yet asks for itself, so every call returns a count that was asked for. Never
 * fails; sets no error code. Uses RegisterWindowMessageA, FindWindowA, SendMessageA,
 * GetVersionExA, SystemParametersInfoA, RegOpenKeyExA, RegQueryValueExA, RegCloseKey. */
KELDANU_API int WINAPI ShlGetMouseScrollLines(BOOL refresh);

/* ==== Create-shortcut launcher ======================================================== */

/* Starts the shell's create-shortcut command for a folder and returns without waiting for
 * it. The command template is value "Command" of HKEY_CLASSES_ROOT\.lnk\ShellNew (read as by
 * ShlGetProfileString, at most 259 characters); it is formatted with FormatMessage so that
 * %1 and %2 become the folder, a backslash is appended unless the result is empty, already
 * ends in one or has 259 characters or more, and the command is started with WinExec and
 * SW_SHOWNORMAL. The W form converts the command to the ANSI code page first (characters it
 * lacks become the default character); a command whose ANSI form needs more than 259 bytes
 * is not started.
 * Inserts: only %1 and %2 go to the formatter with the folder as their argument, bare or
 * with a format that reads it as text of its own width: !s! and, in the A form, !hs!, in the
 * W form !ls! and !ws!. Every other insert stays as the literal text of the template: %3 to
 * %99 (%12 included: no argument) and %1 or %2 with any other !format! (%1!.5s!, %1!x!, ...).
 * The formatter's escapes that take no argument (%%, %n, %0, %r, %t, ...) work as it defines
 * them; a "%" at the end of the template stays.
 *   folder  in: a zero-terminated path; not probed.
 * Returns TRUE when a program was started; FALSE when no template is registered, the
 * formatted command is empty (its expansion exceeded 259 characters) or the launch fails.
 * Sets no error code of its own (WinExec may). Uses RegOpenKeyExA/W, RegQueryValueExA/W,
 * RegCloseKey, FormatMessageA/W, WideCharToMultiByte, WinExec. */
KELDANU_API BOOL WINAPI ShlDoCreateShortcutDlgA(LPCSTR folder);
KELDANU_API BOOL WINAPI ShlDoCreateShortcutDlgW(LPCWSTR folder);

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

/* The same for a 64-bit count (two stack words on 32-bit, low word first), with the same
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

/* The same for a 64-bit count (two stack words on 32-bit, low word first), with the same
 * texts for every count below 2^32; 18446744073709551615 gives "18.446.744.073.709.551.615".
 *   qwBytes  in: the count, 0 to 2^64 - 1.
 *   pszBuf   out: as above; 27 characters always hold the whole text.
 *   cchBuf, result: as for StrFormatByteWithPointsA/W.
 * Platform calls: _ui64toa / _ui64tow (C runtime), lstrcpynA / lstrcpynW. */
KELDANU_API LPSTR WINAPI StrFormatByteWithPointsExA(ULONGLONG qwBytes, LPSTR pszBuf, int cchBuf);
KELDANU_API LPWSTR WINAPI StrFormatByteWithPointsExW(ULONGLONG qwBytes, LPWSTR pszBuf, int cchBuf);

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
 * skipping missing and empty values, values too long for 259 characters, and those equal
 * (ignoring case) to an entry already in the list. Nothing happens when max_entries is 0 or
 * less or the subkey does not exist. The time taken follows the smaller of max_entries and
 * the number of values in the subkey (INT_MAX is fine): the indexes are read directly when
 * there are no more of them than values, and otherwise learnt once from the names of the
 * values; if the memory for that list of indexes cannot be had, nothing is appended.
 *
 * StrSaveComboHistory moves the combo box's edit text (its first 259 characters) to the top of
 * the list: the first entry equal to it, ignoring case, is deleted, and a non-empty text is
 * inserted at index 0 and selected (an empty edit text only removes an empty entry). Then the
 * first max_entries entries of the list are stored as values 0, 1, ...; an entry longer than
 * 259 characters is stored cut to its first 259 (A: to the whole characters that fit 259
 * bytes, so no double-byte character is split). An entry is taken at the length the combo
 * box reports for it and no further, so an owner-drawn combo box without strings, which
 * hands back its item data without a terminator, stores those bytes and nothing after them;
 * an entry that cannot be fetched (CB_ERR, or no memory for its length) is skipped and its
 * value left as it was. The list itself is not shortened,
 * and values at indexes beyond those written stay as they were.
 *   combo        in: the combo box (with an edit field, for the save).
 *   key          in: an open key or a predefined root key.
 *   sub_key      in: the history's subkey below `key` (created by the save if needed).
 *   max_entries  in: the most values read, or written.
 * Return nothing; failures to read or write a value are skipped. Set no error code. Use
 * SendMessageA/W, GetWindowTextA/W, CharNextA/W, RegOpenKeyExA/W, RegEnumValueA/W,
 * RegQueryValueExA/W, RegCreateKeyExA/W, RegSetValueExA/W, RegCloseKey, HeapAlloc, HeapFree. */
KELDANU_API void WINAPI StrReadComboHistoryA(HWND combo, HKEY key, LPCSTR sub_key, int max_entries);
KELDANU_API void WINAPI StrReadComboHistoryW(HWND combo, HKEY key, LPCWSTR sub_key, int max_entries);
KELDANU_API void WINAPI StrSaveComboHistoryA(HWND combo, HKEY key, LPCSTR sub_key, int max_entries);
KELDANU_API void WINAPI StrSaveComboHistoryW(HWND combo, HKEY key, LPCWSTR sub_key, int max_entries);

/* ==== Not implemented yet =============================================================
 * Each of these shows a modal message box (text "Not implemented yet", its own export name
 * as caption, an information icon and one OK button), then returns the value given below
 * without reading its arguments: 0 (FALSE or NULL), -1 where said, nothing for the void
 * ones. The compiler warns where a program calls one (see KELDANU_NO_STUB_WARNINGS). */
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathAddExtensionA(LPSTR path, LPCSTR ext);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathAddExtensionW(LPWSTR path, LPCWSTR ext);
KELDANU_NOTICE_STUB KELDANU_API LPSTR WINAPI PathBuildRootA(LPSTR root, int drive);
KELDANU_NOTICE_STUB KELDANU_API LPWSTR WINAPI PathBuildRootW(LPWSTR root, int drive);
KELDANU_NOTICE_STUB KELDANU_API LPSTR WINAPI PathCombineA(LPSTR dest, LPCSTR dir, LPCSTR file);
KELDANU_NOTICE_STUB KELDANU_API LPWSTR WINAPI PathCombineW(LPWSTR dest, LPCWSTR dir, LPCWSTR file);
KELDANU_NOTICE_STUB KELDANU_API int WINAPI PathCommonPrefixA(LPCSTR path1, LPCSTR path2, LPSTR prefix);    /* -1 */
KELDANU_NOTICE_STUB KELDANU_API int WINAPI PathCommonPrefixW(LPCWSTR path1, LPCWSTR path2, LPWSTR prefix); /* -1 */
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathCompactPathExA(LPSTR out, LPCSTR path, UINT max_chars, DWORD flags);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathCompactPathExW(LPWSTR out, LPCWSTR path, UINT max_chars, DWORD flags);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathFileExistsA(LPCSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathFileExistsW(LPCWSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathFindOnPathA(LPSTR file, LPCSTR* dirs);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathFindOnPathW(LPWSTR file, LPCWSTR* dirs);
KELDANU_NOTICE_STUB KELDANU_API LPSTR WINAPI PathGetArgsA(LPCSTR path);
KELDANU_NOTICE_STUB KELDANU_API LPWSTR WINAPI PathGetArgsW(LPCWSTR path);
KELDANU_NOTICE_STUB KELDANU_API UINT WINAPI PathGetCharTypeA(UCHAR ch);
KELDANU_NOTICE_STUB KELDANU_API UINT WINAPI PathGetCharTypeW(WCHAR ch);
KELDANU_NOTICE_STUB KELDANU_API int WINAPI PathGetDriveNumberA(LPCSTR path);  /* -1 */
KELDANU_NOTICE_STUB KELDANU_API int WINAPI PathGetDriveNumberW(LPCWSTR path); /* -1 */
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsContentTypeA(LPCSTR path, LPCSTR content_type);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsContentTypeW(LPCWSTR path, LPCWSTR content_type);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsFileSpecA(LPCSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsFileSpecW(LPCWSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsPrefixA(LPCSTR prefix, LPCSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsPrefixW(LPCWSTR prefix, LPCWSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsSameRootA(LPCSTR path1, LPCSTR path2);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsSameRootW(LPCWSTR path1, LPCWSTR path2);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsSystemFolderA(LPCSTR path, DWORD attributes);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsSystemFolderW(LPCWSTR path, DWORD attributes);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsUNCServerA(LPCSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsUNCServerW(LPCWSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsUNCServerShareA(LPCSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsUNCServerShareW(LPCWSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsURLA(LPCSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathIsURLW(LPCWSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathMakePrettyA(LPSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathMakePrettyW(LPWSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathMakeSystemFolderA(LPCSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathMakeSystemFolderW(LPCWSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathMatchSpecA(LPCSTR file, LPCSTR pattern);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathMatchSpecW(LPCWSTR file, LPCWSTR pattern);
KELDANU_NOTICE_STUB KELDANU_API int WINAPI PathParseIconLocationA(LPSTR location);  /* -1 */
KELDANU_NOTICE_STUB KELDANU_API int WINAPI PathParseIconLocationW(LPWSTR location); /* -1 */
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathRelativePathToA(LPSTR out, LPCSTR from, DWORD from_attributes,
                                                                LPCSTR to, DWORD to_attributes);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathRelativePathToW(LPWSTR out, LPCWSTR from, DWORD from_attributes,
                                                                LPCWSTR to, DWORD to_attributes);
KELDANU_NOTICE_STUB KELDANU_API void WINAPI PathRemoveArgsA(LPSTR path);
KELDANU_NOTICE_STUB KELDANU_API void WINAPI PathRemoveArgsW(LPWSTR path);
KELDANU_NOTICE_STUB KELDANU_API void WINAPI PathRemoveBlanksA(LPSTR path);
KELDANU_NOTICE_STUB KELDANU_API void WINAPI PathRemoveBlanksW(LPWSTR path);
KELDANU_NOTICE_STUB KELDANU_API void WINAPI PathRemoveExtensionA(LPSTR path);
KELDANU_NOTICE_STUB KELDANU_API void WINAPI PathRemoveExtensionW(LPWSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathRenameExtensionA(LPSTR path, LPCSTR ext);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathRenameExtensionW(LPWSTR path, LPCWSTR ext);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathSearchAndQualifyA(LPCSTR path, LPSTR out, UINT capacity);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathSearchAndQualifyW(LPCWSTR path, LPWSTR out, UINT capacity);
KELDANU_NOTICE_STUB KELDANU_API void WINAPI PathStripPathA(LPSTR path);
KELDANU_NOTICE_STUB KELDANU_API void WINAPI PathStripPathW(LPWSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathUnmakeSystemFolderA(LPCSTR path);
KELDANU_NOTICE_STUB KELDANU_API BOOL WINAPI PathUnmakeSystemFolderW(LPCWSTR path);
KELDANU_NOTICE_STUB KELDANU_API void WINAPI PathUnquoteSpacesA(LPSTR path);
KELDANU_NOTICE_STUB KELDANU_API void WINAPI PathUnquoteSpacesW(LPWSTR path);

#ifdef __cplusplus
}
#endif

/* The names without the A or W suffix follow UNICODE, as the platform's own headers do:
 * PathFindFileName is PathFindFileNameW where UNICODE is defined, else PathFindFileNameA. A
 * program that uses these words for names of its own defines KELDANU_NO_GENERIC_NAMES. */
#ifndef KELDANU_NO_GENERIC_NAMES
#ifdef UNICODE
#define INetCanonicalizeUrl INetCanonicalizeUrlW
#define INetParseUrl INetParseUrlW
#define INetReadShortcut INetReadShortcutW
#define INetSaveShortcut INetSaveShortcutW
#define PathAddBackslash PathAddBackslashW
#define PathAddExtension PathAddExtensionW
#define PathAppend PathAppendW
#define PathBuildRoot PathBuildRootW
#define PathCanonicalize PathCanonicalizeW
#define PathCombine PathCombineW
#define PathCommonPrefix PathCommonPrefixW
#define PathCompactPath PathCompactPathW
#define PathCompactPathEx PathCompactPathExW
#define PathFileExists PathFileExistsW
#define PathFindExtension PathFindExtensionW
#define PathFindFileName PathFindFileNameW
#define PathFindNextComponent PathFindNextComponentW
#define PathFindOnPath PathFindOnPathW
#define PathGetArgs PathGetArgsW
#define PathGetCharType PathGetCharTypeW
#define PathGetDriveNumber PathGetDriveNumberW
#define PathIsContentType PathIsContentTypeW
#define PathIsDirectory PathIsDirectoryW
#define PathIsFileSpec PathIsFileSpecW
#define PathIsPrefix PathIsPrefixW
#define PathIsRelative PathIsRelativeW
#define PathIsRoot PathIsRootW
#define PathIsSameRoot PathIsSameRootW
#define PathIsSystemFolder PathIsSystemFolderW
#define PathIsUNC PathIsUNCW
#define PathIsUNCServer PathIsUNCServerW
#define PathIsUNCServerShare PathIsUNCServerShareW
#define PathIsURL PathIsURLW
#define PathMakePretty PathMakePrettyW
#define PathMakeSystemFolder PathMakeSystemFolderW
#define PathMatchSpec PathMatchSpecW
#define PathParseIconLocation PathParseIconLocationW
#define PathQuoteSpaces PathQuoteSpacesW
#define PathReadShortcut PathReadShortcutW
#define PathRelativePathTo PathRelativePathToW
#define PathRemoveArgs PathRemoveArgsW
#define PathRemoveBackslash PathRemoveBackslashW
#define PathRemoveBlanks PathRemoveBlanksW
#define PathRemoveExtension PathRemoveExtensionW
#define PathRemoveFileSpec PathRemoveFileSpecW
#define PathRenameExtension PathRenameExtensionW
#define PathSaveShortcut PathSaveShortcutW
#define PathSearchAndQualify PathSearchAndQualifyW
#define PathSetDlgItemPath PathSetDlgItemPathW
#define PathSkipRoot PathSkipRootW
#define PathStripPath PathStripPathW
#define PathStripToRoot PathStripToRootW
#define PathUnmakeSystemFolder PathUnmakeSystemFolderW
#define PathUnquoteSpaces PathUnquoteSpacesW
#define ShlBrowseForFolder ShlBrowseForFolderW
#define ShlDoCreateShortcutDlg ShlDoCreateShortcutDlgW
#define ShlGetProfileString ShlGetProfileStringW
#define ShlGetSpecialFolderLocation ShlGetSpecialFolderLocationW
#define ShlGetWindowsVersion ShlGetWindowsVersionW
#define ShlWriteProfileString ShlWriteProfileStringW
#define StrFillComboWithStrings StrFillComboWithStringsW
#define StrFormatByteSize StrFormatByteSizeW
#define StrFormatByteSizeEx StrFormatByteSizeExW
#define StrFormatByteWithPoints StrFormatByteWithPointsW
#define StrFormatByteWithPointsEx StrFormatByteWithPointsExW
#define StrHexStringToDecimal StrHexStringToDecimalW
#define StrReadComboHistory StrReadComboHistoryW
#define StrSaveComboHistory StrSaveComboHistoryW
#else
#define INetCanonicalizeUrl INetCanonicalizeUrlA
#define INetParseUrl INetParseUrlA
#define INetReadShortcut INetReadShortcutA
#define INetSaveShortcut INetSaveShortcutA
#define PathAddBackslash PathAddBackslashA
#define PathAddExtension PathAddExtensionA
#define PathAppend PathAppendA
#define PathBuildRoot PathBuildRootA
#define PathCanonicalize PathCanonicalizeA
#define PathCombine PathCombineA
#define PathCommonPrefix PathCommonPrefixA
#define PathCompactPath PathCompactPathA
#define PathCompactPathEx PathCompactPathExA
#define PathFileExists PathFileExistsA
#define PathFindExtension PathFindExtensionA
#define PathFindFileName PathFindFileNameA
#define PathFindNextComponent PathFindNextComponentA
#define PathFindOnPath PathFindOnPathA
#define PathGetArgs PathGetArgsA
#define PathGetCharType PathGetCharTypeA
#define PathGetDriveNumber PathGetDriveNumberA
#define PathIsContentType PathIsContentTypeA
#define PathIsDirectory PathIsDirectoryA
#define PathIsFileSpec PathIsFileSpecA
#define PathIsPrefix PathIsPrefixA
#define PathIsRelative PathIsRelativeA
#define PathIsRoot PathIsRootA
#define PathIsSameRoot PathIsSameRootA
#define PathIsSystemFolder PathIsSystemFolderA
#define PathIsUNC PathIsUNCA
#define PathIsUNCServer PathIsUNCServerA
#define PathIsUNCServerShare PathIsUNCServerShareA
#define PathIsURL PathIsURLA
#define PathMakePretty PathMakePrettyA
#define PathMakeSystemFolder PathMakeSystemFolderA
#define PathMatchSpec PathMatchSpecA
#define PathParseIconLocation PathParseIconLocationA
#define PathQuoteSpaces PathQuoteSpacesA
#define PathReadShortcut PathReadShortcutA
#define PathRelativePathTo PathRelativePathToA
#define PathRemoveArgs PathRemoveArgsA
#define PathRemoveBackslash PathRemoveBackslashA
#define PathRemoveBlanks PathRemoveBlanksA
#define PathRemoveExtension PathRemoveExtensionA
#define PathRemoveFileSpec PathRemoveFileSpecA
#define PathRenameExtension PathRenameExtensionA
#define PathSaveShortcut PathSaveShortcutA
#define PathSearchAndQualify PathSearchAndQualifyA
#define PathSetDlgItemPath PathSetDlgItemPathA
#define PathSkipRoot PathSkipRootA
#define PathStripPath PathStripPathA
#define PathStripToRoot PathStripToRootA
#define PathUnmakeSystemFolder PathUnmakeSystemFolderA
#define PathUnquoteSpaces PathUnquoteSpacesA
#define ShlBrowseForFolder ShlBrowseForFolderA
#define ShlDoCreateShortcutDlg ShlDoCreateShortcutDlgA
#define ShlGetProfileString ShlGetProfileStringA
#define ShlGetSpecialFolderLocation ShlGetSpecialFolderLocationA
#define ShlGetWindowsVersion ShlGetWindowsVersionA
#define ShlWriteProfileString ShlWriteProfileStringA
#define StrFillComboWithStrings StrFillComboWithStringsA
#define StrFormatByteSize StrFormatByteSizeA
#define StrFormatByteSizeEx StrFormatByteSizeExA
#define StrFormatByteWithPoints StrFormatByteWithPointsA
#define StrFormatByteWithPointsEx StrFormatByteWithPointsExA
#define StrHexStringToDecimal StrHexStringToDecimalA
#define StrReadComboHistory StrReadComboHistoryA
#define StrSaveComboHistory StrSaveComboHistoryA
#endif /* UNICODE */
#endif /* KELDANU_NO_GENERIC_NAMES */

#endif /* RC_INVOKED */

#endif /* KELDANU_H */
