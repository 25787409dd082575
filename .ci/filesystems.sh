#!/usr/bin/env bash
# Holds qomdex-cli and the window's undo to their promises on real file systems (tests/filesystems/matrix.sh): ext4, btrfs,
# xfs, FAT, exFAT, NTFS and sshfs, each mounted from an image or a local sshd. Needs root, loop
# devices and /dev/fuse; where they are missing this fails, as CI must run it.
# Usage: filesystems.sh [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/install-deps.sh util-linux mount e2fsprogs btrfs-progs xfsprogs dosfstools fusefat \
  exfatprogs exfat-fuse ntfs-3g fuse3 sshfs openssh-server openssh-client python3

[ -f build/build.ninja ] || cmake --preset default
cmake --build --preset default --target qomdex-cli qomdex_crash_shim qomdex_remount_undo_test

# The window's undo, in-process, across a remount of each volume.
export QOMDEX_REMOUNT_TEST="$PWD/build/tests/form/qomdex_remount_undo_test"
CI=${CI:-true} bash tests/filesystems/matrix.sh build/cli/qomdex-cli \
  build/tests/cli/libqomdex_crash_shim.so "$@"
