#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace qomdex::testing {

// A fresh directory under the system's temporary folder, removed with everything in it when the
// object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Names are UTF-8 (raw bytes on POSIX) throughout.
  std::filesystem::path operator/(const std::string& name) const;

  // Creates a file holding `content` (its own name by default, so a mix-up shows).
  void Touch(const std::string& name) const { Touch(name, name); }
  void Touch(const std::string& name, const std::string& content) const;
  void MakeDir(const std::string& name) const;
  // Returns the file's content.
  std::string Read(const std::string& name) const;
  // Returns every name in the directory, hidden ones included.
  std::set<std::string> Names() const;

 private:
  std::filesystem::path path_;
};

}  // namespace qomdex::testing
