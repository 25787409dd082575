#!/usr/bin/env bash
# Kills qomdex-cli with SIGKILL in the middle of passes that keep a journal, at a call drawn from
# a printed seed (the preloaded crash_shim.so counts the calls that change names on disk), on the
# kernel's no-replace rename and on both fallbacks. After every kill each file must still be there
# with its content, under its old name or its new one, and --undo must bring back every original
# name and leave nothing else behind.
# Usage: crash_test.sh QOMDEX_CLI CRASH_SHIM [SEED]
set -euo pipefail
cli=$1
shim=$2
seed=${3:-${QOMDEX_CRASH_SEED:-$(od -An -N2 -tu2 /dev/urandom | tr -d ' ')}}
echo "crash_test: seed $seed (rerun with: crash_test.sh CLI SHIM $seed)"
RANDOM=$seed
source "$(dirname "$0")/script_support.sh"

count=2000
# Each file holds its own first name, so a mix-up or a loss shows.
make_files() {
  rm -rf "$work/d" "$work/journal"
  mkdir "$work/d"
  (cd "$work/d" && for ((i = 0; i < count; i++)); do
    name=$(printf '%04d - track %d.txt' $((i % 1500)) "$i")
    printf '%s' "$name" >"$name"
  done
  # Some cleaned names are taken, so copy-suffix names are made too.
  for ((i = 0; i < count; i += 97)); do printf 'track %d.txt' "$i" >"track $i.txt"; done)
  (cd "$work/d" && ls -A | sort) >"$work/before"
}

# Lists "content<TAB>name" for every file that is not empty, one line each.
contents() { (cd "$work/d" && awk 'FNR == 1 { print $0 "\t" FILENAME }' *) | sort; }

modes=(exclusive exclusive exclusive no-exclusive-rename no-hard-links no-hard-links)
for ((round = 0; round < ${#modes[@]}; round++)); do
  mode=${modes[round]}
  make_files
  # A call the pass surely makes: it renames each of the count files at least once.
  crash_at=$((RANDOM % count + 1))
  crash_after=$((RANDOM % 2))
  context="seed $seed, round $round, $mode, call $crash_at, after $crash_after"
  status=0
  # Under AddressSanitizer the shim comes before its runtime, which is harmless here.
  env LD_PRELOAD="$shim" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
    QOMDEX_CRASH_AT=$crash_at QOMDEX_CRASH_AFTER=$crash_after \
    QOMDEX_NO_EXCLUSIVE_RENAME=$([ "$mode" = exclusive ] && echo 0 || echo 1) \
    QOMDEX_NO_HARD_LINKS=$([ "$mode" = no-hard-links ] && echo 1 || echo 0) \
    "$cli" --journal "$work/journal" "$work/d" >/dev/null 2>"$work/err" || status=$?
  [ "$status" -eq 137 ] || { fail "exit $status, expected 137 (killed): $(cat "$work/err")"; continue; }

  # No content lost or duplicated into a second file: every content is held by one inode, and
  # every name is the file's old name or a cleaned one.
  contents >"$work/after"
  cut -f1 "$work/after" | sort -u | cmp -s - "$work/before" ||
    fail "a file's content is missing after the kill"
  inodes=$(find "$work/d" -type f -printf '%i\n' | sort -u | wc -l)
  placeholders=$(find "$work/d" -type f -empty | wc -l)
  files=$(wc -l <"$work/before")
  [ $((inodes - placeholders)) -eq "$files" ] || fail "$inodes inodes ($placeholders empty) for $files files"

  status=0
  "$cli" --undo "$work/journal" >/dev/null 2>"$work/err" || status=$?
  [ "$status" -eq 0 ] || fail "undo exited $status: $(cat "$work/err")"
  (cd "$work/d" && ls -A | sort) | cmp -s - "$work/before" || fail "undo did not restore every name"
  contents | awk -F'\t' '$1 != $2' | grep -q . && fail "a file holds another's content after undo"
done
[ "$failures" -eq 0 ] && echo "crash_test: ${#modes[@]} kills, nothing lost, undo restored every name"
exit "$failures"
