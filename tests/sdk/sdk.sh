#!/usr/bin/env bash
# The SDK as its users meet it; ctest runs each step (tests/CMakeLists.txt), for the
# architecture KELDANU_WINE_ARCH names (win32, the default, or win64).
#   sdk.sh header SOURCE     keldanu.h compiles without a warning in C89 to C++20, with and
#                            without UNICODE; calling a stub warns unless KELDANU_NO_STUB_WARNINGS
#   sdk.sh install BUILD     installs into BUILD/sdk-test/tree and checks the tree
#   sdk.sh package BUILD     makes the zip and checks that it holds the same tree
#   sdk.sh cmake|pkg-config|msvc SOURCE BUILD
#                            builds consumer.c from the installed tree and runs it under Wine
#                            with KELDANU.dll beside it; the CMake consumer of the other
#                            architecture must be refused with a message that says why
set -euo pipefail
mode=$1
here=$(cd "$(dirname "$0")" && pwd)
arch=${KELDANU_WINE_ARCH:-win32}
fail() { echo "sdk.sh $mode ($arch): $*" >&2; exit 1; }
# For each architecture: the MinGW triplet, llvm-dlltool's machine and clang's MSVC target,
# the other architecture's triplet, and the import table's names (stdcall sizes on 32-bit only).
if [ "$arch" = win64 ]; then
  triplet=x86_64-w64-mingw32 machine=i386:x86-64 other=i686-w64-mingw32
  msvc_flags=(--target=x86_64-pc-windows-msvc -fno-ms-compatibility -D_AMD64_)
  size() { :; }
else
  triplet=i686-w64-mingw32 machine=i386 other=x86_64-w64-mingw32
  msvc_flags=(--target=i686-pc-windows-msvc -fno-ms-compatibility -D_X86_)
  size() { echo "@$1"; }
fi
# For clang's MSVC target: mingw-w64's headers, without the MSVC compatibility mode they do
# not expect.
msvc_flags+=(-isystem "/usr/$triplet/include")

# The files of an installed tree, sorted, relative to its root.
expected_tree="bin/KELDANU.dll
bin/KELDANU.dll.debug
bin/keldanu.exe
include/keldanu.h
lib/KELDANU.def
lib/KELDANU.lib
lib/cmake/keldanu/keldanu-config-version.cmake
lib/cmake/keldanu/keldanu-config.cmake
lib/libKELDANU.dll.a
lib/pkgconfig/keldanu.pc
share/doc/keldanu/CHANGELOG.md
share/doc/keldanu/LICENSE
share/doc/keldanu/README.md"

case $mode in
header)
  src=$2
  compile() { "$@" -I"$src/include" -Wall -Wextra -pedantic -Werror -fsyntax-only "$here/header_check.c"; }
  # The generic names change only with UNICODE, not with the standard: both ways at the ends.
  for build in c89 c99 c11 c17 c++98 c++11 c++14 c++17 c++20 "c89 -DUNICODE" "c++20 -DUNICODE"; do
    read -r std unicode <<<"$build"
    lang=c; [[ $std == c++* ]] && lang=c++
    # shellcheck disable=SC2086
    compile "$triplet-gcc" -x $lang -std=$std $unicode || fail "warnings in -std=$std $unicode"
  done
  compile clang "${msvc_flags[@]}" -x c++ -std=c++17 || fail "warnings for the MSVC target"
  # A call of a stub warns, naming it; the off-macro silences both marks.
  for compiler in "$triplet-gcc" "clang ${msvc_flags[*]}"; do
    # shellcheck disable=SC2086
    if out=$(compile $compiler -DCALL_STUBS 2>&1); then fail "$compiler: calling a stub did not warn"; fi
    for name in PathCombineA PathCanonicalizeW; do
      grep -q "$name.*deprecated" <<<"$out" || fail "$compiler: no warning for $name: $out"
    done
    # shellcheck disable=SC2086
    compile $compiler -DCALL_STUBS -DKELDANU_NO_STUB_WARNINGS || fail "$compiler: KELDANU_NO_STUB_WARNINGS"
  done
  ;;
