// The shared scaffolding (KERNEL32 VirtualAlloc/VirtualProtect, USER32 window queries,
// ADVAPI32 registry, SHELL32 SHFileOperationW).
#include "support/support.h"

#include <shellapi.h>

namespace test {

std::string acp(const std::wstring& w) {
    std::string s(w.size() * 2 + 1, '\0');
    s.resize(WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, s.data(), int(s.size()), nullptr, nullptr) - 1);
    return s;
}

std::wstring utf16(const std::string& utf8) {
    std::wstring w(utf8.size() + 1, L'\0');
    w.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, w.data(), int(w.size())) - 1);
    return w;
}

guarded_bytes::guarded_bytes(size_t bytes, unsigned char fill) : bytes_(bytes), fill_(fill) {
    const size_t page = 4096, pages = (bytes + page - 1) / page;
    base_ = VirtualAlloc(nullptr, (pages + 1) * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    data_ = static_cast<char*>(base_) + pages * page - bytes;
    DWORD old;
    VirtualProtect(data_ + bytes, page, PAGE_NOACCESS, &old);
    FillMemory(data_, bytes, fill);
}

namespace {

std::wstring window_text(HWND w) {
    wchar_t buf[1024] = {};
    GetWindowTextW(w, buf, 1024);
    return buf;
}

bool has_class(HWND w, const wchar_t* name) {
    wchar_t buf[64] = {};
    GetClassNameW(w, buf, 64);
    return lstrcmpiW(buf, name) == 0;
}

BOOL CALLBACK collect_child(HWND child, LPARAM param) {
    auto& seen = *reinterpret_cast<seen_dialog*>(param);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (has_class(child, L"Static") && (style & SS_TYPEMASK) == SS_ICON)
        seen.icon = HICON(SendMessageW(child, STM_GETICON, 0, 0));
    else if (has_class(child, L"Static") && !window_text(child).empty())
        seen.text += (seen.text.empty() ? L"" : L"\n") + window_text(child);
    else if (has_class(child, L"Button") && (style & WS_VISIBLE))
        seen.buttons.push_back(GetDlgCtrlID(child));
    return TRUE;
}

// Only this process's dialogs: the display may show other programs' windows too.
BOOL CALLBACK collect_dialog(HWND w, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process == GetCurrentProcessId() && has_class(w, L"#32770") && IsWindowVisible(w))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
    return TRUE;
}

}  // namespace

dialog_watcher::dialog_watcher(action act)
    : act_(std::move(act)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_(CreateThread(nullptr, 0, run, this, 0, nullptr)) {}

dialog_watcher::~dialog_watcher() {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(stop_);
}

DWORD WINAPI dialog_watcher::run(void* param) {
    auto* self = static_cast<dialog_watcher*>(param);
    std::vector<HWND> handled;
    while (WaitForSingleObject(self->stop_, 5) == WAIT_TIMEOUT) {
        std::vector<HWND> found;
        EnumWindows(collect_dialog, LPARAM(&found));
        for (HWND w : found) {
            if (std::find(handled.begin(), handled.end(), w) != handled.end()) continue;
            Sleep(20);  // let the dialog finish making its controls
            seen_dialog seen{window_text(w)};
            seen.thread = GetWindowThreadProcessId(w, nullptr);
            EnumChildWindows(w, collect_child, LPARAM(&seen));
            handled.push_back(w);
            {
                std::lock_guard<std::mutex> hold(self->lock_);
                self->seen_.push_back(seen);
            }
            if (self->act_)
                self->act_(w, seen);
            else
                press(w, GetDlgItem(w, IDOK) ? IDOK : IDCANCEL);
        }
    }
    return 0;
}

temp_dir::temp_dir() {
    wchar_t base[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    // A name left by a crashed earlier run is passed over; a hundred taken mean something else.
    for (unsigned n = GetTickCount() ^ GetCurrentProcessId(), tries = 0; path.empty() && tries < 100; ++n, ++tries) {
        wsprintfW(name, L"%skeldanu-%08x", base, n);
        if (CreateDirectoryW(name, nullptr)) path = name;
    }
    if (path.empty()) ADD_FAILURE() << "no temporary folder could be made in " << acp(base);
}

temp_dir::~temp_dir() {
    const std::wstring from = path + L'\0';  // a double-terminated list
    SHFILEOPSTRUCTW op = {nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT};
    if (!path.empty()) SHFileOperationW(&op);
}

scratch_key::scratch_key(const std::wstring& name)
    : path_(L"Software\\KeldanuTests\\" + name + L"." + std::to_wstring(GetCurrentProcessId())) {
    RegDeleteTreeW(root(), path_.c_str());
    HKEY key;
    if (RegCreateKeyExW(root(), path_.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr) == 0) RegCloseKey(key);
}

scratch_key::value scratch_key::get(const std::wstring& sub, const wchar_t* name) const {
    value v;
    wchar_t data[1024] = {};
    HKEY key;
    if (RegOpenKeyExW(root(), path(sub).c_str(), 0, KEY_QUERY_VALUE, &key)) return v;
    v.bytes = sizeof data - 2;
    v.present = RegQueryValueExW(key, name, nullptr, &v.type, LPBYTE(data), &v.bytes) == 0;
    RegCloseKey(key);
    v.text = data;
    return v;
}

std::wstring beside_me(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path = self;
    return path.substr(0, path.rfind(L'\\') + 1) + name;
}

}  // namespace test
