#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

#include "engine/flat_name_table.h"
#include "engine/pass_options.h"
#include "location/native_name.h"
#include "location/platform.h"

namespace qomdex {

// The one directory a pass or an undo works in, opened once: every look at an entry and every
// rename goes through its handle, so the directory stays the one treated even if it is moved.
// In a dry run nothing changes, and every answer is the one the disk would give after the
// renames the dry run has pretended to make: names it vacated are free, names it took are taken.
class PassDirectory {
 public:
  // Opens the directory for a pass run with `options` (a dry run or not, and the system calls its
  // renames are made of). Reads the disk; throws std::filesystem::filesystem_error when it
  // cannot be opened.
  PassDirectory(const std::filesystem::path& path, const PassOptions& options);
  // Works through `handle`, open already and lent for the object's life. Never touches the disk.
  PassDirectory(const platform::Directory& handle, const PassOptions& options);
  PassDirectory(const PassDirectory&) = delete;
  PassDirectory& operator=(const PassDirectory&) = delete;

  // Returns the path the directory was opened by.
  const std::filesystem::path& path() const { return handle_.path(); }
  // Returns the open directory.
  const platform::Directory& handle() const { return handle_; }

  // Returns the identity of the entry `name` (see platform::SystemCalls::Identify). Reads the disk.
  platform::Identity Identify(const NativeString& name, std::error_code& error) const;

  // Renames `from`, the entry `identity`, to `to` and never replaces (see platform::Rename);
  // returns the name given. A dry run renames nothing and fails as the rename would where the
  // system tells in advance: a new name that is taken, a read-only mount, a folder the user may
  // not write, a sticky folder and another user's entry, an immutable or append-only entry or
  // folder (see platform::ForeseeRenames). Touches the disk (a dry run only reads it); never
  // throws for a refusal.
  NativeString Rename(const NativeString& from, const NativeString& to,
                      const platform::Identity& identity, std::error_code& error,
                      platform::RenameWitness* witness = nullptr);

  // Makes room for the names up to `count` renames touch, so a dry run's record of them need not
  // grow mid-pass. Never touches the disk.
  void ExpectRenames(std::size_t count) {
    if (dry_run_) pretended_.Reserve(2 * count);
  }

  // Removes what a rename cut short left under `name` (see platform::RemoveLosingNothing); a dry
  // run only checks that `name` is the entry `identity`. Touches the disk; sets `error` on failure.
  void RemoveResidue(const NativeString& name, const platform::Identity& identity,
                     std::error_code& error);

  // Removes `name` if it is an empty file or folder (see platform::RemoveLosingNothing); a dry run
  // removes nothing. Touches the disk; sets `error` on failure or when it is not empty.
  void RemoveEmptyEntry(const NativeString& name, std::error_code& error);

 private:
  // Dry run only: records that a pretended rename or removal freed `name`, or that a pretended
  // rename gave it to the entry `identity`.
  void PretendVacated(const NativeString& name);
  void PretendMade(const NativeString& name, const platform::Identity& identity);

  std::optional<platform::Directory> own_handle_;  // when opened by the object itself
  const platform::Directory& handle_;
  bool dry_run_;
  // Dry run only: what the system tells of every rename here, looked at before the first.
  std::optional<platform::RenameOutlook> outlook_;
  // Dry run only: what its pretended renames did to each name they touched, and the identity of
  // each entry they gave a name to, where one is known.
  enum class Pretended : std::uint8_t { kUntouched, kVacated, kMade };
  FlatNameTable<Pretended> pretended_;
  FlatNameTable<platform::Identity> made_identity_;
};

}  // namespace qomdex
