#include "support/corpus.h"

#include <windows.h>

#ifndef KELDANU_CORPUS_DIR
#error "the build names the corpus folder in KELDANU_CORPUS_DIR"
#endif

namespace test {

namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Appends the UTF-16 form of UTF-8 bytes.
void append_utf8(std::wstring& out, const std::string& bytes) {
    if (bytes.empty()) return;
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), w.data(), n);
    out += w;
}

// Decodes one JSON string literal. \uXXXX escapes are taken unit by unit, so lone surrogates
// survive as they are.
std::wstring decode_json_string(const std::string& line) {
    std::wstring out;
    std::string raw;
    size_t i = line.find('"');
    if (i == std::string::npos) return out;
    for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] != '\\') {
            raw.push_back(line[i]);
            continue;
        }
        append_utf8(out, raw);
        raw.clear();
        if (++i >= line.size()) break;
        switch (line[i]) {
        case 'b': out.push_back(L'\b'); break;
        case 'f': out.push_back(L'\f'); break;
        case 'n': out.push_back(L'\n'); break;
        case 'r': out.push_back(L'\r'); break;
        case 't': out.push_back(L'\t'); break;
        case 'u': {
            unsigned unit = 0;
            for (int k = 0; k < 4 && i + 1 < line.size(); ++k) unit = unit * 16 + hex_digit(line[++i]);
            out.push_back(static_cast<wchar_t>(unit));
            break;
        }
        default: out.push_back(static_cast<unsigned char>(line[i])); break;
        }
    }
    append_utf8(out, raw);
    const size_t nul = out.find(L'\0');
    if (nul != std::wstring::npos) out.resize(nul);
    return out;
}

}  // namespace

std::wstring corpus_file(const char* name) {
    std::wstring dir;
    for (const char* p = KELDANU_CORPUS_DIR; *p; ++p) dir.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
    if (!dir.empty() && dir[0] == L'\\') dir = L"Z:" + dir;
    std::wstring file = dir + L"\\";
    for (const char* p = name; *p; ++p) file.push_back(static_cast<wchar_t>(*p));
    return file;
}

std::vector<std::wstring> read_corpus(const char* name) {
    std::vector<std::wstring> texts;
    const std::wstring file = corpus_file(name);
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return texts;
    std::string all;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got) all.append(chunk, got);
    CloseHandle(h);
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        const std::string line = all.substr(start, end - start);
        if (line.find('"') != std::string::npos) texts.push_back(decode_json_string(line));
        start = end + 1;
    }
    return texts;
}

}  // namespace test
