#include <utility>

#include "location/join_path.h"
#include "location/platform.h"

namespace qomdex::platform {

Directory::Directory(const std::filesystem::path& path, SystemCalls& calls)
    : path_(path), calls_(&calls), handle_(calls.Open(path)) {}

Directory::Directory(const Directory& parent, const NativeString& name)
    : path_(JoinPath(parent.path(), name)),
      calls_(parent.calls_),
      handle_(calls_->OpenFolder(parent, name)) {}

Directory::Directory(Directory&& other) noexcept
    : path_(std::move(other.path_)),
      calls_(other.calls_),
      handle_(std::exchange(other.handle_, {})),
      links_unverifiable_(other.links_unverifiable_) {}

Directory& Directory::operator=(Directory&& other) noexcept {
  std::swap(path_, other.path_);
  std::swap(calls_, other.calls_);
  std::swap(handle_, other.handle_);
  std::swap(links_unverifiable_, other.links_unverifiable_);
  return *this;
}

}  // namespace qomdex::platform
