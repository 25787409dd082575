#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "location/platform.h"

namespace qomdex::testing {

// Renames through the system's never-replacing rename, for setting up a case; a refusal fails
// the test that called it.
inline void RenameOrFail(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  platform::Rename(from, to, error);
  EXPECT_FALSE(error) << from << " -> " << to << ": " << error.message();
}

}  // namespace qomdex::testing
