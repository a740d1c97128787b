#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) in build-fuzz and runs each on a
# copy of its seed corpus for SECONDS, after replaying its saved regressions.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (default 60, all targets)
# Exit status 1 when any target found a crash, leak or time-out.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$ROOT/build-fuzz"
SECONDS_PER_TARGET=60
if [[ $# -gt 0 && "$1" =~ ^[0-9]+$ ]]; then
  SECONDS_PER_TARGET="$1"
  shift
fi
ALL=(fuzz_ini fuzz_dat fuzz_csv fuzz_cells fuzz_gbk fuzz_clone fuzz_help)
TARGETS=("$@")
[[ ${#TARGETS[@]} -eq 0 ]] && TARGETS=("${ALL[@]}")

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  bash "$ROOT/scripts/install-deps.sh" clang libclang-rt-14-dev libchm-dev
fi

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DRADIO_BUILD_GUI=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DRADIO_BUILD_BENCH=OFF -DRADIO_BUILD_TESTS=ON \
  -DRADIO_BUILD_FUZZ=ON --no-warn-unused-cli >/dev/null
cmake --build "$BUILD" --target "${TARGETS[@]}"

RUN="$BUILD/fuzz-runs"
mkdir -p "$RUN"
total_execs=0 total_corpus=0 total_found=0
rows=()
for t in "${TARGETS[@]}"; do
  bin="$BUILD/tests/fuzz/$t"
  out="$RUN/$t"
  rm -rf "$out"
  mkdir -p "$out/corpus" "$out/artifacts"
  cp "$ROOT/tests/fuzz/corpus/$t/"* "$out/corpus/" 2>/dev/null || true
  found=0
  # Inputs that once crashed must stay fixed.
  reg="$ROOT/tests/fuzz/regressions/$t"
  if compgen -G "$reg/*" >/dev/null; then
    if ! "$bin" -runs=0 "$reg"/* >"$out/regressions.log" 2>&1; then
      echo "$t: a saved regression fails again, see $out/regressions.log" >&2
      found=$((found + 1))
    fi
  fi
  # The .dat seeds are whole images, larger than libFuzzer's default length;
  # the help file seed is a whole compiled help file.
  max_len=9000
  [[ $t == fuzz_help ]] && max_len=32768
  "$bin" -max_total_time="$SECONDS_PER_TARGET" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$out/artifacts/" "$out/corpus" \
    >"$out/fuzz.log" 2>&1 || true
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/fuzz.log" | tail -1)
  execs=${execs:-0}
  corpus=$(find "$out/corpus" -type f | wc -l)
  artifacts=$(find "$out/artifacts" -type f | wc -l)
  found=$((found + artifacts))
  if [[ $artifacts -gt 0 ]]; then
    echo "$t: findings in $out/artifacts (log $out/fuzz.log)" >&2
  fi
  rows+=("$(printf '%-12s %12s %10s %9s' "$t" "$execs" "$corpus" "$found")")
  total_execs=$((total_execs + execs))
  total_corpus=$((total_corpus + corpus))
  total_found=$((total_found + found))
done

printf '%-12s %12s %10s %9s\n' target executions corpus findings
printf '%s\n' "${rows[@]}"
printf '%-12s %12s %10s %9s\n' total "$total_execs" "$total_corpus" "$total_found"
[[ $total_found -eq 0 ]]
