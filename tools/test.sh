#!/usr/bin/env bash
# Builds KELDANU with its tests for both architectures and runs every test under Wine: the
# 32-bit build in build/ (a win32 Wine prefix), the 64-bit one in build-win64/ (a win64 one).
# It ends with both ctest summaries and fails when either architecture fails or cannot run.
# KELDANU_ARCH=win32 or KELDANU_ARCH=win64 runs that one alone, for a machine that has only
# one of them.
set -euo pipefail
cd "$(dirname "$0")/.."
case ${KELDANU_ARCH:-} in
  "") archs=(win32 win64) ;;
  win32 | win64) archs=("$KELDANU_ARCH") ;;
  *) echo "test.sh: KELDANU_ARCH is \"$KELDANU_ARCH\": win32, win64, or unset for both" >&2; exit 2 ;;
esac
bash tools/setup.sh
summary=()
failed=0
for arch in "${archs[@]}"; do
  dir=build; [ "$arch" = win64 ] && dir=build-win64
  # A folder configured for the other architecture (a plain configure under another
  # KELDANU_ARCH) is configured afresh.
  if [ -f "$dir/CMakeCache.txt" ] && ! grep -qx "KELDANU_ARCH:INTERNAL=$arch" "$dir/CMakeCache.txt"; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
  echo "=== $arch ($dir)"
  log=$(mktemp)
  if cmake --preset "$arch-tests" >/dev/null && cmake --build --preset "$arch-tests" &&
    ctest --preset "$arch-tests" 2>&1 | tee "$log"; then
    :
  else
    failed=1
  fi
  summary+=("$arch: $(grep -E 'tests passed|Total Test time' "$log" | tr -s ' ' | paste -sd';' || echo "did not run")")
  rm -f "$log"
done
printf '%s\n' "${summary[@]}"
exit $failed
