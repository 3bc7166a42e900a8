// A registry key of its own for one test, and raw access to the values in it, so that tests
// can set up and inspect exactly the bytes and types the registry holds.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test {

// HKEY_CURRENT_USER\Software\KeldanuTests\<name>.<process id>: created empty, deleted with
// everything below it when the object goes.
class scratch_key {
public:
    explicit scratch_key(const std::wstring& name);
    ~scratch_key();
    scratch_key(const scratch_key&) = delete;
    scratch_key& operator=(const scratch_key&) = delete;

    static HKEY root() { return HKEY_CURRENT_USER; }
    // The key's path below root(), or a subkey's ("a\b" below it).
    std::wstring path(const std::wstring& sub = L"") const;
    std::string path_a(const std::wstring& sub = L"") const;

    // Stores raw data as it stands (`bytes` bytes from `data`) under the key's subkey `sub`.
    void set(const std::wstring& sub, const wchar_t* value, DWORD type, const void* data, DWORD bytes) const;
    void set_text(const std::wstring& sub, const wchar_t* value, const std::wstring& text) const;

    struct raw_value {
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
        std::wstring text() const;  // the data read as UTF-16, up to a zero or its end
    };
    raw_value get(const std::wstring& sub, const wchar_t* value) const;
    bool exists(const std::wstring& sub) const;

private:
    std::wstring path_;
};

}  // namespace test
