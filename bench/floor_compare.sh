#!/usr/bin/env bash
# Measures whole qomdex-cli runs against the floor, the least any program can do for a pass:
# list the directory once and call renameat2(RENAME_NOREPLACE) for every entry to clean
# (rename_floor.c beside the shared fixture maker). For each size and kind, PAIRS interleaved
# pairs run on identical fresh fixtures (one process per run); the table gives the medians,
# their ratio, a dry run's median, the median of the least a dry run can do (lookup_floor.c: list
# once and look on disk for each cleaned name) and qomdex-cli's peak resident size.
#
# Usage: bench/floor_compare.sh [--million] [--pairs N] [--files-only]
#   QOMDEX_CLI  the program to measure (default build-rel/cli/qomdex-cli, preset "release")
#   BENCH_DIR   where the floor and fixture maker live (default ../shared/bench)
#   WORK_DIR    where fixtures are made; must be the file system to measure (default /tmp)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${QOMDEX_CLI:-$root/build-rel/cli/qomdex-cli}
bench_dir=${BENCH_DIR:-$root/../shared/bench}
sizes=(1000 10000 100000)
pairs=5
kinds=(files folders)
while [ $# -gt 0 ]; do
  case $1 in
    --million) sizes+=(1000000) ;;
    --pairs) pairs=$2; shift ;;
    --files-only) kinds=(files) ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done
[ -x "$cli" ] || { echo "no $cli: cmake --preset release && cmake --build --preset release" >&2; exit 2; }

work=$(mktemp -d "${WORK_DIR:-/tmp}/qomdex-floor.XXXXXX")
trap 'rm -rf "$work"' EXIT
gcc -O2 -o "$work/floor" "$bench_dir/rename_floor.c"
gcc -O2 -o "$work/make_files" "$bench_dir/make_files.c"
gcc -O2 -o "$work/lookup_floor" "$root/bench/lookup_floor.c"

# Makes N entries of a kind in a new directory: files as the shared maker names them, or folders
# named the same way without the extension.
make_fixture() {
  local kind=$1 count=$2 dir=$3
  mkdir "$dir"
  if [ "$kind" = files ]; then
    "$work/make_files" "$dir" "$count"
  else
    python3 -c 'import os, sys
d, n = sys.argv[1], int(sys.argv[2])
for i in range(n): os.mkdir("%s/%06d name%06d" % (d, i, i))' "$dir" "$count"
  fi
  sync
}

# Replaces the given fixtures with fresh ones. Where it may (as root), it first has the kernel
# drop its cached directory entries and inodes, so that the millions of names earlier runs left
# cached do not slow every later lookup: each pair starts from the same state.
fresh_fixtures() {
  local kind=$1 count=$2
  shift 2
  rm -rf "$@"
  sync
  if [ -w /proc/sys/vm/drop_caches ]; then echo 2 >/proc/sys/vm/drop_caches; fi
  for dir in "$@"; do make_fixture "$kind" "$count" "$dir"; done
}

# Prints "seconds peak_kilobytes" of one run.
timed() { /usr/bin/time -f '%e %M' "$@" 2>&1 >/dev/null | tail -n 1; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '| kind | entries | qomdex-cli s | floor s | ratio | dry run s | dry/floor | lookup floor s | peak MB | bytes/entry |\n'
printf '|---|---|---|---|---|---|---|---|---|---|\n'
for kind in "${kinds[@]}"; do
  option=()
  [ "$kind" = folders ] && option=(--folders)
  for size in "${sizes[@]}"; do
    : >"$work/cli" >"$work/floor.t" >"$work/dry" >"$work/lookup" >"$work/peak"
    for ((i = 0; i < pairs; i++)); do
      fresh_fixtures "$kind" "$size" "$work/a" "$work/b"
      # Alternate which program goes first, so neither always meets a warmer cache.
      if ((i % 2 == 0)); then
        read -r s m < <(timed "$cli" "${option[@]}" "$work/a"); timed "$work/floor" "$work/b" | cut -d' ' -f1 >>"$work/floor.t"
      else
        timed "$work/floor" "$work/b" | cut -d' ' -f1 >>"$work/floor.t"; read -r s m < <(timed "$cli" "${option[@]}" "$work/a")
      fi
      echo "$s" >>"$work/cli"
      echo "$m" >>"$work/peak"
      fresh_fixtures "$kind" "$size" "$work/a" "$work/b"
      timed "$cli" --dry-run "${option[@]}" "$work/a" | cut -d' ' -f1 >>"$work/dry"
      if [ "$kind" = files ]; then
        timed "$work/lookup_floor" "$work/b" | cut -d' ' -f1 >>"$work/lookup"
      fi
    done
    c=$(median <"$work/cli"); f=$(median <"$work/floor.t"); d=$(median <"$work/dry"); m=$(sort -g "$work/peak" | tail -n 1)
    l=$(median <"$work/lookup")
    awk -v k="$kind" -v n="$size" -v c="$c" -v f="$f" -v d="$d" -v l="${l:-0}" -v m="$m" 'BEGIN {
      printf "| %s | %d | %.3f | %.3f | %.2f | %.3f | %.2f | %.3f | %.1f | %.0f |\n", k, n, c, f, (f > 0 ? c / f : 0), d, (f > 0 ? d / f : 0), l, m / 1024, m * 1024 / n }'
  done
done
