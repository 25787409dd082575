#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>

namespace qomdex {

// The folds of the names that stand in a directory, as a multiset: the answer a fresh listing
// would give to "how many entries have this fold", kept up to date by the pass after each rename
// instead of re-reading the directory before every entry.
class TakenNames {
 public:
  void Reserve(std::size_t count) { counts_.reserve(count); }
  void Add(std::u16string fold);
  // Removes one entry with this fold, if there is one.
  void Remove(const std::u16string& fold);
  // Returns how many entries have this fold.
  std::size_t Count(const std::u16string& fold) const;
  // Returns how many entries there are.
  std::size_t size() const { return size_; }

 private:
  std::unordered_map<std::u16string, std::size_t> counts_;
  std::size_t size_ = 0;
};

}  // namespace qomdex
