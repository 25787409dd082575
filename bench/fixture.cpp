#include "bench/fixture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace qomdex::bench {

Fixture::Fixture(EntryKind kind, std::size_t count) {
  std::string pattern = (std::filesystem::temp_directory_path() / "qomdex-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  renames_.reserve(count);
  const char* extension = kind == EntryKind::kFile ? ".txt" : "";
  for (std::size_t i = 0; i < count; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "%06zu - item %06zu%s", i, i, extension);
    const std::string original = name;
    const std::string cleaned = original.substr(original.find("item"));
    if (kind == EntryKind::kFile) {
      std::ofstream(path_ / original).put('x');
    } else {
      std::filesystem::create_directory(path_ / original);
    }
    renames_.emplace_back(original, cleaned);
  }
}

Fixture::~Fixture() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace qomdex::bench
