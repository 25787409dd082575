// When a recorded identity still names the entry in front of an undo: numbers that mean something
// and a birth time prove it whatever was written to it; without that proof, what survives a
// remount must all match.

#include "location/identity.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace qomdex::platform {
namespace {

Identity Entry() {
  Identity identity;
  identity.device = 41;
  identity.file = 7;
  identity.size = 120;
  identity.modified = 1'700'000'000'000'000'000;
  identity.born = 1'690'000'000'000'000'000;
  identity.mount = 90;
  identity.type = Identity::Type::kFile;
  return identity;
}

constexpr std::int64_t kSecond = 1'000'000'000;
constexpr std::int64_t kRenamedAt = 1'700'000'005'000'000'000;

// Makes both sides taken on FAT, whose numbers do not survive a remount.
void OnFat(Identity& recorded, Identity& now) {
  recorded.numbers_durable = now.numbers_durable = false;
}

struct MatchCase {
  const char* name;
  void (*change)(Identity& recorded, Identity& now);
  bool same;
  bool same_if_stamped;  // where the rename, at kRenamedAt, may have stamped a new time
};

const MatchCase kCases[] = {
    {"unchanged", [](Identity&, Identity&) {}, true, true},
    {"another file", [](Identity&, Identity& now) { now.file = 8; }, false, false},
    {"another file after a remount of a volume that keeps numbers",
     [](Identity&, Identity& now) { now.file = 8, now.mount = 91; }, false, false},
    {"renumbered by a remount of FAT",
     [](Identity& recorded, Identity& now) {
       recorded.numbers_durable = now.numbers_durable = false;
       now.device = 42, now.file = 2, now.mount = 91;
     },
     true, true},
    {"renumbered on the same FAT mount",
     [](Identity& recorded, Identity& now) {
       recorded.numbers_durable = now.numbers_durable = false;
       now.file = 2;
     },
     false, false},
    {"a stranger with a reused number after a remount of FAT",
     [](Identity& recorded, Identity& now) {
       recorded.numbers_durable = now.numbers_durable = false;
       now.mount = 91, now.modified += 3600 * kSecond;
     },
     false, false},
    {"written to and retimed since, proven by numbers and birth",
     [](Identity&, Identity& now) { now.size = 121, now.modified = kRenamedAt; }, true, true},
    {"written to since, proven by numbers and birth after a remount",
     [](Identity&, Identity& now) { now.size = 121, now.mount = 91; }, true, true},
    {"written to since where no birth time proves it",
     [](Identity& recorded, Identity& now) { recorded.born = now.born = 0, now.size = 121; }, false,
     false},
    {"written to since on FAT, remounted",
     [](Identity& recorded, Identity& now) {
       OnFat(recorded, now), now.size = 121, now.mount = 91;
     },
     false, false},
    {"stamped with the time of the rename on FAT without a birth time",
     [](Identity& recorded, Identity& now) {
       OnFat(recorded, now), recorded.born = now.born = 0, now.modified = kRenamedAt;
     },
     false, true},
    {"stamped, then remounted",
     [](Identity& recorded, Identity& now) {
       OnFat(recorded, now), now.modified = kRenamedAt - kSecond, now.mount = 91, now.file = 3;
     },
     false, true},
    {"written to a minute after the rename on FAT, remounted",
     [](Identity& recorded, Identity& now) {
       OnFat(recorded, now), now.mount = 91, now.modified = kRenamedAt + 60 * kSecond;
     },
     false, false},
    {"a new time where renames stamp none and no birth time proves it",
     [](Identity& recorded, Identity& now) {
       recorded.born = now.born = 0, now.modified = kRenamedAt;
     },
     false, false},
    {"made anew at another birth", [](Identity&, Identity& now) { now.born += 1; }, false, false},
    {"no birth time on one side", [](Identity&, Identity& now) { now.born = 0; }, true, true},
    {"a folder in its place", [](Identity&, Identity& now) { now.type = Identity::Type::kFolder; },
     false, false},
    {"an older journal's numbers only",
     [](Identity& recorded, Identity& now) {
       recorded = {.device = recorded.device, .file = recorded.file};
       now.size = 1;
     },
     true, true},
};

class IdentityMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(IdentityMatchTest, NamesTheEntryOnlyWhenAllThatStillMeansSomethingMatches) {
  Identity recorded = Entry();
  Identity now = Entry();
  GetParam().change(recorded, now);
  EXPECT_EQ(SameEntry(recorded, now), GetParam().same);
  EXPECT_EQ(SameEntryStampedAt(recorded, now, kRenamedAt, 2 * kSecond), GetParam().same_if_stamped);
}

INSTANTIATE_TEST_SUITE_P(Cases, IdentityMatchTest, ::testing::ValuesIn(kCases),
                         [](const auto& row) {
                           std::string name;
                           for (const char c : std::string(row.param.name)) {
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           }
                           return name;
                         });

}  // namespace
}  // namespace qomdex::platform
