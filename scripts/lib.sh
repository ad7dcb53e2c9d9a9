# Shared by the run and test commands: packages, virtual display, Wine.
# Sourced, not run.

AOKIRI_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

AOKIRI_PACKAGES=(
  cmake ninja-build g++ pkg-config
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 xvfb xauth x11-utils xdotool imagemagick icoutils
  libgtest-dev libbenchmark-dev libx11-dev libxft-dev libasound2-dev
  fonts-vlgothic fonts-wine locales
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages that are not there yet.
install_packages() {
  local missing=()
  for package in "${AOKIRI_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# configure_and_build PRESET [TARGET...]
configure_and_build() {
  local preset="$1"; shift
  cmake --preset "$preset" >/dev/null
  if [ $# -gt 0 ]; then
    cmake --build "$AOKIRI_ROOT/build/$preset" --parallel 2 --target "$@"
  else
    cmake --build "$AOKIRI_ROOT/build/$preset" --parallel 2
  fi
}

# Starts a virtual X server on a free display; it stops when the shell exits.
start_virtual_display() {
  local geometry="${1:-1024x768x24}" number=90
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
  # -noreset: otherwise the server resets, and recentres the pointer, whenever its last client leaves.
  Xvfb ":$number" -screen 0 "$geometry" -noreset -nolisten tcp >/dev/null 2>&1 &
  AOKIRI_XVFB_PID=$!
  export DISPLAY=":$number"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

stop_virtual_display() {
  [ -n "${AOKIRI_XVFB_PID:-}" ] && kill "$AOKIRI_XVFB_PID" 2>/dev/null
  AOKIRI_XVFB_PID=
}

# Prepares a Wine prefix and keeps one wineserver for all that follows:
# without it every Wine start costs seconds.
start_wine() {
  export WINEPREFIX="$1" WINEDEBUG=-all
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    # No sound card here: keep ALSA quiet.
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f >/dev/null 2>&1
    # No window manager under Xvfb: Wine would wait 2 s for one each time a
    # test program destroys a window that has a caption (the settings dialog).
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\AppDefaults\aokiri_tests.exe\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  fi
  /usr/lib/wine/wineserver -p
  # Start Wine's background services now, so that no test starts them and
  # keeps its output pipe open.
  /usr/lib/wine/wine64 wineboot >/dev/null 2>&1
}

# use_japanese_locale DIR: builds the locale ja_JP.UTF-8 into DIR once,
# without touching the system, and selects it for everything this shell
# starts. Wine then runs programs in the Japanese ANSI code page (932), which
# the settings dialog's texts need; otherwise they show as "?".
use_japanese_locale() {
  local dir="$1"
  if [ ! -f "$dir/ja_JP.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$dir"
    localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" >/dev/null 2>&1
    [ -f "$dir/ja_JP.UTF-8/LC_CTYPE" ] || { echo "localedef could not build ja_JP.UTF-8 in $dir" >&2; return 1; }
  fi
  # The shell itself cannot load a locale from LOCPATH and would say so.
  { export LOCPATH="$dir" LC_ALL=ja_JP.UTF-8; } 2>/dev/null
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver -k 2>/dev/null
  unset WINEPREFIX
}
