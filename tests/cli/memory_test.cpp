// Memory that runs out mid-run, at each allocation in turn: the run ends with a status and a
// report that tells the truth about what was renamed, never with an escaped exception.

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <new>
#include <regex>
#include <sstream>

#include "cli/cli.h"
#include "tests/support/temp_dir.h"
#include "tests/support/utf8_names.h"

// The replacements below pair malloc with free, which GCC cannot see through once inlined.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {

// Counts down the allocations left before one fails; 0: none fails.
long allocations_left = 0;

}  // namespace

// Every allocation of this test program comes here, so a test can make any one of them fail.
void* operator new(std::size_t size) {
  if (allocations_left > 0 && --allocations_left == 0) throw std::bad_alloc();
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace qomdex::cli {
namespace {

using testing::TempDir;
using testing::Utf8;

const char* const kNames[] = {"00 t0", "01 t1", "02 t2", "03 t3", "04 t4", "05 t5"};

// Stands for a standard stream: its room is taken before the run, so writing to it allocates
// nothing, as writing to a file descriptor does not.
class Capture : public std::streambuf {
 public:
  Capture() { text_.reserve(64 * 1024); }
  const std::string& text() const { return text_; }

 protected:
  int overflow(int c) override {
    if (text_.size() == text_.capacity()) return traits_type::eof();
    text_.push_back(static_cast<char>(c));
    return c;
  }

 private:
  std::string text_;
};

struct MemoryCase {
  const char* name;
  bool journal;  // the pass writes a journal
  bool undo;     // the run undoes a pass's journal instead
};
const MemoryCase kRuns[] = {
    {"Pass", false, false},
    {"JournalledPass", true, false},
    {"Undo", true, true},
};
class MemoryTest : public ::testing::TestWithParam<MemoryCase> {};

// Returns how many renames the error stream says were made whose lines were lost.
std::size_t LostLines(const std::string& err) {
  std::smatch match;
  static const std::regex lost("(\\d+) renames? (was|were) made whose lines? (was|were) lost");
  return std::regex_search(err, match, lost) ? std::stoul(match[1]) : 0;
}

TEST_P(MemoryTest, EndsWithTheTruthAtEveryAllocation) {
  const MemoryCase& c = GetParam();
  bool ran_out = true;
  for (long failing = 1; ran_out; ++failing) {
    SCOPED_TRACE("allocation " + std::to_string(failing));
    TempDir dir, journal_dir;
    for (const char* name : kNames) dir.Touch(name);
    std::vector<std::string> args{Utf8(dir.path())};
    if (c.journal) args = {"--journal", Utf8(journal_dir / "journal"), Utf8(dir.path())};
    if (c.undo) {
      std::ostringstream ignored;
      ASSERT_EQ(cli::Run(args, ignored, ignored), kExitSuccess);
      args = {"--undo", Utf8(journal_dir / "journal")};
    }
    Capture out_text, err_text;
    std::ostream out(&out_text), err(&err_text);
    allocations_left = failing;
    const int status = cli::Run(args, out, err);
    ran_out = allocations_left == 0;
    allocations_left = 0;

    // Entries whose names the run changed, one line each, printed or counted as lost.
    std::size_t changed = 0;
    for (const std::string& name : dir.Names()) changed += (name[0] != '0') != c.undo;
    const std::string& printed = out_text.text();
    const auto lines = static_cast<std::size_t>(std::count(printed.begin(), printed.end(), '\n'));
    EXPECT_EQ(lines + LostLines(err_text.text()), changed) << printed << err_text.text();
    // Success says that every entry was treated.
    if (status == kExitSuccess) {
      EXPECT_EQ(changed, std::size(kNames)) << err_text.text();
    }
    if (!ran_out) {
      EXPECT_EQ(status, kExitSuccess) << err_text.text();
    }
#ifndef _WIN32  // There the system's library may absorb the failure, or turn it into "Path not
                // found" while a directory is opened.
    if (ran_out) {
      EXPECT_EQ(status, kExitFailure);
      EXPECT_NE(err_text.text().find("memory ran out"), std::string::npos) << err_text.text();
    }
#endif
  }
}
INSTANTIATE_TEST_SUITE_P(Runs, MemoryTest, ::testing::ValuesIn(kRuns),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qomdex::cli
