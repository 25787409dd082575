#!/usr/bin/env bash
# Holds qomdex-cli to its promises on the file systems users' files live on: ext4, btrfs, xfs,
# FAT, exFAT, NTFS and sshfs, each made in a scratch folder under /tmp and mounted here (root).
# The checks, on each file system:
#   file-pass-names, folder-pass-names  a pass leaves the names, the report and the exit status
#                        the local disk gives for the same folder
#   dry-run              --dry-run changes nothing and prints what the real run then does
#   race                 a program making the new names while the pass runs loses nothing, and
#                        the report and the files agree afterwards
#   kill                 after a SIGKILL at a seeded call every file is under its old name or a
#                        new one, and --undo brings back every old name and leaves nothing else
#   undo-after-remount   after a remount, --undo puts back what the pass renamed, leaves alone
#                        and reports what someone else put under the new names
#   append-race          (FAT, exFAT: renames over a placeholder; only when QOMDEX_FS_CHECKS
#                        names it) a program appending to the new names over and over during a
#                        pass loses none of its writes, in three rounds; one opening a
#                        placeholder in the instant of its rename still loses a write now and then
#   link-race            (NTFS: renames by a hard link) a program putting its own files under the
#                        old names the moment the new ones exist loses none of them
#   undo-kill            (exFAT files, NTFS folders) after a SIGKILL at a seeded call of an
#                        undo, a second undo puts back every name and leaves nothing else
#   remount-test         only when QOMDEX_REMOUNT_TEST is set: that shell command, given an empty
#                        folder on the volume and a command that remounts it as its two
#                        arguments (also as QOMDEX_TEST_DIR and QOMDEX_REMOUNT, with
#                        QOMDEX_FS_KIND), must succeed; it must close what it holds open on the
#                        volume before it remounts
# Prints a line per file system and check and then a table; exits 1 when any check failed.
# Where nothing can be mounted it says why and exits 0, unless CI is set. QOMDEX_FS_KINDS, a
# list of some of the kinds in mounts.sh, runs only those; QOMDEX_FS_CHECKS, of the checks.
# Usage: matrix.sh QOMDEX_CLI CRASH_SHIM [SEED]
set -uo pipefail

if [ $# -lt 2 ] || [ ! -x "$1" ] || [ ! -f "$2" ]; then
  echo "usage: matrix.sh QOMDEX_CLI CRASH_SHIM [SEED]" >&2
  exit 2
fi
seed=${3:-${QOMDEX_CRASH_SEED:-$(od -An -N2 -tu2 /dev/urandom | tr -d ' ')}}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/mounts.sh"
# Sorting and globbing by bytes, so the same names list the same everywhere.
export LC_ALL=C

if ! reason=$(can_mount); then
  echo "matrix: cannot mount here: $reason"
  [ -z "${CI:-}" ] && exit 0
  echo "matrix: FAIL: CI must run these checks" >&2
  exit 1
fi
echo "matrix: seed $seed (rerun with: matrix.sh CLI SHIM $seed)"
RANDOM=$seed

[ -n "${QOMDEX_FS_KINDS:-}" ] && read -r -a fs_kinds <<<"$QOMDEX_FS_KINDS"
checks=(file-pass-names folder-pass-names dry-run race kill undo-after-remount undo-kill link-race)
[ -n "${QOMDEX_REMOUNT_TEST:-}" ] && checks+=(remount-test)
[ -n "${QOMDEX_FS_CHECKS:-}" ] && read -r -a checks <<<"$QOMDEX_FS_CHECKS"

# Not /dev/shm: the baseline is the local disk, and the images should not eat memory.
scratch=$(mktemp -d /tmp/qomdex-fs.XXXXXX)
racer=
cleanup() {
  local kind
  [ -n "$racer" ] && kill "$racer" 2>/dev/null
  for kind in "${fs_kinds[@]}"; do
    [ -d "$scratch/$kind" ] || continue
    # Lazily only here, where nothing is mounted again.
    unmount_volume "$scratch/$kind/mnt" || umount -l "$scratch/$kind/mnt"
    # A loop device still on one of our images (a mount that failed half way, say).
    [ -f "$scratch/$kind/$kind.img" ] &&
      losetup -n -O NAME -j "$scratch/$kind/$kind.img" | xargs -r -n 1 losetup -d
    stop_sshd "$scratch/$kind"
  done
  rm -rf --one-file-system "$scratch"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
# Copies, so that a build finishing meanwhile cannot change the program half way through.
cli=$scratch/qomdex-cli
shim=$scratch/crash_shim.so
cp "$1" "$cli" && cp "$2" "$shim" || exit 2

context=
check_failed=0
fail() {
  echo "FAIL ($context): $*" >&2
  check_failed=1
}

# differs WHAT EXPECTED ACTUAL: a failure showing the lines that differ when the files do (a
# file may be a pipe, read once, or "-").
differs() {
  cat -- "$2" >"$work/expected.differs" && cat -- "$3" >"$work/actual.differs" ||
    { fail "$1: cannot be compared"; return 0; }
  cmp -s "$work/expected.differs" "$work/actual.differs" && return 1
  fail "$1 (- expected, + actual):"$'\n'"$(diff -U0 "$work/expected.differs" "$work/actual.differs" |
    grep -v -e '^---' -e '^+++' -e '^@@' | sed 's/^/    /')"
}

# run_cli OUT ERR ARG...: runs qomdex-cli into the two files and sets status.
run_cli() {
  local out=$1 err=$2
  shift 2
  status=0
  "$cli" "$@" >"$out" 2>"$err" || status=$?
}

# listing DIR: "name<TAB>content" for every entry of DIR, hidden ones too, sorted; a folder is
# "name/" with the content of the "origin" file in it.
listing() {
  local path name
  for path in "$1"/* "$1"/.*; do
    name=${path##*/}
    case $name in . | ..) continue ;; esac
    [ -e "$path" ] || [ -L "$path" ] || continue
    if [ -d "$path" ]; then
      printf '%s/\t%s\n' "$name" "$(cat "$path/origin" 2>/dev/null)"
    else
      printf '%s\t%s\n' "$name" "$(<"$path")"
    fi
  done | sort
}

