#!/usr/bin/env bash
# Builds everything and runs all tests. CTest's summary is the last output.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/build.sh"
build="${BUILD_DIR:-$here/build}"
export QT_QPA_PLATFORM=offscreen
cd "$build"
exec ctest --output-on-failure --timeout 600
