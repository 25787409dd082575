#include "location/entry_list.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "location/join_path.h"

namespace qomdex {
namespace {

// Packs the first eight characters of a key a byte each, so that packed keys order as the keys
// do or tie: a character from U+00FF up packs as 0xFF and ends the packing, and a short key is
// padded with zero bytes.
std::uint64_t PackedPrefix(std::u16string_view key) {
  std::uint64_t packed = 0;
  int bytes = 0;
  for (; bytes < 8 && bytes < static_cast<int>(key.size()); ++bytes) {
    const char16_t c = key[static_cast<std::size_t>(bytes)];
    packed = (packed << 8) | std::min<std::uint64_t>(c, 0xFF);
    if (c >= 0xFF) {
      ++bytes;
      break;
    }
  }
  return bytes == 0 ? 0 : packed << (8 * (8 - bytes));
}

}  // namespace

EntryList::EntryList(EntryKind kind, SortKey sort_key)
    : kind_(kind),
      sort_key_(std::move(sort_key)),
      state_{{}, std::make_shared<const std::vector<NativeString>>()} {}

void EntryList::Refresh() { Refresh(platform::Directory(state_.path)); }

void EntryList::Refresh(const platform::Directory& directory) { state_.names = Read(directory); }

bool EntryList::Show(const std::filesystem::path& directory, State* other_kind) {
  return ShowOpen(platform::Directory(NormalizeDirectoryPath(directory)), other_kind);
}

bool EntryList::ShowOpen(const platform::Directory& directory, State* other_kind) {
  Names others;
  auto names = Read(directory, other_kind ? &others : nullptr);
  const bool changed = directory.path() != state_.path;
  if (other_kind) *other_kind = {directory.path(), std::move(others)};
  state_ = {directory.path(), std::move(names)};
  return changed;
}

EntryList::Names EntryList::Read(const platform::Directory& directory, Names* other_kind) const {
  Names names;
  const auto read = [&] {
    std::vector<platform::DirectoryEntry> entries = directory.calls().ReadDirectory(directory);
    const bool folders = kind_ == EntryKind::kFolder;
    if (other_kind) *other_kind = Sorted(entries, !folders);
    names = Sorted(entries, folders);
  };
  if (runner_) {
    runner_(read);
  } else {
    read();
  }
  return names;
}

EntryList::Names EntryList::Sorted(std::vector<platform::DirectoryEntry>& entries,
                                   bool folders) const {
  // The keys go into one buffer, and each entry is sorted first by the start of its key packed
  // into a number that orders as the key does (ties mean "compare the keys"), so most
  // comparisons never leave the array being sorted.
  struct Ranked {
    std::uint64_t prefix;
    std::size_t entry;
    std::size_t key_start;
    std::size_t key_length;
  };
  std::vector<Ranked> ranked;
  std::u16string keys;
  // A key is about as long as its name; room made at once spares the copies of growing.
  std::size_t count = 0;
  std::size_t name_lengths = 0;
  for (const auto& entry : entries) {
    if (entry.is_directory != folders) continue;
    ++count;
    name_lengths += entry.name.size();
  }
  ranked.reserve(count);
  keys.reserve(name_lengths);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].is_directory != folders) continue;
    const std::u16string key = sort_key_(entries[i].name);
    ranked.push_back({PackedPrefix(key), i, keys.size(), key.size()});
    keys += key;
  }
  const auto key_of = [&](const Ranked& r) {
    return std::u16string_view(keys).substr(r.key_start, r.key_length);
  };
  std::sort(ranked.begin(), ranked.end(), [&](const Ranked& a, const Ranked& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    if (const auto by_key = key_of(a) <=> key_of(b); by_key != 0) return by_key < 0;
    return entries[a.entry].name < entries[b.entry].name;
  });
  keys = {};
  auto names = std::make_shared<std::vector<NativeString>>();
  names->reserve(ranked.size());
  for (const Ranked& r : ranked) names->push_back(std::move(entries[r.entry].name));
  return names;
}

}  // namespace qomdex
