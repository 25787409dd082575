#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "location/identity.h"
#include "location/native_name.h"

namespace qomdex {

// The renames of a pass, kept for its undo in compact form: each directory once, every name in
// one buffer, and of each entry's identity only what tells it from its neighbours (the numbers of
// its volume and mount are kept with the directory). A rename takes 56 bytes beside its two
// names, so the window can keep a pass over a million files.
class RenameRecord {
 public:
  // One rename, as it was added; valid while the record is neither changed nor gone.
  struct Rename {
    const std::filesystem::path& directory;
    NativeStringView from;
    NativeStringView to;
    // The entry itself, taken before its rename.
    platform::Identity identity;
    // The system's time right after the rename (see platform::CurrentTime).
    std::int64_t time;
  };

  class Iterator;

  // Makes room up front for `renames` more renames whose names hold `name_units` units in all,
  // so that the record never holds two copies of itself while it grows: room never written
  // costs address space, not memory. Throws std::bad_alloc when it cannot.
  void Reserve(std::size_t renames, std::size_t name_units);

  // Adds the rename of `from` to `to` in `directory`, of the entry `identity`, made at `time`.
  // Throws std::bad_alloc when memory runs out, and then the record is as it was.
  void Add(const std::filesystem::path& directory, NativeStringView from, NativeStringView to,
           const platform::Identity& identity, std::int64_t time);

  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  // Returns the bytes the renames and their names take, room made for later ones not counted.
  std::size_t bytes() const;

  // The renames in the order they were added; walk back from end() to undo them last first.
  Iterator begin() const;
  Iterator end() const;

 private:
  // What the renames in one directory on one mount share; a run lasts from its first row to the
  // next run's.
  struct Run {
    std::size_t first_row;
    std::filesystem::path directory;
    std::uint64_t device;
    std::uint64_t mount;
    bool numbers_durable;
  };
  struct Row {
    std::uint64_t file;
    std::uint64_t size;
    std::int64_t modified;
    std::int64_t born;
    std::int64_t time;
    std::uint32_t from_units;
    std::uint32_t to_units;
    platform::Identity::Type type;
  };

  std::vector<Run> runs_;
  std::vector<Row> rows_;
  NativeString names_;
};

// Walks a record's renames either way (for a range-for, or back from end()); a rename is made
// when the iterator is read.
class RenameRecord::Iterator {
 public:
  Rename operator*() const;
  Iterator& operator++();
  Iterator& operator--();
  friend bool operator==(const Iterator& a, const Iterator& b) { return a.row_ == b.row_; }

 private:
  friend class RenameRecord;
  Iterator(const RenameRecord* record, std::size_t row, std::size_t run, std::size_t name_offset)
      : record_(record), row_(row), run_(run), name_offset_(name_offset) {}

  const RenameRecord* record_ = nullptr;
  std::size_t row_ = 0;
  // The run the row belongs to, and where its names start.
  std::size_t run_ = 0;
  std::size_t name_offset_ = 0;
};

}  // namespace qomdex
