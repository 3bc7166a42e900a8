#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest (the cross-compiling emulator).
#   wine-run.sh --start OWNER  make this run's private prefix and an Xvfb display, kept until
#                              --stop or until the process OWNER (ctest, a script) ends
#   wine-run.sh --stop         end the prefix's wineserver and the display
#   wine-run.sh PROG ARGS      run PROG in that prefix, on that display
# State lives in $KELDANU_WINE_STATE (ctest sets it to <build>/wine); run by hand without
# it, the folder "wine" beside the program is used. The prefix is a win32 one, or a win64 one
# (64-bit Wine, which also runs 32-bit programs) when --start finds KELDANU_WINE_ARCH=win64;
# each kind has its own cached pristine copy.
#
# One run at a time per state folder: a second --start waits until the first run's --stop (or
# the end of its owner) instead of ending its servers.
#
# A fresh prefix costs many minutes where 32-bit programs run under emulation, so the first
# run on a machine boots one pristine prefix into a cache (KELDANU_WINE_CACHE, by default
# ~/.cache/keldanu) and every run starts from a copy of it: each run still gets a prefix of
# its own that no earlier run has touched.
#
# Every step must succeed; a failed one ends the script. What --start starts (Xvfb, the
# wineserver) is ended by --stop, by a failure or interruption of --start itself, and, should
# the run that started it end without --stop (ctest interrupted), by a watchdog that waits
# for that run's process to go.
set -euo pipefail
state=${KELDANU_WINE_STATE:-}
if [ -z "$state" ]; then
  for a in "$@"; do
    case "$a" in *.exe) state=$(cd "$(dirname "$a")" && pwd)/wine; break ;; esac
  done
  state=${state:-$PWD/wine}
fi
# The kind of prefix: chosen by --start, remembered in the state for the programs it runs.
if [ "${1:-}" = --start ]; then
  arch=${KELDANU_WINE_ARCH:-win32}
else
  arch=$(cat "$state/arch" 2>/dev/null || echo "${KELDANU_WINE_ARCH:-win32}")
fi
case $arch in
  win32) wine=wine kind="" ;;
  # Debian installs the 64-bit loader outside the PATH.
  win64) wine=$(command -v wine64 || echo /usr/lib/wine/wine64) kind=64 ;;
  *) echo "wine-run: KELDANU_WINE_ARCH is \"$arch\": win32 or win64" >&2; exit 2 ;;
esac
# A program that crashes ends at once: no debugger, no crash dialog waiting for the timeout.
export WINEARCH=$arch WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
# Where binfmt_misc hands 32-bit programs to qemu, Wine cannot turn a memory fault into an
# access violation; the tests that need one skip themselves (tests/support/support.h).
if [ "$arch" = win32 ] && grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
  export KELDANU_FAULTS_END_PROCESS=1
fi
cache=${KELDANU_WINE_CACHE:-${HOME:-/root}/.cache/keldanu}
template="$cache/prefix$kind-$("$wine" --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' '_')"
lock_wait=${KELDANU_LOCK_WAIT:-3600}  # a first boot under emulation takes many minutes

# Ends whatever this run's state says is running: the watchdog, the wineserver, Xvfb.
stop_all() {
  if [ -f "$state/watchdog.pid" ]; then
    kill "$(cat "$state/watchdog.pid")" 2>/dev/null || true
    rm -f "$state/watchdog.pid"
  fi
  if [ -d "$state/prefix" ]; then
    WINEPREFIX="$state/prefix" timeout 30 wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
}

start_display() {
  if [ -n "${KELDANU_DISPLAY:-}" ]; then
    echo "$KELDANU_DISPLAY" > "$state/display"
    return
  fi
  local n
  for n in $(seq 91 190); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 8>&- &
    echo $! > "$state/xvfb.pid"
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { echo ":$n" > "$state/display"; return; }
      kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
      sleep 0.1
    done
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  done
  echo "wine-run: no Xvfb display could be started" >&2
  return 1
}

