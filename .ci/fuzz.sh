#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under ASan+UBSan and runs each for a bounded time from
# the checked-in corpus. A crash, a sanitizer report or a broken invariant fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${QOMDEX_FUZZ_SECONDS:-30}

missing=()
for package in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQOMDEX_BUILD_GUI=OFF -DQOMDEX_BUILD_TESTS=OFF -DQOMDEX_BUILD_FUZZERS=ON \
  -DQOMDEX_WARNINGS_AS_ERRORS=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
cmake --build build-fuzz --parallel 2

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
