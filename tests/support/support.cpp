// The shared test scaffolding (kernel32 VirtualAlloc/VirtualProtect, user32 window queries,
// advapi32 registry, shell32 SHFileOperationW).
#include "support/support.h"

#include <shellapi.h>

namespace test {

bool faults_end_process() { return GetEnvironmentVariableW(L"KELDANU_FAULTS_END_PROCESS", nullptr, 0) != 0; }

std::string acp(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring utf16(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, w.data(), n);
    return w;
}

guarded_bytes::guarded_bytes(size_t bytes, unsigned char fill) : bytes_(bytes), fill_(fill) {
    constexpr size_t page = 4096;
    const size_t pages = (bytes + page - 1) / page;
    base_ = VirtualAlloc(nullptr, (pages + 1) * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    DWORD old;
    VirtualProtect(static_cast<char*>(base_) + pages * page, page, PAGE_NOACCESS, &old);
    data_ = static_cast<char*>(base_) + pages * page - bytes;
    FillMemory(data_, bytes, fill);
}

guarded_bytes::~guarded_bytes() { VirtualFree(base_, 0, MEM_RELEASE); }

bool guarded_bytes::untouched_from(size_t from) const {
    for (size_t i = from; i < bytes_; ++i)
        if (static_cast<unsigned char>(data_[i]) != fill_) return false;
    return true;
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
    if (has_class(child, L"Static") && (style & SS_TYPEMASK) == SS_ICON) {
        seen.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    } else if (has_class(child, L"Static") && !window_text(child).empty()) {
        seen.text += (seen.text.empty() ? L"" : L"\n") + window_text(child);
    } else if (has_class(child, L"Button") && (style & WS_VISIBLE)) {
        seen.buttons.push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}

// Only this process's dialogs: a run may share its display with other programs.
BOOL CALLBACK collect_dialog(HWND w, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process == GetCurrentProcessId() && has_class(w, L"#32770") && IsWindowVisible(w))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
    return TRUE;
}

}  // namespace

void dialog_watcher::press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

dialog_watcher::dialog_watcher(action act) : act_(std::move(act)) {
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
}

dialog_watcher::~dialog_watcher() {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(stop_);
}

std::vector<seen_dialog> dialog_watcher::seen() const {
    std::lock_guard<std::mutex> hold(lock_);
    return seen_;
}

void dialog_watcher::clear() {
    std::lock_guard<std::mutex> hold(lock_);
    seen_.clear();
}

DWORD WINAPI dialog_watcher::run(void* param) {
    auto* self = static_cast<dialog_watcher*>(param);
    // Every 5 ms until told to stop.
    while (WaitForSingleObject(self->stop_, 5) == WAIT_TIMEOUT) {
        std::vector<HWND> found;
        EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&found));
        for (HWND w : found) {
            {
                std::lock_guard<std::mutex> hold(self->lock_);
                if (std::find(self->handled_.begin(), self->handled_.end(), w) != self->handled_.end()) continue;
            }
            Sleep(20);  // let the dialog finish making its controls
            if (!IsWindow(w)) continue;
            seen_dialog seen{window_text(w)};
            seen.thread = GetWindowThreadProcessId(w, nullptr);
            EnumChildWindows(w, collect_child, reinterpret_cast<LPARAM>(&seen));
            {
                std::lock_guard<std::mutex> hold(self->lock_);
                self->seen_.push_back(seen);
                self->handled_.push_back(w);
            }
            if (self->act_) self->act_(w, seen);
            else press(w, GetDlgItem(w, IDOK) ? IDOK : IDCANCEL);
        }
    }
    return 0;
}

temp_dir::temp_dir() {
    wchar_t base[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    // A name taken by a crashed earlier run is passed over; a hundred taken names mean
    // something else is wrong.
    for (unsigned n = GetTickCount() ^ GetCurrentProcessId(), tries = 0; tries < 100; ++n, ++tries) {
        wsprintfW(name, L"%skeldanu-%08x", base, n);
        if (CreateDirectoryW(name, nullptr)) {
            path_ = name;
            return;
        }
    }
    ADD_FAILURE() << "no temporary folder could be made under " << acp(base);
}

temp_dir::~temp_dir() {
    if (path_.empty()) return;
    std::wstring from = path_ + L'\0';  // a double-terminated list
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

scratch_key::scratch_key(const std::wstring& name)
    : path_(L"Software\\KeldanuTests\\" + name + L"." + std::to_wstring(GetCurrentProcessId())) {
    RegDeleteTreeW(root(), path_.c_str());
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(root(), path_.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr), 0);
    if (key) RegCloseKey(key);
}

scratch_key::~scratch_key() {
    RegDeleteTreeW(root(), path_.c_str());
    RegDeleteKeyW(root(), L"Software\\KeldanuTests");  // goes once no other test uses it
}

void scratch_key::set(const std::wstring& sub, const wchar_t* value, DWORD type, const void* data, DWORD bytes) const {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root(), path(sub).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), 0);
    EXPECT_EQ(RegSetValueExW(key, value, 0, type, static_cast<const BYTE*>(data), bytes), 0);
    RegCloseKey(key);
}

scratch_key::value scratch_key::get(const std::wstring& sub, const wchar_t* name) const {
    value v;
    HKEY key;
    if (RegOpenKeyExW(root(), path(sub).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return v;
    wchar_t data[1024] = {};
    v.bytes = sizeof data - sizeof(wchar_t);
    v.present = RegQueryValueExW(key, name, nullptr, &v.type, reinterpret_cast<BYTE*>(data), &v.bytes) == 0;
    RegCloseKey(key);
    v.text = data;
    return v;
}

std::wstring beside_me(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.rfind(L'\\') + 1) + name;
}

std::vector<std::string> data_lines(const char* name) {
    std::vector<std::string> lines(1);
    const HANDLE in = CreateFileA((std::string(KELDANU_TEST_DATA "\\") + name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    char c;
    DWORD got = 0;
    while (in != INVALID_HANDLE_VALUE && ReadFile(in, &c, 1, &got, nullptr) && got)
        if (c == '\n') lines.emplace_back(); else lines.back().push_back(c);
    CloseHandle(in);
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

}  // namespace test
