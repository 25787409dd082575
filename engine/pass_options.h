#pragma once

namespace qomdex {

// How a pass runs; the defaults are what the window does.
struct PassOptions {
  // Renames nothing and reports what the pass would do if every rename succeeded.
  bool dry_run = false;
};

}  // namespace qomdex
