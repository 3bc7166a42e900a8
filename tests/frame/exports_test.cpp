// The export table as a loader sees it, the bytes each entry pops, the notice and silent stubs (rows: keldanu.def).
#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "export_rows.h"
#include "frame/stub_list.h"
#include "support/support.h"

// Calls `fn` with `count` 32-bit words; `popped` gets how many bytes of them the callee removed.
#ifdef __i386__
extern "C" DWORD __cdecl call_and_measure(void* fn, int count, const DWORD_PTR* words, DWORD* popped);
asm(".text\n.globl _call_and_measure\n_call_and_measure:\n"
    "  push %ebp; mov %esp, %ebp; push %ebx; push %esi; push %edi; mov %esp, %edi\n"
    "  mov 12(%ebp), %ecx; mov 16(%ebp), %esi\n"
    "1: test %ecx, %ecx; jz 2f; dec %ecx; push (%esi,%ecx,4); jmp 1b\n"  // the words, last first
    "2: mov %esp, %ebx; call *8(%ebp); mov %esp, %ecx; sub %ebx, %ecx; mov 20(%ebp), %edx; mov %ecx, (%edx)\n"
    "  mov %edi, %esp; pop %edi; pop %esi; pop %ebx; pop %ebp; ret\n");
#else  // x64: the caller removes the arguments (in registers alike for a variadic call), so nothing is measured
DWORD call_and_measure(void* fn, int, const DWORD_PTR* w, DWORD*) {
    return DWORD(reinterpret_cast<DWORD_PTR (*)(...)>(fn)(w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7]));
}
#endif

namespace {

// Loaded by name: the sweep calls nothing through the import library.
const HMODULE library = LoadLibraryW(L"KELDANU.dll");

TEST(Exports, NamesOrdinalsAndAliasesAreTheTable) {
    auto* base = reinterpret_cast<const BYTE*>(library);
    auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* dir =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + nt->OptionalHeader.DataDirectory[0].VirtualAddress);
    EXPECT_EQ(dir->Base, 1u);
    EXPECT_EQ(dir->NumberOfNames, std::size(export_rows));
    EXPECT_EQ(dir->NumberOfFunctions, std::size(export_rows));
    std::map<FARPROC, std::string> owners;
    for (const export_row& row : export_rows) {
        const FARPROC entry = GetProcAddress(library, row.name);
        EXPECT_NE(entry, nullptr) << row.name;
        EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(row.ordinal)), entry) << row.name;
        if (*row.alias_of)
            EXPECT_EQ(entry, GetProcAddress(library, row.alias_of)) << row.name;
        else
            EXPECT_TRUE(owners.emplace(entry, row.name).second)
                << row.name << " shares its code with " << owners[entry];
    }
}

// Calls every entry with each argument pointing at a block at a low address (a word read as a
// capacity stays inside it); a stub leaves the block alone and returns its fixed result.
TEST(Exports, EachEntryPopsItsArgumentBytes) {
#define KELDANU_SILENT_NAME(name) #name,
#define KELDANU_STUB_NAME(RA, RW, result, name, a_params, w_params) #name,
    const std::set<std::string> silent = {KELDANU_SILENT_STUBS(KELDANU_SILENT_NAME)},
                                notices = {KELDANU_NOTICE_STUBS(KELDANU_STUB_NAME)};
    // What the stubs return, written out here rather than taken from the list that makes them: 0
    // but for these, and nothing from the void ones.
    const std::set<std::string> minus_one = {"PathCommonPrefix", "PathGetDriveNumber", "PathParseIconLocation"},
                                no_result = {"PathRemoveArgs", "PathRemoveBlanks", "PathRemoveExtension",
                                             "PathStripPath", "PathUnquoteSpaces"};
    // The launcher starts the shell's command for new shortcuts: here a program that does not exist.
    test::shellnew_command command;
    ASSERT_TRUE(command.set(L"C:\\keldanu-never-started.exe %1")) << "the launcher would start the registered program";
    BYTE* block = nullptr;
    for (UINT_PTR at = 0x00100000; at <= 0x04000000 && !block; at += 0x00100000)
        block = static_cast<BYTE*>(VirtualAlloc((void*)at, 8 * at, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(block, nullptr) << "no low block could be reserved";
    const DWORD_PTR words[8] = {DWORD_PTR(block), DWORD_PTR(block), DWORD_PTR(block), DWORD_PTR(block),
                                DWORD_PTR(block), DWORD_PTR(block), DWORD_PTR(block), DWORD_PTR(block)};
    constexpr size_t scratch = 65536;
    for (const export_row& row : export_rows) {
        SCOPED_TRACE(row.name);
        const std::string pair(row.name, strlen(row.name) - 1);
        const bool notice = notices.count(pair) != 0, quiet = silent.count(row.name) != 0;
        std::memset(block, notice || quiet ? 0x5A : 0, scratch);
        block[scratch - 1] = 0;
        test::dialog_hook boxes;  // the folder browser is cancelled, a notice closed with OK
        DWORD popped = 0;
        const DWORD result =
            call_and_measure((void*)GetProcAddress(library, row.name), row.arg_bytes / 4, words, &popped);
        if (sizeof(void*) == 4) EXPECT_EQ(popped, DWORD(row.arg_bytes));
        if (!notice && !quiet) continue;
        EXPECT_TRUE(std::all_of(block, block + scratch - 1, [](BYTE b) { return b == 0x5A; }))
            << "a stub wrote into its arguments";
        if (!no_result.count(pair)) EXPECT_EQ(result, minus_one.count(pair) ? DWORD(-1) : 0u);
        const std::wstring box = test::text<wchar_t>(row.name) + L"|information|button 1|Not implemented yet";
        EXPECT_EQ(boxes.seen, quiet ? std::vector<std::wstring>{} : std::vector<std::wstring>{box}) << "on this thread";
    }
    VirtualFree(block, 0, MEM_RELEASE);
    if (sizeof(void*) == 8) GTEST_SKIP() << "the bytes popped: x64 callers remove their own arguments (stubs checked)";
}

}  // namespace
