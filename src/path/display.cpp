// Paths shortened for display: the middle of a path gives way to an ellipsis so that it fits
// a width in pixels. The measuring and the rewriting are the system's own text drawing
// (DrawTextA/W with the path-ellipsis and modify-string flags, USER32) on a memory device
// context (CreateCompatibleDC, GetCurrentObject, SelectObject, DeleteDC, GDI32); the dialog
// form also uses GetDlgItem, GetClientRect, GetDC, ReleaseDC, SendMessageA and
// SetDlgItemTextA/W (USER32).
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
constexpr int dialog_copy_chars = MAX_PATH;
constexpr int dialog_buffer_chars = dialog_copy_chars + ellipsis_growth;

int draw_text(HDC dc, char* text, int count, RECT* rect, UINT format) { return DrawTextA(dc, text, count, rect, format); }
int draw_text(HDC dc, wchar_t* text, int count, RECT* rect, UINT format) { return DrawTextW(dc, text, count, rect, format); }
BOOL set_item_text(HWND dialog, int id, const char* text) { return SetDlgItemTextA(dialog, id, text); }
BOOL set_item_text(HWND dialog, int id, const wchar_t* text) { return SetDlgItemTextW(dialog, id, text); }

// A memory device context with a font selected into it; the font is put back before the
// context is deleted, so the font itself stays with its owner.
class memory_dc {
public:
    memory_dc(HDC compatible_with, HGDIOBJ font) : dc_(CreateCompatibleDC(compatible_with)) {
        if (dc_ && font) old_font_ = SelectObject(dc_, font);
    }
    ~memory_dc() {
        if (!dc_) return;
        if (old_font_) SelectObject(dc_, old_font_);
        DeleteDC(dc_);
    }
    memory_dc(const memory_dc&) = delete;
    memory_dc& operator=(const memory_dc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_font_ = nullptr;
};

// A window's device context with the window's own font in it, released (font restored) at
// the end of the scope.
class window_dc {
public:
    explicit window_dc(HWND window) : window_(window), dc_(GetDC(window)) {
        // WM_GETFONT is asked through the ANSI call in both forms; the answer is a handle.
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
        if (dc_ && font) old_font_ = SelectObject(dc_, font);
    }
    ~window_dc() {
        if (!dc_) return;
        if (old_font_) SelectObject(dc_, old_font_);
        ReleaseDC(window_, dc_);
    }
    window_dc(const window_dc&) = delete;
    window_dc& operator=(const window_dc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ old_font_ = nullptr;
};

}  // namespace

template <class T>
BOOL path_compact_path(HDC dc, typename T::ch* path, UINT width) {
    // A NULL path has nothing to show; the result is 1 like every other outcome.
    if (!path) return 1;
    // The caller's context is only read: its font is lent to a context of our own.
    memory_dc measure(dc, GetCurrentObject(dc, OBJ_FONT));
    if (!measure.get()) return 1;
    RECT rect;
    SetRect(&rect, 0, 0, static_cast<int>(width), 0);
    draw_text(measure.get(), path, T::len(path), &rect, compact_format);
    return 1;
}

template <class T>
BOOL path_set_dlg_item_path(HWND dialog, int id, const typename T::ch* path) {
    typename T::ch buffer[dialog_buffer_chars];
    buffer[0] = 0;
    if (path) T::copy_n(buffer, path, dialog_copy_chars);
    // Without the item there is nothing to measure; setting the text then fails as well, and
    // asking for a context of a NULL window would hand out the whole screen's.
    if (HWND item = GetDlgItem(dialog, id)) {
        RECT client;
        if (GetClientRect(item, &client)) {
            window_dc item_dc(item);
            if (item_dc.get()) path_compact_path<T>(item_dc.get(), buffer, static_cast<UINT>(client.right));
        }
    }
    buffer[dialog_buffer_chars - 1] = 0;
    return set_item_text(dialog, id, buffer);
}

#define KELDANU_INSTANTIATE(T)                                                        \
    template BOOL path_compact_path<T>(HDC, T::ch*, UINT);                            \
    template BOOL path_set_dlg_item_path<T>(HWND, int, const T::ch*);
KELDANU_INSTANTIATE(ansi_text)
KELDANU_INSTANTIATE(wide_text)
#undef KELDANU_INSTANTIATE

}  // namespace keldanu
