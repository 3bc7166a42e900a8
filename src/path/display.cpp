// Paths shortened for display: the middle of a path gives way to an ellipsis so that it fits
// a width in pixels. The measuring and the rewriting are the system's own text drawing with
// the path ellipsis, on a memory device context that borrows the caller's font; the dialog
// form measures in the item's client area with the item's own font. The contexts are taken,
// given the font and let go by font_dc (frame/guards.h).
#include "frame/guards.h"
#include "frame/limits.h"
#include "path/path_internal.h"

namespace keldanu {

namespace {

// The system rewrites the path in place and elides its middle, favouring the text after the
// last backslash. Nothing else is asked for: ampersands and line breaks get the system's
// default treatment while it measures.
constexpr UINT compact_format = DT_MODIFYSTRING | DT_PATH_ELLIPSIS;

// With DT_MODIFYSTRING the system may write back up to four characters more than it was
// given, so a buffer handed to it needs that much room past the text.
constexpr int ellipsis_growth = 4;

// The dialog form works on a copy of at most 259 characters (a full path), with room for the
// growth above and the terminator, so no path, however long, can overrun it.
constexpr int dialog_buffer_chars = path_chars + ellipsis_growth;

}  // namespace

template <class T>
BOOL path_compact_path(HDC dc, typename T::ch* path, UINT width) {
    // A NULL path has nothing to show; the result is 1 like every other outcome.
    if (!path) return 1;
    // The caller's context is only read: its font is lent to a context of our own.
    const font_dc measure = font_dc::memory(dc, GetCurrentObject(dc, OBJ_FONT));
    if (!measure.get()) return 1;
    RECT rect;
    SetRect(&rect, 0, 0, static_cast<int>(width), 0);
    T::draw_text(measure.get(), path, T::len(path), &rect, compact_format);
    return 1;
}

template <class T>
BOOL path_set_dlg_item_path(HWND dialog, int id, const typename T::ch* path) {
    typename T::ch buffer[dialog_buffer_chars];
    buffer[0] = 0;
    if (path) T::copy_n(buffer, path, path_chars);
    // Without the item there is nothing to measure; setting the text then fails as well, and
    // asking for a context of a NULL window would hand out the whole screen's.
    if (HWND item = GetDlgItem(dialog, id)) {
        RECT client;
        if (GetClientRect(item, &client)) {
            const font_dc item_dc = font_dc::of_window(item);
            if (item_dc.get()) path_compact_path<T>(item_dc.get(), buffer, static_cast<UINT>(client.right));
        }
    }
    buffer[dialog_buffer_chars - 1] = 0;
    return T::set_dlg_item_text(dialog, id, buffer);
}

#define INSTANTIATE(T)                                     \
    template BOOL path_compact_path<T>(HDC, T::ch*, UINT); \
    template BOOL path_set_dlg_item_path<T>(HWND, int, const T::ch*);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
