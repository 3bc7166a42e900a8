// Starts the shell's own create-shortcut command for a folder: the command template that the
// shell registers for new .lnk files, with the folder put in for %1 and %2 and a backslash
// appended, launched as a separate program.
#include "frame/limits.h"
#include "path/path_internal.h"
#include "shell/shell_internal.h"

#include <cstring>

namespace keldanu {

namespace {

// Every character of the template may gain an escaping "%" (see escape_unsafe_inserts).
constexpr int escaped_chars = 2 * path_chars;

bool is_digit(unsigned c) { return c >= '0' && c <= '9'; }

// The size of the units in which the formatter reads an insert's text: "h" narrow, "l" and
// "w" wide; without a prefix "s" reads the caller's own width and "S" the other one.
template <class T>
constexpr unsigned text_unit(unsigned prefix, unsigned conversion) {
    constexpr unsigned own = sizeof(typename T::ch);
    constexpr unsigned other = sizeof(char) + sizeof(wchar_t) - own;
    if (prefix == 'h') return sizeof(char);
    if (prefix == 'l' || prefix == 'w') return sizeof(wchar_t);
    return conversion == 's' ? own : other;
}

// True when the formatter may be handed an insert with the printf-like format that starts at
// f (just after the insert's "!") and ends at the next "!". Both arguments are the folder's
// text, so a format may read it as text or turn its address into a number or a character.
// Refused: a "*" width or precision (it reads one more argument, past the two given); a
// size other than "h", "l" or "w" ("I64", "ll" read eight bytes); conversions that read eight
// bytes ("e", "f", ...) or write through the argument ("n"); text read in units wider than
// its own, which runs past its terminator (in the A form "S", "ls", "ws": narrow text read as
// UTF-16 ends only at two zero bytes at an even offset). Text read in narrower units stops at
// its first zero byte, inside the text, so the W form refuses no text conversion.
template <class T>
bool formatter_may_take(const typename T::ch* f) {
    auto at = [&f](const char* set) {
        for (; *set; ++set)
            if (static_cast<unsigned>(*f) == static_cast<unsigned char>(*set)) return true;
        return false;
    };
    while (at("-+ #0")) ++f;
    while (is_digit(static_cast<unsigned>(*f))) ++f;
    if (*f == '.') {
        ++f;
        while (is_digit(static_cast<unsigned>(*f))) ++f;
    }
    unsigned prefix = 0;
    if (at("hlw")) prefix = static_cast<unsigned>(*f++);
    const unsigned conversion = static_cast<unsigned>(*f);
    bool known;
    if (at("sS"))
        known = text_unit<T>(prefix, conversion) <= sizeof(typename T::ch);
    else
        known = at("cCdiouxX");
    return known && f[1] == '!';
}

// Copies the template into `out` (room for escaped_chars characters, enough for any template
// of up to path_chars - 1 characters), escaping as literal text every insert that the
// formatter must not be handed ("%3" becomes "%%3", which the formatter turns back into
// "%3"): inserts other than %1 and %2, which have no argument (the formatter reads one for
// each insert it meets, %1 to %99), and %1 or %2 with a "!format!" that formatter_may_take
// refuses. The formatter's other escapes (%%, %n, %0, ...) read no argument and pass through
// unchanged; a "%" that ends the template is made literal.
template <class T>
void escape_unsafe_inserts(const typename T::ch* in, typename T::ch* out) {
    using ch = typename T::ch;
    ch* o = out;
    const ch* p = in;
    while (*p) {
        if (T::lead_byte(*p) && p[1]) {
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
        // The formatter reads one or two digits as the insert's number; only %1 and %2 have
        // an argument.
        const ch* after = insert + 1;
        const bool two_digits = is_digit(static_cast<unsigned>(*after));
        const bool has_argument = !two_digits && (*insert == '1' || *insert == '2');
        const bool safe = has_argument && (*after != '!' || formatter_may_take<T>(after + 1));
        if (!safe) *o++ = '%';
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
    // for nothing beyond these two entries.
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
