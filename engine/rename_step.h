#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/pass_directory.h"
#include "engine/pass_options.h"
#include "engine/pass_report.h"
#include "engine/taken_names.h"

namespace qomdex {

// One rename a pass has decided on, by bare names, with the folds under which the pass's index
// knows the old and the new name.
struct RenameStep {
  const NativeString& from;
  const NativeString& to;
  std::u16string_view from_fold;
  std::u16string_view to_fold;
  // The index holds folds of whole paths (folders) or of bare names (files); needed to refold a
  // new name that the system adjusted.
  bool indexed_by_full_path = false;
};

// Renames in the pass's directory unless the new name would hide the entry or is a device's, or
// the entry is the journal (then the entry is kept and reported as such); writes the rename to the
// journal, if any, first; records the outcome in the report and keeps `taken` in step with the
// disk, also in a dry run, which takes the same outcomes from what is on disk. Touches the disk (a
// dry run only reads it); never throws for a refused rename. Returns false, with the report
// stopped, when the journal could not be written and the pass must stop.
bool CarryOut(RenameStep step, PassDirectory& directory, const PassOptions& options,
              TakenNames& taken, PassReport& report);

// Record an outcome in the report and tell the observer, if any, at once. A rename's full paths
// are built only when the report keeps it.
void RecordRenamed(const std::filesystem::path& directory, const NativeString& from,
                   const NativeString& to, const platform::Identity& identity,
                   const PassOptions& options, PassReport& report);
void RecordKept(PassReport::Kept kept, const PassOptions& options, PassReport& report);
void RecordFailure(PassReport::Failure failure, const PassOptions& options, PassReport& report);
void RecordRemoved(std::filesystem::path removed, const PassOptions& options, PassReport& report);

}  // namespace qomdex
