#!/usr/bin/env bash
# The Windows check: the core without windows cross-built with MinGW-w64
# (Qt-free libraries, radioclone.exe, the simulator's library, every
# window-less test), statically linked to the compiler's runtime, and run
# under Wine without a display:
#  - every test program, one line each;
#  - clones through a Windows COM port: the Linux radioclone simulates a
#    radio on a pseudo-terminal, Wine's COM5 is that device, and
#    radioclone.exe reads and writes through the Win32 serial port layer.
# Prints one line per check and finally "N passed, M failed"; the status is
# non-zero on any failure.
#
# Environment: BUILD_JOBS (default 2), WINDOWS_BUILD_DIR (default
# build-windows), CORE_BUILD_DIR (the native core for the simulator, default
# build-core, as CI builds it).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
jobs="${BUILD_JOBS:-2}"
win_build="${WINDOWS_BUILD_DIR:-$here/build-windows}"
core_build="${CORE_BUILD_DIR:-$here/build-core}"

bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine64

wine=""
for candidate in wine64 /usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64; do
  if command -v "$candidate" >/dev/null 2>&1; then
    wine="$(command -v "$candidate")"
    break
  fi
done
if [ -z "$wine" ]; then
  echo "test-windows: wine64 not found" >&2
  exit 1
fi
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver="$(command -v wineserver || true)"

# The native tool plays the radio; configured as CI configures the core.
cmake -S . -B "$core_build" -G Ninja --no-warn-unused-cli -DRADIO_BUILD_GUI=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DRADIO_BUILD_BENCH=OFF >/dev/null
# Quiet unless a build fails.
build() {
  local log="$1/test-windows-build.log"
  shift
  if ! cmake --build "$@" >"$log" 2>&1; then
    tail -n 80 "$log"
    echo "test-windows: the build failed (all of it in $log)" >&2
    exit 1
  fi
}
build "$core_build" "$core_build" -j "$jobs" --target radioclone
native_rc="$core_build/tools/radioclone/radioclone"

# GoogleTest for the target is built from Debian's sources (libgtest-dev).
cmake -S . -B "$win_build" -G Ninja --no-warn-unused-cli \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
  -DRADIO_BUILD_GUI=OFF -DRADIO_BUILD_BENCH=OFF \
  -DRADIO_GTEST_SOURCE_DIR=/usr/src/googletest >/dev/null
build "$win_build" "$win_build" -j "$jobs"
win_rc="$win_build/tools/radioclone/radioclone.exe"

# A private Wine prefix, gone afterwards; no display, no Mono or Gecko.
work="$(mktemp -d "${TMPDIR:-/tmp}/radio-windows.XXXXXX")"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
sims=()
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -n "$wineserver" ] && "$wineserver" -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# One server for all the runs, so that each program starts at once.
mkdir "$WINEPREFIX"
"$wineserver" -p >/dev/null 2>&1
"$wine" wineboot --init >/dev/null 2>&1

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS  $*"; }
fail() { failed=$((failed + 1)); echo "FAIL  $*"; }

# No DLL beyond those of the system: the compiler's runtime is linked in.
objdump="$(dirname "$(command -v x86_64-w64-mingw32-g++-posix)")/x86_64-w64-mingw32-objdump"
mapfile -t programs <"$win_build/test-programs.txt"
declare -A system_dll=()
for f in "$WINEPREFIX"/drive_c/windows/system32/*.dll; do
  f="$(basename "$f")"
  system_dll["${f,,}"]=1
done
extra=""
for exe in "$win_rc" "${programs[@]}"; do
  for dll in $("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p'); do
    dll="${dll,,}"
    [ -n "${system_dll[$dll]:-}" ] || extra+=" $(basename "$exe"):$dll"
  done
done
if [ -z "$extra" ]; then
  pass "static runtime: radioclone.exe and ${#programs[@]} test programs need only system DLLs"
else
  fail "static runtime: extra DLLs needed:$extra"
fi

# ---- the test programs -------------------------------------------------------
for exe in "${programs[@]}"; do
  name="$(basename "$exe" .exe)"
  log="$work/$name.log"
  status=0
  (cd "$(dirname "$exe")" && timeout 600 "$wine" "$exe") >"$log" 2>&1 || status=$?
  ran="$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' "$log")"
  skipped="$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below:/\1/p' "$log")"
  summary="${ran:-0} tests, ${skipped:-0} skipped"
  if [ "$status" -eq 0 ] && [ -n "$ran" ]; then
    pass "$name: $summary"
  else
    fail "$name: $summary, status $status (log follows)"
    sed 's/^/      /' "$log" | grep -v '^      \[       OK \]' | tail -n 60
  fi
  # Each skipped test with the reason it gave.
  tr -d '\r' <"$log" | awk '/: Skipped$/ { getline reason; next_reason = reason }
       /^\[  SKIPPED \] [^0-9]/ && / \(/ { sub(/^\[  SKIPPED \] /, ""); sub(/ \(.*/, "");
         print "        skipped " $0 ": " next_reason }'
done

# ---- clones through COM5 ---------------------------------------------------------
com5="$WINEPREFIX/dosdevices/com5"

