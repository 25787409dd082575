#!/usr/bin/env bash
# Installs what is missing, builds qomdex and starts the window. With arguments, runs
# qomdex-cli with them instead, from the folder this script was called in, so relative paths
# mean what the caller means. Everything the set-up prints goes to standard error: standard
# output holds qomdex-cli's own lines alone.
set -euo pipefail
repository=$(cd "$(dirname "$0")/.." && pwd)

(
  cd "$repository"
  bash scripts/install-deps.sh
  cmake --preset default
  cmake --build --preset default
) >&2
if [ $# -gt 0 ]; then exec "$repository/build/cli/qomdex-cli" "$@"; fi
exec "$repository/build/ui/qomdex"
