#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the saver full screen
# (aokiri.scr /s) under Wine on your display; a key, a click or moving the
# mouse ends it, as does Ctrl+C here.
# Without a display it runs the saver on a virtual X server for a few
# seconds and writes screenshots.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$AOKIRI_ROOT"

install_packages
configure_and_build native
configure_and_build win64
configure_and_build win32

scr="$AOKIRI_ROOT/build/win64/aokiri.scr"
echo "Built build/native, build/win64 and build/win32 (the product: build/win32/aokiri.scr)."

# The 64-bit build runs under Wine here; the 32-bit product needs Windows.
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  trap stop_wine EXIT
  start_wine "$AOKIRI_ROOT/build/wine-run" || true  # a server already running is fine
  echo "Running $scr /s on $DISPLAY; a key, a click or moving the mouse ends it."
  /usr/lib/wine/wine64 "$scr" /s
else
  trap 'stop_wine; stop_virtual_display' EXIT
  start_virtual_display 1024x768x24
  start_wine "$AOKIRI_ROOT/build/wine-run" || true  # a server already running is fine
  shots="$AOKIRI_ROOT/build/screenshots"
  mkdir -p "$shots"
  echo "No display: running $scr /s on a virtual X server ($DISPLAY) for a few seconds."
  /usr/lib/wine/wine64 "$scr" /s &
  saver=$!
  for second in 1 2 3 4; do
    sleep 1
    import -window root "$shots/saver-${second}s.png"
  done
  kill "$saver" 2>/dev/null || true
  wait "$saver" 2>/dev/null || true
  echo "Screenshots after 1 to 4 seconds: $shots/saver-1s.png ... $shots/saver-4s.png"
fi
