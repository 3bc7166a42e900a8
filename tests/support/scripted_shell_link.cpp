#include "support/scripted_shell_link.h"

#include <shlobj.h>

namespace test {

namespace {

constexpr CLSID clsid_shell_link = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// One registration at a time: the objects report here.
shell_link_script the_script;
shell_link_record the_record;

template <class Ch> std::wstring received(const Ch* s) { return s ? std::wstring(s, s + std::char_traits<Ch>::length(s)) : L"(null)"; }

template <class Link, class Ch, class FindData>
class scripted_link final : public Link, public IPersistFile {
public:
    scripted_link() { ++the_record.objects; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(Link))) *out = static_cast<Link*>(this);
        else if (!IsEqualIID(iid, __uuidof(IPersistFile))) return E_NOINTERFACE;
        else if (FAILED(the_script.persist)) return the_script.persist;
        else *out = static_cast<IPersistFile*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++the_record.references, ++own_; }
    ULONG STDMETHODCALLTYPE Release() override {
        --the_record.references;
        const ULONG left = --own_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetPath(Ch* out, int n, FindData*, DWORD flags) override {
        the_record.get_path_flags = flags;
        return give("GetPath", 0, out, n);
    }
    HRESULT STDMETHODCALLTYPE GetDescription(Ch* out, int n) override { return give("GetDescription", 1, out, n); }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(Ch* out, int n) override { return give("GetWorkingDirectory", 2, out, n); }
    HRESULT STDMETHODCALLTYPE GetArguments(Ch* out, int n) override { return give("GetArguments", 3, out, n); }
    HRESULT STDMETHODCALLTYPE SetPath(const Ch*) override { return note("SetPath"); }
    HRESULT STDMETHODCALLTYPE SetDescription(const Ch* s) override {
        the_record.set_description = received(s);
        return note("SetDescription");
    }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(const Ch*) override { return note("SetWorkingDirectory"); }
    HRESULT STDMETHODCALLTYPE SetArguments(const Ch*) override { return note("SetArguments"); }
    HRESULT STDMETHODCALLTYPE Resolve(HWND owner, DWORD flags) override {
        the_record.resolve_owner = owner;
        the_record.resolve_flags = flags;
        return note("Resolve", the_script.resolve);
    }
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR name, DWORD mode) override {
        the_record.loaded = received(name);
        the_record.load_mode = mode;
        return note("Load", the_script.load);
    }
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR name, BOOL remember) override {
        the_record.saved = received(name);
        the_record.remember = remember;
        return note("Save", the_script.save);
    }
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return note("SaveCompleted"); }
    // Nothing of the library calls the rest.
    HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE*) override { return note("GetIDList", E_NOTIMPL); }
    HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return note("SetIDList", E_NOTIMPL); }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return note("GetHotkey", E_NOTIMPL); }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return note("SetHotkey", E_NOTIMPL); }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return note("GetShowCmd", E_NOTIMPL); }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int) override { return note("SetShowCmd", E_NOTIMPL); }
    HRESULT STDMETHODCALLTYPE GetIconLocation(Ch*, int, int*) override { return note("GetIconLocation", E_NOTIMPL); }
    HRESULT STDMETHODCALLTYPE SetIconLocation(const Ch*, int) override { return note("SetIconLocation", E_NOTIMPL); }
    HRESULT STDMETHODCALLTYPE SetRelativePath(const Ch*, DWORD) override { return note("SetRelativePath", E_NOTIMPL); }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override { return *id = clsid_shell_link, S_OK; }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return note("IsDirty", S_FALSE); }
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return note("GetCurFile", E_NOTIMPL); }

private:
    static HRESULT note(const char* call, HRESULT answer = S_OK) {
        the_record.calls += (the_record.calls.empty() ? "" : " ") + std::string(call);
        return answer;
    }
    static HRESULT give(const char* call, int field, Ch* out, int n) {
        the_record.counts.push_back(n);
        const std::wstring& text = the_script.fields[field];
        const int length = static_cast<int>(text.size());
        const int copied = length < n ? length : the_script.fill_without_terminator ? n : n - 1;
        for (int i = 0; i < copied; ++i) out[i] = static_cast<Ch>(text[i]);
        if (copied < n) out[copied] = 0;
        return note(call, the_script.get[field]);
    }
    ULONG own_ = 0;
};

struct factory final : IClassFactory {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IClassFactory)) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static: outlives every registration
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
        *out = nullptr;
        if (FAILED(the_script.create)) return the_script.create;
        IUnknown* object = IsEqualIID(iid, __uuidof(IShellLinkA))
            ? static_cast<IUnknown*>(static_cast<IShellLinkA*>(new scripted_link<IShellLinkA, char, WIN32_FIND_DATAA>))
            : static_cast<IShellLinkW*>(new scripted_link<IShellLinkW, wchar_t, WIN32_FIND_DATAW>);
        object->AddRef();
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
} the_factory;

}  // namespace

scripted_shell_link::scripted_shell_link(const shell_link_script& script) {
    the_script = script;
    the_record = shell_link_record{};
    if (FAILED(CoRegisterClassObject(clsid_shell_link, &the_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_)))
        cookie_ = 0;
}

scripted_shell_link::~scripted_shell_link() {
    if (cookie_) CoRevokeClassObject(cookie_);
}

const shell_link_record& scripted_shell_link::record() const { return the_record; }

}  // namespace test
