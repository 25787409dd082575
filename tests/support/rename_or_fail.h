#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "location/platform.h"

namespace qomdex::testing {

// Renames an entry to another name in its directory through the system's never-replacing
// rename; returns the name given, empty with `error` set on a refusal.
inline NativeString RenameWithin(const std::filesystem::path& from, const std::filesystem::path& to,
                                 std::error_code& error) {
  return platform::Rename(platform::Directory(from.parent_path()), from.filename().native(),
                          to.filename().native(), error);
}

// Renames for setting up a case; a refusal fails the test that called it.
inline void RenameOrFail(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  RenameWithin(from, to, error);
  EXPECT_FALSE(error) << from << " -> " << to << ": " << error.message();
}

}  // namespace qomdex::testing
