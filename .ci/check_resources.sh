#!/usr/bin/env bash
# Checks qomdex's Windows resources: the resource script CMake generates from res/qomdex.rc.in
# and the project's version compiles with mingw-w64's windres and carries
# the version record and one icon group; res/qomdex.ico holds exactly the three images of that
# group; and the committed icon files are what res/make_icon.py draws. Exits non-zero on failure.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
res="$root/res"
windres=x86_64-w64-mingw32-windres

bash "$root/scripts/install-deps.sh" binutils-mingw-w64-x86-64 python3 cmake ninja-build g++ \
  libicu-dev

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Configuring alone writes the resource script; nothing is compiled.
cmake -S "$root" -B "$work/build" -G Ninja -DQOMDEX_BUILD_GUI=OFF -DQOMDEX_BUILD_TESTS=OFF \
  >/dev/null
# The record must carry the project's version: four numbers, and major.minor for people.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/build/CMakeCache.txt")
IFS=. read -r major minor patch tweak <<<"$version"
numbers="$major, $minor, $patch, ${tweak:-0}"
shown=$(printf '%d.%02d' "$major" "$minor")
failed=0
fail() {
  echo "check_resources: $*" >&2
  failed=1
}

# windres has no preprocessor of its own; the host's reads the script, which includes nothing.
"$windres" --preprocessor=cpp --include-dir "$res" -i "$work/build/generated/qomdex.rc" -O res \
  -o "$work/qomdex.res"
"$windres" -i "$work/qomdex.res" -O rc >"$work/decompiled.rc"
for line in \
  "FILEVERSION $numbers" \
  "PRODUCTVERSION $numbers" \
  'BLOCK "040904B0"' \
  "VALUE \"FileVersion\", \"$shown\"" \
  "VALUE \"ProductVersion\", \"$shown\"" \
  'VALUE "ProductName", "qomdex"' \
  'VALUE "InternalName", "qomdex"' \
  'VALUE "OriginalFilename", "qomdex.exe"' \
  'VALUE "Translation", 0x409, 1200' \
  'RT_GROUP_ICON' \
  'Has 3 elements.'; do
  grep -qF -- "$line" "$work/decompiled.rc" || fail "compiled resources lack: $line"
done
[ "$(grep -c 'RT_GROUP_ICON' "$work/decompiled.rc")" -eq 1 ] || fail "expected one icon group"

python3 - "$res/qomdex.ico" <<'PY' || failed=1
import struct
import sys

data = open(sys.argv[1], "rb").read()
reserved, kind, count = struct.unpack_from("<HHH", data, 0)
if (reserved, kind) != (0, 1):
    sys.exit("qomdex.ico: not an icon file")


def row_bytes(width, bits):
    return (width * bits + 31) // 32 * 4


found = []
for i in range(count):
    width, height, colours, _, planes, bits, size, offset = struct.unpack_from(
        "<BBBBHHII", data, 6 + 16 * i)
    header, bmp_width, bmp_height, _, bmp_bits, compression = struct.unpack_from(
        "<IiiHHI", data, offset)
    expected_size = (40 + 4 * (1 << bits) + row_bytes(width, bits) * height +
                     row_bytes(width, 1) * height)
    if (header, bmp_width, bmp_height, bmp_bits, compression) != (40, width, 2 * height, bits, 0):
        sys.exit(f"qomdex.ico: image {i} has a bitmap header that does not match its entry")
    if size != expected_size or offset + size > len(data) or colours != 1 << bits:
        sys.exit(f"qomdex.ico: image {i} has a wrong size, offset or colour count")
    found.append((width, height, bits))

expected = [(32, 32, 1), (32, 32, 4), (16, 16, 4)]
if sorted(found) != sorted(expected):
    sys.exit(f"qomdex.ico: images {found}, expected {expected}")
PY

python3 "$res/make_icon.py" "$work"
for name in qomdex.ico qomdex-16.png qomdex-32.png qomdex-64.png qomdex-128.png; do
  cmp -s "$work/$name" "$res/$name" || fail "res/$name differs from what res/make_icon.py draws"
done

[ "$failed" -eq 0 ] && echo "check_resources: resource script, icon group and icon files are sound"
exit "$failed"
