#!/usr/bin/env bash
# Builds KELDANU.dll and keldanu.exe and runs the tour of the library under Wine: the 32-bit
# ones in build/, or with KELDANU_ARCH=win64 the 64-bit ones in build-win64/.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${KELDANU_ARCH:-win32}
case $arch in
  win32) dir=build ;;
  win64) dir=build-win64 ;;
  *) echo "tour.sh: KELDANU_ARCH is \"$arch\": win32 or win64" >&2; exit 2 ;;
esac
bash tools/setup.sh
cmake --preset "$arch-default" >/dev/null
ninja -C "$dir" KELDANU.dll keldanu.exe
export KELDANU_WINE_STATE=$PWD/$dir/wine KELDANU_WINE_ARCH=$arch
run=tests/support/wine-run.sh
"$run" --start $$ >/dev/null
trap '"$run" --stop' EXIT
"$run" "$dir/keldanu.exe" --tour
