#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "location/native_name.h"
#include "location/platform.h"

namespace qomdex {

enum class EntryKind { kFile, kFolder };

// Runs a reading of a directory to its end before it returns, passing on what the reading
// throws. A window's owner runs it off the window's thread and keeps the window answering
// meanwhile; the reading touches nothing but its own results.
using ReadingRunner = std::function<void(const std::function<void()>& reading)>;

// A snapshot of one kind of entry (files or folders) of one directory, ordered by the owner's
// sort key, ties by the exact name. The snapshot changes only when the path is set or the list is
// refreshed; renames on disk do not show until then. Base of the file and directory lists.
class EntryList {
 public:
  // What a list holds; saving and restoring it is cheap, so a failed move can be undone.
  struct State {
    std::filesystem::path path;
    std::shared_ptr<const std::vector<NativeString>> names;
  };

  EntryList(EntryKind kind, SortKey sort_key);

  // Returns the directory the list shows; empty until a path is first set.
  const std::filesystem::path& path() const { return state_.path; }
  // Returns the number of entries in the snapshot.
  std::size_t count() const { return state_.names->size(); }
  // Returns the bare name of the entry at a position below count().
  const NativeString& name(std::size_t position) const { return state_.names->at(position); }

  // Re-reads the snapshot from disk. Throws std::filesystem::filesystem_error, leaving the list
  // unchanged, when the directory cannot be read.
  void Refresh();
  // Re-reads the snapshot through an open handle of the list's directory, as a pass that holds
  // one does. Throws like Refresh().
  void Refresh(const platform::Directory& directory);

  // Shows the open directory, read through its handle: its entries of the list's kind, and, when
  // `other_kind` is given, those of the other kind in it, both in order. Returns true when the
  // path differs from before. Reads the disk; throws std::filesystem::filesystem_error, leaving
  // the list unchanged, when it cannot be read.
  bool ShowOpen(const platform::Directory& directory, State* other_kind = nullptr);

  // Reads the directory through `runner` from now on; without one, in the caller's thread.
  void SetReadingRunner(ReadingRunner runner) { runner_ = std::move(runner); }

  const State& state() const { return state_; }
  void Restore(State state) { state_ = std::move(state); }

 protected:
  // Reads the directory and then shows it; returns true when the path differs from before. When
  // `other_kind` is given, it receives the entries of the other kind from the same reading, so a
  // second list standing on the directory needs no reading of its own. Throws
  // std::filesystem::filesystem_error, leaving the list unchanged, when it cannot be read.
  bool Show(const std::filesystem::path& directory, State* other_kind = nullptr);

 private:
  using Names = std::shared_ptr<const std::vector<NativeString>>;
  // Returns the entries of the list's kind, and fills `other_kind`, if given, with the rest.
  Names Read(const platform::Directory& directory, Names* other_kind = nullptr) const;
  Names Sorted(std::vector<platform::DirectoryEntry>& entries, bool folders) const;

  EntryKind kind_;
  SortKey sort_key_;
  ReadingRunner runner_;
  State state_;
};

}  // namespace qomdex
