// The shell's folder services: the folder browser (SHELL32 SHBrowseForFolderA with USER32
// LoadStringA and SendMessageA), special-folder paths (SHGetSpecialFolderLocation,
// SHGetPathFromIDListA) and the system image list (SHGetFileInfoA). Item-id lists are freed
// with the shell's allocator (SHGetMalloc); the caller's buffer is probed with IsBadWritePtr.
#include "shell/shell_internal.h"

#include <shellapi.h>
#include <shlobj.h>

namespace keldanu {

namespace {

// The title holds up to 259 characters and its terminator; one byte more stays zero.
constexpr int title_chars = 260;

static_assert(sizeof(BROWSEINFOA) == 32 && sizeof(SHFILEINFOA) == 352);

// The shell's allocator, released when the guard goes.
class shell_allocator {
public:
    shell_allocator() = default;
    ~shell_allocator() {
        if (malloc_) malloc_->Release();
    }
    shell_allocator(const shell_allocator&) = delete;
    shell_allocator& operator=(const shell_allocator&) = delete;
    HRESULT open() { return SHGetMalloc(&malloc_); }
    IMalloc* get() const { return malloc_; }

private:
    IMalloc* malloc_ = nullptr;
};

// An item-id list from the shell, freed with the allocator given (NULL frees nothing).
// Declared after its allocator, so it goes first.
class item_list {
public:
    explicit item_list(const shell_allocator& allocator) : allocator_(allocator) {}
    ~item_list() {
        if (list_ && allocator_.get()) allocator_.get()->Free(list_);
    }
    item_list(const item_list&) = delete;
    item_list& operator=(const item_list&) = delete;
    LPITEMIDLIST* put() { return &list_; }
    void reset(LPITEMIDLIST list) { list_ = list; }
    LPITEMIDLIST get() const { return list_; }

private:
    const shell_allocator& allocator_;
    LPITEMIDLIST list_ = nullptr;
};

// Runs while the browser starts: selects the folder named by the caller's buffer.
int CALLBACK browse_callback(HWND dialog, UINT message, LPARAM, LPARAM path) {
    // wParam TRUE: lParam is a path, not an item-id list.
    if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, path);
    return 0;
}

}  // namespace

BOOL folders_browse(HINSTANCE instance, HWND owner, char* path, UINT title_id) {
    char title[title_chars + 1] = {};
    // A string the module lacks leaves the title empty; that is no failure.
    LoadStringA(instance, title_id, title, title_chars);

    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = browse_callback;
    info.lParam = reinterpret_cast<LPARAM>(path);

    shell_allocator allocator;
    item_list chosen(allocator);
    chosen.reset(SHBrowseForFolderA(&info));
    if (!chosen.get()) return 0;  // cancelled, or the browser never appeared
    // A confirmed folder counts even when it has no path to give.
    SHGetPathFromIDListA(chosen.get(), path);
    // Without an allocator the list cannot be freed; the answer is still yes.
    allocator.open();
    return 1;
}

BOOL folders_get_special_location(HWND owner, int folder, char* path, int capacity) {
    // A buffer of no characters cannot even take the terminator, so it is left alone.
    if (capacity <= 0) return 0;
    if (IsBadWritePtr(path, static_cast<UINT_PTR>(capacity))) return 0;
    *path = 0;

    shell_allocator allocator;
    if (allocator.open() != S_OK) return 0;
    item_list location(allocator);
    if (SHGetSpecialFolderLocation(owner, folder, location.put()) != S_OK) return 0;
    char found[MAX_PATH] = {};
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
