#include "tests/support/temp_dir.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "tests/support/utf8_names.h"

namespace qomdex::testing {

TempDir::TempDir() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate =
        std::filesystem::temp_directory_path() / ("qomdex-test-" + std::to_string(random()));
    // Creating is the test for a free name, so two runs can never share a directory.
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("no free name for a temporary directory");
}

TempDir::~TempDir() {
  std::error_code ignored;
#ifdef _WIN32
  // The extended form reaches paths past 260 characters too.
  std::filesystem::remove_all(LR"(\\?\)" + path_.native(), ignored);
#else
  std::filesystem::remove_all(path_, ignored);
#endif
}

std::filesystem::path TempDir::operator/(const std::string& name) const {
  return path_ / Native(name);
}

void TempDir::Touch(const std::string& name, const std::string& content) const {
  std::ofstream file(*this / name, std::ios::binary);
  file << content;
  if (!file) throw std::runtime_error("cannot create " + name);
}

void TempDir::MakeDir(const std::string& name) const {
  std::filesystem::create_directory(*this / name);
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream file(*this / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::set<std::string> TempDir::Names() const {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.insert(Utf8(entry.path().filename().native()));
  }
  return names;
}

}  // namespace qomdex::testing
