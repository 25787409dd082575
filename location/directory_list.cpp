#include "location/directory_list.h"

#include "location/join_path.h"

namespace qomdex {

void DirectoryList::SetPath(const std::filesystem::path& directory) {
  State files;
  if (Show(directory, on_change_ ? &files : nullptr) && on_change_) on_change_(files);
}

std::filesystem::path DirectoryList::entry(std::size_t position) const {
  return JoinPath(path(), name(position));
}

}  // namespace qomdex
