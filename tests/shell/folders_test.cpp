// The folder services: special-folder paths (file-system, virtual, cut, unwritable), the
// two system image lists, and the folder browser answered from the watcher thread.
#include "support/support.h"

#include <commctrl.h>
#include <shlobj.h>

namespace {

TEST(ShlGetSpecialFolderLocationA, PathsAreCutToTheCapacity) {
    char system[MAX_PATH] = {};
    const int length = GetSystemDirectoryA(system, MAX_PATH);
    const struct {
        int folder, capacity;
        BOOL result;
        std::string expected;
    } rows[] = {{CSIDL_SYSTEM, MAX_PATH, TRUE, system},
                {CSIDL_SYSTEM, length + 1, TRUE, system},
                {CSIDL_SYSTEM, 10, TRUE, std::string(system, 9)},
                {CSIDL_SYSTEM, 1, TRUE, ""},
                {CSIDL_DRIVES, MAX_PATH, FALSE, ""},
                {0x7F, MAX_PATH, FALSE, ""}};
    for (const auto& row : rows) {
        test::guarded<char> buffer(row.capacity);  // a write past the capacity faults
        EXPECT_EQ(ShlGetSpecialFolderLocationA(nullptr, row.folder, buffer.p(), row.capacity), row.result)
            << row.capacity;
        EXPECT_EQ(lstrcmpiA(buffer.p(), row.expected.c_str()), 0) << buffer.p();
    }
    // Buffers that cannot take a path are left alone.
    test::guarded<char> small(20);
    EXPECT_FALSE(ShlGetSpecialFolderLocationA(nullptr, CSIDL_WINDOWS, small.p(), 0));
    EXPECT_FALSE(ShlGetSpecialFolderLocationA(nullptr, CSIDL_WINDOWS, small.p(), -1));
    if (!test::faults_end_process()) {
        EXPECT_FALSE(ShlGetSpecialFolderLocationA(nullptr, CSIDL_WINDOWS, small.p(), MAX_PATH))
            << "shorter than stated";
        EXPECT_FALSE(ShlGetSpecialFolderLocationA(nullptr, CSIDL_WINDOWS, nullptr, MAX_PATH));
    }
    EXPECT_TRUE(small.marked_from(0));
}

TEST(ShlGetSystemImageList, SmallAndLargeIconsAreTheShellsTwoLists) {
    const HIMAGELIST small = ShlGetSystemImageList(TRUE), large = ShlGetSystemImageList(FALSE);
    ASSERT_NE(small, nullptr);
    EXPECT_NE(small, large);
    EXPECT_EQ(ShlGetSystemImageList(-1), small) << "any nonzero flag asks for the small icons";
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(large, &cx, &cy));
    EXPECT_EQ(cx, GetSystemMetrics(SM_CXICON));
}

// The text of the folder selected in the browser's tree.
std::wstring selected_folder(HWND dialog) {
    const HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    wchar_t text[MAX_PATH] = {};
    TVITEMW item = {TVIF_TEXT, HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)), 0, 0, text, MAX_PATH};
    if (tree && item.hItem) SendMessageW(tree, TVM_GETITEMW, 0, LPARAM(&item));
    return text;
}

int CALLBACK select_at_start(HWND dialog, UINT message, LPARAM, LPARAM path) {
    if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, path);
    return 0;
}

TEST(BrowseForFolder, PreselectionTitleOkAndCancel) {
    test::com_scope com;
    test::temp_dir dir;
    const std::string chosen = test::acp(dir.file(L"picked folder"));
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr));
    {
        // Wine's first browser asked for a folder just made ends with nothing selected; later
        // ones find it. One browser of the shell's own, cancelled at once, comes first.
        test::dialog_watcher cancel([](HWND d, const test::seen_dialog&) { test::dialog_watcher::press(d, IDCANCEL); });
        BROWSEINFOA info = {};
        info.lpfn = select_at_start;
        info.lParam = LPARAM(chosen.c_str());
        CoTaskMemFree(SHBrowseForFolderA(&info));
    }
    const HWND owner =
        CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    wchar_t title[400] = {};
    LoadStringW(GetModuleHandleW(nullptr), 7102, title, 400);
    const struct {
        HWND owner;
        UINT title;
        int button;
        std::wstring title_shown;
    } rows[] = {{nullptr, 7101, IDOK, L"Choose the folder for the test"},
                {owner, 7101, IDCANCEL, L"Choose the folder for the test"},
                {owner, 7199, IDOK, L""},
                {nullptr, 7102, IDCANCEL, std::wstring(title).substr(0, 259)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "title " << row.title << ", button " << row.button);
        std::wstring title_seen, selection;
        HWND owner_seen = nullptr;
        test::dialog_watcher watcher([&](HWND dialog, const test::seen_dialog&) {
            GetDlgItemTextW(dialog, 0x3742, title, 400);  // the browser's title control
            title_seen = title;
            // The tree settles on the preselected folder while the dialog already shows.
            for (DWORD start = GetTickCount(); GetTickCount() - start < 30000 && selection != L"picked folder";
                 Sleep(20))
                selection = selected_folder(dialog);
            owner_seen = GetWindow(dialog, GW_OWNER);
            test::dialog_watcher::press(dialog, row.button);
        });
        char path[MAX_PATH];
        FillMemory(path, MAX_PATH, 'Q');
        lstrcpyA(path, chosen.c_str());
        EXPECT_EQ(ShlBrowseForFolderA(GetModuleHandleW(nullptr), row.owner, path, row.title), row.button == IDOK);
        ASSERT_EQ(watcher.seen().size(), 1u);
        EXPECT_EQ(watcher.seen()[0].thread, GetCurrentThreadId()) << "the browser runs on the caller's thread";
        EXPECT_EQ(owner_seen, row.owner);
        EXPECT_EQ(title_seen, row.title_shown);
        EXPECT_EQ(selection, L"picked folder");
        EXPECT_EQ(lstrcmpiA(path, chosen.c_str()), 0) << path;
        if (row.button == IDCANCEL) EXPECT_EQ(path[MAX_PATH - 1], 'Q') << "a cancelled browser wrote the buffer";
    }
    DestroyWindow(owner);
}

}  // namespace
