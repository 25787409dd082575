#include "engine/rename_record.h"

#include <limits>
#include <new>

namespace qomdex {
namespace {

std::uint32_t Units(NativeStringView name) {
  // No file system has names anywhere near this long.
  if (name.size() > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
  return static_cast<std::uint32_t>(name.size());
}

}  // namespace

void RenameRecord::Reserve(std::size_t renames, std::size_t name_units) {
  rows_.reserve(rows_.size() + renames);
  names_.reserve(names_.size() + name_units);
}

void RenameRecord::Add(const std::filesystem::path& directory, NativeStringView from,
                       NativeStringView to, const platform::Identity& identity, std::int64_t time) {
  const Row row{identity.file, identity.size, identity.modified, identity.born,
                time,          Units(from),   Units(to),         identity.type};
  // Paths are compared as stored, not part by part: the passes give the same path every time.
  const bool new_run = runs_.empty() || runs_.back().directory.native() != directory.native() ||
                       runs_.back().device != identity.device ||
                       runs_.back().mount != identity.mount ||
                       runs_.back().numbers_durable != identity.numbers_durable;
  const std::size_t names_before = names_.size();
  names_.append(from);
  names_.append(to);
  try {
    if (new_run) {
      runs_.push_back(
          {rows_.size(), directory, identity.device, identity.mount, identity.numbers_durable});
    }
    try {
      rows_.push_back(row);
    } catch (...) {
      if (new_run) runs_.pop_back();
      throw;
    }
  } catch (...) {
    names_.resize(names_before);
    throw;
  }
}

std::size_t RenameRecord::bytes() const {
  std::size_t bytes = rows_.size() * sizeof(Row) + names_.size() * sizeof(NativeChar);
  for (const Run& run : runs_) bytes += sizeof(Run) + run.directory.native().size();
  return bytes;
}

RenameRecord::Iterator RenameRecord::begin() const { return {this, 0, 0, 0}; }

RenameRecord::Iterator RenameRecord::end() const {
  return {this, rows_.size(), runs_.empty() ? 0 : runs_.size() - 1, names_.size()};
}

RenameRecord::Rename RenameRecord::Iterator::operator*() const {
  const Row& row = record_->rows_[row_];
  const Run& run = record_->runs_[run_];
  const NativeStringView names(record_->names_);
  platform::Identity identity;
  identity.device = run.device;
  identity.file = row.file;
  identity.size = row.size;
  identity.modified = row.modified;
  identity.born = row.born;
  identity.mount = run.mount;
  identity.type = row.type;
  identity.numbers_durable = run.numbers_durable;
  return {run.directory, names.substr(name_offset_, row.from_units),
          names.substr(name_offset_ + row.from_units, row.to_units), identity, row.time};
}

RenameRecord::Iterator& RenameRecord::Iterator::operator++() {
  const Row& row = record_->rows_[row_];
  name_offset_ += row.from_units + row.to_units;
  ++row_;
  if (run_ + 1 < record_->runs_.size() && record_->runs_[run_ + 1].first_row == row_) ++run_;
  return *this;
}

RenameRecord::Iterator& RenameRecord::Iterator::operator--() {
  --row_;
  const Row& row = record_->rows_[row_];
  name_offset_ -= row.from_units + row.to_units;
  while (record_->runs_[run_].first_row > row_) --run_;
  return *this;
}

}  // namespace qomdex
