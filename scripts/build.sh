#!/usr/bin/env bash
# Installs what the project needs (when missing), configures and builds.
# Usage: scripts/build.sh [TARGET...]   (default: everything)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
build="${BUILD_DIR:-$here/build}"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
jobs="${BUILD_JOBS:-2}"
if [ $# -gt 0 ]; then
  targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$build" -j "$jobs" "${targets[@]}"
else
  cmake --build "$build" -j "$jobs"
fi