# pass_option PASS: the option that chooses the pass, files or folders (left unquoted where used).
pass_option() { [ "$1" = folders ] && echo --folders; }

# renames OUT: "old<TAB>new" for each line qomdex-cli printed (the fixtures' names need quotes
# at most, never escapes).
renames() { sed -E "s/^'?([^']*)'? -> '?([^']*)'?\$/\\1\t\\2/" "$1"; }

# Drops the system's reason from each line of standard error: the same refusal can come with
# another errno from another file system.
without_reasons() { sed 's/: [^:]*$//' "$1"; }

# make_files DIR NAME...: makes DIR with a file for each NAME holding that name, so a mix-up or
# a loss shows; a name the file system refuses is a failure.
make_files() {
  local dir=$1 name
  shift
  mkdir -p "$dir" || { fail "cannot make '$dir'"; return 1; }
  for name; do
    printf '%s' "$name" >"$dir/$name" || { fail "the file system refused the name '$name'"; return 1; }
  done
}

# make_folders DIR NAME...: the same with folders, each holding its name in a file "origin".
make_folders() {
  local dir=$1 name
  shift
  mkdir -p "$dir" || { fail "cannot make '$dir'"; return 1; }
  for name; do
    { mkdir "$dir/$name" && printf '%s' "$name" >"$dir/$name/origin"; } ||
      { fail "the file system refused the folder name '$name'"; return 1; }
  done
}

# The fixtures use only names every file system here holds (ASCII, no two that differ only in
# case) and still make the passes' hard cases: cleaned names that are equal ignoring case, copy
# suffixes, a copy-suffix name already taken, an entry of the other kind in a new name's way,
# names that would hide the entry or be empty, and a hidden entry.
make_file_fixture() {
  local dir=$1 i names=('01 a.txt' '02 A.txt' 'a.txt' '03-B.TXT' 'b.txt' '04 c.txt' '05 c.txt'
    'c.txt' 'c copy ( 5).txt' '99.txt' '1.5 Intro.txt' '.07 hidden.txt' '_-_ dash.txt' 'kept.txt')
  for ((i = 0; i < 48; i++)); do names+=("$(printf '%02d - song %d.txt' $((i + 10)) $((i % 12)))"); done
  make_files "$dir" "${names[@]}" && make_folders "$dir" dash.txt && holds_fixture "$dir" files
}

