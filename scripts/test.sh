#!/usr/bin/env bash
# Installs what is missing, builds the three targets and runs every test:
# the native suite, the native suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the Windows suite under Wine.
# The last line counts the tests that passed and failed.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
cd "$AOKIRI_ROOT"

install_packages || exit 1
trap 'stop_wine; stop_virtual_display' EXIT

passed=0 failed=0 broken=0
logs="$AOKIRI_ROOT/build/test-logs"
mkdir -p "$logs"

# run_suite NAME PRESET: runs CTest for one build and adds up its counts.
run_suite() {
  local name="$1" preset="$2" log="$logs/$1.log"
  echo "== $name"
  ctest --preset "$preset" --output-on-failure >"$log" 2>&1
  local summary
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$summary" ]; then
    echo "   no test result: see $log"; tail -n 20 "$log"; broken=1; return
  fi
  local total bad
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")
  passed=$((passed + total - bad)); failed=$((failed + bad))
  echo "   $summary"
  [ "$bad" -eq 0 ] || grep -E '\*\*\*Failed|\*\*\*Exception|Timeout' "$log" | head -n 40
}

# run_check NAME COMMAND...: a check whose last line reads "N passed, M failed".
run_check() {
  local name="$1" log="$logs/$1.log"; shift
  echo "== $name"
  "$@" >"$log" 2>&1
  local counts
  counts=$(tail -n 1 "$log" | grep -oE '[0-9]+ passed, [0-9]+ failed')
  if [ -z "$counts" ]; then
    echo "   no result: see $log"; tail -n 20 "$log"; broken=1; return
  fi
  local good=${counts%% *} bad
  bad=$(sed -E 's/.*, ([0-9]+) failed/\1/' <<<"$counts")
  passed=$((passed + good)); failed=$((failed + bad))
  echo "   $(tail -n 1 "$log")"
  [ "$bad" -eq 0 ] || grep -E '^FAIL' "$log" | head -n 40
}

build_step() {
  echo "== build $1"
  configure_and_build "$@" >"$logs/build-$1.log" 2>&1 || { tail -n 40 "$logs/build-$1.log"; broken=1; return 1; }
}

build_step native && run_suite native native
build_step native-sanitize && run_suite native-sanitize native-sanitize

if build_step win64; then
  start_virtual_display
  start_wine "$AOKIRI_ROOT/build/win64/wineprefix"
  run_suite win64-wine win64
fi

# The 32-bit product cannot run here: check what it carries.
build_step win32 && run_check win32-resources scripts/check-resources.sh build/win32/aokiri.scr

[ "$broken" -eq 0 ] || echo "Some builds or suites did not run: see $logs"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$broken" -eq 0 ]
