#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/flat_name_table.h"

namespace qomdex {

// The folds of the names that stand in a directory, as a multiset: the answer a fresh listing
// would give to "how many entries have this fold", kept up to date by the pass after each rename
// instead of re-reading the directory before every entry.
class TakenNames {
 public:
  void Reserve(std::size_t count) { counts_.Reserve(count); }
  void Add(std::u16string_view fold);
  // Removes one entry with this fold, if there is one.
  void Remove(std::u16string_view fold);
  // Returns how many entries have this fold.
  std::size_t Count(std::u16string_view fold) const;
  // Returns how many entries there are.
  std::size_t size() const { return size_; }

 private:
  // Returns the fold as the table's key, in the scratch buffer.
  std::string_view Key(std::u16string_view fold) const;

  FlatNameTable<std::uint32_t> counts_;
  std::size_t size_ = 0;
  mutable std::string key_;
};

}  // namespace qomdex
