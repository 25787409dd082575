# Sourced by the scripts that drive a real window in Xvfb. Gives them `work`, a temporary folder;
# `fail`, which reports a fault and marks the run failed (`failed`); wait_for; start_xvfb, a
# display of their own; find_main_window and click_command. At exit, the script's own
# `stop_programs` runs, then Xvfb stops and `work` goes.

work="$(mktemp -d)"
xvfb_pid=""
failed=0
cleanup() {
  stop_programs 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "$(basename "$0" .sh): $*" >&2
  failed=1
}

# Runs a command until it succeeds, for at most $1 seconds.
wait_for() {
  local seconds="$1"
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# Xvfb picks a display number no other server holds and writes it once it is ready; a number
# guessed here could be another server's. -noreset: without it the server resets when its last
# client (the readiness check) leaves, and a window connecting in that instant is refused.
start_xvfb() {
  local number="$work/xvfb-display"
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  xvfb_pid=$!
  wait_for 20 test -s "$number" || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(tr -d '[:space:]' <"$number")"
  wait_for 20 xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; exit 1; }
}

# Waits for the window titled "Remove Leading Numbers from file name" and sets `window` to it;
# if it never shows, prints `window_log`, where a script keeps the program's standard error.
find_main_window() {
  find_window() {
    window=$(xdotool search --onlyvisible --name "^Remove Leading Numbers from file name\$" \
      2>/dev/null | head -1)
    [ -n "$window" ]
  }
  wait_for 60 find_window && return
  echo "the window never appeared" >&2
  # What the program said before it went, where the script kept it.
  [ -n "${window_log:-}" ] && [ -f "$window_log" ] && cat "$window_log" >&2
  exit 1
}

# Clicks the middle of the window's command button (7200,1800 twips, 2175x1455) at 96 dpi.
click_command() { xdotool mousemove --window "$window" 552 168 click 1; }
