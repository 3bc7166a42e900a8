// Shell-link (.lnk) shortcut files, read and written through the system's shell-link object
// and its file interface. The library never initialises COM: the calling thread must have
// done so, or creating the object fails and the call returns 0.
#include "frame/guards.h"
#include "frame/limits.h"
#include "path/path_internal.h"

#include <algorithm>
#include <initializer_list>

namespace keldanu {

namespace {

// The COM identities, spelled out here so the DLL needs no GUID library. The shell-link
// interface of each width is the text traits' `shell_link`; its identity is keyed by it.
constexpr CLSID clsid_shell_link = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID iid_persist_file = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
template <class Interface>
constexpr IID iid_of = {};
template <>
constexpr IID iid_of<IShellLinkA> = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
template <>
constexpr IID iid_of<IShellLinkW> = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// A file name as COM takes it: an ANSI name widened into `buf`, NULL for no name or one that
// does not fit `chars` with its terminator, so no unterminated name is ever handed on; a wide
// name is already what COM takes.
const wchar_t* wide_name(const char* name, wchar_t* buf, int chars) {
    return name && MultiByteToWideChar(CP_ACP, 0, name, -1, buf, chars) != 0 ? buf : nullptr;
}
const wchar_t* wide_name(const wchar_t* name, wchar_t*, int) { return name; }

// The caller's field buffers hold a path: 259 characters and the terminator. Each getter is
// offered one character more, so that a field which fills a caller's buffer exactly is not
// cut by the getter itself.
constexpr int read_buffer_chars = path_chars + 1;

// A shortcut file opened through the shell-link object of the width T: the file name as COM
// takes it, the shell-link interface and its file interface. False when the name is missing or
// does not fit, or the object or its file interface cannot be had.
template <class T>
class shell_link_file {
public:
    explicit shell_link_file(const typename T::ch* file) : name_(wide_name(file, name_buffer_, path_chars)) {
        if (!name_) return;
        const HRESULT created = CoCreateInstance(clsid_shell_link, nullptr, CLSCTX_INPROC_SERVER,
                                                 iid_of<typename T::shell_link>, link_.put_void());
        if (SUCCEEDED(created)) link_->QueryInterface(iid_persist_file, persist_.put_void());
    }
    explicit operator bool() const { return static_cast<bool>(persist_); }

    typename T::shell_link* link() const { return link_.get(); }
    HRESULT load() const { return persist_->Load(name_, STGM_READ); }
    // Saves to the file and, once saved, tells the object that it may write to its file again.
    HRESULT save() const {
        const HRESULT saved = persist_->Save(name_, TRUE);
        if (SUCCEEDED(saved)) persist_->SaveCompleted(name_);
        return saved;
    }

private:
    wchar_t name_buffer_[path_chars];
    const wchar_t* name_;
    com_ptr<typename T::shell_link> link_;
    com_ptr<IPersistFile> persist_;
};

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
    const int written = (len < longest_path ? len : longest_path) + 1;
    if (T::bad_write(out, static_cast<UINT_PTR>(written))) return;
    T::copy_n(out, text, path_chars);
}

}  // namespace

template <class T>
BOOL path_read_shortcut(HWND owner, const typename T::ch* file, typename T::ch* target, typename T::ch* description,
                        typename T::ch* directory, typename T::ch* arguments) {
    using ch = typename T::ch;
    // The outputs are empty on every way out that follows.
    for (ch* out : {target, description, directory, arguments}) empty_output<T>(out);

    const shell_link_file<T> shortcut(file);
    if (!shortcut) return 0;
    if (FAILED(shortcut.load())) return 0;
    typename T::shell_link* link = shortcut.link();
    if (FAILED(link->Resolve(owner, SLR_ANY_MATCH))) return 0;

    // One buffer serves the four fields in turn; it is zeroed before each getter, so a getter
    // that writes nothing, or less than it ends, passes on no byte of the field before it.
    ch text[read_buffer_chars];
    const auto fresh = [&text] {
        std::fill_n(text, read_buffer_chars, ch{});
        return text;
    };
    typename T::find_data found;
    deliver_field<T>(link->GetPath(fresh(), read_buffer_chars, &found, SLGP_UNCPRIORITY), text, target);
    deliver_field<T>(link->GetDescription(fresh(), read_buffer_chars), text, description);
    deliver_field<T>(link->GetWorkingDirectory(fresh(), read_buffer_chars), text, directory);
    const HRESULT got_arguments = link->GetArguments(fresh(), read_buffer_chars);
    deliver_field<T>(got_arguments, text, arguments);
    // Only a plain S_OK from the last getter counts as success; S_FALSE does not, although
    // the fields have been delivered.
    return got_arguments == S_OK ? 1 : 0;
}

template <class T>
BOOL path_save_shortcut(const typename T::ch* file, const typename T::ch* target, const typename T::ch* description,
                        const typename T::ch* directory, const typename T::ch* arguments) {
    const shell_link_file<T> shortcut(file);
    if (!shortcut) return 0;
    typename T::shell_link* link = shortcut.link();

    // A field the object refuses is left out of the file; the save still goes ahead.
    if (target) link->SetPath(target);
    if (description) link->SetDescription(description);
    if (directory) link->SetWorkingDirectory(directory);
    if (arguments) link->SetArguments(arguments);

    return shortcut.save() == S_OK ? 1 : 0;
}

#define INSTANTIATE(T)                                                                       \
    template BOOL path_read_shortcut<T>(HWND, const T::ch*, T::ch*, T::ch*, T::ch*, T::ch*); \
    template BOOL path_save_shortcut<T>(const T::ch*, const T::ch*, const T::ch*, const T::ch*, const T::ch*);
KELDANU_FOR_BOTH_WIDTHS(INSTANTIATE)
#undef INSTANTIATE

}  // namespace keldanu
