// The entries that have no operation behind them yet: each announces "Not implemented yet"
// in a modal message box captioned with its own export name, then
// returns a fixed value without reading its arguments. Also the silent stub, which shows
// nothing and returns 0. Which entries are stubs is said in stub_list.h.
#include "keldanu.h"

#include "frame/notice.h"
#include "frame/stub_list.h"

namespace keldanu {

namespace {
constexpr UINT notice_style = MB_OK | MB_ICONINFORMATION;
}

int notice_ansi(const char* caption) { return MessageBoxA(nullptr, "Not implemented yet", caption, notice_style); }

int notice_wide(const wchar_t* caption) { return MessageBoxW(nullptr, L"Not implemented yet", caption, notice_style); }

int silent_stub(...) { return 0; }

}  // namespace keldanu

// Each notice stub shows the notice under its own export name, suffix included, then returns
// its fixed result without reading an argument (the parameters are unnamed). A void stub
// "returns" static_cast<void>(0), which returns nothing.
#define KELDANU_NOTICE_PAIR(RA, RW, result, name, a_params, w_params) \
    extern "C" RA WINAPI name##A a_params {                           \
        keldanu::notice_ansi(#name "A");                              \
        return static_cast<RA>(result);                               \
    }                                                                 \
    extern "C" RW WINAPI name##W w_params {                           \
        keldanu::notice_wide(L"" #name "W");                          \
        return static_cast<RW>(result);                               \
    }

KELDANU_NOTICE_STUBS(KELDANU_NOTICE_PAIR)
