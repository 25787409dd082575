#include "engine/taken_names.h"

namespace qomdex {

void TakenNames::Add(std::u16string fold) {
  ++counts_[std::move(fold)];
  ++size_;
}

void TakenNames::Remove(const std::u16string& fold) {
  const auto found = counts_.find(fold);
  if (found == counts_.end()) return;
  if (--found->second == 0) counts_.erase(found);
  --size_;
}

std::size_t TakenNames::Count(const std::u16string& fold) const {
  const auto found = counts_.find(fold);
  return found == counts_.end() ? 0 : found->second;
}

}  // namespace qomdex
