#!/usr/bin/env bash
# The Windows build: cross-compiles the engine, the location model, qomdex-cli and their tests
# with mingw-w64 and runs the tests under wine. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== windows (mingw-w64, tests under wine)"

bash scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest

cmake --preset windows
cmake --build --preset windows

# Debian keeps wine64 and wineserver out of PATH unless the `wine` wrapper package is installed.
export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG=-all
prefix="${WINEPREFIX:-$HOME/.wine}"
mkdir -p "$prefix"
# One server for all the tests, so none pays for starting wine; it leaves a minute after its
# last client. It exits with 2 when a server for this prefix is already running.
wineserver -p60 || [ $? -eq 2 ]
# The first start creates the prefix. Dot files are shown, as on Windows, where only the hidden
# attribute hides a file.
wine64 reg add 'HKCU\Software\Wine' /v ShowDotFiles /d Y /f >/dev/null

ctest --preset windows
