#!/usr/bin/env bash
# Builds qomdex (if it is not built yet) and makes its Debian package in build/:
# qomdex_<version>_<arch>.deb, to be installed with `apt install ./build/qomdex_....deb`.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
(cd build && rm -f qomdex_*.deb && cpack -G DEB)
ls build/qomdex_*.deb