make_folder_fixture() {
  local dir=$1 i names=('01. Intro' '02 - Live' '1.2' '03 rock' 'Rock' '04_ROCK' '05.Rock'
    '06 Jazz' '07 jazz' '08 - Blues' '.09 hidden' '10 Folk')
  for ((i = 11; i <= 40; i++)); do names+=("$(printf '%02d.set %d' "$i" $((i % 8)))"); done
  make_folders "$dir" "${names[@]}" && make_files "$dir" 'jazz Copy ( 6)' &&
    holds_fixture "$dir" folders
}

# holds_fixture DIR PASS: a failure unless DIR lists as the local disk's fixture does (a file
# system that folds case or mangles names could merge or alter them silently).
holds_fixture() {
  [ "$1" = "$scratch/local/$2" ] && return 0
  listing "$1" >"$work/fixture"
  ! differs "the file system holds the $2 fixture otherwise" "$scratch/local/$2.before" "$work/fixture"
}

# The local disk's run of each pass, which every file system must repeat.
make_baseline() {
  local pass dir
  context="local disk baseline"
  work=$scratch/local
  for pass in files folders; do
    dir=$scratch/local/$pass
    "make_${pass%s}_fixture" "$dir" || return 1
    listing "$dir" >"$dir.before"
    run_cli "$dir.out" "$dir.err" $(pass_option "$pass") "$dir"
    echo "$status" >"$dir.status"
    listing "$dir" >"$dir.after"
  done
}

# fusefat refuses to rename a folder over another (EPERM), the one way to keep a folder's new
# name from other programs there, and its plain rename of a folder loses what the folder holds;
# so there every folder rename is refused and reported, and no folder moves.
refuses_folder_renames() { [ "$kind" = fat ]; }

# refused_folder_check DIR ERR: nothing in DIR moved, and each rename the local disk made is
# reported as refused.
refused_folder_check() {
  local old new
  listing "$1" >"$work/after"
  differs "a folder moved where every folder rename is refused" "$scratch/local/folders.before" \
    "$work/after"
  [ "$status" -eq 1 ] || fail "exit status $status where every folder rename is refused"
  while IFS=$'\t' read -r old new; do
    grep -qF -e "cannot rename '$old' " -e "cannot rename $old " "$2" || fail "the refused rename of '$old' is not reported"
  done < <(renames "$scratch/local/folders.out")
}

# names_check PASS: the pass on this file system does what it did on the local disk.
names_check() {
  local pass=$1 dir=$point/$1-names base=$scratch/local/$1
  "make_${pass%s}_fixture" "$dir" || return
  run_cli "$work/out" "$work/err" $(pass_option "$pass") "$dir"
  if [ "$pass" = folders ] && refuses_folder_renames; then
    refused_folder_check "$dir" "$work/err"
    return
  fi
  listing "$dir" >"$work/after"
  differs "the names and contents after the pass differ from the local disk's" "$base.after" "$work/after"
  differs "the report differs from the local disk's" "$base.out" "$work/out"
  [ "$status" = "$(cat "$base.status")" ] ||
    fail "exit status $status, on the local disk $(cat "$base.status")"
  differs "standard error differs from the local disk's (reasons left out)" \
    <(without_reasons "$base.err") <(without_reasons "$work/err")
  [ "$check_failed" -eq 0 ] || fail "standard error here:"$'\n'"$(sed 's/^/    /' "$work/err")"
}
check_file_pass_names() { names_check files; }
check_folder_pass_names() { names_check folders; }

check_dry_run() {
  local pass dry real dry_status
  for pass in files folders; do
    dry=$point/dry-run/$pass-dry
    real=$point/dry-run/$pass-real
    "make_${pass%s}_fixture" "$dry" && "make_${pass%s}_fixture" "$real" || return
    listing "$dry" >"$work/before"
    run_cli "$work/dry.out" "$work/dry.err" --dry-run $(pass_option "$pass") "$dry"
    dry_status=$status
    listing "$dry" >"$work/after"
    differs "the $pass dry run changed the folder" "$work/before" "$work/after"
    run_cli "$work/real.out" "$work/real.err" $(pass_option "$pass") "$real"
    # No dry run can foresee a file system's own refusal.
    if [ "$pass" = folders ] && refuses_folder_renames; then
      refused_folder_check "$real" "$work/real.err"
      continue
    fi
    differs "the $pass dry run's report is not the real run's" "$work/real.out" "$work/dry.out"
    differs "the $pass dry run's standard error is not the real run's" "$work/real.err" "$work/dry.err"
    [ "$status" -eq "$dry_status" ] || fail "the $pass dry run exited $dry_status, the real run $status"
  done
}

