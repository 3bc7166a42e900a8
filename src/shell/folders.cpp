// The shell's folder services: the folder browser, special-folder paths and the system image
// list. Item-id lists are freed with the shell's allocator.
#include "frame/guards.h"
#include "frame/limits.h"
#include "shell/shell_internal.h"

#include <shellapi.h>
#include <shlobj.h>

namespace keldanu {

namespace {

// The platform's layouts, whose pointers and handles are 8 bytes on x64.
constexpr bool x64 = sizeof(void*) == 8;
static_assert(sizeof(BROWSEINFOA) == (x64 ? 64 : 32) && sizeof(SHFILEINFOA) == (x64 ? 360 : 352));

// Runs while the browser starts: selects the folder named by the caller's buffer.
int CALLBACK browse_callback(HWND dialog, UINT message, LPARAM, LPARAM path) {
    // wParam TRUE: lParam is a path, not an item-id list.
    if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, path);
    return 0;
}

}  // namespace

BOOL folders_browse(HINSTANCE instance, HWND owner, char* path, UINT title_id) {
    // The title holds up to 259 characters and its terminator; one byte more stays zero. A
    // string the module lacks leaves the title empty; that is no failure.
    char title[path_chars + 1] = {};
    LoadStringA(instance, title_id, title, path_chars);

    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = browse_callback;
    info.lParam = reinterpret_cast<LPARAM>(path);

    shell_item_list chosen(SHBrowseForFolderA(&info));
    if (!chosen.get()) return 0;  // cancelled, or the browser never appeared
    // A confirmed folder counts even when it has no path to give.
    SHGetPathFromIDListA(chosen.get(), path);
    // Without an allocator the list cannot be freed; the answer is still yes.
    chosen.open_allocator();
    return 1;
}

BOOL folders_get_special_location(HWND owner, int folder, char* path, int capacity) {
    // A buffer of no characters cannot even take the terminator, so it is left alone.
    if (capacity <= 0) return 0;
    if (IsBadWritePtr(path, static_cast<UINT_PTR>(capacity))) return 0;
    *path = 0;

    shell_item_list location;
    if (location.open_allocator() != S_OK) return 0;
    if (SHGetSpecialFolderLocation(owner, folder, location.put()) != S_OK) return 0;
    char found[path_chars] = {};
    // Virtual folders (the printers, the control panel) have no file-system path.
    if (!SHGetPathFromIDListA(location.get(), found)) return 0;
    lstrcpynA(path, found, capacity);
    return 1;
}

HIMAGELIST folders_get_system_image_list(BOOL small_icons) {
    SHFILEINFOA info;
    const UINT flags = SHGFI_SYSICONINDEX | (small_icons ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    // With SHGFI_SYSICONINDEX the result is the system's own list, which nobody here frees.
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &info, sizeof info, flags));
}

}  // namespace keldanu
