// Starts the shell's own create-shortcut command for a folder: the command template that the
// shell registers for new .lnk files, with the folder put in for %1 and %2 and a backslash
// appended, launched as a separate program.
// Platform services: the registry read of profile.cpp, FormatMessageA/W, WideCharToMultiByte
// and WinExec (KERNEL32); the add-backslash routine of the path editor.
#include "path/path_internal.h"
#include "shell/shell_internal.h"

#include <cstring>
#include <iterator>

namespace keldanu {

namespace {

// The command template and the command line are path-sized texts.
constexpr DWORD command_chars = MAX_PATH;
// Every character of the template may gain an escaping "%" (see escape_unknown_inserts).
constexpr DWORD escaped_chars = 2 * command_chars;

template <class T>
constexpr const typename T::ch* shellnew_key() { return KELDANU_TEXT(T, ".lnk\\ShellNew"); }
template <class T>
constexpr const typename T::ch* command_value() { return KELDANU_TEXT(T, "Command"); }

template <class T>
DWORD format_template(const typename T::ch* source, typename T::ch* out, DWORD chars, const typename T::ch* folder) {
    // Both inserts stand for the folder. The formatter is told the array has these two
    // entries only; escape_unknown_inserts makes sure it never asks for a third.
    const DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(folder), reinterpret_cast<DWORD_PTR>(folder)};
    const DWORD flags = FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY;
    if constexpr (T::wide)
        return FormatMessageW(flags, source, 0, LANG_USER_DEFAULT, out, chars, reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(args)));
    else
        return FormatMessageA(flags, source, 0, LANG_USER_DEFAULT, out, chars, reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(args)));
}

bool is_digit(unsigned c) { return c >= '0' && c <= '9'; }

// Copies the template into `out` (capacity escaped_chars, enough for any template of up to
// command_chars - 1 characters) with every insert other than a plain %1 or %2 escaped as
// literal text ("%3" becomes "%%3", which the formatter turns back into "%3"). The formatter
// reads an argument for each insert it meets, %1 to %99, and a "*" width or precision in an
// insert's !format! reads one more; with two entries in the argument array anything beyond
// them would be read from outside it. The formatter's other escapes (%%, %n, %0, ...) read
// no argument and pass through unchanged; a "%" that ends the template is made literal.
template <class T>
void escape_unknown_inserts(const typename T::ch* in, typename T::ch* out) {
    using ch = typename T::ch;
    ch* o = out;
    const ch* p = in;
    while (*p) {
        if (is_lead<T>(p) && p[1]) {
            *o++ = *p++;
            *o++ = *p++;
            continue;
        }
        if (*p != '%') {
            *o++ = *p++;
            continue;
        }
        const ch* insert = p + 1;
        if (*insert == '%') {  // "%%" stands for one "%" and must stay a pair
            *o++ = *p++;
            *o++ = *p++;
            continue;
        }
        if (*insert == 0) {  // a lone "%" at the end is kept as a literal "%"
            *o++ = '%';
            *o++ = *p++;
            continue;
        }
        if (*insert < '1' || *insert > '9') {  // %n, %0, %. and the like
            *o++ = *p++;
            continue;
        }
        // The formatter reads one or two digits as the insert's number.
        unsigned number = static_cast<unsigned>(*insert - '0');
        const ch* after = insert + 1;
        if (is_digit(static_cast<unsigned>(*after))) number = number * 10 + static_cast<unsigned>(*after++ - '0');
        const bool plain = (number == 1 || number == 2) && *after != '!';
        if (!plain) *o++ = '%';
        *o++ = *p++;
    }
    *o = 0;
}

template <class T>
UINT launch(const typename T::ch* command) {
    if constexpr (T::wide) {
        // WinExec takes narrow text only. A command whose ANSI form needs more than the
        // launch buffer is not started cut short: the conversion fails and nothing runs.
        char narrow[command_chars] = {};
        if (WideCharToMultiByte(CP_ACP, 0, command, -1, narrow, static_cast<int>(std::size(narrow)), nullptr, nullptr) == 0)
            return 0;
        return WinExec(narrow, SW_SHOWNORMAL);
    } else {
        return WinExec(command, SW_SHOWNORMAL);
    }
}

}  // namespace

template <class T>
BOOL create_shortcut_launch(const typename T::ch* folder) {
    using ch = typename T::ch;
    ch command_template[command_chars];
    if (!profile_get_string<T>(HKEY_CLASSES_ROOT, shellnew_key<T>(), command_value<T>(), KELDANU_TEXT(T, ""),
                               command_template, command_chars))
        return FALSE;

    ch source[escaped_chars];
    escape_unknown_inserts<T>(command_template, source);

    // A template that cannot be formatted (its expansion does not fit, say) leaves the command
    // line empty, and the launch of an empty command fails.
    ch command[command_chars] = {};
    if (format_template<T>(source, command, command_chars, folder) == 0) std::memset(command, 0, sizeof command);
    path_add_backslash<T>(command);

    // WinExec answers 31 or less when the program could not be started.
    return launch<T>(command) > 31 ? TRUE : FALSE;
}

template BOOL create_shortcut_launch<ansi_text>(const char*);
template BOOL create_shortcut_launch<wide_text>(const wchar_t*);

}  // namespace keldanu
