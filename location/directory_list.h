#pragma once

#include <functional>

#include "location/entry_list.h"

namespace qomdex {

// The immediate subfolders of one directory, by full path. Reports each change of its path.
class DirectoryList : public EntryList {
 public:
  explicit DirectoryList(SortKey sort_key) : EntryList(EntryKind::kFolder, std::move(sort_key)) {}

  // Moves the list to a directory or a drive's root and, when the path differs from before,
  // raises the change callback before returning. Reads the disk; throws
  // std::filesystem::filesystem_error, leaving the list unchanged, when it cannot be read.
  void SetPath(const std::filesystem::path& directory);

  // Returns the full path of the subfolder at a position below count().
  std::filesystem::path entry(std::size_t position) const;

  // Sets the one callback raised after each change of the path; it is given the files of the
  // new path, from the same reading of the directory.
  using ChangeCallback = std::function<void(const State& files)>;
  void OnChange(ChangeCallback callback) { on_change_ = std::move(callback); }

 private:
  ChangeCallback on_change_;
};

}  // namespace qomdex
