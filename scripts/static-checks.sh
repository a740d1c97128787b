#!/usr/bin/env bash
# Static checks over the tree: clang-format (the code follows .clang-format)
# and clang-tidy (.clang-tidy) over every source file of the build.
# Usage: scripts/static-checks.sh [FILE-REGEX]   (default: all our sources)
# Uses the compile database of BUILD_DIR (default build/), configuring and
# generating it first when needed. Exit status 1 on any finding.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/install-deps.sh" clang-tidy
build="${BUILD_DIR:-$here/build}"
status=0

echo "== clang-format"
cd "$here"
if git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror; then
  echo "clang-format: clean"
else
  status=1
fi

echo "== clang-tidy"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
# The moc and resource sources must exist for the database's files to parse.
cmake --build "$build" -j "${BUILD_JOBS:-2}" --target all >/dev/null
dirs='image|link|editor|dialogs|shell|launcher|programs|tools|bench|tests'
regex="${1:-^$here/($dirs)/.*\\.cpp\$}"
log="$build/clang-tidy.log"
if run-clang-tidy -quiet -p "$build" -j "${BUILD_JOBS:-2}" "$regex" >"$log" 2>&1; then
  echo "clang-tidy: clean ($(grep -c '^clang-tidy' "$log" || true) files)"
else
  grep -E '(warning|error):' "$log" | sort -u | head -100
  echo "clang-tidy: findings, see $log"
  status=1
fi
exit $status
