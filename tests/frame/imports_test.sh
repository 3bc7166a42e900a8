#!/usr/bin/env bash
# Holds the DLL's import table against the list kept beside this script (imports.txt, one
# "DLL function" per line, # for comments) and prints every difference. CHANGES, for another
# architecture, drops each "- DLL function" line from LIST and adds each "+ DLL function".
#   imports_test.sh OBJDUMP DLL LIST [CHANGES]
set -euo pipefail
objdump=$1 dll=$2 list=$3 changes=${4:-/dev/null}
actual=$("$objdump" -p "$dll" | awk '
  /^The Export Tables/ { done = 1 }
  done { next }
  /^\tDLL Name: / { name = $3; next }
  name != "" && /^\t[0-9a-f]+\t *[0-9]+ +[^ ]+$/ { print name, $3 }' | LC_ALL=C sort)
entries() { grep -v -e '^#' -e '^$' "$@" || true; }
expected=$(LC_ALL=C comm -23 <(entries "$list" | LC_ALL=C sort) <(entries "$changes" | sed -n 's/^- //p' | LC_ALL=C sort)
           entries "$changes" | sed -n 's/^+ //p')
expected=$(LC_ALL=C sort <<<"$expected")
if [ -z "$actual" ]; then
  echo "no import table read from $dll" >&2
  exit 1
fi
if [ "$actual" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$actual") | sed -n 's/^</not imported, but listed:/p; s/^>/imported, but not listed:/p'
  exit 1
fi
echo "$(echo "$actual" | wc -l) imports, all listed"
