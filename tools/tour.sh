#!/usr/bin/env bash
# Builds KELDANU.dll and keldanu.exe and runs the tour of the library under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -G Ninja >/dev/null
ninja -C build KELDANU.dll keldanu.exe
export KELDANU_WINE_STATE=$PWD/build/wine
run=tests/support/wine-run.sh
"$run" --start >/dev/null
trap '"$run" --stop' EXIT
"$run" build/keldanu.exe --tour
