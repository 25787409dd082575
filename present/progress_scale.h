#pragma once

#include <algorithm>
#include <cstddef>

namespace qomdex::present {

// A progress bar runs from 0 to this: thousandths of the work, finer than any bar is wide.
inline constexpr int kProgressScale = 1000;

// Returns the bar's position for `done` of `total` entries; no entries count as one.
inline int ProgressPosition(std::size_t done, std::size_t total) {
  return static_cast<int>(done * kProgressScale / std::max<std::size_t>(total, 1));
}

}  // namespace qomdex::present