# Starts the Linux simulator: start_sim NAME MODEL [simulate options]; sets
# sim_pid and sim_dev, its stderr goes to $work/NAME.sim.
start_sim() {
  local name="$1" model="$2"
  shift 2
  "$native_rc" simulate --model "$model" "$@" >"$work/$name.dev" 2>"$work/$name.sim" &
  sim_pid=$!
  sims+=("$sim_pid")
  sim_dev=""
  for _ in $(seq 100); do
    sim_dev="$(head -n 1 "$work/$name.dev")"
    [ -n "$sim_dev" ] && return 0
    sleep 0.1
  done
  echo "test-windows: the simulator did not start: $(cat "$work/$name.sim")" >&2
  return 1
}
stop_sim() {
  kill -INT "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
}
# Waits until the simulator has saved its memory after a session.
wait_saved() {
  for _ in $(seq 300); do
    grep -q '^session .*, saved' "$work/$1.sim" && return 0
    sleep 0.1
  done
  return 1
}
# radioclone.exe with its time on the wall clock in $work/last.ms.
run_win() {
  local start end
  start=$(date +%s%N)
  set +e
  timeout 300 "$wine" "$win_rc" "$@"
  local status=$?
  set -e
  end=$(date +%s%N)
  echo $(((end - start) / 1000000)) >"$work/last.ms"
  return $status
}

# Wine's PurgeComm(PURGE_TXCLEAR) is tcflush(TCOFLUSH), which on a
# pseudo-terminal takes back bytes the radio has not read yet: a wake-up byte
# written 2 ms before the next purge, or the acknowledgement purged right
# after it, is lost when the simulator was not scheduled in between (a real
# port has sent them by then), and the transfer asks to retry. The clones
# answer Retry a few times, and the line says how often it was needed.
retries_note() {
  local n
  n="$(grep -c "retrying" "$1" || true)"
  [ "$n" -eq 0 ] || echo ", Retry answered $n time(s) after bytes dropped by the purge"
}

clone_check() {
  local model="$1" program="$2"
  local file="$here/res/examples/$model.dat"
  # What the Linux tool leaves in a radio of default memory after writing the file.
  start_sim "$model-linux" "$model" --save "$work/$model-linux.dat"
  "$native_rc" write --model "$model" --port "$sim_dev" "$file" 2>"$work/$model-linux.err" &&
    wait_saved "$model-linux" || true
  stop_sim

  # The same through COM5 from Windows, then read back.
  start_sim "$model" "$model" --save "$work/$model-radio.dat"
  ln -sfn "$sim_dev" "$com5"
  if run_win write --model "$model" --port com5 --retries 5 "$file" 2>"$work/$model-write.err" &&
    wait_saved "$model" && cmp -s "$work/$model-radio.dat" "$work/$model-linux.dat"; then
    pass "com5 write $program: the radio holds what the Linux tool writes" \
      "($(cat "$work/last.ms") ms$(retries_note "$work/$model-write.err"))"
  else
    fail "com5 write $program: $(tr '\n' ' ' <"$work/$model-write.err") simulator: $(tr '\n' ' ' <"$work/$model.sim")"
  fi
  if run_win read --model "$model" --port com5 --retries 5 -o "$work/$model-read.dat" \
    2>"$work/$model-read.err" && cmp -s "$work/$model-read.dat" "$work/$model-radio.dat"; then
    pass "com5 read $program: the file equals the simulator's saved image" \
      "($(cat "$work/last.ms") ms$(retries_note "$work/$model-read.err"))"
  else
    fail "com5 read $program: $(tr '\n' ' ' <"$work/$model-read.err")"
  fi
  stop_sim
}
clone_check wren-v3 ProgramWrenV3
clone_check lark ProgramLark

# A radio that never answers: the programmers' message, a failure status and
# no file, on Windows as on Linux.
start_sim silent wren-v3 --fault never-answer
ln -sfn "$sim_dev" "$com5"
status=0
run_win read --model wren-v3 --port com5 -o "$work/silent.dat" 2>"$work/silent.err" || status=$?
win_ms="$(cat "$work/last.ms")"
start=$(date +%s%N)
"$native_rc" read --model wren-v3 --port "$sim_dev" -o "$work/silent-linux.dat" 2>/dev/null || true
linux_ms=$((($(date +%s%N) - start) / 1000000))
stop_sim
if [ "$status" -ne 0 ] && [ ! -e "$work/silent.dat" ] &&
  grep -q "Communication Error,Please check all the connections and the radio power" "$work/silent.err"; then
  pass "com5 never-answer: \"Communication Error,...\" and status $status ($win_ms ms; Linux $linux_ms ms)"
else
  fail "com5 never-answer: status $status: $(tr '\n' ' ' <"$work/silent.err")"
fi

# The time-out rules the protocol counts on, as the Win32 layer sets them
# (SetCommTimeouts): a reply cut short ends 30 ms after its last byte, not
# when the whole reply's time (500 ms a byte + 90 ms; 6090 ms for a 12-byte
# block) has passed; a radio fallen silent is given up after that time.
timeout_check() {
  local fault="$1" low="$2" high="$3" rule="$4"
  start_sim "$fault" wren-v3 --fault "$fault"
  ln -sfn "$sim_dev" "$com5"
  local status=0 ms
  run_win read --model wren-v3 --port com5 -o "$work/cut.dat" 2>"$work/cut.err" || status=$?
  ms="$(cat "$work/last.ms")"
  stop_sim
  if [ "$status" -ne 0 ] && [ "$ms" -ge "$low" ] && [ "$ms" -lt "$high" ] &&
    grep -q "Program Interrupt, Please reset the radio and try again" "$work/cut.err"; then
    pass "com5 $fault: $rule ($ms ms, Program Interrupt)"
  else
    fail "com5 $fault: $rule: took $ms ms (from $low to $high expected), status $status:" \
      "$(tr '\n' ' ' <"$work/cut.err")"
  fi
}
timeout_check short-reply:5 0 3000 "a reply cut short ends on the 30 ms interval time-out"
timeout_check silence-from:5 6090 12000 "silence ends on the reply's total time-out"

echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
