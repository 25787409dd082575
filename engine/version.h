#pragma once

namespace qomdex {

// The product's version as the program shows it.
inline constexpr char kVersionText[] = "1.00";

}  // namespace qomdex
