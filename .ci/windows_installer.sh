#!/usr/bin/env bash
# The Windows installer under wine, in a fresh prefix under Xvfb: a silent install (/S) puts both
# programs, the Start menu entry and the uninstaller in place and registers Explorer's verbs on
# folders and folder backgrounds, with their commands; the folder verb's command, run on
# C:\album, opens the window there and its button renames the folder's files; a silent uninstall
# leaves no file and no registry key behind. Then the same for all users (/AllUsers, HKLM,
# Program Files), without the window. Needs build-win and its installer (.ci/windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== windows installer (wine in Xvfb)"

bash scripts/install-deps.sh wine64 xvfb xdotool nsis
source .ci/xvfb.sh

export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG=-all
export WINEPREFIX="$PWD/build-win/installer-prefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
setup="$(ls "$PWD"/build-win/qomdex-*-win64-setup.exe)"

stop_programs() { wineserver -k; }

start_xvfb
rm -rf "$WINEPREFIX"
wine64 wineboot --init >/dev/null 2>&1
wineserver -w
drive_c="$WINEPREFIX/drive_c"

# Writes what an install may touch: every file and folder of drive C (but the temporary folders,
# where the uninstaller runs a copy of itself that the system removes later), and the registry keys the installer writes under.
snapshot() {
  (cd "$drive_c" && find . \( -path './users/*/Temp' -o -path './users/*/AppData/Local/Temp' \) \
    -prune -o -print | sort)
  for key in 'HKCU\Software\Classes' 'HKLM\Software\Classes\Directory' \
    'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'; do
    echo "[$key]"
    rm -f "$work/key.reg"
    if wine64 reg export "$key" "$work/key.reg" /y >/dev/null 2>&1; then
      iconv -f UTF-16 -t UTF-8 "$work/key.reg"
    fi
  done
}

# Prints the default value of a registry key, or nothing when the key is absent.
default_value() {
  wine64 reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'
}

# Checks one round: install with $1 (empty or /AllUsers) into the Windows folder $2 under the
# hive $3, and with $4 set, drive the installed window.
round() {
  local option="$1" folder="$2" hive="$3" drive_window="$4"
  snapshot >"$work/before"
  wine64 "$setup" /S $option || fail "the installer $option failed"
  wineserver -w
  local unix_folder
  unix_folder="$(wine64 winepath -u "$folder" 2>/dev/null | tr -d '\r')"
  for file in qomdex.exe qomdex-cli.exe uninstall.exe; do
    [ -f "$unix_folder/$file" ] || fail "$folder\\$file is not installed"
  done
  find "$drive_c" -name qomdex.lnk -path '*Start Menu*' | grep -q . || fail "no Start menu entry"

  local classes="$hive\\Software\\Classes\\Directory"
  local label folder_command background_command
  for key in "$classes\\shell\\qomdex" "$classes\\Background\\shell\\qomdex"; do
    label="$(default_value "$key")"
    [ "$label" = "Remove leading numbers..." ] || fail "$key is labelled '$label'"
  done
  folder_command="$(default_value "$classes\\shell\\qomdex\\command")"
  background_command="$(default_value "$classes\\Background\\shell\\qomdex\\command")"
  echo "folder verb:     $folder_command"
  echo "background verb: $background_command"
  [ "$folder_command" = "\"$folder\\qomdex.exe\" \"%1\"" ] || fail "folder verb: $folder_command"
  [ "$background_command" = "\"$folder\\qomdex.exe\" \"%V\"" ] ||
    fail "background verb: $background_command"

  if [ -n "$drive_window" ]; then
    mkdir "$drive_c/album" "$drive_c/album/04 Live"
    touch "$drive_c/album/01 - Intro.mp3" "$drive_c/album/02 - Outro.mp3"
    # The folder verb's own command, as Explorer runs it on C:\album.
    local program="${folder_command#\"}"
    program="${program%%\"*}"
    wine64 "$program" 'C:\album' >/dev/null 2>&1 &
    find_main_window
    click_command
    renamed() { [ -f "$drive_c/album/Intro.mp3" ] && [ -f "$drive_c/album/Outro.mp3" ]; }
    wait_for 30 renamed || fail "C:\\album's files were not renamed: $(ls "$drive_c/album")"
    [ -d "$drive_c/album/04 Live" ] || fail "the file pass renamed a folder"
    [ ! -e "$drive_c/Intro.mp3" ] || fail "the window renamed outside C:\\album"
    wineserver -k
    wineserver -w
    rm -rf "$drive_c/album"
  fi

  wine64 "$folder\\uninstall.exe" /S || fail "the uninstaller failed"
  # The uninstaller runs a copy of itself and returns at once; the copy ends with the session.
  wineserver -w
  snapshot >"$work/after"
  diff "$work/before" "$work/after" >&2 || fail "the uninstaller $option left the above behind"
}

user_folder="$(wine64 cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')\\Programs\\qomdex"
round "" "$user_folder" HKCU window
# Windows has the machine's folder class keys from the start, and they stay; a fresh prefix lacks
# them.
for key in 'HKLM\Software\Classes\Directory\shell' 'HKLM\Software\Classes\Directory\Background\shell'; do
  wine64 reg add "$key" /f >/dev/null 2>&1
done
round /AllUsers 'C:\Program Files\qomdex' HKLM ""

[ "$failed" -eq 0 ] && echo "windows_installer: install, Explorer's verbs, the window on C:\\album and uninstall as expected"
exit "$failed"
