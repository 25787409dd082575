#include "location/entry_list.h"

#include <algorithm>
#include <utility>

#include "location/join_path.h"

namespace qomdex {

EntryList::EntryList(EntryKind kind, SortKey sort_key)
    : kind_(kind),
      sort_key_(std::move(sort_key)),
      state_{{}, std::make_shared<const std::vector<NativeString>>()} {}

void EntryList::Refresh() { Refresh(platform::Directory(state_.path)); }

void EntryList::Refresh(const platform::Directory& directory) { state_.names = Read(directory); }

bool EntryList::Show(const std::filesystem::path& directory) {
  std::filesystem::path normal = NormalizeDirectoryPath(directory);
  auto names = Read(platform::Directory(normal));
  const bool changed = normal != state_.path;
  state_ = {std::move(normal), std::move(names)};
  return changed;
}

std::shared_ptr<const std::vector<NativeString>> EntryList::Read(
    const platform::Directory& directory) const {
  const bool want_folders = kind_ == EntryKind::kFolder;
  std::vector<std::pair<std::u16string, NativeString>> keyed;
  for (auto& entry : platform::ReadDirectory(directory)) {
    if (entry.is_directory != want_folders) continue;
    std::u16string key = sort_key_(entry.name);
    keyed.emplace_back(std::move(key), std::move(entry.name));
  }
  std::sort(keyed.begin(), keyed.end());
  auto names = std::make_shared<std::vector<NativeString>>();
  names->reserve(keyed.size());
  for (auto& [key, name] : keyed) names->push_back(std::move(name));
  return names;
}

}  // namespace qomdex
