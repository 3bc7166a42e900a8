// Helpers shared by the test programs: widening narrow case rows, buffers that end at a
// no-access page, and a watcher thread that finds dialogs and message boxes, records what
// they show and closes them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace test {

// True when a memory fault ends the process instead of raising an access violation: Wine
// under qemu's user emulation cannot tell a fault from any other trap, so IsBadWritePtr on a
// no-access page (and anything else that must fault to answer) kills the test program.
// tests/support/wine-run.sh sets KELDANU_FAULTS_END_PROCESS there.
bool faults_end_process();

// Widens a narrow test text byte by byte (the rows are ASCII or Latin-1).
std::wstring widen(const std::string& s);
// Converts between the test's UTF-8 sources and the active code page / UTF-16.
std::string acp_from_wide(const std::wstring& w);
std::wstring wide_from_utf8(const std::string& s);

// `bytes` bytes of writable memory followed at once by a no-access page, so a write past
// the end faults. The memory starts filled with `fill`.
class guarded_buffer {
public:
    explicit guarded_buffer(size_t bytes, unsigned char fill = 0xCC);
    ~guarded_buffer();
    guarded_buffer(const guarded_buffer&) = delete;
    guarded_buffer& operator=(const guarded_buffer&) = delete;
    void* data() const { return data_; }
    char* chars() const { return static_cast<char*>(data_); }
    wchar_t* wchars() const { return static_cast<wchar_t*>(data_); }
    // The first byte of the no-access page.
    void* end() const { return static_cast<char*>(data_) + bytes_; }

private:
    void* base_ = nullptr;
    void* data_ = nullptr;
    size_t bytes_ = 0;
    size_t total_ = 0;
};

// What a watched dialog showed when the watcher found it.
struct seen_dialog {
    std::wstring caption;
    std::wstring text;                 // the texts of its static controls, joined by "\n"
    std::vector<std::wstring> buttons; // the texts of its visible buttons
    std::vector<int> button_ids;
    HICON icon = nullptr;              // the icon a static icon control shows, if any
    DWORD style = 0;
    DWORD thread = 0;                  // the thread that owns the dialog
};

// Reads what a dialog window shows.
seen_dialog describe_dialog(HWND dialog);

// A second thread that looks for top-level windows of class #32770 every few milliseconds.
// For each one found it records what it shows, then calls `act` (which must close it; the
// default presses the first button whose id is IDOK or IDCANCEL). The thread makes its first
// window call before the constructor returns.
class dialog_watcher {
public:
    using action = std::function<void(HWND dialog, const seen_dialog& seen)>;
    explicit dialog_watcher(action act = nullptr);
    ~dialog_watcher();
    dialog_watcher(const dialog_watcher&) = delete;
    dialog_watcher& operator=(const dialog_watcher&) = delete;

    // Everything seen so far.
    std::vector<seen_dialog> seen() const;
    // Waits up to `ms` for at least `count` dialogs to have been seen.
    bool wait_for(size_t count, DWORD ms = 10000) const;
    void clear();

    // Presses a button by id as a user would.
    static void press(HWND dialog, int id);

private:
    static DWORD WINAPI run(void* self);
    action act_;
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    volatile LONG stop_ = 0;
    mutable std::mutex lock_;
    std::vector<seen_dialog> seen_;
    std::vector<HWND> handled_;
};

// A temporary directory under %TEMP%, removed with what it holds.
class temp_dir {
public:
    temp_dir();
    ~temp_dir();
    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

}  // namespace test

// Skips a test whose point is a probe that must fault, where faults end the process.
#define KELDANU_SKIP_WHERE_FAULTS_END_PROCESS()                                              \
    do {                                                                                     \
        if (test::faults_end_process())                                                      \
            GTEST_SKIP() << "Wine under qemu's user emulation ends the process on a memory " \
                            "fault, so a probe of a no-access page cannot be answered here";  \
    } while (0)
