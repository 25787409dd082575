#!/usr/bin/env bash
# Checks the Debian package scripts/package.sh made in build/: lintian finds no error, the
# desktop entries, the file managers' menu entries and the AppStream metadata validate, both
# manual pages render, and the unpacked qomdex-cli runs. Exits non-zero on failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh lintian desktop-file-utils appstream man-db dpkg-dev

deb=$(ls build/qomdex_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

echo "-- lintian"
lintian --fail-on error,warning "$deb" 2> >(grep -v "running with root privileges" >&2)
echo "-- desktop-file-validate"
desktop-file-validate "$root"/usr/share/applications/*.desktop "$root"/usr/share/Thunar/sendto/*.desktop
echo "-- file managers' menu entries"
python3 tests/res/check_menu_entries.py "$root"
echo "-- appstreamcli"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
echo "-- manual pages"
for page in "$root"/usr/share/man/man1/*.1.gz; do
  MANWIDTH=80 man -l "$page" | grep -q "^NAME" || { echo "$page does not render" >&2; exit 1; }
done
echo "-- the unpacked program"
"$root/usr/bin/qomdex-cli" --version
