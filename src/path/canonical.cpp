// The canonical form of an 8-bit path: "." components dropped, ".." climbing one component,
// and the shape of the result repaired at the end. One forward pass over the source, with the
// output kept terminated after every step; nothing is allocated. There is no wide form:
// PathCanonicalizeW is the silent stub.
#include "frame/limits.h"
#include "path/path_internal.h"

namespace keldanu {

namespace {

// The last byte 0x5C in [start, end), or NULL when there is none.
char* last_backslash_byte(char* start, char* end) {
    while (end > start)
        if (*--end == backslash) return end;
    return nullptr;
}

// The last backslash in [start, end) that a walk by whole characters from start would find,
// or start when there is none, so a trail byte 0x5C is never taken for the separator. The
// search runs backwards from end and costs about the length of the component a ".." removes,
// not a walk over the whole output. It rests on 0x5C never being a lead byte (lead bytes are
// 0x81 and up in every double-byte code page): a character starts just after any byte 0x5C,
// and a byte 0x5C starts one unless the byte before it is a lead byte that starts one. Only
// then is the stretch since the previous byte 0x5C walked to see where its characters start.
char* previous_separator(char* start, char* end) {
    char* candidate = last_backslash_byte(start, end);
    while (candidate) {
        if (candidate == start || !ansi_text::lead_byte(candidate[-1])) return candidate;
        char* before = last_backslash_byte(start, candidate);
        const char* p = before ? before + 1 : start;
        while (p < candidate) p = CharNextA(p);
        if (p == candidate) return candidate;
        candidate = before;
    }
    return start;
}

// Repairs the shapes the pass can leave: nothing at all, a bare drive, and a UNC source
// whose server and share were all climbed out of.
void repair_root(char* dest, bool unc) {
    if (dest[0] == 0) {
        dest[0] = backslash;
        dest[1] = 0;
        return;
    }
    const char* second = CharNextA(dest);
    if (!ansi_text::lead_byte(dest[0]) && second[0] == colon && second[1] == 0) {
        char* end = dest + lstrlenA(dest);
        end[0] = backslash;
        end[1] = 0;
        return;
    }
    if (unc && dest[0] == backslash && dest[1] == 0) {
        dest[1] = backslash;
        dest[2] = 0;
    }
}

}  // namespace

BOOL path_canonicalize(char* dest, const char* path) {
    const bool unc = path_is_unc<ansi_text>(path) != 0;
    char* out = dest;
    *out = 0;
    const char* src = path;
    while (*src) {
        // The component runs to the next byte 0x5C: a trail byte 0x5C ends it too and is then
        // copied through as an empty component, so the bytes come out as they went in.
        const char* component_end = path_find_next_component<ansi_text>(src);
        const int step = static_cast<int>(component_end - src) + 1;

        if (step == 1) {
            *out++ = backslash;
            src += 1;
        } else if (step == 2 && src[0] == dot) {
            if (src[1] == 0) {
                // A final "." takes the backslash before it along.
                if (out > dest) --out;
                src += 1;
            } else {
                src += 2;
            }
        } else if (step == 3 && src[0] == dot && src[1] == dot) {
            if (!path_is_root<ansi_text>(dest)) {
                // Back over the backslash that preceded the "..", then cut at the separator
                // before the component it climbs out of. The backslash after the ".." is
                // copied by the next step.
                if (out > dest) out = previous_separator(dest, out - 1);
                src += 2;
            } else {
                // A root cannot be climbed out of; skipping the backslash after the ".."
                // keeps the root's own backslash from being doubled.
                src += src[2] == backslash ? 3 : 2;
            }
        } else {
            lstrcpynA(out, src, step);
            out += step - 1;
            src += step - 1;
        }
        *out = 0;
    }
    repair_root(dest, unc);
    return 1;
}

}  // namespace keldanu
