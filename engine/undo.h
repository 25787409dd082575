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
PassReport UndoRenames(const std::vector<PassReport::Renamed>& renamed,
                       const PassOptions& options = {});

}  // namespace qomdex