check_race() {
  # fusefat takes time square in a folder's size, so the fixtures stay small.
  local dir=$point/race count=120 i names=() old new
  for ((i = 0; i < count; i++)); do names+=("$(printf '%03d - track %d.txt' "$i" "$i")"); done
  make_files "$dir" "${names[@]}" || return
  # Another program makes the new names while the pass runs, from the last file down so the
  # two meet half way; only where a name is free (noclobber): a plain "> name" would empty a
  # file the pass had just renamed there, a loss that would be the racer's own doing.
  (
    set -C
    for ((i = count - 1; i >= 0; i--)); do
      { : >"$dir/track $i.txt"; } 2>/dev/null && echo "track $i.txt"
    done
  ) >"$work/made" &
  racer=$!
  run_cli "$work/out" "$work/err" "$dir"
  wait "$racer"
  racer=
  case $status in 0 | 1) ;; *) fail "exit status $status: $(cat "$work/err")" ;; esac
  listing "$dir" >"$work/after"

  # Each content in exactly one file: none lost, none left twice (a second link).
  printf '%s\n' "${names[@]}" | sort >"$work/expected"
  awk -F'\t' '$2 != "" { print $2 }' "$work/after" | sort >"$work/contents"
  differs "the files' contents after the race" "$work/expected" "$work/contents"
  # The report is the truth: each file is where the lines say, or else under its old name.
  declare -A moved=()
  while IFS=$'\t' read -r old new; do moved[$old]=$new; done < <(renames "$work/out")
  for old in "${names[@]}"; do printf '%s\t%s\n' "${moved[$old]:-$old}" "$old"; done |
    sort >"$work/expected"
  awk -F'\t' '$2 != ""' "$work/after" >"$work/placed"
  differs "the files are not where the report puts them" "$work/expected" "$work/placed"
  # The racer's files stay as it made them, and nothing else is left.
  sed 's/$/\t/' "$work/made" | sort >"$work/expected"
  awk -F'\t' '$2 == ""' "$work/after" >"$work/empty"
  differs "the racer's empty files are not as it made them" "$work/expected" "$work/empty"
  [ "$check_failed" -eq 0 ] || fail "exit status $status; standard error:"$'\n'"$(sed 's/^/    /' "$work/err")"
}

check_kill() {
  local count=100 round dir journal crash_at i names
  for round in 0 1; do
    dir=$point/kill-$round
    journal=$work/kill-$round.journal
    names=()
    for ((i = 0; i < count; i++)); do
      names+=("$(printf '%03d - track %d.txt' $((i % 70)) $((i % 80)))")
    done
    # Some new names taken, so copy-suffix names are made too.
    names+=('track 7.txt' 'track 50.txt' 'track 75.txt')
    make_files "$dir" "${names[@]}" || return
    listing "$dir" >"$work/before"
    # A call the pass surely makes: it renames each of the count files at least once.
    crash_at=$((RANDOM % count + 1))
    context="$kind kill, seed $seed, call $crash_at, after $round"
    status=0
    # In a subshell of its own, whose note that the program was killed goes nowhere.
    (env LD_PRELOAD="$shim" QOMDEX_CRASH_AT="$crash_at" QOMDEX_CRASH_AFTER="$round" \
      "$cli" --journal "$journal" "$dir" >/dev/null 2>"$work/err" || exit) 2>/dev/null || status=$?
    [ "$status" -eq 137 ] || { fail "exit $status, expected 137 (killed): $(cat "$work/err")"; continue; }

    listing "$dir" >"$work/after"
    printf '%s\n' "${names[@]}" | sort >"$work/expected"
    awk -F'\t' '$2 != "" { print $2 }' "$work/after" | sort -u >"$work/contents"
    differs "the files' contents after the kill" "$work/expected" "$work/contents"
    # Every file is under its old name or a cleaned one; what the rename in flight may leave
    # is one empty placeholder or one second link, under the old name or a private one.
    awk -F'\t' '$2 != "" && $1 != $2 && $1 !~ /^\.qomdex-[0-9a-f]+$/ {
        base = $2; sub(/^[0-9]+ - /, "", base); stem = base; sub(/\.txt$/, "", stem)
        if ($1 != base && index($1, stem " copy ( ") != 1) print }' "$work/after" >"$work/misplaced"
    [ -s "$work/misplaced" ] && fail "files under names that are neither old nor new:"$'\n'"$(sed 's/^/    /' "$work/misplaced")"
    awk -F'\t' '$2 != "" { print $2 }' "$work/after" | sort | uniq -c | awk '$1 > 1' >"$work/twice"
    awk -F'\t' '$2 == ""' "$work/after" >"$work/empty"
    [ "$(wc -l <"$work/twice")" -le 1 ] && awk '$1 > 2 { exit 1 }' "$work/twice" ||
      fail "more than one file left twice, or one more often (count, content):"$'\n'"$(sed 's/^/    /' "$work/twice")"
    [ "$(wc -l <"$work/empty")" -le 1 ] ||
      fail "more than one empty file left:"$'\n'"$(sed 's/^/    /' "$work/empty")"

    run_cli "$work/out" "$work/err" --undo "$journal"
    [ "$status" -eq 0 ] || fail "undo exited $status:"$'\n'"$(sed 's/^/    /' "$work/err")"
    listing "$dir" >"$work/undone"
    differs "undo did not restore the folder as it was" "$work/before" "$work/undone"
  done
}

