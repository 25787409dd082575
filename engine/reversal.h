#pragma once

#include <filesystem>
#include <map>
#include <optional>

#include "engine/pass_directory.h"
#include "engine/pass_options.h"
#include "engine/pass_report.h"

namespace qomdex {

// The one rule by which every undo puts an entry back: only the very entry that was renamed, and
// only onto a free name. Opens each directory it is given once.
class Reversal {
 public:
  explicit Reversal(const PassOptions& options) : options_(options) {}

  // Renames the entry `identity` from `new_name` back to `old_name`. Does nothing when the entry
  // never left `old_name`; when both names hold it (a second link), removes `new_name`; records
  // anything else as a failure. Touches the disk (a dry run only reads it); never throws.
  void PutBack(const std::filesystem::path& directory, const NativeString& new_name,
               const NativeString& old_name, const platform::Identity& identity);

  // Removes the empty placeholder `identity` from under `name`, if it is still there. Touches the
  // disk (a dry run only reads it); never throws.
  void RemovePlaceholder(const std::filesystem::path& directory, const NativeString& name,
                         const platform::Identity& identity);

  // Removes what a kill may have left under `name` between making a placeholder there and
  // recording it: an empty file or folder that is not the entry `entry`. Touches the disk (a dry
  // run only reads it); never throws.
  void RemoveUnrecordedPlaceholder(const std::filesystem::path& directory, const NativeString& name,
                                   const platform::Identity& entry);

  // Returns what was done, moving it out.
  PassReport TakeReport() { return std::move(report_); }

 private:
  // Returns the open directory, or nothing when it cannot be opened (recorded once).
  PassDirectory* Open(const std::filesystem::path& directory);
  void Remove(PassDirectory& directory, const NativeString& name,
              const platform::Identity& identity);

  const PassOptions& options_;
  PassReport report_;
  std::map<std::filesystem::path, std::optional<PassDirectory>> directories_;
};

}  // namespace qomdex
