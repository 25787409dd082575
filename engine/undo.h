#pragma once

#include <filesystem>
#include <vector>

#include "engine/pass_options.h"
#include "engine/pass_report.h"

namespace qomdex {

// Puts back the renames of a pass, last first, with the same never-replacing rename. An entry is
// put back only when the entry now under its new name is the very one renamed and its old name
// is free; anything else is left alone and recorded as a failure, and the others are still put
// back. Touches the disk (options.dry_run: only reads it, and reports what it would do); never
// throws. Returns what was put back (from the new name to the old one) and what failed.
PassReport UndoRenames(const RenameRecord& renamed, const PassOptions& options = {});

// Puts back the renames a journal file records, last first, by the same rule as UndoRenames;
// passes over a rename that was never made or is put back already (its old name holds the
// entry), and removes what a rename cut short left behind (an empty placeholder, a second link
// to a file), an earlier undo's included: its own placeholders are added to the journal. Each
// recorded directory is opened again by its path. What is damaged in the journal is left as it
// is and listed in the report's `damaged`; the records around it are still undone. Stops after
// the current entry when the observer asks (the report says so), so the same journal can be
// undone again to finish. Touches the disk (options.dry_run: only reads it); throws
// std::filesystem::filesystem_error only when the journal cannot be read or is none this user's
// pass wrote (see RenameJournal::Read).
PassReport UndoJournal(const std::filesystem::path& file, const PassOptions& options = {});

}  // namespace qomdex
