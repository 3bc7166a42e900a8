// Reads the shared corpus of real-world inputs: text files with one JSON string a line.
#pragma once

#include <string>
#include <vector>

namespace test {

// The strings of `name` (say "urls.txt") in the corpus folder that the build names in
// KELDANU_CORPUS_DIR, decoded from JSON to UTF-16 (\uXXXX escapes are taken unit by unit, so
// lone surrogates survive). Empty when the file cannot be read; `where` receives the path
// that was tried.
std::vector<std::wstring> corpus_lines(const char* name, std::string* where = nullptr);

// The text a C caller sees: everything before the first U+0000.
std::wstring up_to_nul(const std::wstring& s);

}  // namespace test
