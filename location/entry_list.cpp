#include "location/entry_list.h"

#include <algorithm>
#include <numeric>
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
  std::vector<platform::DirectoryEntry> entries = platform::ReadDirectory(directory);
  std::erase_if(entries, [&](const auto& entry) { return entry.is_directory != want_folders; });
  std::vector<std::u16string> keys;
  keys.reserve(entries.size());
  for (const auto& entry : entries) keys.push_back(sort_key_(entry.name));
  // Positions are sorted, not the strings, so the sort moves small numbers around.
  std::vector<std::size_t> order(entries.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (const auto by_key = keys[a] <=> keys[b]; by_key != 0) return by_key < 0;
    return entries[a].name < entries[b].name;
  });
  keys = {};
  auto names = std::make_shared<std::vector<NativeString>>();
  names->reserve(order.size());
  for (const std::size_t position : order) names->push_back(std::move(entries[position].name));
  return names;
}

}  // namespace qomdex
