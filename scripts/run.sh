#!/usr/bin/env bash
# The main job: builds the suite and starts ProductLauncher, from which the
# user picks a programmer and the interface language. Without a display it
# says how to run it under Xvfb and shows the bundled example through the
# command line tool instead.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
example="$here/res/examples/wren-v3.dat"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  # The launcher starts the programmers from its own folder.
  bash "$here/scripts/build.sh" ProductLauncher ProgramLark ProgramWren ProgramWrenV2 \
    ProgramWrenV3 >/dev/null
  exec "$build/bin/ProductLauncher"
fi

echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are unset): ProductLauncher cannot"
echo "open a window here. To run it on a virtual display:"
echo "  xvfb-run -a scripts/run.sh"
echo "(and scripts/screenshots.sh or scripts/launcher-screenshots.sh take pictures of it)."
echo "Meanwhile, the bundled example through the command line tool:"
echo
bash "$here/scripts/build.sh" radioclone >/dev/null
rc="$build/tools/radioclone/radioclone"
echo "== Channel table of $example (ProgramWrenV3), used rows =="
"$rc" export --model wren-v3 "$example" | awk -F, 'NR == 1 || $2 != ""'
echo
echo "== Optional features =="
"$rc" options --model wren-v3 "$example"