# Boots the pristine prefix once; concurrent runs wait for the first one, but not forever.
make_template() {
  mkdir -p "$cache"
  exec 9>"$cache/lock$kind"
  if ! flock -w "$lock_wait" 9; then
    echo "wine-run: the prefix cache stayed locked for $lock_wait s ($cache/lock$kind)" >&2
    return 1
  fi
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    echo "wine-run: booting a new Wine prefix in $template (once per machine)" >&2
    # Its own wineserver, ended even when the boot fails.
    # Without a window manager Wine waits about two seconds for every window it closes;
    # unmanaged windows close at once.
    if ! (trap 'WINEPREFIX="$template" wineserver -k >/dev/null 2>&1 || true' EXIT
          export WINEPREFIX="$template"
          "$wine" wineboot -i &&
            "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f &&
            wineserver -w) >"$cache/wineboot$kind.log" 2>&1 8>&- || [ ! -f "$template/system.reg" ]; then
      cat "$cache/wineboot$kind.log" >&2
      return 1
    fi
    touch "$template/.ready"
  fi
  flock -u 9
  exec 9>&-
}

case "${1:-}" in
  --start)
    owner=${2:?"wine-run: --start needs the process that owns the run (its id)"}
    kill -0 "$owner" 2>/dev/null || { echo "wine-run: no process $owner to own the run" >&2; exit 1; }
    mkdir -p "$state"
    # The run lock is held by this run's watchdog until --stop or its owner's end. Only the
    # watchdog keeps it: every server started below is started without it.
    exec 8>"$state/run.lock"
    if ! flock -w "$lock_wait" 8; then
      echo "wine-run: another run on $state kept it for $lock_wait s" >&2
      exit 1
    fi
    stop_all
    rm -rf "$state/prefix"
    # Whatever fails or interrupts from here on leaves nothing running.
    trap 'stop_all' EXIT
    trap 'exit 130' INT TERM
    start_display
    export DISPLAY=$(cat "$state/display")
    make_template
    cp -a "$template" "$state/prefix"
    export WINEPREFIX="$state/prefix"
    echo "$arch" > "$state/arch"
    # One wineserver for the whole run, so the system processes start once. It outlives this
    # script: it must not hold ctest's output pipes open, or ctest waits for it until the
    # fixture times out.
    wineserver -p </dev/null >"$state/wineserver.log" 2>&1 8>&-
    "$wine" cmd /c exit </dev/null >/dev/null 2>&1 8>&-
    # The watchdog ends the run's servers if the owner goes without a --stop. It runs in a
    # session of its own, so that ending the owner's process group (an interrupted run) does
    # not end the watchdog with it and leave the servers behind.
    nohup setsid bash -c 'while kill -0 "$1" 2>/dev/null; do sleep 2; done; exec "$2" --stop' watchdog "$owner" \
      "$(readlink -f "$0")" \
      </dev/null >/dev/null 2>&1 &
    echo $! > "$state/watchdog.pid"
    exec 8>&-
    trap - EXIT INT TERM
    echo "Wine prefix $WINEPREFIX on display $DISPLAY"
    ;;
  --stop)
    # The watchdog's own --stop (it runs as the watchdog's process) must not end itself.
    if [ -f "$state/watchdog.pid" ] && [ "$(cat "$state/watchdog.pid")" = "$$" ]; then
      rm -f "$state/watchdog.pid"
    fi
    stop_all
    ;;
  *)
    export WINEPREFIX="$state/prefix"
    if [ ! -d "$WINEPREFIX" ] || [ ! -f "$state/display" ]; then
      echo "wine-run: no prefix at $WINEPREFIX; run 'wine-run.sh --start' (ctest does) first" >&2
      exit 1
    fi
    export DISPLAY=$(cat "$state/display")
    # The program writes into files that are shown as they grow: a process it starts (the
    # desktop's, one the shell launches) may outlive it, and must not hold the caller's pipes
    # open, or ctest waits for that one until the test times out.
    out=$(mktemp "$state/stdout.XXXXXX") err=$(mktemp "$state/stderr.XXXXXX")
    "$wine" "$@" </dev/null >"$out" 2>"$err" &
    program=$!
    trap 'kill "$program" 2>/dev/null || true; rm -f "$out" "$err"' EXIT
    trap 'exit 143' INT TERM
    tail -n +1 -f --pid="$program" "$out" &
    tail -n +1 -f --pid="$program" "$err" >&2 &
    status=0
    wait "$program" || status=$?
    wait
    exit "$status"
    ;;
esac
