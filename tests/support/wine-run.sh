#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest (the cross-compiling emulator).
#   wine-run.sh --start   make this run's private prefix and an Xvfb display
#   wine-run.sh --stop    end the prefix's wineserver and the display
#   wine-run.sh PROG ARGS run PROG in that prefix, on that display
# State lives in $KELDANU_WINE_STATE (ctest sets it to <build>/wine); run by hand without
# it, the folder "wine" beside the program is used.
#
# A fresh prefix costs many minutes where 32-bit programs run under emulation, so the first
# run on a machine boots one pristine prefix into a cache (KELDANU_WINE_CACHE, by default
# ~/.cache/keldanu) and every run starts from a copy of it: each run still gets a prefix of
# its own that no earlier run has touched.
set -u
state=${KELDANU_WINE_STATE:-}
if [ -z "$state" ]; then
  for a in "$@"; do
    case "$a" in *.exe) state=$(cd "$(dirname "$a")" && pwd)/wine; break ;; esac
  done
  state=${state:-$PWD/wine}
fi
export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Where binfmt_misc hands 32-bit programs to qemu, Wine cannot turn a memory fault into an
# access violation; the tests that need one skip themselves (tests/support/support.h).
if grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
  export KELDANU_FAULTS_END_PROCESS=1
fi
cache=${KELDANU_WINE_CACHE:-${HOME:-/root}/.cache/keldanu}
template="$cache/prefix-$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' '_')"

start_display() {
  if [ -n "${KELDANU_DISPLAY:-}" ]; then
    echo "$KELDANU_DISPLAY" > "$state/display"
    return
  fi
  local n
  for n in $(seq 91 190); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! > "$state/xvfb.pid"
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { echo ":$n" > "$state/display"; return; }
      kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "wine-run: no Xvfb display could be started" >&2
  exit 1
}

# Boots the pristine prefix once; concurrent runs wait for the first one.
make_template() {
  mkdir -p "$cache"
  exec 9>"$cache/lock"
  flock 9
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    echo "wine-run: booting a new Wine prefix in $template (once per machine)" >&2
    WINEPREFIX="$template" wineboot -i >"$cache/wineboot.log" 2>&1
    # Without a window manager Wine waits about two seconds for every window it closes;
    # unmanaged windows close at once.
    WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
      >>"$cache/wineboot.log" 2>&1
    WINEPREFIX="$template" wineserver -w
    if [ ! -f "$template/system.reg" ]; then
      cat "$cache/wineboot.log" >&2
      exit 1
    fi
    touch "$template/.ready"
  fi
  flock -u 9
}

case "${1:-}" in
  --start)
    mkdir -p "$state"
    WINEPREFIX="$state/prefix" wineserver -k >/dev/null 2>&1
    rm -rf "$state/prefix"
    start_display
    export DISPLAY=$(cat "$state/display")
    make_template
    cp -a "$template" "$state/prefix"
    export WINEPREFIX="$state/prefix"
    # One wineserver for the whole run, so the system processes start once. The server
    # outlives this script: it must not hold ctest's output pipes open, or ctest waits for
    # it until the fixture times out.
    wineserver -p </dev/null >"$state/wineserver.log" 2>&1
    wine cmd /c exit >/dev/null 2>&1
    echo "Wine prefix $WINEPREFIX on display $DISPLAY"
    ;;
  --stop)
    WINEPREFIX="$state/prefix" wineserver -k >/dev/null 2>&1
    if [ -f "$state/xvfb.pid" ]; then
      kill "$(cat "$state/xvfb.pid")" 2>/dev/null
      rm -f "$state/xvfb.pid"
    fi
    ;;
  *)
    export WINEPREFIX="$state/prefix"
    if [ ! -d "$WINEPREFIX" ] || [ ! -f "$state/display" ]; then
      echo "wine-run: no prefix at $WINEPREFIX; run 'wine-run.sh --start' (ctest does) first" >&2
      exit 1
    fi
    export DISPLAY=$(cat "$state/display")
    exec wine "$@"
    ;;
esac
