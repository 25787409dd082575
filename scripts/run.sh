#!/usr/bin/env bash
# Installs what is missing, builds qomdex and starts the window. With arguments, runs
# qomdex-cli with them instead.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
if [ $# -gt 0 ]; then exec build/cli/qomdex-cli "$@"; fi
exec build/ui/qomdex
