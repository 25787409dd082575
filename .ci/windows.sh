#!/usr/bin/env bash
# The Windows build: cross-compiles qomdex.exe (the Win32 window), qomdex-cli.exe and their tests
# with mingw-w64 and runs the tests under wine, the window's headless. Installs what is missing
# first.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== windows (mingw-w64, tests under wine)"

bash scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest unzip \
  nsis

cmake --preset windows
cmake --build --preset windows

# Debian keeps wine64 and wineserver out of PATH unless the `wine` wrapper package is installed.
export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG=-all
prefix="${WINEPREFIX:-$HOME/.wine}"
mkdir -p "$prefix"
# The window's tests run headless: wine's null display driver, chosen before the session that
# runs them starts (a running server keeps the driver it started with), and no X display.
unset DISPLAY
wineserver -k 2>/dev/null || true
wineserver -w
# The first start creates the prefix.
wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f >/dev/null
wineserver -k
wineserver -w
# One server for all the tests, so none pays for starting wine; it leaves a minute after its
# last client.
wineserver -p60
# The session's first program starts wine's services, which would otherwise inherit a test's
# output and hold ctest waiting on it. Dot files are shown, as on Windows, where only the hidden
# attribute hides a file.
wine64 reg add 'HKCU\Software\Wine' /v ShowDotFiles /d Y /f >/dev/null

ctest --preset windows

# qomdex.exe is a GUI program that needs no DLL beyond the system's (ole32 carries its controls'
# names to screen readers), and the zip holds both programs with the README and the licence.
objdump=x86_64-w64-mingw32-objdump
headers=$("$objdump" -p build-win/ui/qomdex.exe)
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" ||
  { echo "qomdex.exe is not a GUI program" >&2; exit 1; }
imports=$(awk '/DLL Name:/{print tolower($3)}' <<<"$headers" | sort -u)
for dll in $imports; do
  case "$dll" in
    comctl32.dll | gdi32.dll | kernel32.dll | msvcrt.dll | ole32.dll | shell32.dll | user32.dll | \
      uxtheme.dll) ;;
    *) echo "qomdex.exe imports $dll" >&2; exit 1 ;;
  esac
done
rm -f build-win/qomdex-*-win64.zip
(cd build-win && cpack -G ZIP >/dev/null)
listing=$(unzip -Z1 build-win/qomdex-*-win64.zip)
for file in qomdex.exe qomdex-cli.exe README.md LICENSE; do
  grep -qx "\(.*/\)\?$file" <<<"$listing" || { echo "the zip lacks $file" >&2; exit 1; }
done
echo "windows: $(basename build-win/qomdex-*-win64.zip) holds qomdex.exe, qomdex-cli.exe, README.md, LICENSE"
# Beside it, the installer (.ci/windows_installer.sh tries it under wine).
cmake --build --preset windows --target installer
echo "windows: $(basename build-win/qomdex-*-win64-setup.exe) made"
