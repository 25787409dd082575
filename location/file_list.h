#pragma once

#include "location/entry_list.h"

namespace qomdex {

// The files of one directory, by bare name.
class FileList : public EntryList {
 public:
  explicit FileList(SortKey sort_key) : EntryList(EntryKind::kFile, std::move(sort_key)) {}

  // Shows a directory. Reads the disk; throws std::filesystem::filesystem_error, leaving the list
  // unchanged, when the directory cannot be read.
  void SetPath(const std::filesystem::path& directory) { Show(directory); }

  // Returns the bare name at a position; the position count() reads as the empty name.
  const NativeString& entry(std::size_t position) const;
};

}  // namespace qomdex
