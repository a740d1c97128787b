#!/usr/bin/env bash
# The main job: builds the suite and opens the bundled example image in a
# programmer (ProgramWrenV3). Without a display it says so and shows the
# example through the command line tool instead.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
example="$here/res/examples/wren-v3.dat"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  bash "$here/scripts/build.sh" ProgramWrenV3 >/dev/null
  # The programmer finds its profile and help files beside itself.
  exec "$build/bin/ProgramWrenV3" "$example"
fi

echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are unset): the programmer window"
echo "cannot open here, so the example is shown through the command line tool."
echo "With a display, scripts/run.sh opens it in ProgramWrenV3."
echo
bash "$here/scripts/build.sh" radioclone >/dev/null
rc="$build/tools/radioclone/radioclone"
echo "== Channel table of $example (ProgramWrenV3), used rows =="
"$rc" export --model wren-v3 "$example" | awk -F, 'NR == 1 || $2 != ""'
echo
echo "== Optional features =="
"$rc" options --model wren-v3 "$example"
