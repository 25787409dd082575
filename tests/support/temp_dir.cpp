#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qomdex::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qomdex-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempDir::Touch(const std::string& name, const std::string& content) const {
  std::ofstream file(path_ / name, std::ios::binary);
  file << content;
  if (!file) throw std::runtime_error("cannot create " + name);
}

void TempDir::MakeDir(const std::string& name) const {
  std::filesystem::create_directory(path_ / name);
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream file(path_ / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::set<std::string> TempDir::Names() const {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

}  // namespace qomdex::testing
