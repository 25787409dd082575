#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under ASan+UBSan and runs each for a bounded time from
# the checked-in corpus. A crash, a sanitizer report or a broken invariant fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${QOMDEX_FUZZ_SECONDS:-30}

bash scripts/install-deps.sh cmake ninja-build clang libclang-rt-14-dev libicu-dev

cmake --preset fuzz
cmake --build --preset fuzz

for target in clean fold suffix cli_args; do
  found=$(mktemp -d)
  log=$(mktemp)
  echo "-- ${target}_fuzzer, ${seconds} s"
  if ! build-fuzz/fuzz/${target}_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
      "$found" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "${target}_fuzzer failed" >&2
    exit 1
  fi
  grep '^stat::number_of_executed_units' "$log"
  rm -rf "$found" "$log"
done
