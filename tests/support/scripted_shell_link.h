// A shell-link object a test scripts, registered for CLSID_ShellLink in scope; counts references, notes calls.
#pragma once

#include <shlobj.h>

#include "support/support.h"

namespace test {

struct shell_link_script {
    HRESULT create = S_OK, persist = S_OK, load = S_OK, resolve = S_OK, save = S_OK;
    HRESULT get[4] = {S_OK, S_OK, S_OK, S_OK};  // GetPath, GetDescription, GetWorkingDirectory, GetArguments
    std::wstring fields[4] = {L"C:\\target.exe", L"description", L"C:\\work", L"/arguments"};  // ASCII
    bool fill_without_terminator = false;  // a field longer than the count fills it unterminated
};

// One registration at a time: the objects report here.
inline shell_link_script the_script;
inline LONG references = 0;  // handed out and not given back
inline std::string calls;    // "Load C:\x.lnk 0 Resolve 4 GetPath 261 2 ..."

template <class Link, class Ch, class FindData>
class scripted_link final : public Link, public IPersistFile {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(Link)))
            *out = static_cast<Link*>(this);
        else if (!IsEqualIID(iid, __uuidof(IPersistFile)))
            return E_NOINTERFACE;
        else if (FAILED(the_script.persist))
            return the_script.persist;
        else
            *out = static_cast<IPersistFile*>(this);
        return AddRef(), S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references, ++own_; }
    ULONG STDMETHODCALLTYPE Release() override {
        --references;
        if (--own_ == 0) delete this;
        return 0;
    }
    HRESULT STDMETHODCALLTYPE GetPath(Ch* out, int n, FindData*, DWORD flags) override {
        return give(0, out, n, " GetPath", flags);
    }
    HRESULT STDMETHODCALLTYPE GetDescription(Ch* out, int n) override { return give(1, out, n, " GetDescription"); }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(Ch* out, int n) override {
        return give(2, out, n, " GetWorkingDirectory");
    }
    HRESULT STDMETHODCALLTYPE GetArguments(Ch* out, int n) override { return give(3, out, n, " GetArguments"); }
    HRESULT STDMETHODCALLTYPE SetPath(const Ch*) override { return note(" SetPath"); }
    HRESULT STDMETHODCALLTYPE SetDescription(const Ch*) override { return note(" SetDescription"); }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(const Ch*) override { return note(" SetWorkingDirectory"); }
    HRESULT STDMETHODCALLTYPE SetArguments(const Ch*) override { return note(" SetArguments"); }
    HRESULT STDMETHODCALLTYPE Resolve(HWND owner, DWORD flags) override {
        return note(" Resolve", flags, owner == GetDesktopWindow() ? "desktop" : "", the_script.resolve);
    }
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR name, DWORD mode) override {
        return note(" Load", mode, name, the_script.load);
    }
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR name, BOOL remember) override {
        return note(" Save", remember, name, the_script.save);
    }
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return note(" SaveCompleted"); }
    // Nothing of the library calls the rest.
    HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIconLocation(Ch*, int, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetIconLocation(const Ch*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRelativePath(const Ch*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return E_NOTIMPL; }

private:
    template <class Text = const char*>
    static HRESULT note(const char* call, long n = -1, Text text = "", HRESULT answer = S_OK) {
        calls += call + (n < 0 ? "" : " " + std::to_string(n)) + (*text ? " " : "");
        for (; *text; ++text) calls += char(*text);  // ASCII
        return answer;
    }
    static HRESULT give(int field, Ch* out, int n, const char* call, long flags = -1) {
        const std::wstring& text = the_script.fields[field];
        const int length = int(text.size()), copied = length < n                           ? length
                                                      : the_script.fill_without_terminator ? n
                                                                                           : n - 1;
        for (int i = 0; i < copied; ++i) out[i] = Ch(text[i]);
        if (copied < n) out[copied] = 0;
        note(call, n);
        return note("", flags, "", the_script.get[field]);
    }
    ULONG own_ = 0;
};

struct shell_link_factory final : IClassFactory {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { return *out = this, S_OK; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static: outlives every registration
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
        *out = nullptr;
        if (FAILED(the_script.create)) return the_script.create;
        IUnknown* object = IsEqualIID(iid, __uuidof(IShellLinkA))
                               ? static_cast<IUnknown*>(
                                     static_cast<IShellLinkA*>(new scripted_link<IShellLinkA, char, WIN32_FIND_DATAA>))
                               : static_cast<IShellLinkW*>(new scripted_link<IShellLinkW, wchar_t, WIN32_FIND_DATAW>);
        object->AddRef();
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};
inline shell_link_factory the_factory;

class scripted_shell_link {
public:
    explicit scripted_shell_link(const shell_link_script& script) {
        the_script = script, references = 0, calls.clear();
        const CLSID shell_link = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
        EXPECT_EQ(CoRegisterClassObject(shell_link, &the_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_),
                  S_OK);
    }
    ~scripted_shell_link() { CoRevokeClassObject(cookie_); }

private:
    DWORD cookie_ = 0;
};

}  // namespace test
