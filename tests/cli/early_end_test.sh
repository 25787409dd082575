#!/usr/bin/env bash
# Ends real qomdex-cli runs early, as users' machines do: a signal mid-pass, a full device, a
# closed pipe. Each must stop after the current entry, say why, exit with the status of the rule,
# and never print a line for a rename it did not make. Usage: early_end_test.sh QOMDEX_CLI
set -euo pipefail
cli=$1
source "$(dirname "$0")/script_support.sh"

# A directory of N files named '000001 name.txt' and so on.
make_files() {
  rm -rf "$work/d"
  mkdir "$work/d"
  (cd "$work/d" && seq -f '%06g name.txt' 1 "$1" | xargs -d '\n' touch)
}
renamed_on_disk() { find "$work/d" -maxdepth 1 -type f -name '[!0-9]*' | wc -l; }

# A signal mid-pass: the reader stops reading after the first line, so the pass is still running
# (blocked on a full pipe at worst) when the signal comes.
for signal in TERM HUP INT; do
  make_files 20000
  coproc run { exec "$cli" "$work/d" 2>"$work/err"; }
  pid=$run_PID
  exec {from_run}<&"${run[0]}"
  read -r first <&"$from_run"
  kill -s "$signal" "$pid"
  { echo "$first"; cat <&"$from_run"; } >"$work/out"
  exec {from_run}<&-
  status=0
  wait "$pid" || status=$?
  expected=$((128 + $(kill -l "$signal")))
  [ "$status" -eq "$expected" ] || fail "SIG$signal: exit $status, expected $expected"
  lines=$(wc -l <"$work/out")
  on_disk=$(renamed_on_disk)
  [ "$lines" -eq "$on_disk" ] || fail "SIG$signal: $lines lines for $on_disk renames"
  [ "$on_disk" -lt 20000 ] || fail "SIG$signal: the pass did not stop"
  grep -q "stopped by signal" "$work/err" || fail "SIG$signal: no word on standard error"
  [ "$(ls "$work/d" | wc -l)" -eq 20000 ] || fail "SIG$signal: entries lost"
done

# A full device: nothing can be written, so every rename's line is reported lost.
make_files 5000
status=0
"$cli" "$work/d" >/dev/full 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "/dev/full: exit $status, expected 1"
on_disk=$(renamed_on_disk)
grep -q "cannot write the output: No space left on device; $on_disk renames were made whose" \
  "$work/err" || fail "/dev/full: $(cat "$work/err") (renamed $on_disk)"

# A closed pipe ends the run with a word, not silently.
make_files 20000
set +e
"$cli" "$work/d" 2>"$work/err" | head -n 1 >/dev/null
status=${PIPESTATUS[0]}
set -e
[ "$status" -eq 1 ] || fail "closed pipe: exit $status, expected 1"
grep -q "cannot write the output: Broken pipe" "$work/err" || fail "closed pipe: $(cat "$work/err")"

[ "$failures" -eq 0 ] && echo "early_end_test: signals, a full device and a closed pipe are reported"
exit "$failures"
