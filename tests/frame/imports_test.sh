#!/usr/bin/env bash
# Holds the DLL's import table against the list kept beside this script (imports.txt, one
# "DLL function" per line, # for comments) and prints every difference.
#   imports_test.sh OBJDUMP DLL LIST
set -euo pipefail
objdump=$1 dll=$2 list=$3
actual=$("$objdump" -p "$dll" | awk '
  /^The Export Tables/ { done = 1 }
  done { next }
  /^\tDLL Name: / { name = $3; next }
  name != "" && /^\t[0-9a-f]+\t *[0-9]+ +[^ ]+$/ { print name, $3 }' | LC_ALL=C sort)
expected=$(grep -v -e '^#' -e '^$' "$list" | LC_ALL=C sort)
if [ -z "$actual" ]; then
  echo "no import table read from $dll" >&2
  exit 1
fi
if [ "$actual" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$actual") | sed -n 's/^</not imported, but listed:/p; s/^>/imported, but not listed:/p'
  exit 1
fi
echo "$(echo "$actual" | wc -l) imports, all listed"
