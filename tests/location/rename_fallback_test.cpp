// The never-replacing rename on file systems that lack the system's no-replace flag (a file is
// linked to its new name, then loses the old one) or hard links too (the new name is reserved by
// an exclusive create and the entry renamed over its placeholder), with another program acting
// before the rename or in the middle of it. Whatever it does, nothing of its is replaced.

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cerrno>

#include "location/platform.h"
#include "tests/support/fallback_calls.h"
#include "tests/support/temp_dir.h"

namespace qomdex {
namespace {

using testing::TempDir;
using Fallback = testing::FallbackCalls::Fallback;
using Names = std::set<std::string>;
namespace fs = std::filesystem;

void Theirs(const TempDir& dir, const char* name) { dir.Touch(name, "theirs"); }
// Another program's usual way to write a file: a temporary one renamed over the name.
void ReplacedByTheirs(const TempDir& dir, const char* name) {
  dir.Touch("their temporary", "theirs");
  fs::rename(dir / "their temporary", dir / name);
}

struct RaceCase {
  const char* label;
  Fallback fallback;
  bool folder;                      // "01 a" is a folder holding "inside", else a file
  void (*before)(const TempDir&);   // another program, before the rename
  void (*between)(const TempDir&);  // another program, between the fallback's steps
  bool renamed;                     // "01 a" becomes "a"; else refused with EEXIST
  const char* theirs;               // the name that must hold the other program's file
};

TEST(RenameFallbackTest, NothingAnotherProgramMadeIsEverReplaced) {
  const RaceCase cases[] = {
      {"file by link", Fallback::kLink, false, nullptr, nullptr, true, nullptr},
      {"file by reservation", Fallback::kReservation, false, nullptr, nullptr, true, nullptr},
      {"folder by reservation", Fallback::kLink, true, nullptr, nullptr, true, nullptr},
      {"link: new name taken before", Fallback::kLink, false, [](auto& d) { Theirs(d, "a"); },
       nullptr, false, "a"},
      {"reservation: new name taken before", Fallback::kReservation, false,
       [](auto& d) { Theirs(d, "a"); }, nullptr, false, "a"},
      {"reservation: folder name taken before", Fallback::kLink, true,
       [](auto& d) { d.MakeDir("a"); }, nullptr, false, nullptr},
      {"link: old name replaced between", Fallback::kLink, false, nullptr,
       [](auto& d) { ReplacedByTheirs(d, "01 a"); }, true, "01 a"},
      {"link: new name replaced between", Fallback::kLink, false, nullptr,
       [](auto& d) { ReplacedByTheirs(d, "a"); }, false, "a"},
      {"reservation: placeholder written into", Fallback::kReservation, false, nullptr,
       [](auto& d) { Theirs(d, "a"); }, false, "a"},
      {"reservation: placeholder replaced", Fallback::kReservation, false, nullptr,
       [](auto& d) { ReplacedByTheirs(d, "a"); }, false, "a"},
      {"reservation: placeholder folder filled", Fallback::kLink, true, nullptr,
       [](auto& d) { Theirs(d, "a/theirs"); }, false, nullptr},
      {"reservation: exclusive create of the name refused", Fallback::kReservation, false, nullptr,
       [](auto& d) {
         EXPECT_LT(open((d / "a").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600), 0);
         EXPECT_EQ(errno, EEXIST);
       },
       true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    if (c.folder) {
      dir.MakeDir("01 a");
      dir.Touch("01 a/inside");
    } else {
      dir.Touch("01 a");
    }
    if (c.before) c.before(dir);
    testing::FallbackCalls calls(c.fallback, [&] {
      if (c.between) c.between(dir);
    });

    std::error_code error;
    const NativeString given =
        platform::Rename(platform::Directory(dir.path(), calls), "01 a", "a", error);

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
}

}  // namespace
}  // namespace qomdex
