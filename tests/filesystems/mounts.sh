# Sourced by the file-system tests: mounts and unmounts each file system users' files live on,
# from an image or a server made in a scratch folder. Needs root (loop devices, FUSE, sshd).
# make_volume makes a kind's image (or sshd) in the scratch folder, mount_volume mounts it,
# unmount_volume takes it down again, and remount_volume does both, which hands out new inode
# (and FUSE device) numbers on some of them.

fs_kinds=(ext4 btrfs xfs fat exfat ntfs sshfs)

# can_mount: returns 0 when this machine can mount the volumes (root, FUSE and a free loop
# device); otherwise prints the reason and returns 1.
can_mount() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "not root (loop devices and FUSE mounts need root)"
  elif ! { : <>/dev/fuse; } 2>/dev/null; then
    echo "/dev/fuse cannot be opened"
  elif ! losetup -f >/dev/null 2>&1; then
    echo "no free loop device"
  else
    return 0
  fi
  return 1
}

# make_volume KIND SCRATCH: makes the volume KIND is mounted from (an image, or an sshd and key);
# on failure prints what the tool said and returns 1.
make_volume() {
  local kind=$1 scratch=$2 image=$2/$1.img output
  case $kind in
    ext4 | btrfs | xfs | fat | exfat | ntfs)
      # xfs and btrfs want room for their logs; every kind fits 320 MiB.
      truncate -s 320M "$image" || return 1
      # The tools chat on standard error even when quiet (mkfs.ntfs about the image not being a
      # disk), so what they say is shown only when they fail.
      output=$(case $kind in
        ext4) mkfs.ext4 -q -F "$image" ;;
        btrfs) mkfs.btrfs -q -f "$image" ;;
        xfs) mkfs.xfs -q -f "$image" ;;
        # fusefat loses a long name, and the content of another entry, when a rename makes a
        # folder grow past a cluster (plain rename(2) does it): 32 KiB clusters keep the
        # tests' folders inside their first one.
        fat) mkfs.vfat -s 64 "$image" ;;
        exfat) mkfs.exfat "$image" ;;
        ntfs) mkfs.ntfs -Q -F -q "$image" ;;
      esac 2>&1) || { printf '%s\n' "$output" >&2; return 1; }
      ;;
    sshfs) start_sshd "$scratch" ;;
    *) echo "make_volume: unknown kind $kind" >&2; return 1 ;;
  esac
}

# mount_volume KIND SCRATCH MOUNT_POINT: mounts the volume make_volume made; returns 1 when the
# mount fails, and then leaves nothing attached.
mount_volume() {
  local kind=$1 scratch=$2 point=$3 device
  mkdir -p "$point" || return 1
  case $kind in
    ext4 | btrfs | xfs) mount -o loop "$scratch/$kind.img" "$point" ;;
    fat | exfat | ntfs)
      # The FUSE drivers get a loop device: exFAT's insists on a block device, and on one every
      # FUSE mount is a fuseblk mount, whose unmount waits until the driver has written the
      # volume back. On a bare image the unmount returns at once, and mounting again could read
      # an image still being written.
      device=$(losetup -f --show "$scratch/$kind.img") || return 1
      case $kind in
        # fusefat describes the volume on standard error at every mount.
        fat) fusefat -o rw+,blkdev,fsname="$device" "$device" "$point" >"$scratch/fusefat.log" 2>&1 ||
          { cat "$scratch/fusefat.log" >&2; false; } ;;
        exfat) mount.exfat-fuse "$device" "$point" >/dev/null ;;
        ntfs) ntfs-3g "$device" "$point" ;;
      esac || { losetup -d "$device"; return 1; }
      ;;
    sshfs)
      mkdir -p "$scratch/share" || return 1
      sshfs -p "$(cat "$scratch/sshd.port")" -o IdentityFile="$scratch/key" \
        -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR \
        "root@127.0.0.1:$scratch/share" "$point"
      ;;
    *) echo "mount_volume: unknown kind $kind" >&2; return 1 ;;
  esac
}

# unmount_volume MOUNT_POINT: unmounts whatever is mounted there, FUSE or not, and detaches the
# loop device mount_volume attached for it; returns 1 when it stays mounted (busy).
unmount_volume() {
  local point=$1 source type
  # From the mount table, not stat: a FUSE mount whose driver died fails every stat.
  read -r source type < <(findmnt -n -o SOURCE,FSTYPE --mountpoint "$point") || return 0
  # Never lazily: a volume detached but still in use would be mounted twice by a remount.
  umount "$point" 2>/dev/null || fusermount -u "$point" || return 1
  # mount -o loop's devices detach themselves; the FUSE drivers' are ours to detach.
  if [ "$type" = fuseblk ] && [[ $source == /dev/loop* ]]; then losetup -d "$source"; fi
  return 0
}

# remount_volume KIND SCRATCH MOUNT_POINT: unmounts and mounts the same volume again.
remount_volume() {
  local kind=$1 scratch=$2 point=$3
  unmount_volume "$point" && mount_volume "$kind" "$scratch" "$point"
}

# start_sshd SCRATCH: an sshd on a free loopback port, reachable only with a key made for this
# run; returns 1 when it does not come up.
start_sshd() {
  local scratch=$1 port
  ssh-keygen -q -t ed25519 -N '' -f "$scratch/key" || return 1
  ssh-keygen -q -t ed25519 -N '' -f "$scratch/host_key" || return 1
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  echo "$port" >"$scratch/sshd.port"
  mkdir -p /run/sshd
  cat >"$scratch/sshd_config" <<CONFIG
ListenAddress 127.0.0.1
Port $port
HostKey $scratch/host_key
AuthorizedKeysFile $scratch/key.pub
PermitRootLogin prohibit-password
PasswordAuthentication no
StrictModes no
Subsystem sftp internal-sftp
PidFile $scratch/sshd.pid
CONFIG
  /usr/sbin/sshd -f "$scratch/sshd_config" || return 1
  # sshd writes its pid file once it listens.
  for _ in $(seq 50); do [ -s "$scratch/sshd.pid" ] && return 0; sleep 0.1; done
  echo "start_sshd: sshd did not start" >&2
  return 1
}

# stop_sshd SCRATCH: stops the sshd start_sshd started there, if any, and waits for it to end.
stop_sshd() {
  local scratch=$1 pid
  [ -s "$scratch/sshd.pid" ] || return 0
  pid=$(cat "$scratch/sshd.pid")
  # Once asked, never again: the number could be another process's by then.
  rm -f "$scratch/sshd.pid"
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
}
