#!/usr/bin/env bash
# The main job: builds the suite and shows the bundled example image through
# the command line tool (its channel table and its optional features).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/build.sh" radioclone >/dev/null
build="${BUILD_DIR:-$here/build}"
rc="$build/tools/radioclone/radioclone"
example="$here/res/examples/wren-v3.dat"
echo "== Channel table of $example (ProgramWrenV3), used rows =="
"$rc" export --model wren-v3 "$example" | awk -F, 'NR == 1 || $2 != ""'
echo
echo "== Optional features =="
"$rc" options --model wren-v3 "$example"
