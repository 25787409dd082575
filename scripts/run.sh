#!/usr/bin/env bash
# Installs what is missing, builds qomdex and starts it; arguments go to qomdex-cli.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel 2
if [ $# -eq 0 ]; then set -- --help; fi
exec build/cli/qomdex-cli "$@"
