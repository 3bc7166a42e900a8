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

TEST(ShlGetSystemImageList, SmallAndLargeIconsAreTwoLists) {
    EXPECT_NE(ShlGetSystemImageList(TRUE), nullptr);
    EXPECT_NE(ShlGetSystemImageList(-1), ShlGetSystemImageList(FALSE)) << "any nonzero flag asks for the small icons";
}

}  // namespace