check_undo_after_remount() {
  local dir=$point/undo journal=$work/undo.journal i names=() new new_a new_b old_a old_b
  local stranger_time='2001-02-03 04:05:06'
  for ((i = 0; i < 60; i++)); do names+=("$(printf '%02d - take %d.txt' "$i" $((i % 40)))"); done
  make_files "$dir" "${names[@]}" || return
  listing "$dir" >"$work/before"
  run_cli "$work/out" "$work/err" --journal "$journal" "$dir"
  [ "$status" -eq 0 ] || { fail "the pass exited $status: $(cat "$work/err")"; return; }
  renames "$work/out" >"$work/renames"
  IFS=$'\t' read -r old_a new_a < <(sed -n 5p "$work/renames")
  IFS=$'\t' read -r old_b new_b < <(sed -n 50p "$work/renames")
  remount_volume "$kind" "$vol" "$point" || { fail "cannot remount"; return; }

  # Someone moves two renamed files away and puts files of their own, one empty and one not,
  # under the new names; undo must leave both as they are.
  mv "$dir/$new_a" "$dir/moved away a.txt" && : >"$dir/$new_a" &&
    mv "$dir/$new_b" "$dir/moved away b.txt" && printf 'a stranger' >"$dir/$new_b" &&
    touch -d "$stranger_time" "$dir/$new_a" "$dir/$new_b" ||
    { fail "cannot put the strangers in place"; return; }
  stat -c '%n %s %Y' "$dir/$new_a" "$dir/$new_b" >"$work/strangers"
  run_cli "$work/undo.out" "$work/undo.err" --undo "$journal"
  [ "$status" -eq 1 ] || fail "undo exited $status, expected 1"
  for new in "$new_a" "$new_b"; do
    grep -qF -- "$new" "$work/undo.err" || fail "undo did not report the stranger '$new'"
  done
  { grep -v -x -F -e "$old_a"$'\t'"$old_a" -e "$old_b"$'\t'"$old_b" "$work/before"
    printf '%s\t%s\n' "moved away a.txt" "$old_a" "moved away b.txt" "$old_b" "$new_a" "" \
      "$new_b" "a stranger"; } | sort >"$work/expected"
  listing "$dir" >"$work/undone"
  differs "after the undo the folder is not the old one with the strangers" "$work/expected" "$work/undone"
  stat -c '%n %s %Y' "$dir/$new_a" "$dir/$new_b" >"$work/strangers.after" 2>&1
  differs "undo changed a stranger" "$work/strangers" "$work/strangers.after"
  [ "$check_failed" -eq 0 ] || fail "undo's standard error:"$'\n'"$(sed 's/^/    /' "$work/undo.err")"
}

# skip_unless KIND...: marks the check as not run here unless the file system is one of these.
skip_unless() {
  local each
  for each; do [ "$kind" = "$each" ] && return 1; done
  check_skipped=1
}

