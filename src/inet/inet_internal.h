// The internet-address routines: percent-escape decoding, URL splitting and internet
// shortcut files. Each template is instantiated for ansi_text and wide_text at the end of
// its own .cpp file. Every URL buffer a caller hands them holds url_buffer_chars characters
// (frame/limits.h): that is the range probed, and a copy into one is given url_copy_count.
#pragma once

#include "frame/text.h"

namespace keldanu {

// ---- escape decoding (url_canon.cpp) ----
// Decodes every "%xx" of the URL in place; 0 when `reserved` is not 0 or the buffer is not
// writable for url_buffer_chars characters (the buffer is then untouched), else 1.
template <class T>
BOOL url_canonicalize(typename T::ch* url, DWORD reserved);

// ---- splitting (url_parse.cpp) ----
// Decodes a copy of the URL and splits it into a scheme number, a host and a path; 0 when an
// output is not writable (nothing is written then), else 1.
template <class T>
BOOL url_parse(const typename T::ch* url, DWORD* scheme, typename T::ch* host, typename T::ch* path);

// ---- internet shortcut files (inet_shortcut.cpp) ----
// Reads the URL of an internet shortcut file into a URL buffer (empty when the file or the
// value is missing); 0 when the buffer is not writable, else 1.
template <class T>
BOOL inet_read_shortcut(const typename T::ch* file, typename T::ch* url);
// Stores the URL in an internet shortcut file; always 1.
template <class T>
BOOL inet_save_shortcut(const typename T::ch* file, const typename T::ch* url);

}  // namespace keldanu
