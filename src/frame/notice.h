// The notice shown by entries that are present only as names, and the silent stub.
#pragma once

namespace keldanu {

// Shows "Not implemented yet" under `caption` and returns the message box's result.
int notice_ansi(const char* caption);
int notice_wide(const wchar_t* caption);

// Looks at none of its arguments and returns 0; each entry that uses it pops its own.
int silent_stub(...);

}  // namespace keldanu
