// Starts the shell's own create-shortcut command for a folder: the command template that the
// shell registers for new .lnk files, with the folder put in for %1 and %2 and a backslash
// appended, launched as a separate program.
#include "frame/limits.h"
#include "path/path_internal.h"
#include "shell/shell_internal.h"

#include <cstring>
#include <initializer_list>

namespace keldanu {

namespace {

// Every character of the template may gain an escaping "%" (see escape_unsafe_inserts).
constexpr int escaped_chars = 2 * path_chars;

bool is_digit(unsigned c) { return c >= '0' && c <= '9'; }

// True when the insert whose digit is at `insert` may reach the formatter: only %1 and %2 have
// an argument (the formatter reads %10 to %99 as inserts of their own), and they are taken
// bare or with a format that reads the folder as text of its own width.
template <class T>
bool is_folder_insert(const typename T::ch* insert) {
    using ch = typename T::ch;
    if ((*insert != '1' && *insert != '2') || is_digit(static_cast<unsigned>(insert[1]))) return false;
    if (insert[1] != '!') return true;
    for (const ch* format : {KELDANU_TEXT(T, "!s!"), T::pick("!hs!", L"!ls!"), T::pick("!hs!", L"!ws!")}) {
        const ch* p = insert + 1;
        while (*format && *p == *format) ++p, ++format;
        if (!*format) return true;
    }
    return false;
}

// Copies the template into `out` (room for escaped_chars characters, enough for any template
// of up to path_chars - 1 characters) with every insert that is_folder_insert refuses made
// literal ("%3!d!" becomes "%%3!d!", which the formatter turns back into "%3!d!"), so the
// formatter reads no argument but the folder, and only as text. Its other escapes (%%, %n,
// %0, ...) read no argument and pass through unchanged; a "%" that ends the template is made
// literal. A double-byte character is copied whole, as the formatter reads it.
template <class T>
void escape_unsafe_inserts(const typename T::ch* in, typename T::ch* out) {
    using ch = typename T::ch;
    ch* o = out;
    for (const ch* p = in; *p;) {
        // The first of a pair that stays whole (a double-byte character, "%%") goes ahead of the
        // copy below; an escaping "%" goes ahead of an insert refused or a "%" that ends the text.
        if ((T::lead_byte(*p) && p[1]) || (*p == '%' && p[1] == '%'))
            *o++ = *p++;
        else if (*p == '%' && (!p[1] || (p[1] >= '1' && p[1] <= '9' && !is_folder_insert<T>(p + 1))))
            *o++ = '%';
        *o++ = *p++;
    }
    *o = 0;
}

// The command in the ANSI code page, as WinExec takes it: an ANSI command as it is; a wide one
// converted into `room` (`room_bytes` bytes) with the system's default character for what the
// code page lacks, or NULL when the converted text does not fit.
const char* ansi_form(const char* command, char*, int) { return command; }
const char* ansi_form(const wchar_t* command, char* room, int room_bytes) {
    return WideCharToMultiByte(CP_ACP, 0, command, -1, room, room_bytes, nullptr, nullptr) ? room : nullptr;
}

}  // namespace

template <class T>
BOOL create_shortcut_launch(const typename T::ch* folder) {
    using ch = typename T::ch;
    ch command_template[path_chars];
    if (!profile_get_string<T>(HKEY_CLASSES_ROOT, KELDANU_TEXT(T, ".lnk\\ShellNew"), KELDANU_TEXT(T, "Command"),
                               KELDANU_TEXT(T, ""), command_template, path_chars))
        return FALSE;

    ch source[escaped_chars];
    escape_unsafe_inserts<T>(command_template, source);

    // Both inserts stand for the folder; escape_unsafe_inserts makes sure the formatter asks
    // for nothing beyond these two entries, and for them only as text.
    const DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(folder), reinterpret_cast<DWORD_PTR>(folder)};
    // A template that cannot be formatted (its expansion does not fit, say) leaves the command
    // line empty, and the launch of an empty command fails.
    ch command[path_chars] = {};
    if (T::format_message(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, source, command, path_chars,
                          reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(args))) == 0)
        std::memset(command, 0, sizeof command);
    path_add_backslash<T>(command);

    // WinExec takes narrow text only. A command whose ANSI form needs more than the launch
    // buffer is not started cut short: it is not started at all.
    char narrow[path_chars];
    const char* line = ansi_form(command, narrow, path_chars);
    if (!line) return FALSE;
    // WinExec answers 31 or less when the program could not be started.
    return WinExec(line, SW_SHOWNORMAL) > 31 ? TRUE : FALSE;
}

#define INSTANTIATE(T) template BOOL create_shortcut_launch<T>(const T::ch*);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
