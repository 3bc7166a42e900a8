// Every handle the library obtains (registry key, loaded module, heap block, COM interface,
// item-id list, device context and the font selected into it) is held by a guard from this
// header and let go when the guard's scope ends, on every path out of a call.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace keldanu {

// Owns one handle and closes it with `Close` unless it is empty. A new handle kind is one
// alias below, not a new class.
template <class H, auto Close>
class unique_handle {
public:
    unique_handle() = default;
    explicit unique_handle(H handle) : handle_(handle) {}
    ~unique_handle() {
        if (handle_) Close(handle_);
    }
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;

    H get() const { return handle_; }
    H operator->() const { return handle_; }
    explicit operator bool() const { return handle_ != H{}; }
    // For an out-argument of the call that opens the handle; the guard must still be empty.
    H* put() { return &handle_; }
    void** put_void() { return reinterpret_cast<void**>(&handle_); }

private:
    H handle_{};
};

inline void close_key(HKEY key) { RegCloseKey(key); }
inline void free_module(HMODULE module) { FreeLibrary(module); }
inline void free_heap(void* block) { HeapFree(GetProcessHeap(), 0, block); }
template <class I>
void release_interface(I* p) {
    p->Release();
}

using registry_key = unique_handle<HKEY, close_key>;
using loaded_module = unique_handle<HMODULE, free_module>;
// A block from the process heap (HeapAlloc on GetProcessHeap), for a size known only at run time.
using heap_block = unique_handle<void*, free_heap>;
template <class I>
using com_ptr = unique_handle<I*, release_interface<I>>;

// An item-id list from the shell together with the shell's allocator that frees it: the list
// is freed first, then the allocator released, whatever the order of declarations around it.
class shell_item_list {
public:
    shell_item_list() = default;
    // Takes a list the shell has handed back; it is freed once the allocator is open.
    explicit shell_item_list(LPITEMIDLIST list) : list_(list) {}
    ~shell_item_list() {
        if (list_ && allocator_) allocator_->Free(list_);
    }
    shell_item_list(const shell_item_list&) = delete;
    shell_item_list& operator=(const shell_item_list&) = delete;

    // SHGetMalloc's result; without an allocator the list cannot be freed and is left alone.
    HRESULT open_allocator() { return SHGetMalloc(allocator_.put()); }
    // For an out-argument of the call that hands back the list; the guard must still be empty.
    LPITEMIDLIST* put() { return &list_; }
    LPITEMIDLIST get() const { return list_; }

private:
    com_ptr<IMalloc> allocator_;
    LPITEMIDLIST list_ = nullptr;
};

// A device context with a font selected into it: a memory context (deleted at the end) or a
// window's own context (released to its window). The previous font is put back before the
// context goes, so the font itself stays with its owner.
class font_dc {
public:
    static font_dc memory(HDC compatible_with, HGDIOBJ font) {
        return font_dc(nullptr, CreateCompatibleDC(compatible_with), font);
    }
    // The window's context with the font the window reports (WM_GETFONT answers a handle, so
    // the ANSI send serves both widths).
    static font_dc of_window(HWND window) {
        HDC dc = GetDC(window);
        return font_dc(window, dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    }
    ~font_dc() {
        if (!dc_) return;
        if (old_font_) SelectObject(dc_, old_font_);
        if (window_)
            ReleaseDC(window_, dc_);
        else
            DeleteDC(dc_);
    }
    // The factories hand the guard out as a prvalue, so it is never copied or moved.
    font_dc(const font_dc&) = delete;
    font_dc& operator=(const font_dc&) = delete;

    HDC get() const { return dc_; }

private:
    font_dc(HWND window, HDC dc, HGDIOBJ font) : window_(window), dc_(dc) {
        if (dc_ && font) old_font_ = SelectObject(dc_, font);
    }

    HWND window_;
    HDC dc_;
    HGDIOBJ old_font_ = nullptr;
};

}  // namespace keldanu
