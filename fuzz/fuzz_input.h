#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "location/native_name.h"

namespace qomdex::fuzz {

// A fuzzer's bytes as a name, the way POSIX hands names over.
inline NativeString Name(const std::uint8_t* data, std::size_t size) {
  return NativeString(reinterpret_cast<const char*>(data), size);
}

// Traps so the fuzzer records the input; an invariant that fails is a fault like a crash.
inline void Require(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace qomdex::fuzz
