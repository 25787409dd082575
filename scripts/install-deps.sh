#!/usr/bin/env bash
# Installs the Debian packages named as arguments, or without arguments those qomdex needs to
# build, test and benchmark, if any is missing (apt-get as root, sudo otherwise).
set -euo pipefail

packages=("$@")
if [ ${#packages[@]} -eq 0 ]; then
  packages=(cmake ninja-build g++ pkg-config libicu-dev libgtest-dev libbenchmark-dev
            qt6-base-dev qt6-qpa-plugins binutils-mingw-w64-x86-64 python3 clang-format
            dpkg-dev file fonts-liberation2)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
