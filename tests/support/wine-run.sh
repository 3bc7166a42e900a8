#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest (the cross-compiling emulator).
#   wine-run.sh --start   make a fresh private prefix and an Xvfb display for this run
#   wine-run.sh --stop    end the prefix's wineserver and the display
#   wine-run.sh PROG ARGS run PROG in that prefix, on that display
# State lives in $KELDANU_WINE_STATE (ctest sets it to <build>/wine); run by hand without
# it, the prefix beside the build's programs is used.
set -u
state=${KELDANU_WINE_STATE:-}
if [ -z "$state" ]; then
  for a in "$@"; do
    case "$a" in *.exe) state=$(cd "$(dirname "$a")" && pwd)/wine; break ;; esac
  done
  state=${state:-$PWD/wine}
fi
export WINEPREFIX="$state/prefix" WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

start_display() {
  if [ -n "${KELDANU_DISPLAY:-}" ]; then
    echo "$KELDANU_DISPLAY" > "$state/display"
    return
  fi
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! > "$state/xvfb.pid"
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { echo ":$n" > "$state/display"; return; }
      kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "wine-run: no Xvfb display could be started" >&2
  exit 1
}

case "${1:-}" in
  --start)
    mkdir -p "$state"
    WINEPREFIX="$state/prefix" wineserver -k >/dev/null 2>&1
    rm -rf "$state/prefix"
    start_display
    export DISPLAY=$(cat "$state/display")
    wineboot -i >"$state/wineboot.log" 2>&1 || { cat "$state/wineboot.log" >&2; exit 1; }
    # Without a window manager Wine waits about two seconds for every window it closes;
    # unmanaged windows close at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    echo "Wine prefix $WINEPREFIX on display $DISPLAY"
    ;;
  --stop)
    wineserver -k >/dev/null 2>&1
    if [ -f "$state/xvfb.pid" ]; then
      kill "$(cat "$state/xvfb.pid")" 2>/dev/null
      rm -f "$state/xvfb.pid"
    fi
    ;;
  *)
    if [ ! -d "$WINEPREFIX" ] || [ ! -f "$state/display" ]; then
      echo "wine-run: no prefix at $WINEPREFIX; run 'wine-run.sh --start' (ctest does) first" >&2
      exit 1
    fi
    export DISPLAY=$(cat "$state/display")
    exec wine "$@"
    ;;
esac
