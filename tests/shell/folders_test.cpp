// The folder services: the folder browser driven from a watcher thread (preselection, OK,
// cancel, the title from this program's string table), special-folder paths (file-system,
// virtual, cut, unwritable and empty buffers) and the two system image lists.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "keldanu.h"
#include "support/support.h"

namespace {

// ---- special folders ----

std::string windows_directory() {
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, MAX_PATH);
    return dir;
}

std::string system_directory() {
    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    return dir;
}

TEST(ShlGetSpecialFolderLocationA, PathsAreCutToTheCapacity) {
    const std::string windows = windows_directory();
    const std::string system = system_directory();
    ASSERT_GT(system.size(), 9u) << "the cut case needs a path longer than 9 characters";
    struct row {
        int folder;
        int capacity;
        BOOL result;
        std::string expected;
        const char* why;
    };
    const row rows[] = {
        {CSIDL_WINDOWS, MAX_PATH, TRUE, windows, "a file-system folder"},
        {CSIDL_SYSTEM, MAX_PATH, TRUE, system, "another one"},
        {CSIDL_SYSTEM, static_cast<int>(system.size()) + 1, TRUE, system, "a buffer just large enough"},
        {CSIDL_SYSTEM, 10, TRUE, system.substr(0, 9), "capacity 10 gives the first 9 characters"},
        {CSIDL_SYSTEM, 1, TRUE, "", "capacity 1 holds only the terminator"},
        {CSIDL_DRIVES, MAX_PATH, FALSE, "", "a virtual folder has no path"},
        {CSIDL_CONTROLS, MAX_PATH, FALSE, "", "neither has the control panel"},
        {0x7F, MAX_PATH, FALSE, "", "an unknown folder id"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        // The buffer ends where its capacity ends: a write past it faults.
        test::guarded_buffer buffer(r.capacity);
        EXPECT_EQ(ShlGetSpecialFolderLocationA(nullptr, r.folder, buffer.chars(), r.capacity), r.result);
        EXPECT_EQ(lstrcmpiA(buffer.chars(), r.expected.c_str()), 0) << buffer.chars();
    }
}

TEST(ShlGetSpecialFolderLocationA, BuffersThatCannotTakeAPathAreLeftAlone) {
    KELDANU_SKIP_WHERE_FAULTS_END_PROCESS();
    test::guarded_buffer small(20);
    struct row {
        char* buffer;
        int capacity;
        const char* why;
    };
    const row rows[] = {
        {static_cast<char*>(small.end()), 0, "capacity 0 at a no-access page"},
        {small.chars(), 0, "capacity 0"},
        {small.chars(), -1, "a negative capacity"},
        {small.chars(), MAX_PATH, "a buffer shorter than its stated capacity"},
        {nullptr, MAX_PATH, "no buffer"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(ShlGetSpecialFolderLocationA(nullptr, CSIDL_WINDOWS, r.buffer, r.capacity), FALSE);
        for (int i = 0; i < 20; ++i) ASSERT_EQ(static_cast<unsigned char>(small.chars()[i]), 0xCC) << i;
    }
}

// ---- system image list ----

TEST(ShlGetSystemImageList, SmallAndLargeIconsAreTwoLists) {
    const HIMAGELIST small = ShlGetSystemImageList(TRUE);
    const HIMAGELIST large = ShlGetSystemImageList(FALSE);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_NE(small, large);
    // Any nonzero flag asks for the small icons.
    EXPECT_EQ(ShlGetSystemImageList(2), small);
    EXPECT_EQ(ShlGetSystemImageList(-1), small);
    // They are the shell's own lists, of the system's icon sizes.
    SHFILEINFOA info;
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(
                  SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)),
              small);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(small, &cx, &cy));
    EXPECT_EQ(cx, GetSystemMetrics(SM_CXSMICON));
    ASSERT_TRUE(ImageList_GetIconSize(large, &cx, &cy));
    EXPECT_EQ(cx, GetSystemMetrics(SM_CXICON));
}

// ---- folder browser ----

constexpr UINT title_id = 7101;
constexpr UINT long_title_id = 7102;
constexpr UINT missing_title_id = 7199;
constexpr int browser_title_control = 0x3742;
constexpr int browser_title_chars = 259;

std::wstring control_text(HWND dialog, int id) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, id, text, 1024);
    return text;
}

