#!/usr/bin/env bash
# scripts/run.sh, called from a folder of the user's, must hand qomdex-cli the arguments as the
# caller meant them (relative paths from the caller's folder) and keep standard output for
# qomdex-cli's lines alone. The set-up it runs first is stood in for by stubs that print as apt,
# CMake and the build do. Usage: run_script_test.sh SCRIPTS_RUN_SH
set -euo pipefail
run_sh=$1
source "$(dirname "$0")/script_support.sh"

repo="$work/repo"
mkdir -p "$repo/scripts" "$repo/build/cli" "$work/bin" "$work/caller/album"
cp "$run_sh" "$repo/scripts/run.sh"
printf '#!/bin/sh\necho "Installing: libicu-dev"\n' >"$repo/scripts/install-deps.sh"
printf '#!/bin/sh\necho "-- Configuring done ($*)"\n' >"$work/bin/cmake"
printf '#!/bin/sh\necho "cli in $(pwd):" "$@"\n' >"$repo/build/cli/qomdex-cli"
chmod +x "$work/bin/cmake" "$repo/build/cli/qomdex-cli"

status=0
(cd "$work/caller" && PATH="$work/bin:$PATH" bash "$repo/scripts/run.sh" --dry-run album) \
  >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 0 ] || fail "exit $status: $(cat "$work/err")"
expected="cli in $work/caller: --dry-run album"
[ "$(cat "$work/out")" = "$expected" ] ||
  fail "standard output: $(cat "$work/out"), expected only: $expected"
grep -q 'Installing: libicu-dev' "$work/err" && grep -q -- '-- Configuring done' "$work/err" ||
  fail "the set-up's own output is not on standard error: $(cat "$work/err")"

[ "$failures" -eq 0 ] && echo "run_script_test: qomdex-cli runs in the caller's folder, alone on stdout"
exit "$failures"
