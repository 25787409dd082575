#!/usr/bin/env bash
# The real Qt window in Xvfb, opened as a file manager's menu opens it: `qomdex DIR` stands on
# DIR, and one click on the command button renames DIR's files (a name with spaces and quotes
# in the path included). Without a display, --help and --version still answer, and an unknown
# option is a usage error that opens no window. Needs build (scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== Qt window on a folder (Xvfb)"

bash scripts/install-deps.sh xvfb xdotool
source .ci/xvfb.sh
exe="$PWD/build/ui/qomdex"

window_pid=""
stop_programs() { [ -n "$window_pid" ] && kill "$window_pid"; }

# No display at all: these end at once, and nothing waits for a window.
env -u DISPLAY -u WAYLAND_DISPLAY "$exe" --version | grep -qx 'qomdex 1.00' || fail "--version"
env -u DISPLAY -u WAYLAND_DISPLAY "$exe" --help | grep -q '^Usage: qomdex \[DIRECTORY\]' ||
  fail "--help"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY "$exe" --verbose "$work" 2>"$work/err" || status=$?
[ "$status" = 2 ] && grep -q "unknown option" "$work/err" || fail "an unknown option gives $status"

album="$work/Tom's \"Best\" album"
mkdir "$album" "$album/04 Live"
touch "$album/01 - Intro.mp3" "$album/02 - Outro.mp3" "$work/03 - Elsewhere.mp3"

start_xvfb
window_log="$work/window.err"
QT_QPA_PLATFORM=xcb "$exe" "$album" >/dev/null 2>"$window_log" &
window_pid=$!
find_main_window
click_command
renamed() { [ -f "$album/Intro.mp3" ] && [ -f "$album/Outro.mp3" ]; }
wait_for 30 renamed || fail "the folder's files were not renamed: $(ls "$album")"
[ -d "$album/04 Live" ] || fail "the file pass renamed a folder"
[ -f "$work/03 - Elsewhere.mp3" ] || fail "a file outside the folder was renamed"

[ "$failed" -eq 0 ] && echo "qt_window: qomdex DIR and one click renamed DIR's files; --help, --version and usage errors need no display"
exit "$failed"
