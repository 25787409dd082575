#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "engine/pass_options.h"
#include "engine/pass_report.h"
#include "location/native_name.h"

namespace qomdex::form {

// What the command would do in the folder the lists stand on, as the preview lists it: a row for
// each entry the pass would rename, keep on purpose, fail to rename or leave out as the user
// unticked it, in the order the pass walks them; entries whose names stay as they are have none.
// A row the pass would rename, or try to, has a tick box. The names of all rows are kept in
// one buffer, and a row's texts are made only when a view asks for them, so a preview of 100,000
// entries costs a few bytes beyond the names for each. Cheap to move.
class PreviewRows {
 public:
  // Each row's two columns, as a view draws them.
  enum class Tick : std::uint8_t { kNone, kTicked, kUnticked };
  struct Row {
    std::u16string name;    // the entry's name, as ShownName shows it
    std::u16string result;  // its new name, as ShownName shows it, or what happens instead
    Tick tick = Tick::kNone;
  };

  PreviewRows() = default;
  // No rows yet, for a pass over `entries` files, or folders when `folders`.
  PreviewRows(bool folders, std::size_t entries) : folders_(folders), entries_(entries) {}

  // Returns the number of rows.
  std::size_t count() const { return rows_.size(); }
  // Returns the texts of a row below count().
  Row row(std::size_t index) const;
  // Returns the line above the rows: the entries there are, and how many rows of each outcome.
  std::u16string heading() const;
  // Returns a row's tick, without making its texts.
  Tick tick(std::size_t index) const;
  // Returns the entry's bare name of a row below count().
  NativeString name(std::size_t index) const;
  // Returns the number of rows whose tick is ticked.
  std::size_t ticked() const { return renamed_ + errors_.size(); }

  // Adds the row of an entry the pass would rename from `name` to `new_name`.
  void AddRenamed(NativeStringView name, NativeStringView new_name);
  // Adds the row of an entry the pass would leave alone on purpose.
  void AddKept(NativeStringView name, PassReport::KeptReason reason);
  // Adds the row of an entry whose rename to `target` the system would refuse for `error`.
  void AddRefused(NativeStringView name, NativeStringView target, const std::error_code& error);
  // Adds the row of an entry the user unticked: the pass leaves it out.
  void AddLeftOut(NativeStringView name);

 private:
  enum class Outcome : std::uint8_t { kRenamed, kKept, kRefused, kLeftOut };
  struct Entry {
    std::size_t end;  // where the row's names end in names_; the previous row's end starts it
    std::uint32_t name_size;  // the entry's name comes first, then its new name or refused target
    std::uint32_t detail;     // kept: the reason; refused: the index of its error in errors_
    Outcome outcome;
  };
  void Add(NativeStringView name, NativeStringView second, Outcome outcome, std::uint32_t detail);

  bool folders_ = false;
  std::size_t entries_ = 0;
  NativeString names_;
  std::vector<Entry> rows_;
  std::vector<std::error_code> errors_;
  std::size_t renamed_ = 0;
  std::size_t kept_ = 0;
  std::size_t left_out_ = 0;
};

// The entries the user unticked in a preview, by their bare names: the pass leaves them out, and
// they count, for taken names and copy numbers, as entries whose names have nothing to cut.
class LeftOutNames {
 public:
  // Ticks the rows `selected` of `rows` when the first of them with a tick box is unticked, else
  // unticks them; rows without a tick box stay as they are. Returns the first row whose outcome
  // may now change: every row from there on is to be recomputed, none before it, as the pass
  // walks the rows in order. Returns rows.count() when nothing changed.
  std::size_t Toggle(const PreviewRows& rows, const std::vector<std::size_t>& selected);
  // Returns what a pass leaves out: the unticked entries. Keeps a reference to this.
  LeaveOut ForPass() const;
  // As ForPass, and adds a left-out row to `rows` for each entry it leaves out, as the pass asks.
  LeaveOut Recording(PreviewRows& rows) const;
  // Returns true when no entry is left out.
  bool empty() const { return names_.empty(); }

 private:
  std::unordered_set<NativeString> names_;
};

// Follows the dry run of a preview: records each outcome as a row of `rows`, and hands each
// entry's progress to `progress`, which may stop the run.
class PreviewRecorder : public PassObserver {
 public:
  PreviewRecorder(PreviewRows& rows, PassObserver& progress) : rows_(rows), progress_(progress) {}

  bool EntryDone(std::size_t done, std::size_t total, const NativeString& name) override {
    return progress_.EntryDone(done, total, name);
  }
  bool StopRequested() override { return progress_.StopRequested(); }
  void Renamed(const std::filesystem::path& directory, NativeStringView from,
               NativeStringView to) override;
  void Kept(const PassReport::Kept& kept) override;
  void Failed(const PassReport::Failure& failure) override;

 private:
  PreviewRows& rows_;
  PassObserver& progress_;
};

}  // namespace qomdex::form