install)
  build=$2
  rm -rf "$build/sdk-test"
  mkdir -p "$build/sdk-test"
  cmake --install "$build" --prefix "$build/sdk-test/installed" >/dev/null
  # Moved after installing: every consumer then proves the tree relocatable.
  mv "$build/sdk-test/installed" "$build/sdk-test/tree"
  tree=$build/sdk-test/tree
  got=$(cd "$tree" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
  [ "$got" = "$expected_tree" ] || fail "the installed tree differs: $(diff <(echo "$expected_tree") <(echo "$got"))"
  sections=$("$triplet-objdump" -h "$tree/bin/KELDANU.dll")
  grep -q '\.debug_info' <<<"$sections" && fail "bin/KELDANU.dll is not stripped"
  "$triplet-objdump" -s -j .gnu_debuglink "$tree/bin/KELDANU.dll" | grep -q 'KELDANU.dll.deb' ||
    fail "bin/KELDANU.dll has no debug link to KELDANU.dll.debug"
  "$triplet-objdump" -h "$tree/bin/KELDANU.dll.debug" | grep -q '\.debug_info' ||
    fail "bin/KELDANU.dll.debug holds no debug information"
  # The stripped DLL stays within 64 KiB; it is the one users ship.
  bytes=$(stat -c %s "$tree/bin/KELDANU.dll")
  [ "$bytes" -le 65536 ] || fail "bin/KELDANU.dll is $bytes bytes, more than 64 KiB"
  # Nothing of the C++ runtime, the thread library or the unwinder is linked in: no symbol of
  # theirs is defined (the 32-bit start-up's weak references to the unwinder stay undefined).
  if "$triplet-objdump" -t "$tree/bin/KELDANU.dll.debug" | grep -vE '\(sec +0\)' |
    grep -E '_Unwind_|__cxa_|__gxx_|_ZSt9terminate|_Znw|_Zdl|pthread_|__register_frame|__deregister_frame'; then
    fail "KELDANU.dll carries the symbols above"
  fi
  ;;
package)
  build=$2
  version=$(sed -n 's/^#define KELDANU_VERSION_STRING "\(.*\)"/\1/p' "$build/sdk-test/tree/include/keldanu.h")
  rm -rf "$build/sdk-test/package"
  (cd "$build" && cpack -B "$build/sdk-test/package" >/dev/null)
  zip=$build/sdk-test/package/keldanu-$version-$arch.zip
  [ -f "$zip" ] || fail "no $zip"
  got=$(cmake -E tar tf "$zip" | grep -v '/$' | sed "s|^keldanu-$version-$arch/||" | LC_ALL=C sort)
  [ "$got" = "$expected_tree" ] || fail "the zip differs from the tree: $(diff <(echo "$expected_tree") <(echo "$got"))"
  ;;
cmake|pkg-config|msvc)
  src=$2 build=$3
  tree=$build/sdk-test/tree
  out=$build/sdk-test/$mode
  rm -rf "$out"
  mkdir -p "$out"
  case $mode in
  cmake)
    cmake -S "$here/consumer" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/$triplet.cmake" \
      -DCMAKE_PREFIX_PATH="$tree" >"$out/configure.log" || { cat "$out/configure.log"; fail "configure"; }
    cmake --build "$out" >/dev/null || fail "build"
    # A project for the other architecture is refused, and told which package it needs.
    if cmake -S "$here/consumer" -B "$out/other" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/$other.cmake" \
      -DCMAKE_PREFIX_PATH="$tree" >"$out/other.log" 2>&1; then
      fail "a consumer of the other architecture was not refused"
    fi
    grep -q "is the $arch build" "$out/other.log" || { cat "$out/other.log"; fail "the refusal does not say why"; }
    ;;
  pkg-config)
    flags=$(PKG_CONFIG_LIBDIR=$tree/lib/pkgconfig PKG_CONFIG_PATH='' pkg-config --cflags --libs keldanu)
    # shellcheck disable=SC2086
    "$triplet-gcc" -DUNICODE -D_UNICODE -Wall -Wextra -Werror "$here/consumer.c" $flags -o "$out/consumer.exe"
    cp "$tree/bin/KELDANU.dll" "$out/"
    ;;
  msvc)
    clang "${msvc_flags[@]}" -DNO_CRT -I"$tree/include" -Wall -Wextra -Werror -c "$here/consumer.c" -o "$out/consumer.obj"
    # The few kernel32 entries the program imports, as an import library in the same format.
    {
      printf 'LIBRARY kernel32.dll\nEXPORTS\n'
      for entry in ExitProcess:4 FindResourceA:12 GetModuleHandleA:4 GetStdHandle:4 LoadResource:8 \
        LockResource:4 SizeofResource:8 WriteFile:20 lstrcmpA:8 lstrcpyA:8 lstrlenA:4; do
        echo "${entry%:*}$(size "${entry#*:}")"
      done
    } >"$out/kernel32.def"
    llvm-dlltool -m "$machine" -k -d "$out/kernel32.def" -l "$out/kernel32.lib"
    lld-link /nologo /subsystem:console /entry:no_crt_start /nodefaultlib "$out/consumer.obj" \
      "$tree/lib/KELDANU.lib" "$out/kernel32.lib" /out:"$out/consumer.exe"
    cp "$tree/bin/KELDANU.dll" "$out/"
    ;;
  esac
  # Run from its own folder: the loader also looks in the current one.
  cd "$out"
  "$src/tests/support/wine-run.sh" ./consumer.exe || fail "consumer.exe failed (exit code $?)"
  ;;
*)
  fail "unknown step"
  ;;
esac
