#include "support/support.h"

#include <shellapi.h>

#include <cstring>

namespace test {

bool faults_end_process() {
    return GetEnvironmentVariableW(L"KELDANU_FAULTS_END_PROCESS", nullptr, 0) != 0;
}

std::wstring widen(const std::string& s) {
    std::wstring w;
    for (unsigned char c : s) w.push_back(static_cast<wchar_t>(c));
    return w;
}

std::string acp_from_wide(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring wide_from_utf8(const std::string& s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), n);
    return w;
}

guarded_buffer::guarded_buffer(size_t bytes, unsigned char fill) : bytes_(bytes) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    const size_t pages = (bytes + page - 1) / page;
    total_ = (pages + 1) * page;
    base_ = VirtualAlloc(nullptr, total_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    char* guard = static_cast<char*>(base_) + pages * page;
    DWORD old;
    VirtualProtect(guard, page, PAGE_NOACCESS, &old);
    data_ = guard - bytes;
    std::memset(data_, fill, bytes);
}

guarded_buffer::~guarded_buffer() {
    if (base_) VirtualFree(base_, 0, MEM_RELEASE);
}

namespace {

std::wstring window_text(HWND w) {
    wchar_t buf[1024] = {};
    GetWindowTextW(w, buf, 1024);
    return buf;
}

std::wstring class_name(HWND w) {
    wchar_t buf[256] = {};
    GetClassNameW(w, buf, 256);
    return buf;
}

BOOL CALLBACK collect_child(HWND child, LPARAM param) {
    auto* seen = reinterpret_cast<seen_dialog*>(param);
    const std::wstring cls = class_name(child);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (lstrcmpiW(cls.c_str(), L"Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON) {
            seen->icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        } else {
            const std::wstring t = window_text(child);
            if (!t.empty()) {
                if (!seen->text.empty()) seen->text += L"\n";
                seen->text += t;
            }
        }
    } else if (lstrcmpiW(cls.c_str(), L"Button") == 0 && (style & WS_VISIBLE)) {
        seen->buttons.push_back(window_text(child));
        seen->button_ids.push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}

struct find_state {
    std::vector<HWND> found;
};

BOOL CALLBACK collect_dialog(HWND w, LPARAM param) {
    auto* state = reinterpret_cast<find_state*>(param);
    if (class_name(w) == L"#32770" && IsWindowVisible(w)) state->found.push_back(w);
    return TRUE;
}

}  // namespace

seen_dialog describe_dialog(HWND dialog) {
    seen_dialog seen;
    seen.caption = window_text(dialog);
    seen.style = GetWindowLongW(dialog, GWL_STYLE);
    seen.thread = GetWindowThreadProcessId(dialog, nullptr);
    EnumChildWindows(dialog, collect_child, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

void dialog_watcher::press(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

dialog_watcher::dialog_watcher(action act) : act_(std::move(act)) {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
    WaitForSingleObject(ready_, INFINITE);
}

dialog_watcher::~dialog_watcher() {
    InterlockedExchange(&stop_, 1);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(ready_);
}

std::vector<seen_dialog> dialog_watcher::seen() const {
    std::lock_guard<std::mutex> hold(lock_);
    return seen_;
}

bool dialog_watcher::wait_for(size_t count, DWORD ms) const {
    const DWORD start = GetTickCount();
    for (;;) {
        {
            std::lock_guard<std::mutex> hold(lock_);
            if (seen_.size() >= count) return true;
        }
        if (GetTickCount() - start > ms) return false;
        Sleep(5);
    }
}

void dialog_watcher::clear() {
    std::lock_guard<std::mutex> hold(lock_);
    seen_.clear();
}

DWORD WINAPI dialog_watcher::run(void* param) {
    auto* self = static_cast<dialog_watcher*>(param);
    // Touch the window system before anyone can be waiting in a message box.
    GetDesktopWindow();
    SetEvent(self->ready_);
    while (!self->stop_) {
        find_state state;
        EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&state));
        for (HWND w : state.found) {
            bool known;
            {
                std::lock_guard<std::mutex> hold(self->lock_);
                known = false;
                for (HWND h : self->handled_)
                    if (h == w) known = true;
            }
            if (known) {
                if (IsWindow(w)) continue;  // still closing
            }
            // Let the dialog finish building its controls before reading it.
            Sleep(20);
            if (!IsWindow(w)) continue;
            seen_dialog seen = describe_dialog(w);
            {
                std::lock_guard<std::mutex> hold(self->lock_);
                self->seen_.push_back(seen);
                self->handled_.push_back(w);
            }
            if (self->act_) {
                self->act_(w, seen);
            } else {
                press(w, GetDlgItem(w, IDOK) ? IDOK : IDCANCEL);
            }
        }
        Sleep(5);
    }
    return 0;
}

temp_dir::temp_dir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    wchar_t name[MAX_PATH];
    for (unsigned n = GetTickCount();; ++n) {
        wsprintfW(name, L"%skeldanu-%08x", base, n);
        if (CreateDirectoryW(name, nullptr)) break;
    }
    path_ = name;
}

temp_dir::~temp_dir() {
    // SHFileOperation wants a double-terminated list.
    std::wstring from = path_;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

}  // namespace test
