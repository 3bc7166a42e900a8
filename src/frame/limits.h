// Capacities and separators, each named once. The capacities callers size their buffers by
// come from the public header; the rest are derived from them here.
#pragma once

#include "keldanu.h"

namespace keldanu {

// A path buffer: MAX_PATH characters, the terminator included, so a path that an operation
// lengthens may reach 259 characters.
constexpr int path_chars = KELDANU_PATH_CHARS;
constexpr int longest_path = path_chars - 1;

// A URL buffer is probed over all of its 2061 characters; copies into it are given the count
// 2060, so they hold at most 2059 characters and the terminator.
constexpr int url_buffer_chars = KELDANU_URL_BUFFER_CHARS;
constexpr int url_copy_count = url_buffer_chars - 1;

// The separators of paths, written as plain characters; a template compares them with its
// own character type.
constexpr char backslash = '\\';
constexpr char colon = ':';
constexpr char dot = '.';
constexpr char space = ' ';
constexpr char quote = '"';

}  // namespace keldanu
