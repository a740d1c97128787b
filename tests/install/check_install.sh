#!/usr/bin/env bash
# Usage: check_install.sh BUILD CMAKE RUNTIME_DIR EXAMPLES BINDIR PROGRAMS_DIR DATADIR
#
# Installs BUILD with prefix /usr into a temporary DESTDIR, as the package
# does, then checks what came out and starts every program from there.
# The install folders are the ones CMake was configured with (relative to
# the prefix, or absolute).
set -uo pipefail

build=$1 cmake=$2 runtime=$3 examples=$4
work="$(mktemp -d "${TMPDIR:-/tmp}/install-tree.XXXXXX")"
work="$(cd "$work" && pwd -P)"
root="$work/root"
under_prefix() {
  case "$1" in
    /*) echo "$root$1" ;;
    *) echo "$root/usr/$1" ;;
  esac
}
bindir=$(under_prefix "$5")
programs=$(under_prefix "$6")
datadir=$(under_prefix "$7")
# The path the desktop entries must name: the prefix's, without DESTDIR.
installed_bindir=${bindir#"$root"}

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

pid=""
stop() {
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null
  for _ in $(seq 20); do
    running "$pid" || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
}
# cmake --install rewrites the build's list of installed files; the list
# of the user's own install is put back.
manifest="$build/install_manifest.txt"
[ -f "$manifest" ] && cp -p "$manifest" "$work/manifest"
cleanup() {
  stop
  if [ -f "$work/manifest" ]; then
    cp -p "$work/manifest" "$manifest"
  else
    rm -f "$manifest"
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A child that has quit stays a zombie until waited for; kill -0 would
# still find it.
running() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1)
  [ -n "$state" ] && [ "$state" != Z ]
}

echo "Installing into $root" >&2
if ! DESTDIR="$root" "$cmake" --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  echo "FAIL: cmake --install failed" >&2
  exit 1
fi
# The list must hold every installed file, or removing by it leaves some.
unlisted=$(comm -23 <(find "$root" -type f | sed "s|^$root||" | sort) <(sort "$manifest"))
[ -z "$unlisted" ] || fail "not in install_manifest.txt: $unlisted"

# --- The program folder: all the programs expect beside themselves. ---
expected=(ProductLauncher ProgramLark ProgramWren ProgramWrenV2 ProgramWrenV3 radioclone
  Program.ini ProgramLark.ini ProgramWren.ini ProgramWrenV2.ini ProgramWrenV3.ini
  EnglishLark.rcc ChineseLark.rcc EnglishWrenV2.rcc ChineseWrenV2.rcc
  EnglishWrenV3.rcc ChineseWrenV3.rcc enHelp.chm chHelp.chm title.ico background.bmp)
for file in "${expected[@]}"; do
  [ -s "$programs/$file" ] || fail "$programs/$file is missing or empty"
done
for program in ProductLauncher ProgramLark ProgramWren ProgramWrenV2 ProgramWrenV3 radioclone; do
  [ -x "$programs/$program" ] || fail "$programs/$program is not executable"
done
# Whatever the build puts beside the programs must be installed too; files
# a run from the build tree may leave there (temporary files) are not.
for file in "$runtime"/*; do
  name=$(basename "$file")
  case "$name" in
    *.ini | *.rcc | *.chm | *.ico | *.bmp) ;;
    *) [ -f "$file" ] && [ -x "$file" ] || continue ;;
  esac
  [ -e "$programs/$name" ] || fail "$name is in $runtime but not installed"
done

# --- Commands, desktop entries, icons. ---
commands=(radio-clone-suite program-lark program-wren program-wren-v2 program-wren-v3 radioclone)
for command in "${commands[@]}"; do
  if [ ! -x "$bindir/$command" ]; then
    fail "command $bindir/$command is missing"
  elif [ "$(head -n 1 "$bindir/$command")" != "#!/bin/sh" ]; then
    fail "$bindir/$command is not a /bin/sh script"
  fi
done

entries=(radio-clone-suite radio-clone-suite-lark radio-clone-suite-wren
  radio-clone-suite-wren-v2 radio-clone-suite-wren-v3)
for entry in "${entries[@]}"; do
  file="$datadir/applications/$entry.desktop"
  if [ ! -f "$file" ]; then
    fail "desktop entry $file is missing"
    continue
  fi
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$file" >&2 || fail "desktop-file-validate rejects $entry.desktop"
  fi
  # Exec names an installed command by the path it has once installed.
  exec_line=$(grep '^Exec=' "$file")
  target=${exec_line#Exec=}
  target=${target%% *}
  case "$target" in
    "$installed_bindir"/*) [ -x "$root$target" ] || fail "$entry.desktop starts $target, not installed" ;;
    *) fail "$entry.desktop starts $target, not a command of $installed_bindir" ;;
  esac
  icon_name=$(sed -n 's/^Icon=//p' "$file")
  [ -f "$datadir/icons/hicolor/48x48/apps/$icon_name.png" ] ||
    fail "$entry.desktop shows icon \"$icon_name\", which is not installed"
done
# Programmers open the file they are given; the launcher takes none.
for entry in "${entries[@]:1}"; do
  grep -q '^Exec=.* %f$' "$datadir/applications/$entry.desktop" ||
    fail "$entry.desktop does not pass the file"
done

# PNG, of the size its folder says: the width and height of the IHDR chunk.
for size in 16 32 48 256; do
  icon="$datadir/icons/hicolor/${size}x${size}/apps/radio-clone-suite.png"
  if [ ! -f "$icon" ]; then
    fail "icon $icon is missing"
    continue
  fi
  signature=$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')
  [ "$signature" = 89504e470d0a1a0a ] || fail "$icon is not a PNG file"
  read -r width height < <(od -An -tu4 --endian=big -j 16 -N 8 "$icon")
  [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
    fail "$icon is ${width}x$height"
done

# --- radioclone from the command, also through a link to it. ---
home="$work/home"
mkdir -p "$home" "$work/config" "$work/runtime" "$work/links"
chmod 700 "$work/runtime"
ln -s "$bindir/radioclone" "$work/links/rc"
for rc in "$bindir/radioclone" "$work/links/rc"; do
  rm -f "$work/lark.csv"
  if ! HOME="$home" "$rc" export --model lark "$examples/lark.dat" -o "$work/lark.csv" >&2; then
    fail "$rc export failed"
  elif ! cmp -s "$work/lark.csv" "$examples/lark.csv"; then
    fail "$rc export differs from $examples/lark.csv"
  fi
done

# --- The windows, offscreen, from the installed commands. ---
# Starts COMMAND [ARG...] with an empty home and no display; sets pid.
start() {
  local command=$1
  shift
  log="$work/$command.log"
  (
    unset DISPLAY WAYLAND_DISPLAY SESSION_MANAGER
    export HOME="$home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
    export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8
    exec "$bindir/$command" "$@"
  ) >"$log" 2>&1 &
  pid=$!
}

# Polls for up to 15 s (a loaded machine starts Qt slowly) until the
# program has mapped FILE, which a language library stays while in use.
# A library that fails to load is unmapped again, and the program shows a
# message box, offscreen for no one, so it would wait there but never map it.
wait_for_mapping() {
  local file=$1
  for _ in $(seq 150); do
    running "$pid" || return 1
    grep -qF " $file" "/proc/$pid/maps" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# Alive a second after starting: it found its libraries, plugins and files
# and is waiting in its window.
still_running() {
  for _ in $(seq 10); do
    running "$pid" || return 1
    sleep 0.1
  done
  running "$pid"
}

report() {
  fail "$1"
  sed 's/^/    /' "$log" >&2
}

set_language() {
  sed -i "/^\[Setup\]/,/^\[/ s/^Language=.*/Language=$2/" "$programs/$1.ini"
}

check_programmer() {
  local command=$1 program=$2 suffix=$3 example=$4 language=$5 other
  set_language "$program" "$language"
  start "$command" "$examples/$example"
  if [ -n "$suffix" ]; then
    other=English
    [ "$language" = English ] && other=Chinese
    if ! wait_for_mapping "$programs/$language$suffix.rcc"; then
      report "$program ($language) did not load $language$suffix.rcc"
    elif grep -qF "$other$suffix.rcc" "/proc/$pid/maps"; then
      report "$program ($language) loaded $other$suffix.rcc as well"
    elif ! still_running; then
      report "$program ($language) quit after loading its language library"
    fi
  elif ! still_running; then
    report "$program ($language) quit right after starting"
  fi
  stop
}

for language in English Chinese; do
  check_programmer program-lark ProgramLark Lark lark.dat "$language"
  check_programmer program-wren ProgramWren "" wren.dat "$language"
  check_programmer program-wren-v2 ProgramWrenV2 WrenV2 wren-v2.dat "$language"
  check_programmer program-wren-v3 ProgramWrenV3 WrenV3 wren-v3.dat "$language"
done

start radio-clone-suite
still_running || report "ProductLauncher quit right after starting"
stop

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "Installed tree is complete and every program starts from it" >&2
