// The export table as a loader sees it, the bytes each entry pops, and what the notice and
// silent stubs do when called.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "frame/export_table.h"
#include "keldanu.h"
#include "support/support.h"

// Calls `fn` with `count` 32-bit arguments and reports how many bytes of them the callee
// removed from the stack: ESP after the call minus ESP after the pushes.
extern "C" DWORD __cdecl call_and_measure(void* fn, int count, const DWORD* words, DWORD* popped);
asm(R"(
    .text
    .globl _call_and_measure
_call_and_measure:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl %esp, %edi
    movl 12(%ebp), %ecx
    movl 16(%ebp), %esi
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  movl %esp, %ebx
    call *8(%ebp)
    movl %esp, %ecx
    subl %ebx, %ecx
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    movl %edi, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace {

using exports::kind;

HMODULE library() { return GetModuleHandleW(L"KELDANU.dll"); }

// The names and ordinals in the module's own export directory.
std::map<std::string, int> exported_names() {
    auto* base = reinterpret_cast<const BYTE*>(library());
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* ex = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto* names = reinterpret_cast<const DWORD*>(base + ex->AddressOfNames);
    auto* ordinals = reinterpret_cast<const WORD*>(base + ex->AddressOfNameOrdinals);
    std::map<std::string, int> result;
    for (DWORD i = 0; i < ex->NumberOfNames; ++i)
        result[reinterpret_cast<const char*>(base + names[i])] = ordinals[i] + static_cast<int>(ex->Base);
    return result;
}

TEST(Exports, EveryNameHasItsOrdinal) {
    ASSERT_NE(library(), nullptr);
    const auto names = exported_names();
    std::map<std::string, int> expected;
    for (const auto& e : exports::table) expected[e.name] = e.ordinal;
    for (const auto& [name, ordinal] : names) {
        SCOPED_TRACE(name);
        ASSERT_EQ(expected.count(name), 1u) << "exported but not in the table";
        EXPECT_EQ(ordinal, expected[name]);
    }
    for (const auto& e : exports::table) {
        SCOPED_TRACE(e.name);
        FARPROC by_name = GetProcAddress(library(), e.name);
        FARPROC by_ordinal = GetProcAddress(library(), MAKEINTRESOURCEA(e.ordinal));
        EXPECT_EQ(by_name, by_ordinal);
        EXPECT_NE(by_name, nullptr) << "not exported";
    }
}

TEST(Exports, NothingIsExportedByOrdinalOnly) {
    auto* base = reinterpret_cast<const BYTE*>(library());
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* ex = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress);
    EXPECT_EQ(ex->Base, 1u);
    // Every slot of the address table that holds an entry has a name pointing at it.
    auto* addresses = reinterpret_cast<const DWORD*>(base + ex->AddressOfFunctions);
    auto* ordinals = reinterpret_cast<const WORD*>(base + ex->AddressOfNameOrdinals);
    for (DWORD slot = 0; slot < ex->NumberOfFunctions; ++slot) {
        if (addresses[slot] == 0) continue;
        bool named = false;
        for (DWORD i = 0; i < ex->NumberOfNames; ++i)
            if (ordinals[i] == slot) named = true;
        EXPECT_TRUE(named) << "ordinal " << slot + ex->Base << " has no name";
    }
}

TEST(Exports, TheTwoSilentNamesAreOneEntry) {
    FARPROC browse = GetProcAddress(library(), "ShlBrowseForFolderW");
    FARPROC special = GetProcAddress(library(), "ShlGetSpecialFolderLocationW");
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(browse, special);
    // Every other entry has an address of its own.
    std::map<FARPROC, std::string> seen;
    for (const auto& e : exports::table) {
        if (e.ordinal == 118) continue;
        FARPROC p = GetProcAddress(library(), e.name);
        if (!p) continue;
        EXPECT_EQ(seen.count(p), 0u) << e.name << " shares an address with " << seen[p];
        seen[p] = e.name;
    }
}

// A zeroed block at a low address, eight times as large as that address: an argument word that
// points at it also works as a capacity, since a capacity of that many characters (two bytes
// each for the W forms) stays inside the block. No probe of such a capacity can fault.
struct scratch_block {
    BYTE* data = nullptr;
    scratch_block() {
        for (UINT_PTR base = 0x00100000; base <= 0x04000000 && !data; base += 0x00100000)
            data = static_cast<BYTE*>(VirtualAlloc(reinterpret_cast<void*>(base), 8 * base,
                                                   MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    }
    ~scratch_block() {
        if (data) VirtualFree(data, 0, MEM_RELEASE);
    }
};

// Calls every entry once with each argument pointing at a scratch block and checks the
// bytes it popped. Notices are closed by the watcher; stubs must leave the block alone.
TEST(Exports, EachEntryPopsFourBytesPerArgument) {
    test::dialog_watcher watcher;
    scratch_block block;
    ASSERT_NE(block.data, nullptr) << "no low block could be reserved";
    // The part that entries may read or write; the stubs must leave it as it was.
    BYTE* const scratch = block.data;
    constexpr size_t scratch_size = 65536;
    const HICON information = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION));
    for (const auto& e : exports::table) {
        SCOPED_TRACE(e.name);
        void* fn = reinterpret_cast<void*>(GetProcAddress(library(), e.name));
        if (!fn) continue;  // checked by EveryNameHasItsOrdinal
        const bool stub = e.what != kind::operation;
        // Operations get empty texts; stubs get a pattern they must not touch.
        std::memset(scratch, stub ? 0x5A : 0, scratch_size);
        scratch[scratch_size - 1] = 0;
        DWORD words[8];
        for (DWORD& w : words) w = reinterpret_cast<DWORD>(scratch);
        watcher.clear();
        DWORD popped = 0;
        if (test::faults_end_process()) {
            // A fault would end the program without a word: name the entry first.
            std::printf("  calling %s\n", e.name);
            std::fflush(stdout);
        }
        const DWORD result = call_and_measure(fn, e.args, words, &popped);
        EXPECT_EQ(popped, 4u * e.args);
        if (!stub) continue;

        bool untouched = true;
        for (size_t i = 0; i + 1 < scratch_size; ++i)
            if (scratch[i] != 0x5A) untouched = false;
        EXPECT_TRUE(untouched) << "a stub wrote into its arguments";
        if (e.what == kind::notice_zero) EXPECT_EQ(result, 0u);
        if (e.what == kind::notice_minus_one) EXPECT_EQ(result, 0xFFFFFFFFu);
        if (e.what == kind::silent) {
            EXPECT_EQ(result, 0u);
            EXPECT_TRUE(watcher.seen().empty()) << "the silent stub showed something";
            continue;
        }
        // The box closed before the call returned, so the watcher has already seen it.
        const auto seen = watcher.seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, test::widen(e.name));
        EXPECT_EQ(seen[0].text, L"Not implemented yet");
        EXPECT_EQ(seen[0].button_ids, std::vector<int>{IDOK});
        EXPECT_EQ(seen[0].icon, information);
        EXPECT_EQ(seen[0].thread, GetCurrentThreadId()) << "the box belongs to the caller's thread";
    }
}

