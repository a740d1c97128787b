#!/usr/bin/env bash
# Usage: scripts/launcher-screenshots.sh [OUTDIR]   (default: docs/screenshots)
#
# Screenshots of ProductLauncher's dialog, once with Language=English in its
# Program.ini and once with Language=Chinese: launcher-en.png and
# launcher-zh.png. Each runs under its own Xvfb, from a copy of the bin
# folder and with an empty home, and is stopped without pressing OK, so no
# programmer is started and no real profile is used or changed.
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
screen_size=800x600
window_timeout=15

die() {
  echo "launcher-screenshots.sh: $*" >&2
  exit 1
}

app_name=ProductLauncher
# Stopping programs, profile languages, the Xvfb and dialog pictures.
# shellcheck source=scripts/xvfb-lib.sh
source "$here/scripts/xvfb-lib.sh"

# ImageMagick's import takes the pictures.
bash "$here/scripts/install-deps.sh" imagemagick
if [ ! -x "$build/bin/ProductLauncher" ]; then
  echo "No ProductLauncher in $build/bin yet: building." >&2
  BUILD_DIR="$build" bash "$here/scripts/build.sh" ProductLauncher
fi
[ -x "$build/bin/ProductLauncher" ] || die "$build/bin/ProductLauncher is missing after the build"
[ -f "$build/bin/Program.ini" ] || die "$build/bin/Program.ini is missing after the build"

mkdir -p "$outdir"
outdir="$(cd "$outdir" && pwd)"

work="$(mktemp -d "${TMPDIR:-/tmp}/launcher-screenshots.XXXXXX")"
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



# Sets dialog to the launcher's window once it is mapped; gives up after
# window_timeout seconds, or at once when the launcher has quit.
wait_for_dialog() {
  local waited=0
  dialog=""
  while [ "$waited" -lt $((window_timeout * 10)) ]; do
    if ! kill -0 "$app_pid" 2>/dev/null; then
      cat "$run/launcher.log" >&2
      die "ProductLauncher ($language) quit before showing its dialog"
    fi
    dialog="$(DISPLAY="$display" xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null |
      head -n 1 || true)"
    [ -n "$dialog" ] && return 0
    sleep 0.1
    waited=$((waited + 1))
  done
  cat "$run/launcher.log" >&2
  die "ProductLauncher ($language): no dialog within ${window_timeout}s"
}


shoot() {
  local language=$1 suffix=$2
  local run="$work/$language"
  mkdir -p "$run/home" "$run/config" "$run/runtime"
  chmod 700 "$run/runtime"
  cp -a "$build/bin/." "$run/bin/"
  set_language "$run/bin/Program.ini" "$language"

  local display="" dialog=""
  start_xvfb "$run/xvfb.log" "$run/display"
  (
    cd "$run"
    unset WAYLAND_DISPLAY SESSION_MANAGER
    export DISPLAY="$display" HOME="$run/home" XDG_CONFIG_HOME="$run/config"
    export XDG_RUNTIME_DIR="$run/runtime" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
    exec "$run/bin/ProductLauncher"
  ) >"$run/launcher.log" 2>&1 &
  app_pid=$!
  wait_for_dialog
  shoot_dialog "$outdir/launcher-$suffix.png"
  # Stopped, not answered: OK would start a programmer.
  stop "$app_pid"
  app_pid=""
  stop "$xvfb_pid"
  xvfb_pid=""
}

shoot English en
shoot Chinese zh
