// Shell-link (.lnk) shortcut files, read and written through the system's shell-link object:
// CoCreateInstance, IShellLinkA/W and IPersistFile (OLE32, SHELL32), MultiByteToWideChar for
// the ANSI file names and IsBadWritePtr, lstrlenA/W and lstrcpynA/W for the caller's
// buffers (KERNEL32). The library never initialises COM: the calling thread must have done
// so, or creating the object fails and the call returns 0.
#include "path/path_internal.h"

#include <objidl.h>
#include <shlobj.h>

#include <initializer_list>

namespace keldanu {

namespace {

// The COM identities, spelled out here so the DLL needs no GUID library.
constexpr CLSID clsid_shell_link = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID iid_shell_link_a = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID iid_shell_link_w = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID iid_persist_file = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The caller's field buffers hold a path: 259 characters and the terminator.
constexpr int field_chars = MAX_PATH;
// Each getter is offered one character more than a caller's buffer, so that a field which
// fills a caller's buffer exactly is not cut by the getter itself.
constexpr int read_buffer_chars = MAX_PATH + 1;
// The ANSI file name is widened into a buffer of this many characters; a name that does not
// fit with its terminator is refused.
constexpr int wide_name_chars = MAX_PATH;

// The width-dependent parts of the shell-link interface.
template <class T> struct link_api;
template <> struct link_api<ansi_text> {
    using link = IShellLinkA;
    using find_data = WIN32_FIND_DATAA;
    static const IID& iid() { return iid_shell_link_a; }
};
template <> struct link_api<wide_text> {
    using link = IShellLinkW;
    using find_data = WIN32_FIND_DATAW;
    static const IID& iid() { return iid_shell_link_w; }
};

// Owns one interface pointer and releases it at the end of the scope.
template <class I>
class com_ptr {
public:
    com_ptr() = default;
    ~com_ptr() {
        if (p_) p_->Release();
    }
    com_ptr(const com_ptr&) = delete;
    com_ptr& operator=(const com_ptr&) = delete;
    I* operator->() const { return p_; }
    void** out() { return reinterpret_cast<void**>(&p_); }

private:
    I* p_ = nullptr;
};

// The file name as IPersistFile takes it: the wide form as it comes, the ANSI form widened
// into `buffer`. NULL when there is no name or it does not fit; the conversion then reports
// failure instead of leaving an unterminated name behind.
const wchar_t* wide_file_name(const wchar_t* name, wchar_t (&)[wide_name_chars]) { return name; }
const wchar_t* wide_file_name(const char* name, wchar_t (&buffer)[wide_name_chars]) {
    if (!name) return nullptr;
    if (MultiByteToWideChar(CP_ACP, 0, name, -1, buffer, wide_name_chars) == 0) return nullptr;
    return buffer;
}

// Empties a caller's output if its first character can be written. NULL is passed over
// without asking the probe, which would have to fault to answer.
template <class T>
void empty_output(typename T::ch* out) {
    if (out && !T::bad_write(out, 1)) out[0] = 0;
}

// Copies a field read into `text` (read_buffer_chars long) out to a caller's buffer, cut to
// 259 characters. The getters of some platforms fill the whole buffer without a terminator
// when the field is longer, so the text is ended at its last character first.
template <class T>
void deliver_field(HRESULT got, typename T::ch* text, typename T::ch* out) {
    if (FAILED(got) || !out) return;
    text[read_buffer_chars - 1] = 0;
    const int len = T::len(text);
    const int written = (len < field_chars - 1 ? len : field_chars - 1) + 1;
    if (T::bad_write(out, static_cast<UINT_PTR>(written))) return;
    T::copy_n(out, text, field_chars);
}

}  // namespace

template <class T>
BOOL path_read_shortcut(HWND owner, const typename T::ch* file, typename T::ch* target, typename T::ch* description,
                        typename T::ch* directory, typename T::ch* arguments) {
    using ch = typename T::ch;
    using api = link_api<T>;
    // The outputs are empty on every way out that follows.
    for (ch* out : {target, description, directory, arguments}) empty_output<T>(out);

    wchar_t name_buffer[wide_name_chars];
    const wchar_t* name = wide_file_name(file, name_buffer);
    if (!name) return 0;

    com_ptr<typename api::link> link;
    if (FAILED(CoCreateInstance(clsid_shell_link, nullptr, CLSCTX_INPROC_SERVER, api::iid(), link.out()))) return 0;
    com_ptr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(iid_persist_file, persist.out()))) return 0;
    if (FAILED(persist->Load(name, STGM_READ))) return 0;
    if (FAILED(link->Resolve(owner, SLR_ANY_MATCH))) return 0;

    // One buffer serves the four fields in turn; it is emptied before each getter so a getter
    // that writes nothing cannot pass on the field before it.
    ch text[read_buffer_chars];
    typename api::find_data found;
    text[0] = 0;
    deliver_field<T>(link->GetPath(text, read_buffer_chars, &found, SLGP_UNCPRIORITY), text, target);
    text[0] = 0;
    deliver_field<T>(link->GetDescription(text, read_buffer_chars), text, description);
    text[0] = 0;
    deliver_field<T>(link->GetWorkingDirectory(text, read_buffer_chars), text, directory);
    text[0] = 0;
    const HRESULT got_arguments = link->GetArguments(text, read_buffer_chars);
    deliver_field<T>(got_arguments, text, arguments);
    // Only a plain S_OK from the last getter counts as success; S_FALSE does not, although
    // the fields have been delivered.
    return got_arguments == S_OK ? 1 : 0;
}

template <class T>
BOOL path_save_shortcut(const typename T::ch* file, const typename T::ch* target, const typename T::ch* description,
                        const typename T::ch* directory, const typename T::ch* arguments) {
    using api = link_api<T>;
    wchar_t name_buffer[wide_name_chars];
    const wchar_t* name = wide_file_name(file, name_buffer);
    if (!name) return 0;

    com_ptr<typename api::link> link;
    if (FAILED(CoCreateInstance(clsid_shell_link, nullptr, CLSCTX_INPROC_SERVER, api::iid(), link.out()))) return 0;
    com_ptr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(iid_persist_file, persist.out()))) return 0;

    // A field the object refuses is left out of the file; the save still goes ahead.
    if (target) link->SetPath(target);
    if (description) link->SetDescription(description);
    if (directory) link->SetWorkingDirectory(directory);
    if (arguments) link->SetArguments(arguments);

    const HRESULT saved = persist->Save(name, TRUE);
    if (SUCCEEDED(saved)) persist->SaveCompleted(name);
    return saved == S_OK ? 1 : 0;
}

#define KELDANU_INSTANTIATE(T)                                                                        \
    template BOOL path_read_shortcut<T>(HWND, const T::ch*, T::ch*, T::ch*, T::ch*, T::ch*);          \
    template BOOL path_save_shortcut<T>(const T::ch*, const T::ch*, const T::ch*, const T::ch*, const T::ch*);
KELDANU_INSTANTIATE(ansi_text)
KELDANU_INSTANTIATE(wide_text)
#undef KELDANU_INSTANTIATE

}  // namespace keldanu
