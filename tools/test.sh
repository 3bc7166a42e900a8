#!/usr/bin/env bash
# Builds KELDANU with its tests and runs every test under Wine (ctest prints the summary).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -G Ninja -DKELDANU_TESTS=ON >/dev/null
ninja -C build
cd build
ctest --output-on-failure --timeout 3000
