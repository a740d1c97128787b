# Shared by the screenshot scripts: stopping a program, setting a profile's
# language, an Xvfb of their own and a picture of a dialog. Sourced by them; they set screen_size
# and define die.

stop() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  # A program that ignores the polite signal would keep the run waiting.
  for _ in $(seq 20); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# Sets Language= in the [Setup] section of a profile. The file may be UTF-8
# or GBK; a GBK trail byte is never a newline, so every line still starts
# with its own first byte and matching whole ASCII lines byte by byte is
# safe. All other lines are written back untouched, line ends included.
set_language() {
  local file=$1 language=$2
  LC_ALL=C awk -v lang="$language" '
    function ending(line) { return line ~ /\r$/ ? "\r" : "" }
    function header(line) { return line ~ /^[ \t]*\[.*\][ \t\r]*$/ }
    {
      if (NR == 1) eol = ending($0)
      if (header($0)) {
        if (in_setup && !done) { print "Language=" lang eol; done = 1 }
        in_setup = tolower($0) ~ /^[ \t]*\[setup\][ \t\r]*$/
        print
        next
      }
      if (in_setup && tolower($0) ~ /^[ \t]*language[ \t]*=/) {
        print "Language=" lang ending($0)
        done = 1
        next
      }
      print
    }
    END {
      if (in_setup && !done) { print "Language=" lang eol; done = 1 }
      if (!done) { print "[Setup]" eol; print "Language=" lang eol }
    }
  ' "$file" >"$file.new"
  mv "$file.new" "$file"
}

# Starts an Xvfb on a display no one uses; sets display and xvfb_pid.
start_xvfb() {
  local log=$1 fd_file=$2
  : >"$fd_file"
  # -displayfd lets the server pick a free display and tell which.
  # -noreset: a server that resets when its last client leaves would turn
  # away the next program, started right after the one before quit.
  Xvfb -displayfd 3 -screen 0 "${screen_size}x24" -nolisten tcp -noreset 3>"$fd_file" >"$log" 2>&1 &
  xvfb_pid=$!
  display=""
  for _ in $(seq 50); do
    display="$(tr -dc '0-9' <"$fd_file")"
    [ -n "$display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$display" ]; then
    cat "$log" >&2
    die "Xvfb did not start"
  fi
  display=":$display"
}

# Takes the dialog alone once two pictures a moment apart agree, that is
# once it has painted all of itself. Uses display, dialog, run, language
# and app_name of the caller.
shoot_dialog() {
  local out=$1 previous="$run/previous.png" waited=0
  local grab=(import -display "$display" -window "$dialog" -strip
    -define png:compression-level=9)
  "${grab[@]}" "png:$previous" || die "screenshot of $app_name ($language) failed"
  while :; do
    sleep 0.2
    "${grab[@]}" "png:$out" || die "screenshot of $app_name ($language) failed"
    cmp -s "$previous" "$out" && break
    waited=$((waited + 1))
    [ "$waited" -lt 15 ] || break
    mv "$out" "$previous"
  done
  echo "$language: $out ($(DISPLAY="$display" xdotool getwindowname "$dialog" 2>/dev/null))" >&2
}
