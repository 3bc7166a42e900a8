// A shell-link object whose answers a test chooses, registered for CLSID_ShellLink on the
// calling thread with CoRegisterClassObject while it is in scope. It serves IShellLinkA,
// IShellLinkW and IPersistFile, counts the references it hands out and records the calls
// made to it. The system's own object cannot be told to make a getter fail or to answer
// S_FALSE, and it cannot say whether every reference was given back; this one can.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test {

struct shell_link_script {
    // What each call answers.
    HRESULT create = S_OK;  // the class factory's CreateInstance
    HRESULT persist = S_OK; // QueryInterface for IPersistFile
    HRESULT load = S_OK;
    HRESULT resolve = S_OK;
    HRESULT get_path = S_OK;
    HRESULT get_description = S_OK;
    HRESULT get_directory = S_OK;
    HRESULT get_arguments = S_OK;
    HRESULT save = S_OK;
    // The fields the getters write (widened or narrowed byte for byte; keep them ASCII).
    std::wstring path = L"C:\\target.exe";
    std::wstring description = L"description";
    std::wstring directory = L"C:\\work";
    std::wstring arguments = L"/arguments";
    // A field longer than the caller's count fills all of it with no terminator, as some
    // platforms' ANSI getters do.
    bool fill_without_terminator = false;
};

struct shell_link_record {
    int objects = 0;             // objects created
    LONG references = 0;         // references handed out and not yet released, all objects
    std::vector<std::string> calls;  // "Load", "Resolve", "GetPath", "SetDescription", ...
    std::wstring loaded;         // the name given to Load
    DWORD load_mode = 0xFFFFFFFF;
    HWND resolve_owner = nullptr;
    DWORD resolve_flags = 0;
    DWORD get_path_flags = 0;
    std::vector<int> getter_counts;  // the character counts offered to the four getters
    std::wstring saved;          // the name given to Save
    BOOL save_remember = -1;
    std::wstring save_completed; // the name given to SaveCompleted
    std::wstring set_path, set_description, set_directory, set_arguments;  // as received
};

class scripted_shell_link {
public:
    explicit scripted_shell_link(const shell_link_script& script);
    ~scripted_shell_link();
    scripted_shell_link(const scripted_shell_link&) = delete;
    scripted_shell_link& operator=(const scripted_shell_link&) = delete;

    bool registered() const { return cookie_ != 0; }
    shell_link_script& script();
    const shell_link_record& record() const;

private:
    DWORD cookie_ = 0;
};

}  // namespace test
