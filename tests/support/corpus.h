// The real-world inputs kept beside the repository (one JSON string a line): where they are
// and their texts as a C caller would pass them.
#pragma once

#include <string>
#include <vector>

namespace test {

// The Windows name of a corpus file ("paths.txt", "urls.txt"), from the folder given to the
// build (KELDANU_CORPUS_DIR; a Unix path is reached through Wine's Z: drive).
std::wstring corpus_file(const char* name);

// Every line of a corpus file decoded to UTF-16 and cut at its first U+0000, as a C caller
// sees such a text. Empty when the file cannot be read.
std::vector<std::wstring> read_corpus(const char* name);

}  // namespace test
