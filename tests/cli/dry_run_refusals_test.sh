#!/usr/bin/env bash
# Where the system tells before renaming that it will refuse, a dry run must print and exit
# exactly as the real run then does: a read-only mount, a folder the user may not write, a sticky
# folder and another user's entry, an immutable or append-only entry or folder. Most cases need
# root (another user, chattr, a mount of its own); what cannot be set up is skipped and said.
# Usage: dry_run_refusals_test.sh QOMDEX_CLI
set -euo pipefail
cli=$1
source "$(dirname "$0")/script_support.sh"
trap 'chattr -R -ia "$work" 2>/dev/null || true; rm -rf "$work"' EXIT
chmod 755 "$work"
root=false
[ "$(id -u)" -eq 0 ] && root=true
if $root; then other=nobody; else other=self; fi

# Runs qomdex-cli, dry and then for real, on $work/d as `user` (self, or nobody by setpriv),
# keeping each run's output and status.
run_both() {
  local user=$1 as=()
  [ "$user" = nobody ] && as=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
  local status
  for mode in dry real; do
    status=0
    "${as[@]}" "$cli" $([ $mode = dry ] && echo --dry-run) "$work/d" \
      >"$work/$mode.out" 2>"$work/$mode.err" || status=$?
    echo "$status" >"$work/$mode.status"
  done
}

# The real run was refused, and the dry run said so to the letter.
check() {
  [ "$(cat "$work/real.status")" -eq 1 ] ||
    fail "the real run was not refused: exit $(cat "$work/real.status"), $(cat "$work/real.err")"
  for part in status out err; do
    cmp -s "$work/dry.$part" "$work/real.$part" ||
      fail "$part: dry run [$(cat "$work/dry.$part")], real run [$(cat "$work/real.$part")]"
  done
}

fresh() {
  chattr -R -ia "$work/d" 2>/dev/null || true
  rm -rf "$work/d"
  mkdir "$work/d"
  touch "$work/d/01 a.txt" "$work/d/02 b.txt"
}

# name | needs root | user | how the folder is set up
cases=(
  "folder not writable|no|$other|chmod 555 d"
  "sticky folder, another user's entry|yes|nobody|chmod 1777 d && chown nobody 'd/02 b.txt'"
  "immutable entry|yes|self|chattr +i 'd/01 a.txt'"
  "append-only entry|yes|self|chattr +a 'd/01 a.txt'"
  "immutable folder|yes|self|chattr +i d"
  "append-only folder|yes|self|chattr +a d"
)
for row in "${cases[@]}"; do
  IFS='|' read -r context needs user setup <<<"$row"
  if [ "$needs" = yes ] && ! $root; then
    echo "skipped ($context): needs root"
    continue
  fi
  fresh
  if ! (cd "$work" && eval "$setup") 2>/dev/null; then
    echo "skipped ($context): this file system cannot be set up so"
    continue
  fi
  run_both "$user"
  check
done

context="read-only mount"
if $root && unshare --mount --propagation private true 2>/dev/null; then
  fresh
  unshare --mount --propagation private bash -euc '
    mount -t tmpfs tmpfs "$1/d"
    touch "$1/d/01 a.txt" "$1/d/02 b.txt"
    mount -o remount,ro "$1/d"
    for mode in dry real; do
      status=0
      "$2" $([ $mode = dry ] && echo --dry-run) "$1/d" >"$1/$mode.out" 2>"$1/$mode.err" ||
        status=$?
      echo "$status" >"$1/$mode.status"
    done' _ "$work" "$cli"
  check
else
  echo "skipped ($context): needs root and a mount namespace"
fi

[ "$failures" -eq 0 ] && echo "dry_run_refusals_test: the dry run foresees what the system refuses"
exit "$failures"
