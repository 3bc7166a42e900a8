#include "support/scratch_key.h"

#include <gtest/gtest.h>

namespace test {

namespace {
const wchar_t parent[] = L"Software\\KeldanuTests";
}

scratch_key::scratch_key(const std::wstring& name)
    : path_(std::wstring(parent) + L"\\" + name + L"." + std::to_wstring(GetCurrentProcessId())) {
    RegDeleteTreeW(root(), path_.c_str());
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(root(), path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    if (key) RegCloseKey(key);
}

scratch_key::~scratch_key() {
    RegDeleteTreeW(root(), path_.c_str());
    // The parent goes too once no other test process uses it.
    RegDeleteKeyW(root(), parent);
}

std::wstring scratch_key::path(const std::wstring& sub) const { return sub.empty() ? path_ : path_ + L"\\" + sub; }

std::string scratch_key::path_a(const std::wstring& sub) const {
    const std::wstring w = path(sub);
    return std::string(w.begin(), w.end());  // ASCII names only
}

void scratch_key::set(const std::wstring& sub, const wchar_t* value, DWORD type, const void* data, DWORD bytes) const {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root(), path(sub).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, value, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    RegCloseKey(key);
}

void scratch_key::set_text(const std::wstring& sub, const wchar_t* value, const std::wstring& text) const {
    set(sub, value, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring scratch_key::raw_value::text() const {
    std::wstring w;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (!c) break;
        w.push_back(c);
    }
    return w;
}

scratch_key::raw_value scratch_key::get(const std::wstring& sub, const wchar_t* value) const {
    raw_value v;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root(), path(sub).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return v;
    DWORD size = 0;
    if (RegQueryValueExW(key, value, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        v.data.resize(size);
        if (RegQueryValueExW(key, value, nullptr, &v.type, v.data.data(), &size) == ERROR_SUCCESS) {
            v.present = true;
            v.data.resize(size);
        }
    }
    RegCloseKey(key);
    return v;
}

bool scratch_key::exists(const std::wstring& sub) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root(), path(sub).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace test
