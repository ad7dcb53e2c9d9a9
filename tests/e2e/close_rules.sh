#!/usr/bin/env bash
# End to end under Xvfb and Wine: the real aokiri.scr /s, real input from
# xdotool, and the process's exit code.
#
#   close_rules.sh SCENARIO SAVER EMULATOR CHECKER
#
# SAVER is the win64 aokiri.scr, EMULATOR the script that runs a Windows
# program under Wine, CHECKER the tests' own PASSWORD.CPL. Scenarios:
#   key, click, travel4, travel5: full screen, no password lock
#   deactivate: another program's window comes up and takes the activation
#   9x-refused, 9x-accepted: Wine reports Windows 98 to the saver, a password
#     is set, and the tests' checker answers 0 or 1 to a key press
#
# Without a window manager, Wine waits about 2 s inside DestroyWindow before
# the window goes: a saver that closes ends about 2 s after the input
# (measured here: 2.05 to 2.1 s). CLOSE_SECONDS allows for that; a saver
# that is to stay must still run after as long.
set -euo pipefail

scenario="$1" saver="$2" emulator="$3" checker="$4"
: "${DISPLAY:?an X server is needed: run under scripts/test.sh or start Xvfb}"
CLOSE_SECONDS=5  # generous: CI may run on a loaded machine

work="$(mktemp -d)"
saver_pid=
other_pid=
settings=
settings_backup="$work/settings.ini"
password_set=

cleanup() {
  if [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null; then kill "$saver_pid"; fi
  if [ -n "$other_pid" ] && kill -0 "$other_pid" 2>/dev/null; then kill "$other_pid"; fi
  if [ -n "$settings" ]; then
    if [ -f "$settings_backup" ]; then cp "$settings_backup" "$settings"; else rm -f "$settings"; fi
  fi
  if [ -n "$password_set" ]; then
    "$emulator" reg delete 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /f >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The saver reads its settings from the Windows directory. DISTANCE=2 names
# no view: no frames to load, no box that could stop the window coming up.
use_quiet_settings() {
  settings="$("$emulator" winepath -u 'C:\windows\Wf_Aokiri.ini' 2>/dev/null | tr -d '\r')"
  [ -n "$settings" ] || fail "no Windows directory"
  [ -f "$settings" ] && cp "$settings" "$settings_backup"
  printf '[DISTANCE_SECTION]\r\nDISTANCE=2\r\n[SOUND_SECTION]\r\nSOUND=1\r\n' >"$settings"
}

# Starts the saver full screen and waits until its window shows.
start_saver() {
  local program="$1"
  xdotool mousemove 500 400
  "$emulator" "$program" /s &
  saver_pid=$!
  for _ in $(seq 100); do
    if xdotool search --onlyvisible --name '^Screen Saver$' >/dev/null 2>&1; then
      sleep 0.5  # let the first paint and Wine's one mouse move pass
      running || fail "the saver ended on its own"
      return 0
    fi
    kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended before its window showed"
    sleep 0.1
  done
  fail "no saver window after 10 s"
}

running() { kill -0 "$saver_pid" 2>/dev/null; }

# The saver must end with exit code 0 within CLOSE_SECONDS of the input.
expect_close() {
  local started="$1" code=0
  while running && [ $(($(now_ms) - started)) -lt $((CLOSE_SECONDS * 1000)) ]; do sleep 0.05; done
  running && fail "still running $CLOSE_SECONDS s after the input"
  wait "$saver_pid" || code=$?
  saver_pid=
  [ "$code" -eq 0 ] || fail "exit code $code"
  echo "closed with exit code 0 after $(($(now_ms) - started)) ms"
}

expect_running() {
  sleep "$CLOSE_SECONDS"
  running || fail "the saver closed"
  echo "still running after $CLOSE_SECONDS s"
}

# Windows 98 for a copy of the saver with a name of its own, the checker
# beside it, and the user's password setting on.
prepare_win9x() {
  local answer="$1"
  cp "$saver" "$work/aokiri98.scr"
  cp "$checker" "$work/PASSWORD.CPL"
  "$emulator" reg add 'HKCU\Software\Wine\AppDefaults\aokiri98.scr' /v Version /t REG_SZ /d win98 /f >/dev/null
  password_set=1
  "$emulator" reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /t REG_DWORD /d 1 /f >/dev/null
  export AOKIRI_CHECKER_ANSWER="$answer" AOKIRI_CHECKER_LOG="$work/checker.log"
}

questions() { [ -f "$work/checker.log" ] && wc -l <"$work/checker.log" || echo 0; }

use_quiet_settings
case "$scenario" in
  key)
    start_saver "$saver"; t=$(now_ms); xdotool key a; expect_close "$t" ;;
  click)
    start_saver "$saver"; t=$(now_ms); xdotool click 1; expect_close "$t" ;;
  travel4)
    start_saver "$saver"
    xdotool mousemove_relative -- 2 2
    expect_running
    xdotool mousemove_relative -- -2 0  # back to 2 from where it started
    expect_running
    t=$(now_ms); xdotool key a; expect_close "$t" ;;
  deactivate)
    start_saver "$saver"; t=$(now_ms); "$emulator" notepad & other_pid=$!; expect_close "$t" ;;
  travel5)
    start_saver "$saver"; t=$(now_ms); xdotool mousemove_relative -- 3 -2; expect_close "$t" ;;
  9x-refused)
    prepare_win9x 0
    start_saver "$work/aokiri98.scr"
    xdotool key a
    expect_running
    [ "$(questions)" -eq 1 ] || fail "the checker was asked $(questions) times, not once" ;;
  9x-accepted)
    prepare_win9x 1
    start_saver "$work/aokiri98.scr"
    t=$(now_ms); xdotool key a; expect_close "$t"
    [ "$(questions)" -eq 1 ] || fail "the checker was asked $(questions) times, not once" ;;
  *)
    fail "unknown scenario $scenario" ;;
esac