// The text of the folder selected in the browser's tree, "(none)" or "(no tree)".
std::wstring selected_folder(HWND dialog) {
    HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    if (!tree) return L"(no tree)";
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return L"(none)";
    wchar_t text[MAX_PATH] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

// The browser fills its tree and moves to the preselected folder while it is already on
// screen; a user (and this test) answers only once the selection has come to rest. Waits
// until `wanted` is selected, or for up to 30 seconds (an emulated machine is slow), and
// returns what is selected then.
std::wstring settled_selection(HWND dialog, const std::wstring& wanted) {
    std::wstring now = selected_folder(dialog);
    for (int waited = 0; now != wanted && waited < 30000; waited += 20) {
        Sleep(20);
        now = selected_folder(dialog);
    }
    return now;
}

std::wstring loaded_string(UINT id) {
    wchar_t text[1024] = {};
    LoadStringW(GetModuleHandleW(nullptr), id, text, 1024);
    return text;
}

// A hidden top-level window to own the browser.
class owner_window {
public:
    owner_window()
        : window_(CreateWindowExW(0, L"STATIC", L"keldanu test owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~owner_window() { DestroyWindow(window_); }
    owner_window(const owner_window&) = delete;
    owner_window& operator=(const owner_window&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

class BrowseForFolder : public ::testing::Test {
protected:
    void SetUp() override {
        // The shell's browser needs COM on the calling thread, as every program that shows
        // it must arrange.
        com_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(SUCCEEDED(com_));
        // A folder a few levels down, with a space in its name, so that preselecting it means
        // opening the tree along its path.
        chosen_ = test::acp_from_wide(dir_.file(L"picked folder"));
        ASSERT_TRUE(CreateDirectoryA(chosen_.c_str(), nullptr));
        warm_up(chosen_);
    }
    void TearDown() override {
        if (SUCCEEDED(com_)) CoUninitialize();
    }

    // Wine's first browser asked to open on a folder that was just made ends with nothing
    // selected; every later one finds it. One browser of the shell's own, asked for the same
    // folder and cancelled once it shows, comes first.
    static int CALLBACK select_at_start(HWND dialog, UINT message, LPARAM, LPARAM path) {
        if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, path);
        return 0;
    }
    static void warm_up(const std::string& folder) {
        test::dialog_watcher watcher([](HWND dialog, const test::seen_dialog&) {
            test::dialog_watcher::press(dialog, IDCANCEL);
        });
        BROWSEINFOA info = {};
        info.lpfn = select_at_start;
        info.lParam = reinterpret_cast<LPARAM>(folder.c_str());
        CoTaskMemFree(SHBrowseForFolderA(&info));
    }
    HRESULT com_ = E_FAIL;
    test::temp_dir dir_;
    std::string chosen_;
};

TEST_F(BrowseForFolder, OkReturnsThePreselectedFolderAndCancelLeavesTheBuffer) {
    owner_window owner;
    struct row {
        HWND owner;
        UINT title;
        int button;
        BOOL result;
        std::wstring title_shown;
        const char* why;
    };
    const row rows[] = {
        {nullptr, title_id, IDOK, TRUE, loaded_string(title_id), "OK on the preselected folder"},
        {owner.get(), title_id, IDCANCEL, FALSE, loaded_string(title_id), "cancel, with an owner window"},
        {owner.get(), missing_title_id, IDOK, TRUE, L"", "a missing title string gives an empty title"},
        {nullptr, long_title_id, IDCANCEL, FALSE, loaded_string(long_title_id).substr(0, browser_title_chars),
         "a long title is cut to 259 characters"},
    };
    ASSERT_EQ(loaded_string(long_title_id).size(), 300u);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        std::wstring title_seen = L"(no dialog)";
        std::wstring selection_seen;
        HWND owner_seen = reinterpret_cast<HWND>(-1);
        DWORD thread_seen = 0;
        test::dialog_watcher watcher([&](HWND dialog, const test::seen_dialog& seen) {
            title_seen = control_text(dialog, browser_title_control);
            selection_seen = settled_selection(dialog, L"picked folder");
            owner_seen = GetWindow(dialog, GW_OWNER);
            thread_seen = seen.thread;
            test::dialog_watcher::press(dialog, r.button);
        });
        char path[MAX_PATH] = {};
        lstrcpyA(path, chosen_.c_str());
        // Canaries past the terminator show whether the buffer was rewritten.
        for (size_t i = chosen_.size() + 1; i < MAX_PATH; ++i) path[i] = 'Q';

        EXPECT_EQ(ShlBrowseForFolderA(GetModuleHandleW(nullptr), r.owner, path, r.title), r.result);

        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(thread_seen, GetCurrentThreadId()) << "the browser runs on the caller's thread";
        EXPECT_EQ(owner_seen, r.owner);
        EXPECT_EQ(title_seen, r.title_shown);
        EXPECT_EQ(selection_seen, L"picked folder") << "the browser did not open on the preselected folder";
        EXPECT_EQ(lstrcmpiA(path, chosen_.c_str()), 0) << path;
        if (!r.result) {
            for (size_t i = chosen_.size() + 1; i < MAX_PATH; ++i) ASSERT_EQ(path[i], 'Q') << i;
        }
    }
}

TEST_F(BrowseForFolder, AConfirmedFolderWithoutAPathStillCounts) {
    // With an empty buffer nothing is preselected, and Wine's browser comes to rest on
    // "My Computer", a folder with no file-system path. OK confirms it: the answer is yes
    // and the buffer gets no path.
    std::wstring selection_seen;
    test::dialog_watcher watcher([&](HWND dialog, const test::seen_dialog&) {
        selection_seen = settled_selection(dialog, L"My Computer");
        test::dialog_watcher::press(dialog, IDOK);
    });
    char path[MAX_PATH] = {};
    const BOOL result = ShlBrowseForFolderA(GetModuleHandleW(nullptr), nullptr, path, title_id);
    ASSERT_EQ(watcher.seen().size(), 1u);
    ASSERT_EQ(selection_seen, L"My Computer") << "this case needs a browser that opens on a folder without a path";
    EXPECT_EQ(result, TRUE);
    EXPECT_STREQ(path, "");
}

}  // namespace
