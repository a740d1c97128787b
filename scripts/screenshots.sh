#!/usr/bin/env bash
# Usage: scripts/screenshots.sh [OUTDIR]   (default: docs/screenshots)
#
# Screenshots with the bundled example images open, once in English and once
# in Chinese: ProgramWrenV3's main window for the README, its Com Setup and
# "Write to several radios" dialogs, the Optional Features dialogs of
# ProgramWrenV3 and ProgramLark and ProgramLark's Scan Information dialog,
# opened from the menus with the keyboard as a user would. Each language runs
# under its own Xvfb, from a copy of the bin folder and with an empty home,
# so the real profile and the user's own settings are neither used nor
# changed.
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
examples="$here/res/examples"
programs=(ProgramWrenV3 ProgramLark)
screen_size=1280x800
window_timeout=15

die() {
  echo "screenshots.sh: $*" >&2
  exit 1
}

# Stopping programs, profile languages and the Xvfb.
# shellcheck source=scripts/xvfb-lib.sh
source "$here/scripts/xvfb-lib.sh"

# ImageMagick's import takes the pictures; xwininfo tells a dropped menu
# from a dialog.
bash "$here/scripts/install-deps.sh" imagemagick x11-utils
missing=()
for program in "${programs[@]}"; do
  [ -x "$build/bin/$program" ] || missing+=("$program")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "No ${missing[*]} in $build/bin yet: building." >&2
  BUILD_DIR="$build" bash "$here/scripts/build.sh" "${missing[@]}"
fi
for program in "${programs[@]}"; do
  [ -x "$build/bin/$program" ] || die "$build/bin/$program is missing after the build"
done
for example in wren-v3.dat lark.dat; do
  [ -f "$examples/$example" ] || die "example image $examples/$example is missing"
done

mkdir -p "$outdir"
outdir="$(cd "$outdir" && pwd)"

work="$(mktemp -d "${TMPDIR:-/tmp}/screenshots.XXXXXX")"
xvfb_pid=""
app_pid=""


cleanup() {
  stop "$app_pid"
  app_pid=""
  stop "$xvfb_pid"
  xvfb_pid=""
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM



# The windows of the running program that are mapped, one id a line.
shown_windows() {
  DISPLAY="$display" xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null || true
}

# Calls CHECK [ARG...] every tenth of a second until it succeeds; gives up
# after window_timeout seconds, or at once when the program has quit.
wait_until() {
  local what=$1 waited=0
  shift
  while [ "$waited" -lt $((window_timeout * 10)) ]; do
    if ! kill -0 "$app_pid" 2>/dev/null; then
      cat "$run/program.log" >&2
      die "$app_name ($language) quit while waiting for $what"
    fi
    "$@" && return 0
    sleep 0.1
    waited=$((waited + 1))
  done
  cat "$run/program.log" >&2
  die "$app_name ($language): no $what within ${window_timeout}s"
}

any_window() {
  [ -n "$(shown_windows)" ]
}

# Sets found to a window shown now but not in before. A dropped menu is an
# override-redirect window, a dialog is not: OVERRIDE says which (yes or no).
new_window() {
  local override=$1 w
  found=""
  for w in $(shown_windows); do
    case "$before" in *" $w "*) continue ;; esac
    if DISPLAY="$display" xwininfo -id "$w" 2>/dev/null |
      grep -q "Override Redirect State: $override"; then
      found=$w
      return 0
    fi
  done
  return 1
}

dialog_gone() {
  ! shown_windows | grep -qx "$dialog"
}

# Starts PROGRAM of the copy with EXAMPLE open; sets app_pid, app_name and
# main_window once it has shown its window.
start_program() {
  app_name=$1
  local example=$2
  # Only the copy's profile and an empty home: nothing the user set.
  (
    cd "$run"
    unset WAYLAND_DISPLAY SESSION_MANAGER
    export DISPLAY="$display" HOME="$run/home" XDG_CONFIG_HOME="$run/config"
    export XDG_RUNTIME_DIR="$run/runtime" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
    exec "$run/bin/$app_name" "$example"
  ) >"$run/program.log" 2>&1 &
  app_pid=$!
  wait_until "window" any_window
  # Lets the window finish painting its first frame.
  sleep 1
  main_window="$(shown_windows | head -n 1)"
}

# The titles of every window shown tell a message box from the main
# window. Their union is the part of the screen worth keeping: without a
# window manager nothing maximizes the main window, so the rest is bare.
shoot_screen() {
  local out=$1
  echo "$language: windows shown:" >&2
  local w x0=$((1 << 30)) y0=$((1 << 30)) x1=0 y1=0 X Y WIDTH HEIGHT
  for w in $(shown_windows); do
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
    die "screenshot of $app_name ($language) failed"
  echo "$language: $out" >&2
}

# Opens a dialog from the main window's menu bar: FIRST drops the menu, the
# other keys pick the item once it is down. Sets dialog.
open_dialog() {
  local first=$1
  shift
  if [ "$(shown_windows | wc -l)" -ne 1 ]; then
    die "$app_name ($language) shows more than its main window; a message box?"
  fi
  # Without a window manager nobody gives the main window the keyboard.
  DISPLAY="$display" xdotool windowfocus --sync "$main_window"
  local before found
  before=" $(shown_windows | tr '\n' ' ') "
  DISPLAY="$display" xdotool key "$first"
  wait_until "menu after $first" new_window yes
  DISPLAY="$display" xdotool key "$@"
  wait_until "dialog after $first $*" new_window no
  dialog=$found
}


close_dialog() {
  DISPLAY="$display" xdotool windowfocus --sync "$dialog" key Escape
  wait_until "closing of the dialog" dialog_gone
}

shoot() {
  local language=$1 suffix=$2
  local run="$work/$language" program
  mkdir -p "$run/home" "$run/config" "$run/runtime"
  chmod 700 "$run/runtime"
  cp -a "$build/bin/." "$run/bin/"
  for program in "${programs[@]}"; do
    set_language "$run/bin/$program.ini" "$language"
  done

  local display=""
  start_xvfb "$run/xvfb.log" "$run/display"

  local app_name main_window dialog
  start_program ProgramWrenV3 "$examples/wren-v3.dat"
  shoot_screen "$outdir/programwrenv3-$suffix.png"
  # Alt+E, O: Edit, Optional Features; the Chinese items keep the letters.
  open_dialog alt+e o
  shoot_dialog "$outdir/options-programwrenv3-$suffix.png"
  close_dialog
  # Alt+S, C: Setup, Com Setup, with the write's safeguards below the ports.
  open_dialog alt+s c
  shoot_dialog "$outdir/comsetup-programwrenv3-$suffix.png"
  close_dialog
  # Alt+P, S: Program, Write to several radios; Escape is its Stop.
  open_dialog alt+p s
  shoot_dialog "$outdir/writeseveral-programwrenv3-$suffix.png"
  close_dialog
  stop "$app_pid"
  app_pid=""

  start_program ProgramLark "$examples/lark.dat"
  # Scan Info, fourth item of the Program menu, has no letter of its own.
  open_dialog alt+p Down Down Down Return
  shoot_dialog "$outdir/scaninfo-programlark-$suffix.png"
  close_dialog
  open_dialog alt+e o
  shoot_dialog "$outdir/options-programlark-$suffix.png"
  # Lark's Optional Features dialog takes no Escape by design: quitting
  # the program closes it.
  stop "$app_pid"
  app_pid=""

  stop "$xvfb_pid"
  xvfb_pid=""
}

shoot English en
shoot Chinese zh
