#pragma once

#include <filesystem>
#include <map>
#include <optional>

#include "engine/journal.h"
#include "engine/pass_directory.h"
#include "engine/pass_options.h"
#include "engine/pass_report.h"

namespace qomdex {

// The one rule by which every undo puts an entry back: only the very entry that was renamed
// (see platform::SameEntry), only onto a free name, and nothing removed that the rename did not
// make. Opens each directory it is given once.
class Reversal {
 public:
  // One rename to undo, with what a fallback rename recorded of its steps.
  struct Step {
    const NativeString& from;
    const NativeString& to;
    // The entry before its rename, and about when the rename was made (platform::CurrentTime).
    const platform::Identity& entry;
    std::int64_t renamed_at = 0;
    // The placeholder made under `to`, if recorded.
    const platform::Identity* placeholder = nullptr;
    // What a placeholder was about to be made as, and when, if that was recorded.
    const platform::Identity* reserving = nullptr;
    std::int64_t reserving_at = 0;
    // The private name the old name of a file linked under `to` was moved to, if recorded.
    const NativeString* aside = nullptr;
  };

  // `journal`, if any, is the journal being undone: the undo's own fallback renames add their
  // placeholders to it, so a later undo can remove them should this one be cut short.
  explicit Reversal(const PassOptions& options, RenameJournal* journal = nullptr)
      : options_(options), journal_(journal) {}

  // Returns true, and marks the report stopped, once the observer asks the undo to stop.
  bool StopRequested();

  // Renames the entry under `step.to` back to `step.from` if it is the one renamed; when both
  // names hold it (a second link), removes `step.to`; so too a second link under `step.aside`. When
  // the rename was never made, removes what it left under `step.to` (a placeholder) and nothing
  // else. Records anything it leaves alone as a failure. Touches the disk (a dry run only reads
  // it); never throws.
  void Undo(const std::filesystem::path& directory, const Step& step);

  // Removes what an earlier undo's rename of `step.from` back to `step.to`, cut short, left: a
  // second link under `step.aside`, and what stands under `step.to` while the entry still has the
  // name `step.from` (see Undo); nothing else. Touches the disk (a dry run only reads it); never
  // throws.
  void ClearCutShort(const std::filesystem::path& directory, const Step& step);

  // Returns what was done, moving it out.
  PassReport TakeReport() { return std::move(report_); }

 private:
  // Returns the open directory, or nothing when it cannot be opened (recorded once).
  PassDirectory* Open(const std::filesystem::path& directory);
  // Puts back the entry, which `now` is of.
  void PutBack(PassDirectory& directory, const Step& step, const platform::Identity& now);
  void RemoveLeftBehind(PassDirectory& directory, const Step& step);
  // Removes the second link a rename by link cut short left under its private name, if any.
  void RemoveSetAside(PassDirectory& directory, const Step& step);
  void Remove(PassDirectory& directory, const NativeString& name,
              const platform::Identity& identity);
  void LeftAlone(PassReport::FailureKind kind, PassDirectory& directory, const NativeString& name);

  const PassOptions& options_;
  RenameJournal* journal_;
  PassReport report_;
  std::map<std::filesystem::path, std::optional<PassDirectory>> directories_;
};

}  // namespace qomdex
