#pragma once

#include <vector>

#include "engine/pass_report.h"

namespace qomdex {

// Reverses the renames of a pass, last first, with the same never-replacing rename. An entry
// that cannot be given its old name back (renamed again meanwhile, old name taken) is recorded
// as a failure and the others are still reversed. Touches the disk; never throws for a refused
// rename. Returns what was reversed (from the pass's new name to its old one) and what failed.
PassReport UndoRenames(const std::vector<PassReport::Renamed>& renamed);

}  // namespace qomdex
