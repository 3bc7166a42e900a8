// The shared scaffolding: code-page conversions, scratch registry keys, temporary folders.
#include "support/support.h"

#include <shellapi.h>

#include <cstdio>
#include <memory>

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

namespace {
const wchar_t shellnew_key[] = L".lnk\\ShellNew";
}

shellnew_command::shellnew_command()
    : found_(RegGetValueW(HKEY_CLASSES_ROOT, shellnew_key, L"Command", RRF_RT_ANY | RRF_NOEXPAND, &type_, saved_,
                          &bytes_)) {}

shellnew_command::~shellnew_command() {
    if (!found_) RegSetKeyValueW(HKEY_CLASSES_ROOT, shellnew_key, L"Command", type_, saved_, bytes_);
    if (found_ == ERROR_FILE_NOT_FOUND) remove();
}

bool shellnew_command::set(const std::wstring& command) const {
    return (!found_ || found_ == ERROR_FILE_NOT_FOUND) &&
           !RegSetKeyValueW(HKEY_CLASSES_ROOT, shellnew_key, L"Command", REG_SZ, command.c_str(),
                            DWORD(command.size() * 2 + 2));
}

void shellnew_command::remove() const { RegDeleteKeyValueW(HKEY_CLASSES_ROOT, shellnew_key, L"Command"); }

namespace {

std::wstring window_text(HWND w) {
    wchar_t text[400] = {};
    GetWindowTextW(w, text, 400);
    return text;
}

BOOL CALLBACK describe_child(HWND child, LPARAM out) {
    wchar_t kind[16] = {};
    GetClassNameW(child, kind, 16);
    const bool icon = (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    const HICON information = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION));
    if (!lstrcmpiW(kind, L"Static") && icon)
        *reinterpret_cast<std::wstring*>(out) +=
            HICON(SendMessageW(child, STM_GETICON, 0, 0)) == information ? L"|information" : L"|other icon";
    else if (!lstrcmpiW(kind, L"Static") && !window_text(child).empty())
        *reinterpret_cast<std::wstring*>(out) += L"|" + window_text(child);
    else if (!lstrcmpiW(kind, L"Button") && (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE))
        *reinterpret_cast<std::wstring*>(out) += L"|button " + std::to_wstring(GetDlgCtrlID(child));
    return TRUE;
}

thread_local dialog_hook* active_hook = nullptr;

LRESULT CALLBACK close_dialog(int code, WPARAM wp, LPARAM lp) {
    wchar_t kind[16] = {};
    const HWND dialog = HWND(wp);
    if (code == HCBT_ACTIVATE && GetClassNameW(dialog, kind, 16) && !lstrcmpW(kind, L"#32770")) {
        active_hook->seen.push_back(window_text(dialog));
        EnumChildWindows(dialog, describe_child, LPARAM(&active_hook->seen.back()));
        PostMessageW(dialog, WM_COMMAND, GetDlgItem(dialog, active_hook->button) ? active_hook->button : IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

dialog_hook::dialog_hook(int button)
    : button(button), hook(SetWindowsHookExW(WH_CBT, close_dialog, nullptr, GetCurrentThreadId())) {
    active_hook = this;
}

dialog_hook::~dialog_hook() { UnhookWindowsHookEx(hook), active_hook = nullptr; }

std::wstring beside_me(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path = self;
    return path.substr(0, path.rfind(L'\\') + 1) + name;
}

namespace {

// Under qemu (32-bit programs where the kernel cannot start them) Wine corrupts or ends the
// process when it raises an exception while other threads run or start. GoogleTest's printer
// echoes each skip and failure to OutputDebugString, which raises one: this printer prints those
// results itself and passes on the other events GoogleTest's printer acts on.
class result_printer : public ::testing::EmptyTestEventListener {
public:
    explicit result_printer(TestEventListener* to) : to_(to) {}
    void OnTestPartResult(const ::testing::TestPartResult& r) override {
        if (r.type() == ::testing::TestPartResult::kSuccess) return;
        std::printf("%s %s\n%s\n", ::testing::internal::FormatFileLocation(r.file_name(), r.line_number()).c_str(),
                    r.skipped() ? "Skipped" : "Failure", r.message());
        std::fflush(stdout);
    }
    void OnTestIterationStart(const ::testing::UnitTest& u, int i) override { to_->OnTestIterationStart(u, i); }
    void OnEnvironmentsSetUpStart(const ::testing::UnitTest& u) override { to_->OnEnvironmentsSetUpStart(u); }
    void OnTestSuiteStart(const ::testing::TestSuite& s) override { to_->OnTestSuiteStart(s); }
    void OnTestStart(const ::testing::TestInfo& t) override { to_->OnTestStart(t); }
    void OnTestDisabled(const ::testing::TestInfo& t) override { to_->OnTestDisabled(t); }
    void OnTestEnd(const ::testing::TestInfo& t) override { to_->OnTestEnd(t); }
    void OnTestSuiteEnd(const ::testing::TestSuite& s) override { to_->OnTestSuiteEnd(s); }
#ifndef GTEST_REMOVE_LEGACY_TEST_CASEAPI_  // where the printer writes its suite lines
    void OnTestCaseStart(const ::testing::TestCase& s) override { to_->OnTestCaseStart(s); }
    void OnTestCaseEnd(const ::testing::TestCase& s) override { to_->OnTestCaseEnd(s); }
#endif
    void OnEnvironmentsTearDownStart(const ::testing::UnitTest& u) override { to_->OnEnvironmentsTearDownStart(u); }
    void OnTestIterationEnd(const ::testing::UnitTest& u, int i) override { to_->OnTestIterationEnd(u, i); }

private:
    std::unique_ptr<TestEventListener> to_;
};

// Put in place before main runs the tests.
const bool printer_replaced = [] {
    ::testing::TestEventListeners& all = ::testing::UnitTest::GetInstance()->listeners();
    all.Append(new result_printer(all.Release(all.default_result_printer())));
    return true;
}();

// GoogleTest starts a watcher thread at each thread's first trace or result, and Wine's own calls
// raise exceptions too: the main thread's watcher starts before the first test, which waits until
// the thread has run (its thread-attach callback below sets the event).
const HANDLE thread_attached = CreateEventW(nullptr, TRUE, FALSE, nullptr);

struct watcher_first : ::testing::Environment {
    void SetUp() override {
        const ::testing::ScopedTrace first(__FILE__, __LINE__, "GoogleTest's watcher thread starts here");
        EXPECT_EQ(WaitForSingleObject(thread_attached, 120000), WAIT_OBJECT_0) << "no thread started";
    }
};
const auto* const watcher = ::testing::AddGlobalTestEnvironment(new watcher_first);

}  // namespace

}  // namespace test

void NTAPI thread_attach_callback(void*, DWORD reason, void*) {
    if (reason == DLL_THREAD_ATTACH) SetEvent(test::thread_attached);
}
extern "C" __attribute__((section(".CRT$XLK"), used)) const PIMAGE_TLS_CALLBACK keldanu_tls_callback =
    thread_attach_callback;
