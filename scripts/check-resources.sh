#!/usr/bin/env bash
# Checks that a 32-bit Windows executable carries every resource of the
# saver with its exact size, all in Japanese (language 1041).
# Usage: scripts/check-resources.sh FILE
# The last line reads "resources: N passed, M failed".
set -uo pipefail

file="${1:?usage: $0 FILE}"
passed=0 failed=0

check() {  # check DESCRIPTION CONDITION...
  local what="$1"; shift
  if "$@"; then passed=$((passed + 1)); echo "ok   $what"
  else failed=$((failed + 1)); echo "FAIL $what"; fi
}

finish() {
  echo "resources: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

if [ ! -f "$file" ]; then
  check "$file exists" false
  finish
fi

check "$file is a 32-bit Windows program" \
  grep -q 'file format pei-i386' <(i686-w64-mingw32-objdump -f "$file" 2>/dev/null)

# One line a resource: --type=2 --name='BITMAP00' --language=1041 [type=bitmap offset=0x... size=308264]
listing=$(wrestool -l "$file" 2>&1)
check "wrestool reads its resources" test -n "$listing"

# size TYPE NAME: the size of that resource in Japanese, empty when missing.
size() {
  sed -nE "s/^--type=$1 --name=$2 --language=1041 \[.*size=([0-9]+)\]$/\1/p" <<<"$listing"
}

expected=(
  "2 'BITMAP00' 308264" "2 'BITMAP01' 308264" "2 'BITMAP02' 308264"
  "2 'BITMAP03' 308264" "2 'BITMAP04' 308264" "2 'BITMAP05' 308264"
  "2 170 2024"
  "'WAVE' 148 40056" "'WAVE' 152 84524"
  # Icon groups: a 6-byte header and 14 bytes for each image.
  "14 100 20" "14 101 48" "14 154 20" "14 208 20" "14 209 20"
)
for entry in "${expected[@]}"; do
  read -r type name bytes <<<"$entry"
  actual=$(size "$type" "$name")
  check "type $type name $name: $bytes bytes (found ${actual:-none})" test "$actual" = "$bytes"
done

icons=$(grep -c '^--type=3 ' <<<"$listing")
check "7 icon images, one for each image of the groups (found $icons)" test "$icons" -eq 7
version=$(size 16 1)
check "version resource (found ${version:-none} bytes)" test -n "$version"
others=$(grep -v -e '--language=1041 ' -e '^$' <<<"$listing" | grep -c .)
check "every resource is Japanese ($others are not)" test "$others" -eq 0

finish