TEST(Exports, ByOrdinalReachesTheNamedEntries) {
    EXPECT_EQ(GetProcAddress(library(), MAKEINTRESOURCEA(18)), GetProcAddress(library(), "PathCanonicalizeW"));
    EXPECT_EQ(GetProcAddress(library(), MAKEINTRESOURCEA(29)), GetProcAddress(library(), "PathFindExtensionA"));
    EXPECT_EQ(GetProcAddress(library(), MAKEINTRESOURCEA(61)), GetProcAddress(library(), "PathIsUNCServerShareA"));
}

TEST(Exports, SilentStubLeavesTheDestination) {
    test::dialog_watcher watcher;
    wchar_t dest[MAX_PATH];
    wcscpy(dest, L"untouched");
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(PathCanonicalizeW(dest, L"C:\\a\\..\\b"), FALSE);
    EXPECT_STREQ(dest, L"untouched");
    EXPECT_EQ(GetLastError(), 0xDEADBEEFu);
    EXPECT_EQ(ShlBrowseForFolderW(nullptr, nullptr, dest, 1), FALSE);
    EXPECT_EQ(ShlGetSpecialFolderLocationW(nullptr, 0, dest, MAX_PATH), FALSE);
    EXPECT_STREQ(dest, L"untouched");
    Sleep(100);
    EXPECT_TRUE(watcher.seen().empty());
}

}  // namespace
