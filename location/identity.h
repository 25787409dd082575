#pragma once

#include <cstdint>

namespace qomdex::platform {

// What makes an entry the one it is, whatever its name. A link is identified itself, never its
// target. The numbers (device and inode on POSIX, volume serial number and file ID on Windows)
// tell entries apart for certain only while the volume stays mounted: FAT, exFAT, many FUSE and
// network file systems hand them out anew at each mount, or per path. The rest is what survives
// a remount.
struct Identity {
  enum class Type : std::uint8_t {
    kUnknown,  // only the numbers are known (a record of an older journal)
    kFile,
    kFolder,
    kLink,
    kOther,
  };

  std::uint64_t device = 0;
  std::uint64_t file = 0;
  std::uint64_t size = 0;
  // The last change of its content and its making, in the system's own ticks (nanoseconds on
  // POSIX, 100 ns on Windows) since its epoch; `born` is 0 where the system does not say.
  std::int64_t modified = 0;
  std::int64_t born = 0;
  // The mount the entry was seen on, never reused while the system runs; 0 where unknown.
  std::uint64_t mount = 0;
  Type type = Type::kUnknown;
  // False on a file system whose numbers do not survive a remount.
  bool numbers_durable = true;

  friend bool operator==(const Identity&, const Identity&) = default;
};

// Returns true when `now` is the very entry `recorded` was taken of. Where the numbers prove it
// (they mean something, on the same mount or on a file system that keeps them across mounts, and
// the system gave both a birth time, which tells a number handed on to a new entry apart), type,
// numbers and birth time match, whatever its content or times since. Elsewhere type, size,
// modification and birth time all match, and so do the numbers wherever they still mean
// anything. Never touches the disk.
bool SameEntry(const Identity& recorded, const Identity& now);

// Returns true when nothing known proves `now` another entry than `recorded` (type, birth time
// and meaningful numbers agree), though SameEntry may not prove it the same: an entry changed
// where the numbers prove nothing. Never touches the disk.
bool MayBeSameEntry(const Identity& recorded, const Identity& now);

// Returns true as SameEntry does, except that on a file system whose numbers do not survive a
// remount (FAT and FUSE file systems; `fusefat` stamps a renamed file with the time of the
// rename) the modification time may instead lie within `margin` of `stamped`, the time of the
// rename. Never touches the disk.
bool SameEntryStampedAt(const Identity& recorded, const Identity& now, std::int64_t stamped,
                        std::int64_t margin);

// Returns true when both were taken of the same entry on the same mount, whatever changed in it
// since (a file being written, say). Never touches the disk.
bool SameNumbers(const Identity& a, const Identity& b);

}  // namespace qomdex::platform
