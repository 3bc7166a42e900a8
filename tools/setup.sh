#!/usr/bin/env bash
# Installs what building and testing KELDANU needs on Debian 12: the i686 mingw-w64
# cross compilers, 32-bit Wine, Xvfb, GoogleTest's sources, cmake and ninja.
# Idempotent and quiet when everything is already there; runs as root or through sudo,
# never asks a question.
set -euo pipefail

need=()
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine wine32:i386)
command -v Xvfb >/dev/null || need+=(xvfb)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
command -v cmake >/dev/null || need+=(cmake)
command -v ninja >/dev/null || need+=(ninja-build)
locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$' || need+=(locales)

# Can this kernel start a 32-bit program (Wine's loader is one)? Some virtual machines
# run 64-bit user code only; there 32-bit Wine runs under qemu's user-mode emulation.
runs_i386() { [ -x /usr/lib/wine/wine ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive

if [ ${#need[@]} -gt 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  # The security pocket's i386 index is sometimes caught mid-sync and the update fails on
  # it; the main release still has everything wine32 needs, so prefer it for this install.
  if [ ! -f /etc/apt/preferences.d/keldanu-security ]; then
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' |
      $sudo tee /etc/apt/preferences.d/keldanu-security >/dev/null
  fi
  $sudo apt-get update -qq || echo "setup: apt-get update reported errors; going on with the lists it has" >&2
  $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

if ! runs_i386 || [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
  command -v qemu-i386-static >/dev/null || $sudo apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
  # The 64-bit wineserver serves 32-bit clients natively instead of under emulation.
  dpkg -s wine64 >/dev/null 2>&1 || $sudo apt-get install -y -qq --no-install-recommends wine64 >/dev/null
  if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    $sudo mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  fi
  # Wine's start-up probes the address space with thousands of mappings; against qemu's
  # default 4 GiB guest reservation that costs about a minute per process, against 2 GiB
  # a second or two. The wrapper sets the smaller reservation for every 32-bit program.
  wrapper=/usr/local/lib/keldanu/qemu-i386-wine
  if [ ! -x "$wrapper" ]; then
    $sudo mkdir -p "$(dirname "$wrapper")"
    printf '#!/bin/sh\nQEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0x80000000}\nexport QEMU_RESERVED_VA\nexec /usr/bin/qemu-i386-static "$@"\n' |
      $sudo tee "$wrapper" >/dev/null
    $sudo chmod 755 "$wrapper"
  fi
  if ! grep -qs "$wrapper" /proc/sys/fs/binfmt_misc/qemu-i386; then
    [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && echo -1 | $sudo tee /proc/sys/fs/binfmt_misc/qemu-i386 >/dev/null
    # i386 ELF executables and shared objects go to qemu; F keeps the interpreter open so it
    # works in any mount namespace.
    printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$wrapper:F" |
      $sudo tee /proc/sys/fs/binfmt_misc/register >/dev/null
  fi
  runs_i386 || { echo "setup: this machine cannot run 32-bit programs, even through qemu" >&2; exit 1; }
fi

# Wine takes its ANSI code page from the locale: the double-byte tests need ja_JP.UTF-8.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
fi
