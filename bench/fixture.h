#pragma once

#include <cstddef>
#include <filesystem>
#include <utility>
#include <vector>

#include "location/entry_list.h"

namespace qomdex::bench {

// A fresh directory of `count` files or folders named "NNNNNN - item NNNNNN.txt" (folders
// without the extension), removed when the object goes away. Every name cleans to a distinct
// one, so a pass renames every entry once.
class Fixture {
 public:
  Fixture(EntryKind kind, std::size_t count);
  ~Fixture();
  Fixture(const Fixture&) = delete;
  Fixture& operator=(const Fixture&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The renames a pass makes here, as names in path(), for the bare loop to repeat.
  const std::vector<std::pair<NativeString, NativeString>>& renames() const { return renames_; }

 private:
  std::filesystem::path path_;
  std::vector<std::pair<NativeString, NativeString>> renames_;
};

}  // namespace qomdex::bench
