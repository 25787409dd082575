#!/usr/bin/env bash
# The real qomdex.exe under wine in Xvfb, driven with xdotool: the window appears with its title
# and a 634x529 client area at 96 dpi, "Folder" and the command rename folders prepared on c:\,
# Label6 and Label1 light up under the pointer (read from screen pixels), and a resize changes
# only the lists' heights. Needs build-win (.ci/windows.sh). With an argument, also saves the
# window's picture to that file.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== windows window (wine in Xvfb)"

bash scripts/install-deps.sh wine64 xvfb xdotool imagemagick fonts-wine

export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG=-all
# A session of its own, apart from the headless one of the tests; no Gecko or Mono prompts.
export WINEPREFIX="$PWD/build-win/window-prefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
exe="$PWD/build-win/ui/qomdex.exe"
screenshot="${1:-}"

source .ci/xvfb.sh
stop_programs() { wineserver -k; }
start_xvfb

rm -rf "$WINEPREFIX"
wine64 wineboot --init >/dev/null 2>&1
wineserver -w
# Debian's wine does not find fonts-wine by itself; this brings the real "MS Sans Serif".
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
drive_c="$WINEPREFIX/drive_c"
mkdir "$drive_c/01 Alpha" "$drive_c/02 - Beta"
touch "$drive_c/01 - Intro.mp3" "$drive_c/02 - Outro.mp3"

wine64 "$exe" >/dev/null 2>&1 &
find_main_window

# Wine maps the client area as the window's own X window; the frame is the window manager's.
read -r width height < <(xdotool getwindowgeometry --shell "$window" |
  awk -F= '/^WIDTH/{w=$2} /^HEIGHT/{h=$2} END{print w, h}')
[ "$width" = 634 ] && [ "$height" = 529 ] || fail "client area is ${width}x${height}, not 634x529"

# Returns the colours of a client-area rectangle (x y w h, pixels) as hex, one a line.
colours() {
  import -window "$window" -crop "$3x$4+$1+$2" +repage png:- |
    convert png:- -unique-colors txt:- | grep -o '#[0-9A-F]\{6\}'
}
has_colour() { colours "$1" "$2" "$3" "$4" | grep -qx "$5"; }
# twips to pixels at 96 dpi
px() { echo $((($1 + 7) / 15)); }

move() { xdotool mousemove --window "$window" "$1" "$2"; }
# Xvfb starts with the pointer in the middle of the screen, where the window may light a label
# as it opens: the checks start with the pointer over the bare window.
move "$(px 7000)" "$(px 4000)"
label6=("$(px 7080)" "$(px 5160)" 60 "$(px 300)")
label1=("$(px 7080)" "$(px 5520)" 60 "$(px 300)")
wait_for 10 has_colour "${label6[@]}" '#FFC0C0' || fail "Label6 is not light red"
wait_for 10 has_colour "${label1[@]}" '#00C0C0' || fail "Label1 is not teal"
[ -z "$screenshot" ] || import -window "$window" "$screenshot"

move "$((label6[0] + 20))" "$((label6[1] + 10))"
wait_for 10 has_colour "${label6[@]}" '#FF0000' || fail "Label6 does not turn red under the pointer"
move "$((label1[0] + 20))" "$((label1[1] + 10))"
wait_for 10 has_colour "${label1[@]}" '#00FFFF' || fail "Label1 does not turn cyan under the pointer"
has_colour "${label6[@]}" '#FF0000' || fail "Label6 went back before the pointer crossed the window"
move "$(px 7000)" "$(px 4000)"
wait_for 10 has_colour "${label6[@]}" '#FFC0C0' || fail "Label6 does not go back over the window"
wait_for 10 has_colour "${label1[@]}" '#00C0C0' || fail "Label1 does not go back over the window"

xdotool mousemove --window "$window" "$(px 7800)" "$(px 1260)" click 1  # "Folder"
click_command
renamed() { [ -d "$drive_c/Alpha" ] && [ -d "$drive_c/Beta" ]; }
wait_for 30 renamed || fail "the folders on c:\\ were not renamed: $(ls "$drive_c")"
[ ! -e "$drive_c/01 Alpha" ] || fail "\"01 Alpha\" is still there"
[ -e "$drive_c/01 - Intro.mp3" ] || fail "the folder pass renamed a file"

# A resize: the lists grow by as much as the window, and nothing else moves.
import -window "$window" "$work/before.png"
xdotool windowsize "$window" 700 629
grown() {
  xdotool getwindowgeometry --shell "$window" | grep -qx 'HEIGHT=629' &&
    [ "$(colours "$(px 1800)" 540 1 1)" = '#FFFFFF' ]
}
wait_for 10 grown || fail "Dir1 did not grow with the window"
import -window "$window" "$work/after.png"
for region in "170x529+464+0" "634x470+0+0"; do
  differing=$(compare -metric AE -crop "$region" "$work/before.png" "$work/after.png" null: 2>&1 ||
    true)
  [ "$differing" = 0 ] || fail "a resize changed pixels in $region: $differing"
done

[ "$failed" -eq 0 ] && echo "win32_window: title, client area, hover, folder pass and resize as expected"
exit "$failed"
