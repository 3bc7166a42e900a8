// Special-folder paths (real and virtual folders, cut paths, unwritable buffers) and the system image lists.
#include "support/support.h"

#include <shlobj.h>

namespace {

TEST(ShlGetSpecialFolderLocationA, PathsAreCutToTheCapacity) {
    char system[MAX_PATH] = {};
    const int length = GetSystemDirectoryA(system, MAX_PATH);
    const struct {
        int folder, capacity;
        BOOL result;
        std::string expected;
    } rows[] = {{CSIDL_SYSTEM, length + 1, TRUE, system},
                {CSIDL_SYSTEM, 10, TRUE, std::string(system, 9)},
                {CSIDL_DRIVES, MAX_PATH, FALSE, ""}};
    for (const auto& row : rows) {
        test::guarded<char> buffer(row.capacity);  // a write past the capacity faults
        EXPECT_EQ(ShlGetSpecialFolderLocationA(nullptr, row.folder, buffer.p(), row.capacity), row.result)
            << row.capacity;
        EXPECT_EQ(lstrcmpiA(buffer.p(), row.expected.c_str()), 0) << buffer.p();
    }
    test::guarded<char> small(20);
    EXPECT_FALSE(ShlGetSpecialFolderLocationA(nullptr, CSIDL_WINDOWS, small.p(), 0));
    EXPECT_FALSE(ShlGetSpecialFolderLocationA(nullptr, CSIDL_WINDOWS, small.p(), -1));
    EXPECT_FALSE(ShlGetSpecialFolderLocationA(nullptr, CSIDL_WINDOWS, nullptr, MAX_PATH));
    EXPECT_TRUE(small.marked_from(0));
}

// The browser opens on the caller's folder under the title of string 201 (folders_test.rc):
// OK hands that folder back; Cancel answers 0 and leaves the buffer as it was.
TEST(ShlBrowseForFolderA, PreselectionTitleOkAndCancel) {
    test::com_scope com;
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    for (int button : {IDOK, IDCANCEL}) {
        test::guarded<char> path(MAX_PATH, system, 'Q');
        test::dialog_hook press(button);
        EXPECT_EQ(ShlBrowseForFolderA(GetModuleHandleW(nullptr), nullptr, path.p(), 201), button == IDOK);
        EXPECT_EQ(lstrcmpiA(path.p(), system), 0) << path.p();
        EXPECT_TRUE(path.marked_from(button == IDOK ? MAX_PATH : strlen(system) + 1)) << "written after the path";
        ASSERT_EQ(press.seen.size(), 1u);
        EXPECT_NE(press.seen[0].find(L"|Choose a folder for the test"), std::wstring::npos) << test::acp(press.seen[0]);
    }
}

TEST(ShlGetSystemImageList, SmallAndLargeIconsAreTwoLists) {
    EXPECT_NE(ShlGetSystemImageList(TRUE), nullptr);
    EXPECT_NE(ShlGetSystemImageList(-1), ShlGetSystemImageList(FALSE)) << "any nonzero flag asks for the small icons";
}

}  // namespace
