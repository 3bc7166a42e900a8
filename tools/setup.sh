#!/usr/bin/env bash
# Installs what building and testing KELDANU needs on Debian 12: the i686 and x86-64
# mingw-w64 cross compilers, 32-bit and 64-bit Wine, Xvfb, GoogleTest's sources, cmake and ninja, and for the SDK
# clang, lld, llvm (llvm-dlltool) and pkg-config.
# Idempotent and quiet when everything is already there; runs as root or through sudo,
# never asks a question. Besides installing packages it changes only what the README lists
# under "What the set-up changes", and it leaves no apt preference behind.
set -euo pipefail

need=()
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev)
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine wine32:i386)
# 64-bit Wine; Debian puts its loader at /usr/lib/wine/wine64, outside the PATH.
dpkg -s wine64 >/dev/null 2>&1 || need+=(wine64)
command -v Xvfb >/dev/null || need+=(xvfb)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
command -v cmake >/dev/null || need+=(cmake)
command -v ninja >/dev/null || need+=(ninja-build)
locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$' || need+=(locales)
command -v clang >/dev/null || need+=(clang)
command -v lld-link >/dev/null || need+=(lld)
command -v llvm-dlltool >/dev/null || need+=(llvm)
command -v pkg-config >/dev/null || need+=(pkgconf)

# Can this kernel start a 32-bit program (Wine's loader is one)? Some virtual machines
# run 64-bit user code only; there 32-bit Wine runs under qemu's user-mode emulation.
runs_i386() { [ -x /usr/lib/wine/wine ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive

# Earlier versions of this script left a preference that lowered the security pocket for the
# whole machine; it goes.
if [ -f /etc/apt/preferences.d/keldanu-security ]; then
  $sudo rm -f /etc/apt/preferences.d/keldanu-security
fi

# The security pocket's i386 index is sometimes caught mid-sync: the update fails on it, or
# wine32's i386 libraries are missing at the versions the amd64 side already has. The main
# release still has everything wine32 needs, so when the plain install fails it is tried once
# more with the security pocket lowered, for that one command only.
install_packages() {
  $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null && return
  local pin
  pin=$(mktemp)
  printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$pin"
  chmod 644 "$pin"
  echo "setup: retrying the install with the main release preferred over the security pocket" >&2
  $sudo apt-get install -y -qq --no-install-recommends -o Dir::Etc::Preferences="$pin" "$@" >/dev/null ||
    { rm -f "$pin"; return 1; }
  rm -f "$pin"
}

if [ ${#need[@]} -gt 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -qq || echo "setup: apt-get update reported errors; going on with the lists it has" >&2
  install_packages "${need[@]}"
fi

# Only where the kernel cannot start 32-bit programs itself, or where qemu already runs them:
# qemu's user-mode emulation, registered for i386 programs unless that name is registered.
if ! runs_i386 || grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
  command -v qemu-i386-static >/dev/null || install_packages qemu-user-static
  # (wine64, installed above, brings the 64-bit wineserver, which serves 32-bit clients
  # natively instead of under emulation.)
  if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    $sudo mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  fi
  # Registered directly: a smaller guest address space (QEMU_RESERVED_VA) would make Wine
  # start faster but leaves it unable to map its shared user data, so every program fails.
  # A registration of the same name made by another program (qemu-user-binfmt, for one) is
  # its owner's: it is neither replaced nor removed.
  qemu=/usr/bin/qemu-i386-static
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    # i386 ELF executables and shared objects go to qemu; F keeps the interpreter open so it
    # works in any mount namespace.
    printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$qemu:F" |
      $sudo tee /proc/sys/fs/binfmt_misc/register >/dev/null
  fi
  runs_i386 || { echo "setup: this machine cannot run 32-bit programs, even through qemu (see /proc/sys/fs/binfmt_misc/qemu-i386)" >&2; exit 1; }
fi

# Wine takes its ANSI code page from the locale: the double-byte tests need ja_JP.UTF-8.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
fi
