// keldanu.exe commands for shortening paths to a width in pixels. A console has no window to
// measure in, so the commands hold a memory device context with the system's default GUI
// font, as a program that lays out text before drawing it would. (PathSetDlgItemPathA/W
// need a dialog and are left to programs that have one.)
#include "commands.h"

#include "keldanu.h"

namespace {

using namespace tool;

// A memory DC with the default GUI font selected.
class gui_font_dc {
public:
    gui_font_dc() : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_) old_ = SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    }
    ~gui_font_dc() {
        if (!dc_) return;
        if (old_) SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// The system may lengthen the text by up to four characters.
constexpr size_t room = 4;

std::wstring compact_w(const std::wstring& path, UINT width) {
    gui_font_dc dc;
    std::wstring buffer = path;
    buffer.resize(path.size() + room + 1, L'\0');
    PathCompactPathW(dc.get(), buffer.data(), width);
    return buffer.c_str();
}

int run_a(const args& a) {
    gui_font_dc dc;
    std::string buffer = to_acp(a[0]);
    buffer.resize(buffer.size() + room + 1, '\0');
    const BOOL r = PathCompactPathA(dc.get(), buffer.data(), static_cast<UINT>(parse_number(a[1])));
    out_line(number(r) + L" " + quoted(buffer.c_str()));
    return 0;
}

int run_w(const args& a) {
    gui_font_dc dc;
    std::wstring buffer = a[0];
    buffer.resize(buffer.size() + room + 1, L'\0');
    const BOOL r = PathCompactPathW(dc.get(), buffer.data(), static_cast<UINT>(parse_number(a[1])));
    out_line(number(r) + L" " + quoted(buffer.c_str()));
    return 0;
}

const command commands[] = {
    {"PathCompactPathA", "PATH WIDTH  (pixels, default GUI font)", 2, run_a},
    {"PathCompactPathW", "PATH WIDTH  (pixels, default GUI font)", 2, run_w},
};

void tour() {
    const std::wstring path = L"C:\\Program Files\\Common Files\\Shared Tools\\Office\\report.txt";
    for (UINT width : {400u, 200u, 120u, 60u})
        show_call(L"PathCompactPathW(<default GUI font>, " + quoted(path) + L", " + number(width) + L")",
                  quoted(compact_w(path, width)));
}

const command_group group(30, "Path display", commands, std::size(commands), tour);

}  // namespace
