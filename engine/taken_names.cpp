#include "engine/taken_names.h"

#include <algorithm>

namespace qomdex {

std::string_view TakenNames::Key(std::u16string_view fold) const {
  // Nearly every fold is Latin-1 and is kept at a byte a character; a tag keeps the two forms of
  // key apart.
  const bool narrow = std::all_of(fold.begin(), fold.end(), [](char16_t c) { return c < 0x100; });
  key_.assign(1, narrow ? 'n' : 'w');
  for (const char16_t c : fold) {
    if (!narrow) key_.push_back(static_cast<char>(c >> 8));
    key_.push_back(static_cast<char>(c & 0xFF));
  }
  return key_;
}

void TakenNames::Add(std::u16string_view fold) {
  counts_.Update(Key(fold), [](std::uint32_t count) { return count + 1; });
  ++size_;
}

void TakenNames::Remove(std::u16string_view fold) {
  bool found = false;
  counts_.Update(Key(fold), [&](std::uint32_t count) {
    found = count > 0;
    return found ? count - 1 : 0;
  });
  if (found) --size_;
}

std::size_t TakenNames::Count(std::u16string_view fold) const { return counts_.Get(Key(fold)); }

}  // namespace qomdex
