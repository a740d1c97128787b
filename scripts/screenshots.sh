#!/usr/bin/env bash
# Usage: scripts/screenshots.sh [OUTDIR]   (default: docs/screenshots)
#
# Screenshots of ProgramWrenV3 with the bundled example image open, once in
# English and once in Chinese, for the README. Each run happens under its own
# Xvfb, from a copy of the bin folder and with an empty home, so the real
# profile and the user's own settings are neither used nor changed.
# BUILD_DIR picks the build folder (default: build/ in the repository).
set -euo pipefail

case "${1:-}" in
  -h | --help)
    sed -n 2p "$0"
    exit 0
    ;;
esac

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
outdir="${1:-$here/docs/screenshots}"
example="$here/res/examples/wren-v3.dat"
program=ProgramWrenV3
screen_size=1280x800
window_timeout=15

die() {
  echo "screenshots.sh: $*" >&2
  exit 1
}

# ImageMagick's import takes the pictures.
bash "$here/scripts/install-deps.sh" imagemagick
if [ ! -x "$build/bin/$program" ]; then
  echo "No $build/bin/$program yet: building it." >&2
  BUILD_DIR="$build" bash "$here/scripts/build.sh" "$program"
fi
[ -x "$build/bin/$program" ] || die "$build/bin/$program is missing after the build"
[ -f "$example" ] || die "example image $example is missing"

mkdir -p "$outdir"
outdir="$(cd "$outdir" && pwd)"

work="$(mktemp -d "${TMPDIR:-/tmp}/screenshots.XXXXXX")"
xvfb_pid=""
app_pid=""

stop() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  # A program that ignores the polite signal would keep the run waiting.
  for _ in $(seq 20); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

cleanup() {
  stop "$app_pid"
  app_pid=""
  stop "$xvfb_pid"
  xvfb_pid=""
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Sets Language= in the [Setup] section of a profile. The file may be UTF-8
# or GBK; a GBK trail byte is never a newline, so every line still starts
# with its own first byte and matching whole ASCII lines byte by byte is
# safe. All other lines are written back untouched, line ends included.
set_language() {
  local file=$1 language=$2
  LC_ALL=C awk -v lang="$language" '
    function ending(line) { return line ~ /\r$/ ? "\r" : "" }
    function header(line) { return line ~ /^[ \t]*\[.*\][ \t\r]*$/ }
    {
      if (NR == 1) eol = ending($0)
      if (header($0)) {
        if (in_setup && !done) { print "Language=" lang eol; done = 1 }
        in_setup = tolower($0) ~ /^[ \t]*\[setup\][ \t\r]*$/
        print
        next
      }
      if (in_setup && tolower($0) ~ /^[ \t]*language[ \t]*=/) {
        print "Language=" lang ending($0)
        done = 1
        next
      }
      print
    }
    END {
      if (in_setup && !done) { print "Language=" lang eol; done = 1 }
      if (!done) { print "[Setup]" eol; print "Language=" lang eol }
    }
  ' "$file" >"$file.new"
  mv "$file.new" "$file"
}

# Starts an Xvfb on a display no one uses; sets display and xvfb_pid.
start_xvfb() {
  local log=$1 fd_file=$2
  : >"$fd_file"
  # -displayfd lets the server pick a free display and tell which.
  Xvfb -displayfd 3 -screen 0 "${screen_size}x24" -nolisten tcp 3>"$fd_file" >"$log" 2>&1 &
  xvfb_pid=$!
  display=""
  for _ in $(seq 50); do
    display="$(tr -dc '0-9' <"$fd_file")"
    [ -n "$display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$display" ]; then
    cat "$log" >&2
    die "Xvfb did not start"
  fi
  display=":$display"
}

shoot() {
  local language=$1 out=$2
  local run="$work/$language"
  mkdir -p "$run/home" "$run/config" "$run/runtime"
  chmod 700 "$run/runtime"
  cp -a "$build/bin/." "$run/bin/"
  set_language "$run/bin/$program.ini" "$language"

  local display=""
  start_xvfb "$run/xvfb.log" "$run/display"

  # Only the copy's profile and an empty home: nothing the user set.
  (
    cd "$run"
    unset WAYLAND_DISPLAY SESSION_MANAGER
    export DISPLAY="$display" HOME="$run/home" XDG_CONFIG_HOME="$run/config"
    export XDG_RUNTIME_DIR="$run/runtime" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
    exec "$run/bin/$program" "$example"
  ) >"$run/program.log" 2>&1 &
  app_pid=$!

  local windows="" waited=0
  while [ "$waited" -lt $((window_timeout * 10)) ]; do
    if ! kill -0 "$app_pid" 2>/dev/null; then
      cat "$run/program.log" >&2
      die "$program ($language) quit before showing a window"
    fi
    windows="$(DISPLAY="$display" xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null || true)"
    [ -n "$windows" ] && break
    sleep 0.1
    waited=$((waited + 1))
  done
  if [ -z "$windows" ]; then
    cat "$run/program.log" >&2
    die "$program ($language) showed no window within ${window_timeout}s"
  fi
  # Lets the window finish painting its first frame.
  sleep 1

  # The titles of every window shown tell a message box from the main
  # window. Their union is the part of the screen worth keeping: without a
  # window manager nothing maximizes the main window, so the rest is bare.
  echo "$language: windows shown:" >&2
  local w x0=$((1 << 30)) y0=$((1 << 30)) x1=0 y1=0 X Y WIDTH HEIGHT
  for w in $(DISPLAY="$display" xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
    echo "  $(DISPLAY="$display" xdotool getwindowname "$w" 2>/dev/null)" >&2
    X="" Y="" WIDTH="" HEIGHT=""
    eval "$(DISPLAY="$display" xdotool getwindowgeometry --shell "$w" 2>/dev/null |
      grep -E '^(X|Y|WIDTH|HEIGHT)=-?[0-9]+$' || true)"
    if [ -z "$X" ] || [ -z "$Y" ] || [ -z "$WIDTH" ] || [ -z "$HEIGHT" ]; then
      continue
    fi
    [ "$X" -lt "$x0" ] && x0=$X
    [ "$Y" -lt "$y0" ] && y0=$Y
    [ $((X + WIDTH)) -gt "$x1" ] && x1=$((X + WIDTH))
    [ $((Y + HEIGHT)) -gt "$y1" ] && y1=$((Y + HEIGHT))
  done
  local sw=${screen_size%x*} sh=${screen_size#*x}
  [ "$x0" -lt 0 ] && x0=0
  [ "$y0" -lt 0 ] && y0=0
  [ "$x1" -gt "$sw" ] && x1=$sw
  [ "$y1" -gt "$sh" ] && y1=$sh
  if [ "$x1" -le "$x0" ] || [ "$y1" -le "$y0" ]; then
    x0=0 y0=0 x1=$sw y1=$sh
  fi

  # Lossless: a window of flat colours stays well under 100 kB anyway.
  import -display "$display" -window root -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage \
    -strip -define png:compression-level=9 "png:$out" ||
    die "screenshot of $language failed"

  stop "$app_pid"
  app_pid=""
  stop "$xvfb_pid"
  xvfb_pid=""
  echo "$language: $out" >&2
}

shoot English "$outdir/programwrenv3-en.png"
shoot Chinese "$outdir/programwrenv3-zh.png"
