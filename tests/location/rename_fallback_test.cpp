// The never-replacing rename on file systems that lack the system's no-replace flag (a file is
// linked to its new name, then loses the old one) or hard links too (the new name is reserved by
// an exclusive create and the entry renamed over its placeholder), with another program acting
// before the rename or in the middle of it. Whatever it does, nothing of its is replaced.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

#include "tests/support/fallback_calls.h"
#include "tests/support/temp_dir.h"

namespace qomdex {
namespace {

using testing::TempDir;
using Fallback = testing::FallbackCalls::Fallback;
using Moment = testing::FallbackCalls::Moment;
using Names = std::set<std::string>;
namespace fs = std::filesystem;

void Theirs(const TempDir& dir, const char* name) { dir.Touch(name, "theirs"); }
void Nobody(const TempDir&) {}

// What the other program does once the rename call has returned.
std::function<void()>& Afterwards() {
  static std::function<void()> then;
  return then;
}
// Another program opening a name to write into it, and writing once the rename is over. Opening
// a leased placeholder waits until the lease goes: it is begun here without waiting, which breaks
// the lease at once, and finished, and written to, on the program's own thread.
void OpensToWriteInto(const TempDir& dir, const char* name) {
  const int file = open((dir / name).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (file >= 0) {
    Afterwards() = [file] {
      EXPECT_EQ(write(file, "theirs", 6), 6);
      close(file);
    };
    return;
  }
  ASSERT_EQ(errno, EWOULDBLOCK);
  auto writer = std::make_shared<std::jthread>([&dir, name] { Theirs(dir, name); });
  Afterwards() = [writer] { writer->join(); };
}
// Another program's usual way to write a file: a temporary one renamed over the name.
void ReplacedByTheirs(const TempDir& dir, const char* name) {
  dir.Touch("their temporary", "theirs");
  fs::rename(dir / "their temporary", dir / name);
}

struct RaceCase {
  const char* name;
  Fallback fallback;
  bool folder;                               // "01 a" is a folder holding "inside", else a file
  void (*before)(const TempDir&);            // another program, before the rename
  void (*between)(const TempDir&);           // another program, between the fallback's steps
  bool renamed;                              // "01 a" becomes "a"; else refused with EEXIST
  const char* theirs;                        // the name that must hold the other program's file
  Moment moment = Moment::kBetweenTheSteps;  // when `between` acts
};

class RenameFallbackTest : public ::testing::TestWithParam<RaceCase> {};

TEST_P(RenameFallbackTest, NothingAnotherProgramMadeIsEverReplaced) {
  const RaceCase& c = GetParam();
  TempDir dir;
  c.folder ? dir.MakeDir("01 a") : dir.Touch("01 a");
  if (c.folder) dir.Touch("01 a/inside");
  if (c.before) c.before(dir);
  bool acted = false;
  testing::FallbackCalls calls(
      c.fallback,
      [&] {
        acted = true;
        (c.between ? c.between : Nobody)(dir);
      },
      c.moment);

  std::error_code error;
  const NativeString given =
      platform::Rename(platform::Directory(dir.path(), calls), "01 a", "a", error);
  if (Afterwards()) std::exchange(Afterwards(), nullptr)();
  EXPECT_TRUE(acted || c.between == nullptr) << "the other program never had its moment";

  const bool their_old_name = c.theirs != nullptr && std::string(c.theirs) == "01 a";
  EXPECT_EQ(dir.Names(), c.renamed && !their_old_name ? Names{"a"} : (Names{"01 a", "a"}));
  if (c.renamed) {
    EXPECT_FALSE(error) << error.message();
    EXPECT_EQ(given, "a");
  } else {
    EXPECT_EQ(error, std::errc::file_exists) << error.message();
  }
  const std::string ours = c.renamed ? "a" : "01 a";
  EXPECT_EQ(dir.Read(c.folder ? ours + "/inside" : ours), c.folder ? "01 a/inside" : "01 a");
  if (c.theirs) {
    EXPECT_EQ(dir.Read(c.theirs), "theirs");
  }
}

const RaceCase kCases[] = {
    {"FileByLink", Fallback::kLink, false, nullptr, nullptr, true, nullptr},
    {"FileByReservation", Fallback::kReservation, false, nullptr, nullptr, true, nullptr},
    {"FolderByReservation", Fallback::kLink, true, nullptr, nullptr, true, nullptr},
    {"LinkNewNameTakenBefore", Fallback::kLink, false, [](auto& d) { Theirs(d, "a"); }, nullptr,
     false, "a"},
    {"ReservationNewNameTakenBefore", Fallback::kReservation, false,
     [](auto& d) { Theirs(d, "a"); }, nullptr, false, "a"},
    {"ReservationFolderNameTakenBefore", Fallback::kLink, true, [](auto& d) { d.MakeDir("a"); },
     nullptr, false, nullptr},
    {"LinkOldNameReplacedBetween", Fallback::kLink, false, nullptr,
     [](auto& d) { ReplacedByTheirs(d, "01 a"); }, true, "01 a"},
    {"LinkOldNameReplacedAsItGoes", Fallback::kLink, false, nullptr,
     [](auto& d) { ReplacedByTheirs(d, "01 a"); }, true, "01 a", Moment::kAsTheOldNameGoes},
    {"LinkNewNameReplacedBetween", Fallback::kLink, false, nullptr,
     [](auto& d) { ReplacedByTheirs(d, "a"); }, false, "a"},
    {"ReservationPlaceholderOpenedToWriteInto", Fallback::kReservation, false, nullptr,
     [](auto& d) { OpensToWriteInto(d, "a"); }, false, "a"},
    {"ReservationPlaceholderReplaced", Fallback::kReservation, false, nullptr,
     [](auto& d) { ReplacedByTheirs(d, "a"); }, false, "a"},
    {"ReservationPlaceholderFolderFilled", Fallback::kLink, true, nullptr,
     [](auto& d) { Theirs(d, "a/theirs"); }, false, nullptr},
    {"ReservationExclusiveCreateOfTheNameRefused", Fallback::kReservation, false, nullptr,
     [](auto& d) {
       EXPECT_LT(open((d / "a").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600), 0);
       EXPECT_EQ(errno, EEXIST);
     },
     true, nullptr},
};
INSTANTIATE_TEST_SUITE_P(Races, RenameFallbackTest, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qomdex
