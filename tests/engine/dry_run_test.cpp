// A dry run must predict the real run exactly: the same renames, the same refusals of names that
// exist on disk (which the pass's own index of one kind of entry cannot see), and from there the
// same copy numbers.

#include <gtest/gtest.h>

#include "tests/engine/pass_fixture.h"
#include "tests/support/row_name.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

namespace qomdex {
namespace {

using testing::TempDir;
using testing::Utf8;

struct DryRunCase {
  const char* label;
  bool folder_pass;
  std::vector<std::string> files;
  std::vector<std::string> folders;
  std::size_t real_failures;  // keeps each fixture honest about what it exercises
};

// Every outcome of a pass, in order, as lines; the copy counter last.
std::vector<std::string> Outcome(const PassReport& report, const PassState& state) {
  std::vector<std::string> lines;
  for (const auto& renamed : report.renamed) {
    lines.push_back(Utf8(NativeString(renamed.from)) + " -> " + Utf8(NativeString(renamed.to)));
  }
  for (const auto& kept : report.kept) lines.push_back("kept " + Utf8(kept.path.filename()));
  for (const auto& failure : report.failures) {
    lines.push_back("failed " + Utf8(failure.path.filename()) + " -> " +
                    Utf8(failure.target.filename()) + ": " + failure.error.message());
  }
  lines.push_back("CopyCount " + std::to_string(state.CopyCount));
  return lines;
}

const std::string long_name(250, 'a');
const DryRunCase kPredictsTheRealRunExactlyRows[] = {
    {"file beside a folder of its new name", false, {"01 a.txt"}, {"a.txt"}, 1},
    {"copy-suffixed name already on disk", false, {"02 a.txt", "a.txt", "a copy ( 1).txt"}, {}, 1},
    {"refused name is not counted as taken later",
     false,
     {"a.txt", "a copy ( 1).txt", "01 a.txt", "02 a copy ( 3).txt"},
     {},
     1},
    {"name taken by an earlier rename of the same run",
     false,
     {"01 a copy ( 1).txt", "02 a.txt", "a.txt"},
     {},
     1},
    {"folder beside a file of its new name", true, {"Rock"}, {"01 Rock"}, 1},
    {"suffixed folder name taken by a file", true, {"Rock Copy ( 0)"}, {"01 Rock", "Rock"}, 1},
    {"nothing in the way", true, {}, {"01 Rock", "02 Rock", "Rock", "3. Jazz"}, 0},
#ifndef _WIN32  // Windows drops the dot that ends these names; wine takes a name past the
                // file system's limit for one that is not there.
    {"name too long once suffixed", false, {"01 " + long_name, long_name}, {}, 1},
    {"name freed by an earlier rename of the same run", false, {" copy ( 2).", "_"}, {}, 0},
#endif
};

class PredictsTheRealRunExactly : public ::testing::TestWithParam<DryRunCase> {};

TEST_P(PredictsTheRealRunExactly, Holds) {
  const DryRunCase& c = GetParam();
  TempDir dir;
  for (const auto& name : c.files) dir.Touch(name);
  for (const auto& name : c.folders) dir.MakeDir(name);
  const auto before = dir.Names();
  const auto run = [&](PassState& state, bool dry_run) {
    return c.folder_pass ? testing::RunFolderPass(state, dir.path(), {.dry_run = dry_run})
                         : testing::RunFilePass(state, dir.path(), {.dry_run = dry_run});
  };

  PassState dry_state;
  const PassReport dry = run(dry_state, true);
  EXPECT_EQ(dir.Names(), before);
  PassState real_state;
  const PassReport real = run(real_state, false);

  EXPECT_EQ(Outcome(dry, dry_state), Outcome(real, real_state));
  EXPECT_EQ(real.failures.size(), c.real_failures);
}

INSTANTIATE_TEST_SUITE_P(DryRunTest, PredictsTheRealRunExactly,
                         ::testing::ValuesIn(kPredictsTheRealRunExactlyRows), testing::kByLabel);

}  // namespace
}  // namespace qomdex
