#include "engine/rename_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qomdex {
namespace {

struct Added {
  std::filesystem::path directory;
  NativeString from;
  NativeString to;
  platform::Identity identity;
  std::int64_t time;
};

NativeString Name(const std::string& text) { return NativeString(text.begin(), text.end()); }

// The record keeps a directory and a volume once for the renames they share: every rename must
// come back exactly as added, walked forward and back, across changes of directory, of volume
// numbers within one directory, and of a directory back to an earlier one, with empty names and
// long ones beside each other.
TEST(RenameRecordTest, GivesBackEveryRenameBothWaysWhateverItShares) {
  const std::filesystem::path a = std::filesystem::path("music") / "a";
  const std::filesystem::path b = std::filesystem::path("music") / "b";
  std::vector<Added> added;
  for (int i = 0; i < 12; ++i) {
    platform::Identity identity;
    identity.device = i < 5 ? 7 : 8;  // a volume change within a's renames
    identity.mount = i == 9 ? 99 : 3;
    identity.numbers_durable = i != 10;
    identity.file = 1000u + static_cast<unsigned>(i);
    identity.size = static_cast<std::uint64_t>(i) * 3;
    identity.modified = -i;
    identity.born = i * 11;
    identity.type = i % 2 ? platform::Identity::Type::kFolder : platform::Identity::Type::kFile;
    const std::filesystem::path& directory = i < 7 || i > 9 ? a : b;
    // Appended, not added up: GCC 12 for mingw misreads a sum of strings as an overlapping copy.
    std::string to;
    if (i != 4) to.append("n").append(std::to_string(i));
    added.push_back({directory, Name(std::string(static_cast<std::size_t>(i * 40), 'x')), Name(to),
                     identity, 5000 + i});
  }
  RenameRecord record;
  for (const Added& rename : added) {
    record.Add(rename.directory, rename.from, rename.to, rename.identity, rename.time);
  }
  ASSERT_EQ(record.size(), added.size());

  const auto expect_row = [&](const RenameRecord::Rename& got, std::size_t i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got.directory, added[i].directory);
    EXPECT_EQ(got.from, added[i].from);
    EXPECT_EQ(got.to, added[i].to);
    EXPECT_EQ(got.identity, added[i].identity);
    EXPECT_EQ(got.time, added[i].time);
  };
  std::size_t i = 0;
  for (const RenameRecord::Rename& got : record) expect_row(got, i++);
  EXPECT_EQ(i, added.size());
  for (auto step = record.end(); step != record.begin();) expect_row(*--step, --i);
}

// A pass over a million files keeps its undo in memory: a rename of names of 30 bytes may take
// at most 120 bytes, room made up front included once it is used.
TEST(RenameRecordTest, ARenameOfThirtyByteNamesTakesAtMost120Bytes) {
  constexpr std::size_t kRenames = 10000;
  constexpr std::size_t kUnits = 30 / sizeof(NativeChar);
  RenameRecord record;
  record.Reserve(kRenames, kRenames * 2 * kUnits);
  platform::Identity identity;
  identity.type = platform::Identity::Type::kFile;
  for (std::size_t i = 0; i < kRenames; ++i) {
    identity.file = i;
    record.Add("/music/album", Name(std::string(kUnits, 'a')), Name(std::string(kUnits, 'b')),
               identity, 0);
  }
  EXPECT_LE(record.bytes(), kRenames * 120);
}

}  // namespace
}  // namespace qomdex
