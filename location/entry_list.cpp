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

bool EntryList::Show(const std::filesystem::path& directory, State* other_kind) {
  std::filesystem::path normal = NormalizeDirectoryPath(directory);
  Names others;
  auto names = Read(platform::Directory(normal), other_kind ? &others : nullptr);
  const bool changed = normal != state_.path;
  if (other_kind) *other_kind = {normal, std::move(others)};
  state_ = {std::move(normal), std::move(names)};
  return changed;
}

EntryList::Names EntryList::Read(const platform::Directory& directory, Names* other_kind) const {
  std::vector<platform::DirectoryEntry> entries = platform::ReadDirectory(directory);
  const bool folders = kind_ == EntryKind::kFolder;
  if (other_kind) *other_kind = Sorted(entries, !folders);
  return Sorted(entries, folders);
}

EntryList::Names EntryList::Sorted(std::vector<platform::DirectoryEntry>& entries,
                                   bool folders) const {
  std::vector<std::size_t> order;
  std::vector<std::u16string> keys(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].is_directory != folders) continue;
    order.push_back(i);
    keys[i] = sort_key_(entries[i].name);
  }
  // Positions are sorted, not the strings, so the sort moves small numbers around.
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
