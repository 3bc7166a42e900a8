// A shell-link object whose answers a test chooses, registered for CLSID_ShellLink on the
// calling thread (CoRegisterClassObject) while it is in scope. It serves IShellLinkA/W and
// IPersistFile, counts the references it hands out and records the calls made to it: the
// system's own object can neither be made to fail a getter nor say whether every reference
// came back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test {

struct shell_link_script {
    HRESULT create = S_OK, persist = S_OK, load = S_OK, resolve = S_OK;  // what each call answers
    HRESULT get[4] = {S_OK, S_OK, S_OK, S_OK};  // GetPath, GetDescription, GetWorkingDirectory, GetArguments
    HRESULT save = S_OK;
    std::wstring fields[4] = {L"C:\\target.exe", L"description", L"C:\\work", L"/arguments"};  // ASCII
    bool fill_without_terminator = false;  // a field longer than the count fills it unterminated
};

struct shell_link_record {
    int objects = 0;
    LONG references = 0;   // handed out and not given back, all objects
    std::string calls;     // "Load Resolve GetPath ..."
    std::wstring loaded, saved, set_description;
    DWORD load_mode = 0, resolve_flags = 0, get_path_flags = 0;
    HWND resolve_owner = nullptr;
    BOOL remember = -1;
    std::vector<int> counts;  // the character counts offered to the getters
};

class scripted_shell_link {
public:
    explicit scripted_shell_link(const shell_link_script& script);
    ~scripted_shell_link();
    scripted_shell_link(const scripted_shell_link&) = delete;
    scripted_shell_link& operator=(const scripted_shell_link&) = delete;
    bool registered() const { return cookie_ != 0; }
    const shell_link_record& record() const;

private:
    DWORD cookie_ = 0;
};

}  // namespace test
