# Every source the build compiles, relative to the project's root, written out so that a file
# is built because it is named here and a stray file is not. A test (cmake/check_sources.cmake)
# holds these lists to the files in the tree, both ways.

# KELDANU.dll; its export table is src/frame/keldanu.def, its resources src/frame/keldanu.rc.
set(KELDANU_SOURCES
  src/frame/entry_points.cpp
  src/frame/notice.cpp
  src/inet/inet_shortcut.cpp
  src/inet/url_canon.cpp
  src/inet/url_parse.cpp
  src/path/canonical.cpp
  src/path/display.cpp
  src/path/edit.cpp
  src/path/scan.cpp
  src/path/shortcut.cpp
  src/shell/create_shortcut.cpp
  src/shell/folders.cpp
  src/shell/profile.cpp
  src/shell/sysinfo.cpp
  src/str/byte_points.cpp
  src/str/byte_size.cpp
  src/str/combo.cpp
  src/str/hex.cpp)

# keldanu.exe, and one benchmark program per file.
set(KELDANU_TOOL_SOURCES tools/keldanu/main.cpp)
set(KELDANU_BENCH_SOURCES bench/keldanu_bench.cpp)

# The tests: what every test program links, the small programs tests start (one program per
# file), and one test program per subsystem.
set(KELDANU_TEST_SUPPORT_SOURCES tests/support/support.cpp)
set(KELDANU_TEST_PROGRAM_SOURCES tests/shell/programs/record_args.cpp)
set(KELDANU_TEST_SUBSYSTEMS frame path inet shell str)
set(KELDANU_TESTS_frame tests/frame/exports_test.cpp)
set(KELDANU_TESTS_path
  tests/path/canonical_test.cpp
  tests/path/display_test.cpp
  tests/path/edit_test.cpp
  tests/path/scan_test.cpp
  tests/path/shortcut_test.cpp)
set(KELDANU_TESTS_inet
  tests/inet/inet_shortcut_test.cpp
  tests/inet/url_canon_test.cpp
  tests/inet/url_parse_test.cpp)
set(KELDANU_TESTS_shell
  tests/shell/create_shortcut_test.cpp
  tests/shell/folders_test.cpp
  tests/shell/folders_test.rc
  tests/shell/profile_test.cpp
  tests/shell/sysinfo_test.cpp)
set(KELDANU_TESTS_str
  tests/str/byte_points_test.cpp
  tests/str/byte_size_test.cpp
  tests/str/combo_test.cpp
  tests/str/combo_test.rc
  tests/str/hex_test.cpp)
