#!/usr/bin/env bash
# The real aokiri.scr under Wine on a virtual X server: exit codes of the
# command-line tails, and what the screen shows.
#   saver_e2e.sh AOKIRI_SCR TEST_HELPER_EXE
# Uses the DISPLAY and WINEPREFIX that scripts/test.sh sets up (a 1024 x 768
# screen); the 800 x 600 check starts a screen of its own, with a copy of
# the prefix. Tails go through the helper's CreateProcessA byte for byte.
set -uo pipefail
scr="$1" helper="$2"
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
source "$(dirname "$0")/../../scripts/lib.sh"
failures=0

cleanup() {
  rm -f "$WINEPREFIX/drive_c/windows/Wf_Aokiri.ini"
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

windows_path() { local p="${1//\//\\}"; echo "Z:$p"; }
hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }

# launch TAIL [PROGRAM]: runs the saver with "aokiri.scr TAIL" as its whole
# command line and prints its 32-bit exit code.
launch() {
  local program="${2:-$scr}"
  "$wine" "$helper" launch "$(windows_path "$program")" "$(hex "aokiri.scr $1")" 2>/dev/null |
    tr -d '\r' | sed -n 's/^exit code //p'
}

expect_exit() {
  local tail="$1" expected="$2" got
  got=$(launch "$tail" "${3:-$scr}")
  [ "$got" = "$expected" ] && pass "exit code $got for tail $(printf '%q' "$tail")" ||
    fail "tail $(printf '%q' "$tail"): exit code '$got', expected $expected"
}

settings() { printf '%s' "$1" >"$WINEPREFIX/drive_c/windows/Wf_Aokiri.ini"; }
no_settings() { rm -f "$WINEPREFIX/drive_c/windows/Wf_Aokiri.ini"; }

# The largest channel value in a region of a screenshot, 0 to 255.
region_max() { convert "$1" -crop "$2" +repage -format '%[fx:int(255*maxima)]' info:; }

expect_black() {
  local got; got=$(region_max "$1" "$2")
  [ "$got" = 0 ] && pass "$3 black ($2)" || fail "$3 ($2) not black: max $got"
}

expect_picture() {
  local got; got=$(region_max "$1" "$2")
  [ "$got" -gt 0 ] && pass "$3 shows the picture ($2)" || fail "$3 ($2) is black"
}

# expect_frame SHOT NAME X Y WIDTH HEIGHT: the picture reaches each edge of
# that rectangle.
expect_frame() {
  local shot="$1" name="$2" x="$3" y="$4" w="$5" h="$6"
  expect_picture "$shot" "1x$h+$x+$y" "$name's left column"
  expect_picture "$shot" "1x$h+$((x + w - 1))+$y" "$name's right column"
  expect_picture "$shot" "${w}x1+$x+$y" "$name's top row"
  expect_picture "$shot" "${w}x1+$x+$((y + h - 1))" "$name's bottom row"
}

wait_for_window() {
  for _ in $(seq 100); do
    xdotool search --name "^$1\$" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# full_screen NAME: runs /s, shoots the screen to $work/NAME.png once several
# ticks have passed, closes the saver and checks its exit code. (Not inside
# $(...): a Wine process may hold the capture's pipe open.)
full_screen() {
  local shot="$work/$1.png" code_file="$work/$1.code"
  launch "/s" >"$code_file" &
  local launcher=$!
  wait_for_window "Screen Saver" || fail "$1: no saver window"
  sleep 1.5
  import -window root "$shot"
  "$wine" "$helper" close WindowsScreenSaverClass "Screen Saver"
  wait "$launcher"
  [ "$(cat "$code_file")" = 0 ] && pass "$1: exit code 0 after closing" || fail "$1: exit code '$(cat "$code_file")'"
}

# ---- Exit codes -------------------------------------------------------------
no_settings
for tail in /x /1 '/?' $'\x80' $'\xE9s' /p '/p 0' '/p:567' '/p 12ab' '/a 567' $'/\ts'; do
  expect_exit "$tail" -1
done

# On Windows 9x the password change runs and ends with 0.
cp "$scr" "$work/aokiri98.scr"
"$wine" reg add 'HKCU\Software\Wine\AppDefaults\aokiri98.scr' /v Version /t REG_SZ /d win98 /f >/dev/null 2>&1
expect_exit '/a 567' 0 "$work/aokiri98.scr"
"$wine" reg delete 'HKCU\Software\Wine\AppDefaults\aokiri98.scr' /f >/dev/null 2>&1

# ---- 1024 x 768, no settings file: the frame at (272, 64), the rest black ----
full_screen centre
shot="$work/centre.png"
expect_frame "$shot" frame 272 64 480 640
expect_black "$shot" 272x768+0+0 "left of the frame"
expect_black "$shot" 272x768+752+0 "right of the frame"
expect_black "$shot" 480x64+272+0 "above the frame"
expect_black "$shot" 480x64+272+704 "below the frame"

# ---- MOVING 7 pins the frame at (0, 0) ---------------------------------------
settings $'[MOVING_SECTION]\r\nMOVING=7\r\n'
full_screen pinned
shot="$work/pinned.png"
no_settings
expect_frame "$shot" "pinned frame" 0 0 480 640
expect_black "$shot" 544x768+480+0 "right of the pinned frame"
expect_black "$shot" 480x128+0+640 "below the pinned frame"

# ---- Preview inside a window of another process ------------------------------
"$wine" "$helper" parent >"$work/parent.txt" 2>/dev/null &
parent_pid=$!
for _ in $(seq 100); do [ -s "$work/parent.txt" ] && break; sleep 0.1; done
parent=$(tr -d '\r\n' <"$work/parent.txt")
launch "/p $parent" >"$work/preview.code" &
preview=$!
sleep 2
"$wine" "$helper" close SettingsPage "settings page"
wait "$preview" "$parent_pid"
# Wine 8 shows nothing that a child window draws into a window of another
# process, so the check is on the child that the parent finds in itself.
child=$(tr -d '\r' <"$work/parent.txt" | sed -n 's/^child //p')
[ "$child" = "0 0 320 240 style 52000000" ] && pass "preview child over the parent's client area: $child" ||
  fail "preview child: '$child'"
[ "$(cat "$work/preview.code")" = 0 ] && pass "preview: exit code 0 when its parent goes" ||
  fail "preview: exit code '$(cat "$work/preview.code")'"

# ---- 800 x 600: the frame stretched over the whole screen --------------------
saved_display="$DISPLAY" saved_prefix="$WINEPREFIX"
cp -a "$WINEPREFIX" "$work/prefix800"
start_virtual_display 800x600x24
export WINEPREFIX="$work/prefix800"
/usr/lib/wine/wineserver -p
"$wine" wineboot >/dev/null 2>&1
no_settings
full_screen stretched
shot="$work/stretched.png"
expect_frame "$shot" "stretched frame" 0 0 800 600
/usr/lib/wine/wineserver -k
stop_virtual_display
export DISPLAY="$saved_display" WINEPREFIX="$saved_prefix"

echo "$failures failed"
[ "$failures" -eq 0 ]
