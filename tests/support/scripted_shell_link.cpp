#include "support/scripted_shell_link.h"

#include <objidl.h>
#include <shlobj.h>

#include "support/support.h"

namespace test {

namespace {

constexpr CLSID clsid_shell_link = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID iid_shell_link_a = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID iid_shell_link_w = {0x000214F9, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID iid_persist_file = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID iid_persist = {0x0000010C, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID iid_unknown = {0x00000000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID iid_class_factory = {0x00000001, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// One registration at a time: the objects report here.
shell_link_script the_script;
shell_link_record the_record;

std::wstring received(const char* s) { return s ? widen(s) : L"(null)"; }
std::wstring received(const wchar_t* s) { return s ? std::wstring(s) : L"(null)"; }

template <class Ch>
HRESULT give(HRESULT answer, const std::wstring& field, Ch* out, int count) {
    the_record.getter_counts.push_back(count);
    if (count <= 0) return answer;
    const int n = static_cast<int>(field.size());
    if (n >= count && the_script.fill_without_terminator) {
        for (int i = 0; i < count; ++i) out[i] = static_cast<Ch>(field[i]);
        return answer;
    }
    const int copied = n < count ? n : count - 1;
    for (int i = 0; i < copied; ++i) out[i] = static_cast<Ch>(field[i]);
    out[copied] = 0;
    return answer;
}

template <class Link, class Ch, class FindData>
class scripted_link final : public Link, public IPersistFile {
public:
    scripted_link() { ++the_record.objects; }

    // IUnknown, shared by both interfaces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, iid_unknown) || IsEqualIID(iid, link_iid())) {
            *out = static_cast<Link*>(this);
        } else if (IsEqualIID(iid, iid_persist_file) || IsEqualIID(iid, iid_persist)) {
            if (FAILED(the_script.persist)) return the_script.persist;
            *out = static_cast<IPersistFile*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        ++the_record.references;
        return static_cast<ULONG>(++own_);
    }
    ULONG STDMETHODCALLTYPE Release() override {
        --the_record.references;
        const LONG left = --own_;
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IShellLinkA / IShellLinkW
    HRESULT STDMETHODCALLTYPE GetPath(Ch* out, int count, FindData*, DWORD flags) override {
        note("GetPath");
        the_record.get_path_flags = flags;
        return give(the_script.get_path, the_script.path, out, count);
    }
    HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE*) override { return note("GetIDList"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return note("SetIDList"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDescription(Ch* out, int count) override {
        note("GetDescription");
        return give(the_script.get_description, the_script.description, out, count);
    }
    HRESULT STDMETHODCALLTYPE SetDescription(const Ch* s) override {
        note("SetDescription");
        the_record.set_description = received(s);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(Ch* out, int count) override {
        note("GetWorkingDirectory");
        return give(the_script.get_directory, the_script.directory, out, count);
    }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(const Ch* s) override {
        note("SetWorkingDirectory");
        the_record.set_directory = received(s);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetArguments(Ch* out, int count) override {
        note("GetArguments");
        return give(the_script.get_arguments, the_script.arguments, out, count);
    }
    HRESULT STDMETHODCALLTYPE SetArguments(const Ch* s) override {
        note("SetArguments");
        the_record.set_arguments = received(s);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return note("GetHotkey"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return note("SetHotkey"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return note("GetShowCmd"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int) override { return note("SetShowCmd"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIconLocation(Ch*, int, int*) override { return note("GetIconLocation"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetIconLocation(const Ch*, int) override { return note("SetIconLocation"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRelativePath(const Ch*, DWORD) override { return note("SetRelativePath"), E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resolve(HWND owner, DWORD flags) override {
        note("Resolve");
        the_record.resolve_owner = owner;
        the_record.resolve_flags = flags;
        return the_script.resolve;
    }
    HRESULT STDMETHODCALLTYPE SetPath(const Ch* s) override {
        note("SetPath");
        the_record.set_path = received(s);
        return S_OK;
    }

    // IPersistFile
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        *id = clsid_shell_link;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return note("IsDirty"), S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR name, DWORD mode) override {
        note("Load");
        the_record.loaded = received(name);
        the_record.load_mode = mode;
        return the_script.load;
    }
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR name, BOOL remember) override {
        note("Save");
        the_record.saved = received(name);
        the_record.save_remember = remember;
        return the_script.save;
    }
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR name) override {
        note("SaveCompleted");
        the_record.save_completed = received(name);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return note("GetCurFile"), E_NOTIMPL; }

private:
    static const IID& link_iid() { return sizeof(Ch) == 1 ? iid_shell_link_a : iid_shell_link_w; }
    static void note(const char* call) { the_record.calls.push_back(call); }
    LONG own_ = 0;
};

class factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, iid_unknown) || IsEqualIID(iid, iid_class_factory)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is static and outlives every registration.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        if (FAILED(the_script.create)) return the_script.create;
        IUnknown* object;
        if (IsEqualIID(iid, iid_shell_link_a))
            object = static_cast<IShellLinkA*>(new scripted_link<IShellLinkA, char, WIN32_FIND_DATAA>);
        else
            object = static_cast<IShellLinkW*>(new scripted_link<IShellLinkW, wchar_t, WIN32_FIND_DATAW>);
        object->AddRef();
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

factory the_factory;

}  // namespace

scripted_shell_link::scripted_shell_link(const shell_link_script& script) {
    the_script = script;
    the_record = shell_link_record{};
    if (FAILED(CoRegisterClassObject(clsid_shell_link, &the_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                     &cookie_)))
        cookie_ = 0;
}

scripted_shell_link::~scripted_shell_link() {
    if (cookie_) CoRevokeClassObject(cookie_);
}

shell_link_script& scripted_shell_link::script() { return the_script; }
const shell_link_record& scripted_shell_link::record() const { return the_record; }

}  // namespace test
