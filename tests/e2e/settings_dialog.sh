#!/usr/bin/env bash
# End to end: the Windows saver's settings mode (/c) under Wine, on the
# virtual X display that scripts/test.sh starts, in a Japanese locale.
#   - the dialog appears; its picture is kept as WORKDIR/settings-dialog.png
#   - Enter with no settings file: exit code 1 and the four defaults written
#   - Esc: exit code 0 and no file
#   - a click on the near view, then Enter: the next /s shows the near frames
# Usage: settings_dialog.sh SCR WORKDIR FRAMES_DIR
#   SCR         the win64 aokiri.scr
#   WORKDIR     where the locale, a Wine prefix of its own and the pictures go
#   FRAMES_DIR  the generator's output, with BITMAP00.bmp to BITMAP05.bmp
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

[ $# -eq 3 ] || { echo "usage: $0 SCR WORKDIR FRAMES_DIR" >&2; exit 2; }
scr=$(realpath "$1") work=$(realpath -m "$2") frames=$(realpath "$3")
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: run under a virtual X server (scripts/test.sh starts one)" >&2; exit 1; }

mkdir -p "$work"
use_japanese_locale "$work/locale" || exit 1
# A prefix and wineserver of its own: the settings file is the prefix's, and
# the suite's server keeps running for the other tests.
start_wine "$work/wineprefix"
trap 'stop_wine' EXIT
ini="$WINEPREFIX/drive_c/windows/Wf_Aokiri.ini"
wine=/usr/lib/wine/wine64

failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok:   $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}

# wait_for_window TITLE: prints the X window's id once it is shown.
wait_for_window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# wait_for_exit PID: the process's exit code; kills it after 30 s.
wait_for_exit() {
  for _ in $(seq 300); do
    kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
    sleep 0.1
  done
  kill "$1"; wait "$1"
  echo "process $1 did not end" >&2
  return 124
}

# Dialog units to pixels: the X window is the dialog's client area (no window
# manager draws a frame), 246 x 202 units.
click_at_units() {  # click_at_units WINDOW X Y
  local width height
  eval "$(xdotool getwindowgeometry --shell "$1")"
  width=$WIDTH height=$HEIGHT
  xdotool mousemove --window "$1" $(($2 * width / 246)) $(($3 * height / 202)) click 1
}

press() {  # press WINDOW KEY
  xdotool windowfocus "$1" 2>/dev/null
  xdotool key "$2"
}

window_picture() {  # window_picture WINDOW FILE
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

file_is() {  # file_is SPEED MOVING SOUND DISTANCE
  [ -f "$ini" ] || return 1
  local expected
  expected=$(printf '[SPEED_SECTION]\nSPEED=%s\n[MOVING_SECTION]\nMOVING=%s\n[SOUND_SECTION]\nSOUND=%s\n[DISTANCE_SECTION]\nDISTANCE=%s' "$@")
  [ "$(tr -d '\r' <"$ini" | grep -v '^$')" = "$expected" ] || { echo "  the file holds:"; cat "$ini"; return 1; }
}

colours_at_least() {  # colours_at_least FILE N
  [ "$(identify -format %k "$1")" -ge "$2" ]
}

exit_code_is() { [ "$1" -eq "$2" ] || { echo "  exit code $1"; return 1; }; }

title="設定画面"

# settings_run ACTION: with no settings file, runs "aokiri.scr /c", calls
# ACTION with the dialog's window, and sets `code` to the exit code.
settings_run() {
  rm -rf "$ini"
  "$wine" "$scr" /c &
  local pid=$! dialog
  if dialog=$(wait_for_window "$title"); then "$1" "$dialog"; else check "the dialog appears" false; fi
  wait_for_exit "$pid"; code=$?
}

# 1. The dialog as it opens, then Enter.
picture_then_enter() {
  window_picture "$1" "$work/settings-dialog.png"
  # Grey controls and black text alone give a handful of colours; the icons
  # and the title picture bring many more.
  check "the dialog shows its icons and picture" colours_at_least "$work/settings-dialog.png" 64
  press "$1" Return
}
settings_run picture_then_enter
check "Enter with no file ends with 1" exit_code_is "$code" 1
check "Enter writes SPEED=2, MOVING=0, SOUND=1, DISTANCE=1" file_is 2 0 1 1

# 2. Esc writes nothing.
escape() { press "$1" Escape; }
settings_run escape
check "Esc ends with 0" exit_code_is "$code" 0
check "Esc leaves no file" test ! -e "$ini"

# 3. "近くから" (near view), then Enter; the next full-screen run shows it.
near_then_enter() {
  click_at_units "$1" $((17 + 45 / 2)) $((112 + 10 / 2))
  press "$1" Return
}
settings_run near_then_enter
check "OK after a click ends with 1" exit_code_is "$code" 1
check "the near view is stored" file_is 2 0 1 0

# Still in the centre: the frame stands at (right / 2 - 240, bottom / 2 - 320).
eval "$(xdotool getdisplaygeometry --shell)"
frame_area="480x640+$((WIDTH / 2 - 240))+$((HEIGHT / 2 - 320))"
shown=""
"$wine" "$scr" /s & pid=$!
for _ in $(seq 100); do
  sleep 0.1
  import -window root -crop "$frame_area" +repage "$work/full-screen.png" 2>/dev/null || continue
  for n in 00 01 02 03 04 05; do
    if [ "$(compare -metric AE "$work/full-screen.png" "$frames/BITMAP$n.bmp" null: 2>&1)" = "0" ]; then
      shown=$n; break 2
    fi
  done
done
kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
check "the next /s shows a near frame (BITMAP03-05) in the centre, got '${shown:-none}'" \
  test "$shown" = 03 -o "$shown" = 04 -o "$shown" = 05

echo "settings dialog end to end: $failures failed"
[ "$failures" -eq 0 ]
