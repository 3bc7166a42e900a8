#include "support/corpus_lines.h"

#include <windows.h>

#include <cstdio>

namespace test {

namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One JSON string literal (quotes included) to UTF-16: raw bytes are UTF-8, escapes as JSON
// defines them.
std::wstring decode_json_string(const std::string& line) {
    std::wstring out;
    std::string raw;  // UTF-8 bytes waiting to be converted
    auto flush = [&] {
        if (raw.empty()) return;
        int n = MultiByteToWideChar(CP_UTF8, 0, raw.data(), static_cast<int>(raw.size()), nullptr, 0);
        std::wstring w(n, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, raw.data(), static_cast<int>(raw.size()), w.data(), n);
        out += w;
        raw.clear();
    };
    size_t i = line.find('"');
    if (i == std::string::npos) return out;
    for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] != '\\') {
            raw.push_back(line[i]);
            continue;
        }
        flush();
        const char e = line[++i];
        switch (e) {
        case 'b': out.push_back(L'\b'); break;
        case 'f': out.push_back(L'\f'); break;
        case 'n': out.push_back(L'\n'); break;
        case 'r': out.push_back(L'\r'); break;
        case 't': out.push_back(L'\t'); break;
        case 'u': {
            unsigned unit = 0;
            for (int k = 0; k < 4; ++k) unit = unit * 16 + hex_value(line[++i]);
            out.push_back(static_cast<wchar_t>(unit));
            break;
        }
        default: out.push_back(static_cast<unsigned char>(e)); break;  // \" \\ \/
        }
    }
    flush();
    return out;
}

}  // namespace

std::vector<std::wstring> corpus_lines(const char* name, std::string* where) {
    // The build gives a Unix path; under Wine the root of the Unix file system is drive Z:.
    std::string path = std::string(KELDANU_CORPUS_DIR) + "/" + name;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    if (where) *where = path;
    std::vector<std::wstring> lines;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return lines;
    std::string line;
    for (int c; (c = std::fgetc(f)) != EOF;) {
        if (c != '\n') {
            line.push_back(static_cast<char>(c));
            continue;
        }
        if (!line.empty()) lines.push_back(decode_json_string(line));
        line.clear();
    }
    if (!line.empty()) lines.push_back(decode_json_string(line));
    std::fclose(f);
    return lines;
}

std::wstring up_to_nul(const std::wstring& s) { return s.substr(0, s.find(L'\0')); }

}  // namespace test