# Files "NNN - tK.mp3" for K below COUNT, each holding its name and a newline.
make_tracks() {
  local dir=$1 count=$2 i name
  mkdir -p "$dir" || { fail "cannot make '$dir'"; return 1; }
  for ((i = 0; i < count; i++)); do
    name=$(printf '%03d - t%d.mp3' "$i" "$i")
    printf '%s\n' "$name" >"$dir/$name" || { fail "cannot make '$name'"; return 1; }
  done
}

# lost_nothing DIR COUNT NOTED WORD PREFIX: after a racer ran beside a pass over make_tracks'
# COUNT files, every line NOTED lists (what the racer made, each line starting with WORD) and
# every file's own line is somewhere in DIR. The racer may be stopped between making a line and
# noting it, so only noted lines count. PREFIX starts each failure's words.
lost_nothing() {
  local dir=$1 count=$2 noted=$3 word=$4 prefix=$5 i
  sort "$noted" >"$work/expected"
  cat "$dir"/* | grep "^$word" | sort | comm -12 - "$work/expected" >"$work/found"
  differs "${prefix}what the other program made" "$work/expected" "$work/found"
  cat "$dir"/* | grep -v "^$word" | sort >"$work/found"
  for ((i = 0; i < count; i++)); do printf '%03d - t%d.mp3\n' "$i" "$i"; done | sort >"$work/expected"
  differs "${prefix}the files' own contents" "$work/expected" "$work/found"
}

check_append_race() {
  skip_unless fat exfat && return
  local round count dir i
  # fusefat takes time square in a folder's size.
  count=$([ "$kind" = fat ] && echo 60 || echo 600)
  for round in 1 2 3; do
    dir=$(mktemp -d "$point/append.XXXXXX") || { fail "cannot make a folder"; return; }
    make_tracks "$dir" "$count" || return
    # Another program appends a line to each new name, over and over, while the pass runs; it
    # notes each write it made.
    (
      trap 'exit 0' TERM
      for ((pass = 0; ; pass++)); do
        for ((i = 0; i < count; i++)); do
          { echo "write $pass to t$i.mp3" >>"$dir/t$i.mp3"; } 2>/dev/null &&
            echo "write $pass to t$i.mp3"
        done
      done
    ) >"$work/written" &
    racer=$!
    run_cli "$work/out" "$work/err" "$dir"
    kill "$racer" && wait "$racer"
    racer=
    case $status in 0 | 1) ;; *) fail "round $round: exit status $status: $(cat "$work/err")" ;; esac
    lost_nothing "$dir" "$count" "$work/written" write "round $round: "
  done
}

check_link_race() {
  skip_unless ntfs && return
  local count=150 dir i old
  # A folder of its own each time, so the check can be repeated (QOMDEX_FS_CHECKS).
  dir=$(mktemp -d "$point/link-race.XXXXXX") || { fail "cannot make a folder"; return; }
  make_tracks "$dir" "$count" || return
  # Another program puts a file of its own under each old name once the new name exists, also
  # between the link and the unlink of a rename by link.
  (
    trap 'exit 0' TERM
    done_names=()
    while [ "${#done_names[@]}" -lt "$count" ]; do
      for ((i = 0; i < count; i++)); do
        [ -n "${done_names[$i]:-}" ] && continue
        [ -e "$dir/t$i.mp3" ] || continue
        old=$(printf '%03d - t%d.mp3' "$i" "$i")
        printf 'precious %d\n' "$i" >"$dir/.theirs $i" && mv -f "$dir/.theirs $i" "$dir/$old" &&
          echo "precious $i"
        done_names[$i]=1
      done
    done
  ) >"$work/made" &
  racer=$!
  run_cli "$work/out" "$work/err" "$dir"
  kill "$racer" 2>/dev/null
  wait "$racer"
  racer=
  case $status in 0 | 1) ;; *) fail "exit status $status: $(cat "$work/err")" ;; esac
  lost_nothing "$dir" "$count" "$work/made" precious ""
}

check_undo_kill() {
  skip_unless exfat ntfs && return
  local count=60 dir journal i names=() crash_at pass
  dir=$(mktemp -d "$point/undo-kill.XXXXXX") || { fail "cannot make a folder"; return; }
  journal=$work/${dir##*/}.journal
  pass=$([ "$kind" = ntfs ] && echo folders || echo files)
  for ((i = 0; i < count; i++)); do names+=("$(printf '%02d - take %d' "$i" "$i")"); done
  "make_${pass%s}s" "$dir" "${names[@]}" || return
  listing "$dir" >"$work/before"
  run_cli "$work/out" "$work/err" --journal "$journal" $(pass_option "$pass") "$dir"
  [ "$status" -eq 0 ] || { fail "the pass exited $status: $(cat "$work/err")"; return; }
  # Each put-back makes a few calls; one surely among the first renames.
  crash_at=$((RANDOM % (2 * count) + 1))
  context="$kind undo-kill, seed $seed, call $crash_at"
  status=0
  (env LD_PRELOAD="$shim" QOMDEX_CRASH_AT="$crash_at" QOMDEX_CRASH_AFTER=$((RANDOM % 2)) \
    "$cli" --undo "$journal" >/dev/null 2>"$work/err" || exit) 2>/dev/null || status=$?
  [ "$status" -eq 137 ] || { fail "undo exit $status, expected 137 (killed): $(cat "$work/err")"; return; }
  run_cli "$work/out" "$work/err" --undo "$journal"
  [ "$status" -eq 0 ] || fail "the second undo exited $status:"$'\n'"$(sed 's/^/    /' "$work/err")"
  listing "$dir" >"$work/undone"
  differs "the second undo did not restore the folder as it was" "$work/before" "$work/undone"
}

