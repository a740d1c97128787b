#!/usr/bin/env bash
# Usage: scripts/report-pages.sh [OUTDIR]   (default: docs/report)
#
# Prints the bundled ProgramWrenV3 example as a PDF with radioclone, then
# renders its first two pages as PNG pictures for the README, in English
# and Chinese. BUILD_DIR picks the build folder (default: build/).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
outdir="${1:-$here/docs/report}"
radioclone="$build/tools/radioclone/radioclone"
example="$here/res/examples/wren-v3.dat"

bash "$here/scripts/install-deps.sh"
if [ ! -x "$radioclone" ]; then
  BUILD_DIR="$build" bash "$here/scripts/build.sh" radioclone
fi
mkdir -p "$outdir"
work="$(mktemp -d "${TMPDIR:-/tmp}/report-pages.XXXXXX")"
trap 'rm -rf "$work"' EXIT

for lang in en zh; do
  owner="Radio Clone Suite developers"
  [ "$lang" = zh ] && owner="Radio Clone Suite 开发者"
  "$radioclone" print --model wren-v3 "$example" -o "$work/report-$lang.pdf" \
    --lang "$lang" --owner "$owner"
  # 60 pixels per inch: readable in the README, small in the repository.
  pdftoppm -r 60 -f 1 -l 2 -png "$work/report-$lang.pdf" "$work/page-$lang"
  for n in 1 2; do
    src="$(ls "$work"/page-"$lang"-*"$n".png | head -n 1)"
    cp "$src" "$outdir/wren-v3-$lang-page-$n.png"
  done
done
echo "Wrote the report pages into $outdir" >&2