check_remount_test() {
  local dir=$point/remount-test remount
  mkdir "$dir" || { fail "cannot make '$dir'"; return; }
  remount="bash -c $(printf '%q' "source $(printf '%q' "$here/mounts.sh") && remount_volume $(printf '%q ' "$kind" "$vol" "$point")")"
  QOMDEX_FS_KIND=$kind QOMDEX_TEST_DIR=$dir QOMDEX_REMOUNT=$remount \
    bash -c "$QOMDEX_REMOUNT_TEST"' "$@"' remount-test "$dir" "$remount" >"$work/remount-test.log" 2>&1 ||
    fail "QOMDEX_REMOUNT_TEST failed:"$'\n'"$(tail -n 30 "$work/remount-test.log" | sed 's/^/    /')"
}

declare -A result=()
failed=0
record() {
  result["$kind $1"]=$2
  echo "$kind $1 $2"
  [ "$2" = PASS ] || [ "$2" = - ] || failed=1
}

make_baseline || { echo "matrix: the local disk's baseline cannot be made" >&2; exit 1; }
for kind in "${fs_kinds[@]}"; do
  started=$SECONDS
  vol=$scratch/$kind
  point=$vol/mnt
  work=$vol/work
  mkdir -p "$work"
  context=$kind
  if ! make_volume "$kind" "$vol" || ! mount_volume "$kind" "$vol" "$point"; then
    echo "FAIL ($kind): cannot make or mount the volume" >&2
    for check in "${checks[@]}"; do record "$check" FAIL; done
  else
    for check in "${checks[@]}"; do
      context="$kind $check"
      check_failed=0
      check_skipped=0
      "check_${check//-/_}"
      if [ "$check_skipped" -eq 1 ]; then
        record "$check" -
      else
        record "$check" "$([ "$check_failed" -eq 0 ] && echo PASS || echo FAIL)"
      fi
    done
  fi
  unmount_volume "$point" || { echo "FAIL ($kind): cannot unmount the volume" >&2; failed=1; }
  stop_sshd "$vol"
  echo "$kind: $((SECONDS - started)) s"
done

width=0
for kind in "${fs_kinds[@]}"; do [ ${#kind} -gt $width ] && width=${#kind}; done
printf '\n%-*s' "$width" ''
for check in "${checks[@]}"; do printf '  %s' "$check"; done
printf '\n'
for kind in "${fs_kinds[@]}"; do
  printf '%-*s' "$width" "$kind"
  for check in "${checks[@]}"; do printf '  %-*s' ${#check} "${result["$kind $check"]}"; done
  printf '\n'
done
echo "matrix: ${#fs_kinds[@]} file systems, ${#checks[@]} checks each, in ${SECONDS} s, seed $seed"
exit "$failed"
